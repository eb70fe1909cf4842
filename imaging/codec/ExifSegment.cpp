#include "imaging/codec/ExifSegment.h"

#include <cstring>
#include <fstream>

namespace {

constexpr uint16_t kOrientationTag = 0x0112;
constexpr uint16_t kTypeShort = 3;
constexpr size_t kExifHeaderSize = 6;  // "Exif\0\0"

bool IsExifPayload(const uint8_t* data, size_t size) {
  return size >= kExifHeaderSize && std::memcmp(data, "Exif\0\0", kExifHeaderSize) == 0;
}

// The TIFF structure after the Exif header, read in its own byte order.
class TiffView {
 public:
  TiffView(const uint8_t* data, size_t size) : data_(data), size_(size) {}

  // Finds entry `tag` of the first directory; its offset from the TIFF header, or 0.
  size_t FindIfd0Entry(uint16_t tag) {
    if (size_ < 8) {
      return 0;
    }
    if (data_[0] == 'I' && data_[1] == 'I') {
      bigEndian_ = false;
    } else if (data_[0] == 'M' && data_[1] == 'M') {
      bigEndian_ = true;
    } else {
      return 0;
    }
    if (U16(2) != 42) {
      return 0;
    }
    const size_t directory = U32(4);
    if (directory < 8 || directory > size_ - 2) {
      return 0;
    }
    const size_t count = U16(directory);
    for (size_t i = 0; i < count; ++i) {
      const size_t entry = directory + 2 + 12 * i;
      if (entry + 12 > size_) {
        return 0;
      }
      if (U16(entry) == tag) {
        return entry;
      }
    }
    return 0;
  }
  // A SHORT entry of count 1 holds its value in the first two bytes of the value field.
  bool IsSingleShort(size_t entry) { return U16(entry + 2) == kTypeShort && U32(entry + 4) == 1; }
  uint16_t U16(size_t at) const {
    return bigEndian_ ? static_cast<uint16_t>(data_[at] << 8 | data_[at + 1])
                      : static_cast<uint16_t>(data_[at + 1] << 8 | data_[at]);
  }
  uint32_t U32(size_t at) const {
    const uint32_t high = U16(bigEndian_ ? at : at + 2);
    const uint32_t low = U16(bigEndian_ ? at + 2 : at);
    return high << 16 | low;
  }
  bool BigEndian() const { return bigEndian_; }

 private:
  const uint8_t* data_;
  size_t size_;
  bool bigEndian_ = false;
};

}  // namespace

int ReadExifOrientation(const uint8_t* segment, size_t size) {
  if (!IsExifPayload(segment, size)) {
    return 1;
  }
  TiffView tiff(segment + kExifHeaderSize, size - kExifHeaderSize);
  const size_t entry = tiff.FindIfd0Entry(kOrientationTag);
  if (entry == 0 || !tiff.IsSingleShort(entry)) {
    return 1;
  }
  const int value = tiff.U16(entry + 8);
  return value >= 1 && value <= 8 ? value : 1;
}

bool SetExifOrientation(std::vector<uint8_t>& segment, int orientation) {
  if (!IsExifPayload(segment.data(), segment.size())) {
    return false;
  }
  uint8_t* tiffStart = segment.data() + kExifHeaderSize;
  TiffView tiff(tiffStart, segment.size() - kExifHeaderSize);
  const size_t entry = tiff.FindIfd0Entry(kOrientationTag);
  if (entry == 0 || !tiff.IsSingleShort(entry)) {
    return false;
  }
  const auto value = static_cast<uint16_t>(orientation);
  tiffStart[entry + 8] = static_cast<uint8_t>(tiff.BigEndian() ? value >> 8 : value & 0xFF);
  tiffStart[entry + 9] = static_cast<uint8_t>(tiff.BigEndian() ? value & 0xFF : value >> 8);
  return true;
}

std::vector<uint8_t> ReadJpegExifSegment(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  auto next = [&in]() { return in.get(); };  // EOF reads as -1
  if (next() != 0xFF || next() != 0xD8) {
    return {};
  }
  for (;;) {
    int marker = next();
    if (marker != 0xFF) {
      return {};
    }
    while (marker == 0xFF) {  // fill bytes
      marker = next();
    }
    if (marker < 0 || marker == 0xDA || marker == 0xD9) {
      return {};  // the picture data begins (or ends) before any Exif segment
    }
    if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7)) {
      continue;  // markers without a length
    }
    const int high = next();
    const int low = next();
    if (high < 0 || low < 0 || (high << 8 | low) < 2) {
      return {};
    }
    const size_t length = static_cast<size_t>(high << 8 | low) - 2;
    if (marker == 0xE1) {
      std::vector<uint8_t> payload(length);
      in.read(reinterpret_cast<char*>(payload.data()), static_cast<std::streamsize>(length));
      if (static_cast<size_t>(in.gcount()) != length) {
        return {};
      }
      if (IsExifPayload(payload.data(), payload.size())) {
        return payload;
      }
    } else if (!in.seekg(static_cast<std::streamoff>(length), std::ios::cur)) {
      return {};
    }
  }
}
