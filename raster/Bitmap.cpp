#include "raster/Bitmap.h"

#include <sys/mman.h>

#include <algorithm>
#include <atomic>
#include <cstring>
#include <new>

#include "raster/PixelBuffer.h"

namespace {

// Zeroed pixel memory, released with free. Large blocks are asked for in huge pages: touching
// a photo's worth of 4 KB pages one fault at a time costs more than decoding it. The block
// itself is not aligned to them, only its whole huge pages are advised: aligned blocks of
// different sizes, live at the same time, left fragments that grew the heap by a picture's
// worth for every picture where the heap keeps what is freed (quillaran-web).
uint8_t* AllocatePixels(size_t total) {
  constexpr uintptr_t kHugePage = 2 * 1024 * 1024;
  if (total < kHugePage) {
    return static_cast<uint8_t*>(std::calloc(total, 1));
  }
  auto* memory = static_cast<uint8_t*>(std::malloc(total));
  if (memory != nullptr) {
    const uintptr_t start =
        (reinterpret_cast<uintptr_t>(memory) + kHugePage - 1) & ~(kHugePage - 1);
    const uintptr_t end = (reinterpret_cast<uintptr_t>(memory) + total) & ~(kHugePage - 1);
    if (end > start) {
      ::madvise(reinterpret_cast<void*>(start), end - start, MADV_HUGEPAGE);
    }
    std::memset(memory, 0, total);
  }
  return memory;
}

}  // namespace

int CreateBitmap(CBitmap& bitmap, int width, int height, int bpp) {
  DestroyBitmap(bitmap);
  if (width <= 0 || height <= 0 || (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 16 &&
                                    bpp != 24 && bpp != 32)) {
    return 0;
  }
  const ptrdiff_t rowBytes = CBitmap::RowBytes(width, bpp);
  const size_t total = static_cast<size_t>(rowBytes) * static_cast<size_t>(height);
  auto* memory = AllocatePixels(total);
  if (memory == nullptr) {
    return 0;
  }
  bitmap.memory_.reset(memory);
  bitmap.width_ = width;
  bitmap.height_ = height;
  bitmap.bpp_ = bpp;
  // Bottom-up: the top row is the last one in memory.
  bitmap.stride_ = -rowBytes;
  bitmap.topRow_ = memory + rowBytes * (height - 1);
  bitmap.isDibSection_ = true;
  bitmap.hasAlpha_ = false;
  bitmap.transparentIndex_ = -1;
  bitmap.colorTable_.fill(RgbQuad{});
  static std::atomic<uint64_t> lastSerial{0};
  bitmap.serial_ = ++lastSerial;
  return 1;
}

void DestroyBitmap(CBitmap& bitmap) {
  bitmap.memory_.reset();
  bitmap.width_ = 0;
  bitmap.height_ = 0;
  bitmap.bpp_ = 0;
  bitmap.stride_ = 0;
  bitmap.topRow_ = nullptr;
  bitmap.isDibSection_ = false;
  bitmap.hasAlpha_ = false;
  bitmap.transparentIndex_ = -1;
  bitmap.serial_ = 0;
  bitmap.colorTable_.fill(RgbQuad{});
}

void CopyColorTable(const CBitmap& source, CBitmap& destination) {
  const int count = source.ColorCount();
  if (count == 0) {
    return;
  }
  // Through a temporary, so that a bitmap may be its own destination.
  std::array<RgbQuad, 256> table{};
  std::copy_n(source.ColorTable().begin(), count, table.begin());
  std::copy_n(table.begin(), count, destination.ColorTable().begin());
}

int CopyImage(const CBitmap& source, CBitmap& destination, int recreate) {
  if (&source == &destination) {
    return 1;
  }
  if (recreate == 1) {
    DestroyBitmap(destination);
    if (!CreateBitmap(destination, source.Width(), source.Height(), source.BitsPerPixel())) {
      return 0;
    }
  }
  if (source.BitsPerPixel() <= 8) {
    CopyColorTable(source, destination);
  }
  const size_t rowBytes = static_cast<size_t>(source.BitsPerPixel() / 8) * source.Width();
  for (int y = 0; y < source.Height(); ++y) {
    std::memcpy(destination.Row(y), source.Row(y), rowBytes);
  }
  return 1;
}

