#pragma once
// The boxes of an ISO base media file (HEIF, AVIF): a size, a four-letter type, and either data
// or further boxes. Reading only: every position is checked against the bytes there are.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "imaging/codec/Codec.h"

namespace codec {

struct IsoBox {
  size_t start = 0;      // the box's first byte (its size field)
  size_t sizeBytes = 4;  // 4, or 8 when the size is in the 64-bit field after the type
  size_t body = 0;       // the first byte after the type (and the 64-bit size)
  size_t end = 0;        // one past the box's last byte
  uint32_t type = 0;
};

constexpr uint32_t BoxType(const char (&name)[5]) {
  return uint32_t(uint8_t(name[0])) << 24 | uint32_t(uint8_t(name[1])) << 16 |
         uint32_t(uint8_t(name[2])) << 8 | uint8_t(name[3]);
}

// The big-endian number of `bytes` bytes (0 to 8) at `at`; the caller has checked the range.
uint64_t ReadBigEndian(ByteSpan file, size_t at, size_t bytes);
void WriteBigEndian(std::vector<uint8_t>& file, size_t at, size_t bytes, uint64_t value);

// The boxes that lie one after the other from `from` to `limit`; none when one of them does
// not fit (a damaged or truncated file).
std::optional<std::vector<IsoBox>> ChildBoxes(ByteSpan file, size_t from, size_t limit);

// The first box of type among boxes, or none.
const IsoBox* FindBox(const std::vector<IsoBox>& boxes, uint32_t type);

}  // namespace codec
