#include "imaging/Rotation.h"

#include <algorithm>
#include <cstring>

#include "imaging/ImageOperations.h"
#include "imaging/ImageWrap.h"
#include "raster/PixelBuffer.h"

namespace {

// Pictures of several megapixels are turned in square tiles so that the column reads of the
// source stay in the cache.
constexpr int kTile = 64;

template <int Bytes>
void TurnLeft(const CPixelBuffer& source, CPixelBuffer& destination) {
  const int w = source.width;
  const int h = source.height;
  for (int ty = 0; ty < w; ty += kTile) {
    const int yEnd = std::min(ty + kTile, w);
    for (int tx = 0; tx < h; tx += kTile) {
      const int xEnd = std::min(tx + kTile, h);
      for (int y = ty; y < yEnd; ++y) {
        uint8_t* out = destination.Pixel(tx, y);
        for (int x = tx; x < xEnd; ++x, out += Bytes) {
          std::memcpy(out, source.Pixel(w - 1 - y, x), Bytes);
        }
      }
    }
  }
}

}  // namespace

void RotateBufferLeft(const CPixelBuffer& source, CPixelBuffer& destination) {
  if (source.IsEmpty() || &source == &destination) {
    return;
  }
  if (destination.IsEmpty() || destination.size < source.size) {
    if (!destination.Allocate(source.height, source.width, source.bytesPerPixel)) {
      return;
    }
  }
  destination.width = source.height;
  destination.height = source.width;
  destination.bytesPerPixel = source.bytesPerPixel;
  destination.size = source.size;
  switch (source.bytesPerPixel) {
    case 1:
      TurnLeft<1>(source, destination);
      break;
    case 3:
      TurnLeft<3>(source, destination);
      break;
    default:
      // Other depths never reach a rotation; copy byte by byte all the same.
      for (int y = 0; y < destination.height; ++y) {
        for (int x = 0; x < destination.width; ++x) {
          std::memcpy(destination.Pixel(x, y), source.Pixel(source.width - 1 - y, x),
                      static_cast<size_t>(source.bytesPerPixel));
        }
      }
      break;
  }
}

Rect TurnedRect(const Rect& rect, int width, int height, int direction) {
  Rect r = rect;
  r.ClampTo(width, height);
  if (r.IsEmpty()) {
    return {};
  }
  // Counter-clockwise, pixel (x, y) goes to (y, width - 1 - x); clockwise to (height - 1 - y, x).
  if (direction == 0) {
    return {r.top, width - r.right, r.bottom, width - r.left};
  }
  return {height - r.bottom, r.left, height - r.top, r.right};
}

int RotateImage(CImageWrap& image, int direction) {
  if (direction != 0 && direction != 1) {
    return 0;
  }
  CPixelBuffer a;
  CPixelBuffer b;
  if (!ImageToPixelBuffer(image.bitmap, a) || !b.Allocate(a.width, a.height, a.bytesPerPixel)) {
    return 0;
  }
  RotateBufferLeft(a, b);
  if (direction == 1) {
    // Three turns to the left make one to the right.
    RotateBufferLeft(b, a);
    RotateBufferLeft(a, b);
  }
  a.Release();
  // The turned image.bitmap is made beside the old one, so that a failure leaves the picture as it
  // was; an 8-bit picture keeps its colour table.
  CBitmap turned;
  if (!CreateBitmap(turned, b.width, b.height, image.BitsPerPixel())) {
    return 0;
  }
  if (image.BitsPerPixel() <= 8) {
    CopyColorTable(image.bitmap, turned);
  }
  PixelBufferToImage(b, turned, 0);
  image.bitmap = std::move(turned);
  return 1;
}
