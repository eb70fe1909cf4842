#pragma once
// Small HEIF (HEIC, AVIF), WebP and TIFF files written through their own libraries, for the
// tests of the decoders and of the album that reads them.

#include <cstdint>
#include <string>
#include <vector>

#include "tests/support/TestPictures.h"

enum class TodayFormat { Heic, Avif, WebpLossy, WebpLossless, WebpAlpha, Tiff8, Tiff16, TiffGrey };

const char* ExtensionOf(TodayFormat format);

// The Exif payload ("Exif\0\0" and a big-endian TIFF structure) holding an Orientation (0:
// none) and, when not empty, a DateTimeOriginal ("yyyy:mm:dd hh:mm:ss") in its Exif directory.
std::vector<uint8_t> MakeExifPayload(int orientation, const std::string& takenAt);

struct TodayPicture {
  int width = 0;
  int height = 0;
  std::vector<Rgb> pixels;  // rows top first
  // The Orientation and time stamp of its Exif (for TIFF: its Orientation and DateTime tags).
  int exifOrientation = 0;
  std::string takenAt;
  // HEIF only: the turn the file itself asks for (an Exif orientation value, 1: none).
  int heifOrientation = 1;
  std::vector<uint8_t> icc;
};

// The file's bytes; empty when the library could not write it.
std::string WriteTodayFormat(TodayFormat format, const TodayPicture& picture);
