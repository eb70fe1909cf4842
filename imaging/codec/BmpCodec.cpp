// Our own BMP reader and writer. Reads uncompressed 8 and 24-bit files and RLE8; files of 1,
// 4, 16 and 32 bits are read far enough to report their depth. Writes 8-bit files with their
// colour table and 24-bit files, bottom-up with a BITMAPINFOHEADER.

#include <algorithm>
#include <cstring>

#include "imaging/codec/Formats.h"
#include "raster/Bitmap.h"

namespace codec {
namespace {

constexpr size_t kFileHeaderSize = 14;
constexpr uint32_t kCoreHeaderSize = 12;  // OS/2 header: 16-bit sizes, 3-byte colours
constexpr uint32_t kInfoHeaderSize = 40;
constexpr uint32_t kRgb = 0;
constexpr uint32_t kRle8 = 1;

uint32_t Get16(const uint8_t* p) { return static_cast<uint32_t>(p[0] | p[1] << 8); }
uint32_t Get32(const uint8_t* p) { return Get16(p) | Get16(p + 2) << 16; }

struct BmpHeader {
  int64_t width = 0;
  int64_t height = 0;  // negative: rows stored top-down
  uint32_t bitCount = 0;
  uint32_t compression = kRgb;
  uint32_t colourCount = 0;
  size_t headerSize = 0;
  size_t pixelOffset = 0;
};

bool ParseHeader(ByteSpan file, BmpHeader& h) {
  if (file.size < kFileHeaderSize + 4) {
    return false;
  }
  h.pixelOffset = Get32(file.data + 10);
  h.headerSize = Get32(file.data + kFileHeaderSize);
  const uint8_t* info = file.data + kFileHeaderSize;
  if (h.headerSize == kCoreHeaderSize && file.size >= kFileHeaderSize + kCoreHeaderSize) {
    h.width = Get16(info + 4);
    h.height = Get16(info + 6);
    h.bitCount = Get16(info + 10);
    return true;
  }
  if (h.headerSize < kInfoHeaderSize || file.size < kFileHeaderSize + kInfoHeaderSize) {
    return false;
  }
  h.width = static_cast<int32_t>(Get32(info + 4));
  h.height = static_cast<int32_t>(Get32(info + 8));
  h.bitCount = Get16(info + 14);
  h.compression = Get32(info + 16);
  h.colourCount = Get32(info + 32);
  return true;
}

// Reads the colour table that follows the info header.
bool ReadColourTable(ByteSpan file, const BmpHeader& h, CBitmap& bitmap) {
  const size_t entrySize = h.headerSize == kCoreHeaderSize ? 3 : 4;
  const size_t count = h.colourCount == 0 || h.colourCount > 256 ? 256 : h.colourCount;
  const size_t start = kFileHeaderSize + h.headerSize;
  // Files often declare no count and carry fewer entries before the pixels.
  const size_t end = std::min(h.pixelOffset, file.size);
  for (size_t i = 0; i < count && start + (i + 1) * entrySize <= end; ++i) {
    const uint8_t* e = file.data + start + i * entrySize;
    bitmap.ColorTable()[i] = RgbQuad{e[0], e[1], e[2], 0};
  }
  return start <= end;
}

// Whether the file holds every row that the header declares, checked before the bitmap takes
// any memory.
bool HoldsAllRows(ByteSpan file, const BmpHeader& h, int64_t height) {
  const auto rowBytes = static_cast<size_t>(
      CBitmap::RowBytes(static_cast<int>(h.width), static_cast<int>(h.bitCount)));
  return h.pixelOffset <= file.size &&
         (file.size - h.pixelOffset) / rowBytes >= static_cast<size_t>(height);
}

void ReadUncompressed(ByteSpan file, const BmpHeader& h, CBitmap& bitmap) {
  const auto rowBytes =
      static_cast<size_t>(CBitmap::RowBytes(bitmap.Width(), bitmap.BitsPerPixel()));
  const auto height = static_cast<size_t>(bitmap.Height());
  const size_t used = static_cast<size_t>(bitmap.Width()) * bitmap.BitsPerPixel() / 8;
  for (size_t i = 0; i < height; ++i) {
    // Stored rows run bottom-up unless the height is negative.
    const int y = h.height > 0 ? bitmap.Height() - 1 - static_cast<int>(i) : static_cast<int>(i);
    std::memcpy(bitmap.Row(y), file.data + h.pixelOffset + i * rowBytes, used);
  }
}

// Run-length encoded 8-bit pixels: pairs (count, index), or 0 followed by 0 end of line, 1 end
// of picture, 2 dx dy move, n >= 3 a literal run of n indexes padded to an even length.
// Skipped pixels keep index 0. Runs and moves stop at the right edge, so that pixels beyond
// it are dropped and the column never leaves the row however many runs follow. Running out
// of data before the end of the picture fails.
bool ReadRle8(ByteSpan file, const BmpHeader& h, CBitmap& bitmap) {
  const int width = bitmap.Width();
  const int height = bitmap.Height();
  size_t at = h.pixelOffset;
  int x = 0;     // 0 .. width
  int line = 0;  // counted from the first stored row; below height while the loop runs
  // Places up to n pixels at the column, as many as the row has room for.
  auto place = [&](size_t n, auto&& fill) {
    const auto room = std::min(n, static_cast<size_t>(width - x));
    fill(bitmap.Row(h.height > 0 ? height - 1 - line : line) + x, room);
    x += static_cast<int>(room);
  };
  while (at + 2 <= file.size) {
    const uint8_t count = file.data[at];
    const uint8_t value = file.data[at + 1];
    at += 2;
    if (count > 0) {
      place(count, [&](uint8_t* out, size_t n) { std::memset(out, value, n); });
    } else if (value == 0) {
      x = 0;
      ++line;
    } else if (value == 1) {
      return true;
    } else if (value == 2) {
      if (at + 2 > file.size) {
        return false;
      }
      x = std::min(width, x + file.data[at]);
      line += file.data[at + 1];  // at most 255 past the last row: the loop ends below
      at += 2;
    } else {
      if (value > file.size - at) {
        return false;
      }
      place(value, [&](uint8_t* out, size_t n) { std::memcpy(out, file.data + at, n); });
      at += value + (value & 1u);
    }
    if (line >= height) {
      return true;  // everything after the last row is of no use
    }
  }
  return false;
}

void Put16(ByteSink& out, uint32_t v, bool& ok) {
  const uint8_t b[2] = {static_cast<uint8_t>(v), static_cast<uint8_t>(v >> 8)};
  ok = ok && out.Append(b, 2);
}
void Put32(ByteSink& out, uint32_t v, bool& ok) {
  Put16(out, v & 0xFFFF, ok);
  Put16(out, v >> 16, ok);
}

}  // namespace

DecodeResult DecodeBmp(ByteSpan file, CBitmap& bitmap, const DecodeOptions& options) {
  BmpHeader h;
  if (!ParseHeader(file, h)) {
    return Failed();
  }
  const int64_t height = h.height < 0 ? -h.height : h.height;
  if (!SizeAcceptable(h.width, height, file.size)) {
    return Failed();
  }
  switch (h.bitCount) {
    case 1:
    case 4:
    case 16:
    case 32:
      return Refused(static_cast<int>(h.bitCount));
    case 8:
    case 24:
      break;
    default:
      return Failed();
  }
  const bool rle = h.compression == kRle8 && h.bitCount == 8;
  if (h.compression != kRgb && !rle) {
    return Failed();  // RLE4 goes with 4 bits, bit fields with 16 and 32; others are unknown
  }
  if (!rle && !HoldsAllRows(file, h, height)) {
    return Failed();  // cut short
  }
  const auto depth = static_cast<int>(h.bitCount);
  if (!GateOpens(options, {static_cast<int>(h.width), static_cast<int>(height), depth})) {
    return Failed(kOutOfMemory);
  }
  if (!CreateBitmap(bitmap, static_cast<int>(h.width), static_cast<int>(height), depth)) {
    return Failed();
  }
  if (depth == 8 && !ReadColourTable(file, h, bitmap)) {
    return Failed();
  }
  if (!rle) {
    ReadUncompressed(file, h, bitmap);
  } else if (!ReadRle8(file, h, bitmap)) {
    return Failed();
  }
  return Decoded(depth);
}

bool EncodeBmp(const CBitmap& bitmap, ByteSink& out) {
  const int bpp = bitmap.BitsPerPixel();
  const size_t tableSize = bpp == 8 ? 256 * 4 : 0;
  const auto rowBytes = static_cast<size_t>(CBitmap::RowBytes(bitmap.Width(), bpp));
  const size_t imageSize = rowBytes * static_cast<size_t>(bitmap.Height());
  const size_t offset = kFileHeaderSize + kInfoHeaderSize + tableSize;
  if (offset + imageSize > UINT32_MAX) {
    return false;
  }
  bool ok = out.Append("BM", 2);
  Put32(out, static_cast<uint32_t>(offset + imageSize), ok);
  Put32(out, 0, ok);  // reserved
  Put32(out, static_cast<uint32_t>(offset), ok);
  Put32(out, kInfoHeaderSize, ok);
  Put32(out, static_cast<uint32_t>(bitmap.Width()), ok);
  Put32(out, static_cast<uint32_t>(bitmap.Height()), ok);  // positive: bottom-up
  Put16(out, 1, ok);                                       // planes
  Put16(out, static_cast<uint32_t>(bpp), ok);
  Put32(out, kRgb, ok);
  Put32(out, static_cast<uint32_t>(imageSize), ok);
  Put32(out, 2835, ok);  // 72 dots per inch, in dots per metre
  Put32(out, 2835, ok);
  Put32(out, bpp == 8 ? 256 : 0, ok);  // colours used
  Put32(out, 0, ok);                   // all important
  for (size_t i = 0; i < tableSize / 4 && ok; ++i) {
    const RgbQuad& q = bitmap.ColorTable()[i];
    const uint8_t entry[4] = {q.blue, q.green, q.red, 0};
    ok = out.Append(entry, 4);
  }
  // The bitmap holds its rows bottom-up and padded, exactly as the file stores them.
  for (int y = bitmap.Height() - 1; y >= 0 && ok; --y) {
    ok = out.Append(bitmap.Row(y), rowBytes);
  }
  return ok;
}

}  // namespace codec
