#include "imaging/codec/JpegHead.h"

#include <cstring>

namespace codec {
namespace {

constexpr int kStartOfScan = 0xDA;
constexpr int kEndOfImage = 0xD9;
constexpr size_t kExifHeaderSize = 6;  // "Exif\0\0"

// Markers that stand alone, without a length: TEM and the restart markers.
bool StandsAlone(int marker) { return marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7); }

}  // namespace

bool ReadJpegHead(const uint8_t* data, size_t size, std::vector<JpegSegment>& segments) {
  segments.clear();
  if (size < 2 || data[0] != 0xFF || data[1] != 0xD8) {
    return false;
  }
  size_t at = 2;
  for (;;) {
    if (at >= size || data[at] != 0xFF) {
      return false;
    }
    const size_t start = at;
    while (at < size && data[at] == 0xFF) {  // fill bytes
      ++at;
    }
    if (at >= size) {
      return false;
    }
    const int marker = data[at++];
    if (marker == kStartOfScan) {
      return true;
    }
    if (marker == kEndOfImage) {
      return false;
    }
    if (StandsAlone(marker)) {
      continue;
    }
    if (at + 2 > size) {
      return false;
    }
    const size_t length = static_cast<size_t>(data[at] << 8 | data[at + 1]);
    if (length < 2 || at + length > size) {
      return false;
    }
    segments.push_back({marker, start, at + 2, length - 2});
    at += length;
  }
}

std::optional<size_t> JpegImageEnd(const uint8_t* data, size_t size) {
  if (size < 2 || data[0] != 0xFF || data[1] != 0xD8) {
    return std::nullopt;
  }
  size_t at = 2;
  bool inScan = false;  // within entropy-coded data, where 0xFF 0x00 is a stuffed byte
  while (at < size) {
    if (data[at] != 0xFF) {
      if (!inScan) {
        return std::nullopt;
      }
      ++at;
      continue;
    }
    while (at < size && data[at] == 0xFF) {  // fill bytes
      ++at;
    }
    if (at >= size) {
      break;
    }
    const int marker = data[at++];
    if (marker == kEndOfImage) {
      return at;
    }
    if ((inScan && marker == 0x00) || StandsAlone(marker)) {
      continue;
    }
    if (at + 2 > size) {
      break;
    }
    const size_t length = static_cast<size_t>(data[at] << 8 | data[at + 1]);
    if (length < 2 || at + length > size) {
      break;
    }
    at += length;
    inScan = marker == kStartOfScan;
  }
  return std::nullopt;
}

bool HasTooManyScans(const uint8_t* data, size_t size) {
  size_t scans = 0;
  size_t at = 2;  // after the start of image
  while (at + 1 < size) {
    const void* next = std::memchr(data + at, 0xFF, size - at - 1);
    if (next == nullptr) {
      break;
    }
    at = static_cast<size_t>(static_cast<const uint8_t*>(next) - data);
    const int marker = data[at + 1];
    // Fill bytes, a stuffed 0xFF in the coded data, a restart marker: no segment follows.
    if (marker == 0xFF) {
      ++at;
      continue;
    }
    if (marker == 0x00 || StandsAlone(marker)) {
      at += 2;
      continue;
    }
    if (marker == kEndOfImage || at + 4 > size) {
      break;
    }
    if (marker == kStartOfScan && ++scans > kMaxJpegScans) {
      return true;
    }
    // The segment's payload may hold any bytes: it is skipped whole.
    at += 2 + static_cast<size_t>(data[at + 2] << 8 | data[at + 3]);
  }
  return false;
}

bool IsExifPayload(const uint8_t* data, size_t size) {
  return size >= kExifHeaderSize && std::memcmp(data, "Exif\0\0", kExifHeaderSize) == 0;
}

std::optional<JpegSegment> FindExifSegment(const uint8_t* data,
                                           const std::vector<JpegSegment>& segments) {
  for (const JpegSegment& s : segments) {
    if (s.marker == kApp1 && IsExifPayload(data + s.payload, s.length)) {
      return s;
    }
  }
  return std::nullopt;
}

std::vector<uint8_t> WithExifSegment(const uint8_t* data, size_t size,
                                     const std::vector<JpegSegment>& segments,
                                     const std::vector<uint8_t>& exif) {
  // What the new segment replaces: the old one, or nothing right after SOI and APP0.
  size_t from = 2;
  size_t to = 2;
  if (const std::optional<JpegSegment> old = FindExifSegment(data, segments)) {
    from = old->start;
    to = old->payload + old->length;
  } else {
    for (const JpegSegment& s : segments) {
      if (s.marker != kApp0) {
        break;
      }
      from = to = s.payload + s.length;
    }
  }
  const size_t length = exif.size() + 2;
  std::vector<uint8_t> out(data, data + from);
  out.insert(out.end(), {0xFF, static_cast<uint8_t>(kApp1), static_cast<uint8_t>(length >> 8),
                         static_cast<uint8_t>(length & 0xFF)});
  out.insert(out.end(), exif.begin(), exif.end());
  out.insert(out.end(), data + to, data + size);
  return out;
}

}  // namespace codec
