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

// Whether the segment's first directory has an Orientation entry (null: no segment).
bool HasExifOrientation(const uint8_t* segment, size_t size);

// Rewrites the Orientation tag in place when the segment has one. true when it was rewritten.
bool SetExifOrientation(std::vector<uint8_t>& segment, int orientation);

// The segment with its Orientation set to orientation. Without the tag, the first directory is
// copied to the end of the segment with the tag added and the header points to the copy, so
// that nothing else moves and every offset in the segment (maker notes too) stays right. An
// empty segment gives a new one that holds only the tag. Empty when the segment is malformed
// or would outgrow one JPEG segment.
std::vector<uint8_t> ExifWithOrientation(std::vector<uint8_t> segment, int orientation);

// The same for a TIFF structure without the Exif header (a TIFF file): its Orientation, and
// the structure with its Orientation set, the first directory copied to the end when it has
// no such tag (empty when malformed).
int ReadTiffOrientation(const uint8_t* tiff, size_t size);
std::vector<uint8_t> TiffWithOrientation(std::vector<uint8_t> tiff, int orientation);

// The camera's time stamp ("yyyy:mm:dd hh:mm:ss") of a segment: the Exif directory's time the
// picture was taken, else digitised, else the first directory's DateTime; empty when none.
std::string ExifCameraTime(const uint8_t* segment, size_t size);
// The same for a TIFF structure without the Exif header (a TIFF file).
std::string TiffCameraTime(const uint8_t* tiff, size_t size);
