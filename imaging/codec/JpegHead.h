#pragma once
// The head of a JPEG file in memory: the marker segments between the start of image and the
// start of the scan, and putting an Exif segment into it.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace codec {

constexpr int kApp0 = 0xE0;
constexpr int kApp1 = 0xE1;
// The largest payload of one segment: its 16-bit length counts itself.
constexpr size_t kMaxSegmentPayload = 65533;

struct JpegSegment {
  int marker = 0;      // the byte after 0xFF
  size_t start = 0;    // offset of the segment's 0xFF
  size_t payload = 0;  // offset of its payload, after the length
  size_t length = 0;   // bytes of payload
};

// The segments of the head in file order. False when the bytes do not start a JPEG file or the
// head is damaged or cut short before the scan; segments then holds those read before.
bool ReadJpegHead(const uint8_t* data, size_t size, std::vector<JpegSegment>& segments);

// Where the picture of a JPEG file ends: the offset just past its end-of-image marker, found
// by walking its segments and the entropy-coded data of every scan. What follows it (the video
// of a motion photo, any appended payload) is no part of the picture. None when the file is
// cut short or damaged before that marker.
std::optional<size_t> JpegImageEnd(const uint8_t* data, size_t size);

// The most scans a JPEG file may hold. Encoders write a few dozen at most (10 in a progressive
// file as libjpeg writes it, about 20 when mozjpeg tunes them), but every scan of a progressive
// file is decoded over the coefficients of the whole picture, so that a small file of thousands
// of empty scans keeps a decoder busy for minutes. 256 leaves room for any file an encoder
// writes and bounds that work to seconds.
constexpr size_t kMaxJpegScans = 256;

// Whether the file holds more than kMaxJpegScans scans, counted as a decoder meets them: the
// markers between the segments and the coded data, up to the end of the picture.
bool HasTooManyScans(const uint8_t* data, size_t size);

// Whether an APP1 payload is an Exif one ("Exif\0\0" and the TIFF data).
bool IsExifPayload(const uint8_t* data, size_t size);

// The first Exif APP1 segment of a head, if there is one.
std::optional<JpegSegment> FindExifSegment(const uint8_t* data,
                                           const std::vector<JpegSegment>& segments);

// The file with its Exif segment's payload replaced by exif, or, in a file without one, with
// the segment added after the start of image and the APP0 segments that follow it.
std::vector<uint8_t> WithExifSegment(const uint8_t* data, size_t size,
                                     const std::vector<JpegSegment>& segments,
                                     const std::vector<uint8_t>& exif);

}  // namespace codec
