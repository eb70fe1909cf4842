#include "imaging/codec/ExifSegment.h"

#include <algorithm>
#include <cstring>

#include "imaging/codec/Codec.h"
#include "imaging/codec/JpegHead.h"

using codec::IsExifPayload;

namespace {

constexpr uint16_t kOrientationTag = 0x0112;
constexpr uint16_t kTypeShort = 3;
constexpr size_t kExifHeaderSize = 6;  // "Exif\0\0"
constexpr size_t kEntrySize = 12;

// The TIFF structure after the Exif header, read in its own byte order.
class TiffView {
 public:
  TiffView(const uint8_t* data, size_t size) : data_(data), size_(size) {}

  // The offset of the first directory, whose entries lie within the data; 0 when the header
  // or the directory is malformed.
  size_t Ifd0() {
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
    return ValidDirectory(directory) ? directory : 0;
  }
  // Finds entry `tag` of the first directory; its offset from the TIFF header, or 0.
  size_t FindIfd0Entry(uint16_t tag) { return FindEntry(Ifd0(), tag); }
  // Whether a directory's entries lie within the data.
  bool ValidDirectory(size_t directory) const {
    return size_ >= 10 && directory >= 8 && directory <= size_ - 2 &&
           directory + 2 + kEntrySize * U16(directory) <= size_;
  }
  // Finds entry `tag` of a valid directory (0: none); its offset from the TIFF header, or 0.
  size_t FindEntry(size_t directory, uint16_t tag) {
    if (directory == 0) {
      return 0;
    }
    const size_t count = U16(directory);
    for (size_t i = 0; i < count; ++i) {
      const size_t entry = directory + 2 + kEntrySize * i;
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
  // The text of an ASCII entry (0: none), up to its first zero byte; empty when malformed.
  std::string Text(size_t entry) const {
    constexpr uint16_t kTypeAscii = 2;
    if (entry == 0 || U16(entry + 2) != kTypeAscii) {
      return {};
    }
    const size_t count = U32(entry + 4);
    const size_t at = count <= 4 ? entry + 8 : U32(entry + 8);
    if (at > size_ || count > size_ - at) {
      return {};
    }
    const auto* text = reinterpret_cast<const char*>(data_ + at);
    return std::string(text, strnlen(text, count));
  }

 private:
  const uint8_t* data_;
  size_t size_;
  bool bigEndian_ = false;
};

// Bytes of TIFF data in one byte order.
struct TiffWriter {
  explicit TiffWriter(bool bigEndianOrder) : bigEndian(bigEndianOrder) {}
  void Put16(uint16_t v) {
    bytes.push_back(static_cast<uint8_t>(bigEndian ? v >> 8 : v & 0xFF));
    bytes.push_back(static_cast<uint8_t>(bigEndian ? v & 0xFF : v >> 8));
  }
  void Put32(uint32_t v) {
    Put16(static_cast<uint16_t>(bigEndian ? v >> 16 : v & 0xFFFF));
    Put16(static_cast<uint16_t>(bigEndian ? v & 0xFFFF : v >> 16));
  }
  // A directory entry of one SHORT, held in the first two bytes of its value field.
  void PutShortEntry(uint16_t tag, uint16_t value) {
    Put16(tag);
    Put16(kTypeShort);
    Put32(1);
    Put16(value);
    Put16(0);
  }
  bool bigEndian;
  std::vector<uint8_t> bytes;
};

// Rewrites the Orientation entry of the TIFF structure that starts at `start` in place. true
// when it has one.
bool SetOrientationAt(std::vector<uint8_t>& bytes, size_t start, int orientation) {
  uint8_t* tiffStart = bytes.data() + start;
  TiffView tiff(tiffStart, bytes.size() - start);
  const size_t entry = tiff.FindIfd0Entry(kOrientationTag);
  if (entry == 0 || !tiff.IsSingleShort(entry)) {
    return false;
  }
  const auto value = static_cast<uint16_t>(orientation);
  tiffStart[entry + 8] = static_cast<uint8_t>(tiff.BigEndian() ? value >> 8 : value & 0xFF);
  tiffStart[entry + 9] = static_cast<uint8_t>(tiff.BigEndian() ? value & 0xFF : value >> 8);
  return true;
}

// The TIFF structure that starts at `start` with its Orientation set, the first directory
// copied to the end with the tag added when it has none; empty when malformed or when the
// whole would outgrow limit bytes.
std::vector<uint8_t> WithOrientationAt(std::vector<uint8_t> bytes, size_t start, int orientation,
                                       size_t limit) {
  if (SetOrientationAt(bytes, start, orientation)) {
    return bytes;
  }
  TiffView tiff(bytes.data() + start, bytes.size() - start);
  const size_t directory = tiff.Ifd0();
  if (directory == 0) {
    return {};
  }
  const size_t count = tiff.U16(directory);
  const size_t tiffSize = bytes.size() - start;
  if (directory + 2 + kEntrySize * count + 4 > tiffSize) {
    return {};  // no room for the pointer to the next directory
  }
  const size_t copyAt = tiffSize + tiffSize % 2;  // directories start on a word boundary
  if (start + copyAt + 2 + kEntrySize * (count + 1) + 4 > limit) {
    return {};
  }
  TiffWriter copy(tiff.BigEndian());
  // The entries in ascending tag order, as readers expect them, with the Orientation in its
  // place; a malformed Orientation entry is left out.
  copy.Put16(0);  // the count, set below
  bool placed = false;
  const uint8_t* first = bytes.data() + start + directory + 2;
  for (size_t i = 0; i < count; ++i) {
    const uint16_t tag = tiff.U16(directory + 2 + kEntrySize * i);
    if (!placed && tag >= kOrientationTag) {
      copy.PutShortEntry(kOrientationTag, static_cast<uint16_t>(orientation));
      placed = true;
    }
    if (tag != kOrientationTag) {
      copy.bytes.insert(copy.bytes.end(), first + kEntrySize * i, first + kEntrySize * (i + 1));
    }
  }
  if (!placed) {
    copy.PutShortEntry(kOrientationTag, static_cast<uint16_t>(orientation));
  }
  copy.Put32(tiff.U32(directory + 2 + kEntrySize * count));  // the next directory, as it was
  const size_t entries = (copy.bytes.size() - 6) / kEntrySize;
  TiffWriter head(tiff.BigEndian());
  head.Put16(static_cast<uint16_t>(entries));
  std::copy(head.bytes.begin(), head.bytes.end(), copy.bytes.begin());
  TiffWriter pointer(tiff.BigEndian());
  pointer.Put32(static_cast<uint32_t>(copyAt));
  bytes.resize(start + copyAt, 0);
  bytes.insert(bytes.end(), copy.bytes.begin(), copy.bytes.end());
  std::copy(pointer.bytes.begin(), pointer.bytes.end(),
            bytes.begin() + static_cast<ptrdiff_t>(start) + 4);
  return bytes;
}

}  // namespace

int ReadExifOrientation(const uint8_t* segment, size_t size) {
  return IsExifPayload(segment, size)
             ? ReadTiffOrientation(segment + kExifHeaderSize, size - kExifHeaderSize)
             : 1;
}

bool HasExifOrientation(const uint8_t* segment, size_t size) {
  if (segment == nullptr || !IsExifPayload(segment, size)) {
    return false;
  }
  TiffView tiff(segment + kExifHeaderSize, size - kExifHeaderSize);
  return tiff.FindIfd0Entry(kOrientationTag) != 0;
}

bool SetExifOrientation(std::vector<uint8_t>& segment, int orientation) {
  return IsExifPayload(segment.data(), segment.size()) &&
         SetOrientationAt(segment, kExifHeaderSize, orientation);
}

std::vector<uint8_t> ExifWithOrientation(std::vector<uint8_t> segment, int orientation) {
  if (segment.empty()) {
    // "Exif", a big-endian TIFF header and a first directory without entries.
    segment = {'E', 'x', 'i', 'f', 0, 0, 'M', 'M', 0, 42, 0, 0, 0, 8, 0, 0, 0, 0, 0, 0};
  }
  if (!IsExifPayload(segment.data(), segment.size())) {
    return {};
  }
  return WithOrientationAt(std::move(segment), kExifHeaderSize, orientation,
                           codec::kMaxSegmentPayload);
}

int ReadTiffOrientation(const uint8_t* tiffData, size_t size) {
  TiffView tiff(tiffData, size);
  const size_t entry = tiff.FindIfd0Entry(kOrientationTag);
  if (entry == 0 || !tiff.IsSingleShort(entry)) {
    return 1;
  }
  const int value = tiff.U16(entry + 8);
  return value >= 1 && value <= 8 ? value : 1;
}

std::vector<uint8_t> TiffWithOrientation(std::vector<uint8_t> tiff, int orientation) {
  return WithOrientationAt(std::move(tiff), 0, orientation, uint64_t{1} << 32);
}

std::vector<uint8_t> ReadJpegExifSegment(const std::string& path) {
  const codec::FileBytes file = codec::ReadPictureFile(path);
  std::vector<codec::JpegSegment> segments;
  codec::ReadJpegHead(file.data.get(), file.size, segments);
  const std::optional<codec::JpegSegment> exif = codec::FindExifSegment(file.data.get(), segments);
  if (!exif) {
    return {};
  }
  const uint8_t* payload = file.data.get() + exif->payload;
  return std::vector<uint8_t>(payload, payload + exif->length);
}

std::string TiffCameraTime(const uint8_t* tiffData, size_t size) {
  constexpr uint16_t kExifDirectoryTag = 0x8769;
  constexpr uint16_t kDateTimeTag = 0x0132;
  TiffView tiff(tiffData, size);
  const size_t first = tiff.Ifd0();
  if (first == 0) {
    return {};
  }
  // When the picture was taken, else when it was digitised, else when the file was written.
  const size_t pointer = tiff.FindEntry(first, kExifDirectoryTag);
  const size_t exif = pointer != 0 ? tiff.U32(pointer + 8) : 0;
  if (tiff.ValidDirectory(exif)) {
    for (const uint16_t tag : {uint16_t{0x9003}, uint16_t{0x9004}}) {
      std::string text = tiff.Text(tiff.FindEntry(exif, tag));
      if (!text.empty()) {
        return text;
      }
    }
  }
  return tiff.Text(tiff.FindEntry(first, kDateTimeTag));
}

std::string ExifCameraTime(const uint8_t* segment, size_t size) {
  if (segment == nullptr || !IsExifPayload(segment, size)) {
    return {};
  }
  return TiffCameraTime(segment + kExifHeaderSize, size - kExifHeaderSize);
}
