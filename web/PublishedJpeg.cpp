#include "web/PublishedJpeg.h"

#include <cstring>
#include <vector>

#include "imaging/codec/ExifSegment.h"
#include "imaging/codec/JpegHead.h"

namespace {

constexpr int kApp2 = 0xE2;
constexpr int kLastApp = 0xEF;
constexpr int kComment = 0xFE;

bool IsColourProfile(const uint8_t* data, const codec::JpegSegment& segment) {
  static const char kIcc[] = "ICC_PROFILE";  // with its terminating zero
  return segment.marker == kApp2 && segment.length >= sizeof kIcc &&
         std::memcmp(data + segment.payload, kIcc, sizeof kIcc) == 0;
}

bool IsMetadata(const uint8_t* data, const codec::JpegSegment& segment) {
  // APP0 (JFIF) says how to read the pixels; APP14 (Adobe) their colour transform.
  const bool application = segment.marker >= codec::kApp1 && segment.marker <= kLastApp &&
                           segment.marker != 0xEE;
  return (application && !IsColourProfile(data, segment)) || segment.marker == kComment;
}

}  // namespace

std::string PublishedJpeg(const uint8_t* data, size_t size) {
  std::vector<codec::JpegSegment> segments;
  if (!codec::ReadJpegHead(data, size, segments)) {
    return {};
  }
  if (const auto exif = codec::FindExifSegment(data, segments);
      exif && ReadExifOrientation(data + exif->payload, exif->length) != 1) {
    return {};
  }
  std::string out(reinterpret_cast<const char*>(data), 2);  // start of image
  size_t scan = 2;
  for (const codec::JpegSegment& segment : segments) {
    if (!IsMetadata(data, segment)) {
      out.append(reinterpret_cast<const char*>(data + segment.start),
                 segment.payload + segment.length - segment.start);
    }
    scan = segment.payload + segment.length;
  }
  return out.append(reinterpret_cast<const char*>(data + scan), size - scan);
}
