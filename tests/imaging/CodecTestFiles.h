#pragma once
// Picture files of particular kinds for the codec tests, made with the codec libraries or
// byte by byte.

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "imaging/ImageWrap.h"
#include "tests/support/TestPictures.h"

// Little-endian integers as bytes.
std::string Le16(uint32_t value);
std::string Le32(uint32_t value);

// A PNG of the given colour type and bit depth, written with libpng; pixel samples follow a
// fixed pattern. withTrns adds a tRNS chunk.
std::string PngBytes(int width, int height, int colourType, int bitDepth, bool withTrns);
// A PNG chunk of the type with its length and checksum.
std::string PngChunk(const std::string& type, const std::string& data);
// The PNG's bytes with chunk put after its header chunk, or before its end chunk when atEnd.
std::string PngWithChunk(const std::string& png, const std::string& chunk, bool atEnd = false);
// The PNG signature and an IHDR chunk (8-bit RGB) declaring the size, with nothing after.
std::string PngHeaderOnly(uint32_t width, uint32_t height);

// A BMP with a BITMAPINFOHEADER. The colour table (entries of blue, green, red, 0) and pixel
// bytes are given as stored in the file.
std::string BmpBytes(int32_t width, int32_t height, int bitCount, uint32_t compression,
                     const std::vector<RgbQuad>& table, const std::string& pixels);

// A CMYK JPEG written with libjpeg; values as Adobe stores them (255 = no ink).
std::string CmykJpegBytes(int width, int height,
                          const std::function<std::array<uint8_t, 4>(int, int)>& cmyk);

// A GIF written with giflib, with the given colour table and pixel indexes (top row first).
// A progressive JPEG of 64 x 48 whose last scan is repeated until the file holds this many
// (at least 10) before its end.
std::string ProgressiveJpegOfScans(size_t scans);

std::string GifBytes(int width, int height, const std::vector<RgbQuad>& table,
                     const std::vector<uint8_t>& indexes, bool interlaced);

// An Exif APP1 payload whose first directory holds a Software entry and, when orientation is
// above 0, an Orientation entry with that value.
std::vector<uint8_t> ExifSegmentWith(int orientation, bool bigEndian);

// The JPEG bytes with an APP1 segment inserted after the JFIF APP0 segment that starts them.
std::string InsertApp1AfterApp0(const std::string& jpeg, const std::vector<uint8_t>& payload);

// A file for a table of cases: its name and how to make its bytes.
struct NamedFile {
  const char* name;
  std::function<std::string()> bytes;
};

// A test name made of a file name: every character other than a letter or digit becomes "_".
std::string TestNameOf(const char* fileName);

// Loads path into an object that holds a picture and expects the one load failure message
// that says what is wrong in words, and the object left empty.
void ExpectLoadFailsCleanly(const std::string& path);

// Largest difference of any channel between two pictures of the same size. A margin above 0
// leaves out the pixels within that distance of the edges of the 16 x 16 blocks, where JPEG's
// chroma upsampling blends neighbouring blocks.
int MaxChannelDifference(const CImageWrap& a, const CImageWrap& b, int margin = 0);