int ExpandToTrueColor(const CBitmap& source, CBitmap& destination) {
  if (source.BitsPerPixel() > 8) {
    return CopyImage(source, destination, 1);
  }
  const std::array<RgbQuad, 256> table = source.ColorTable();
  const int width = source.Width();
  const int height = source.Height();
  CBitmap expanded;
  if (!CreateBitmap(expanded, width, height, 24)) {
    return 0;
  }
  for (int y = 0; y < height; ++y) {
    const uint8_t* in = source.Row(y);
    uint8_t* out = expanded.Row(y);
    for (int x = 0; x < width; ++x) {
      const RgbQuad& colour = table[in[x]];
      out[3 * x] = colour.blue;
      out[3 * x + 1] = colour.green;
      out[3 * x + 2] = colour.red;
    }
  }
  destination = std::move(expanded);
  return 1;
}

bool CPixelBuffer::Allocate(int32_t newWidth, int32_t newHeight, int32_t newBytesPerPixel) {
  Release();
  const int64_t total = static_cast<int64_t>(newWidth) * newHeight * newBytesPerPixel;
  if (newWidth <= 0 || newHeight <= 0 || total > INT32_MAX) {
    return false;
  }
  data.reset(new (std::nothrow) uint8_t[static_cast<size_t>(total)]);
  if (!data) {
    return false;
  }
  width = newWidth;
  height = newHeight;
  bytesPerPixel = newBytesPerPixel;
  size = static_cast<int32_t>(total);
  return true;
}

void CPixelBuffer::Release() {
  data.reset();
  size = 0;
  width = 0;
  height = 0;
  bytesPerPixel = 0;
}

int ImageToPixelBuffer(const CBitmap& bitmap, CPixelBuffer& buffer) {
  const int bytes = bitmap.BitsPerPixel() / 8;
  if (!buffer.Allocate(bitmap.Width(), bitmap.Height(), bytes)) {
    return 0;
  }
  for (int y = 0; y < bitmap.Height(); ++y) {
    const uint8_t* in = bitmap.Row(y);
    uint8_t* out = buffer.Pixel(0, y);
    if (bytes == 3) {
      for (int x = 0; x < bitmap.Width(); ++x, in += 3, out += 3) {
        out[0] = in[2];
        out[1] = in[1];
        out[2] = in[0];
      }
    } else {
      std::memcpy(out, in, static_cast<size_t>(bitmap.Width()) * bytes);
    }
  }
  return 1;
}

int PixelBufferToImage(const CPixelBuffer& buffer, CBitmap& bitmap, int recreate) {
  if (recreate == 1) {
    std::array<RgbQuad, 256> savedTable{};
    const bool keepTable = !bitmap.IsNull() && bitmap.BitsPerPixel() <= 8;
    if (keepTable) {
      savedTable = bitmap.ColorTable();
    }
    DestroyBitmap(bitmap);
    if (!CreateBitmap(bitmap, buffer.width, buffer.height, buffer.bytesPerPixel * 8)) {
      return 0;
    }
    if (keepTable && bitmap.BitsPerPixel() <= 8) {
      bitmap.ColorTable() = savedTable;
    }
  }
  const int bytes = buffer.bytesPerPixel;
  for (int y = 0; y < buffer.height; ++y) {
    const uint8_t* in = buffer.Pixel(0, y);
    uint8_t* out = bitmap.Row(y);
    if (bytes == 3) {
      for (int x = 0; x < buffer.width; ++x, in += 3, out += 3) {
        out[0] = in[2];
        out[1] = in[1];
        out[2] = in[0];
      }
    } else {
      std::memcpy(out, in, static_cast<size_t>(buffer.width) * bytes);
    }
  }
  return 1;
}
