// libFuzzer target for the EXIF readers: the date reader on the head of a file, and the
// orientation reader and writer on an APP1 payload.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "imaging/PictureDate.h"
#include "imaging/codec/ExifSegment.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // The date reader sees at most the 1024 bytes after a file's first two.
  std::string date;
  ExifDateText(reinterpret_cast<const char*>(data), static_cast<int>(std::min<size_t>(size, 1024)),
               date);
  ReadExifOrientation(data, size);
  std::vector<uint8_t> segment(data, data + size);
  SetExifOrientation(segment, 6);
  return 0;
}
