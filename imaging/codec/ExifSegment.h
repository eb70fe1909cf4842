#pragma once
// The EXIF APP1 segment of JPEG files: finding it, reading and rewriting the Orientation tag
// (0x0112) of its first image directory. A segment here is the whole APP1 payload, starting
// with "Exif\0\0" and followed by the TIFF header (either byte order) and its directories.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// The Exif APP1 payload of the JPEG file at path; empty when the file has none or is not a
// readable JPEG.
std::vector<uint8_t> ReadJpegExifSegment(const std::string& path);

// The Orientation of a segment, 1 to 8; 1 when the tag is absent, out of range or the segment
// is malformed.
int ReadExifOrientation(const uint8_t* segment, size_t size);

// Rewrites the Orientation tag in place when the segment has one. true when it was rewritten.
bool SetExifOrientation(std::vector<uint8_t>& segment, int orientation);
