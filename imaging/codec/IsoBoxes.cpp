#include "imaging/codec/IsoBoxes.h"

namespace codec {

uint64_t ReadBigEndian(ByteSpan file, size_t at, size_t bytes) {
  uint64_t value = 0;
  for (size_t i = 0; i < bytes; ++i) {
    value = value << 8 | file.data[at + i];
  }
  return value;
}

void WriteBigEndian(std::vector<uint8_t>& file, size_t at, size_t bytes, uint64_t value) {
  for (size_t i = bytes; i-- > 0;) {
    file[at + i] = static_cast<uint8_t>(value);
    value >>= 8;
  }
}

std::optional<std::vector<IsoBox>> ChildBoxes(ByteSpan file, size_t from, size_t limit) {
  std::vector<IsoBox> boxes;
  size_t at = from;
  while (at < limit) {
    if (limit - at < 8) {
      return std::nullopt;
    }
    IsoBox box;
    box.start = at;
    box.type = static_cast<uint32_t>(ReadBigEndian(file, at + 4, 4));
    uint64_t size = ReadBigEndian(file, at, 4);
    box.body = at + 8;
    if (size == 1) {
      if (limit - at < 16) {
        return std::nullopt;
      }
      box.sizeBytes = 8;
      size = ReadBigEndian(file, at + 8, 8);
      box.body = at + 16;
    } else if (size == 0) {
      size = limit - at;  // the last box runs to the end
    }
    if (size < box.body - at || size > limit - at) {
      return std::nullopt;
    }
    box.end = at + static_cast<size_t>(size);
    boxes.push_back(box);
    at = box.end;
  }
  return boxes;
}

const IsoBox* FindBox(const std::vector<IsoBox>& boxes, uint32_t type) {
  for (const IsoBox& box : boxes) {
    if (box.type == type) {
      return &box;
    }
  }
  return nullptr;
}

}  // namespace codec
