#pragma once
// Packed pixels without row padding, top row first: 3 bytes per pixel in red, green, blue
// order (the reverse of the bitmap's), or 1 byte (a colour-table index; the table is not
// carried).

#include <cstdint>
#include <memory>

class CPixelBuffer {
 public:
  int32_t size = 0;
  std::unique_ptr<uint8_t[]> data;
  int32_t width = 0;
  int32_t height = 0;
  int32_t bytesPerPixel = 0;

  bool IsEmpty() const { return data == nullptr; }
  uint8_t* Pixel(int x, int y) {
    return data.get() + (static_cast<int64_t>(y) * width + x) * bytesPerPixel;
  }
  const uint8_t* Pixel(int x, int y) const {
    return data.get() + (static_cast<int64_t>(y) * width + x) * bytesPerPixel;
  }
  // Allocates size = width x height x bytesPerPixel bytes; false (and no data) on failure.
  bool Allocate(int32_t newWidth, int32_t newHeight, int32_t newBytesPerPixel);
  void Release();
};
