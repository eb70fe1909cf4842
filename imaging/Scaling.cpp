// Reduction by integer subsampling: one pixel of every n x n block is kept, nothing is
// averaged. Thumbs, the web album's large copies and the picture window all use it.

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "imaging/ImageWrap.h"

namespace {

// Copies every n-th pixel of every n-th row. Bytes per pixel is a template argument so that
// the inner loop copies fixed-size pixels.
template <int Bytes>
void KeepEveryNth(const CBitmap& source, CBitmap& destination, int n) {
  const int width = destination.Width();
  const ptrdiff_t step = static_cast<ptrdiff_t>(n) * Bytes;
  for (int y = 0; y < destination.Height(); ++y) {
    const uint8_t* in = source.Row(y * n);
    uint8_t* out = destination.Row(y);
    for (int x = 0; x < width; ++x, in += step, out += Bytes) {
      std::memcpy(out, in, Bytes);
    }
  }
}

}  // namespace

int CImageWrap::ScaleToFit(CImageWrap& destination, int longestSide) const {
  const int width = Width();
  const int height = Height();
  if (longestSide <= 0 || width <= 0 || height <= 0) {
    return 0;
  }
  // The smallest n with max(W, H) / n <= L.
  const int factor = (std::max(width, height) - 1) / longestSide + 1;
  // Quotients drop their remainder; the display size stays set even when the reduction
  // below fails.
  if (width > height) {
    destination.displayWidth = longestSide;
    destination.displayHeight =
        static_cast<int32_t>(static_cast<int64_t>(height) * longestSide / width);
  } else {
    destination.displayHeight = longestSide;
    destination.displayWidth =
        static_cast<int32_t>(static_cast<int64_t>(width) * longestSide / height);
  }
  return Subsample(destination, factor);
}

int CImageWrap::Subsample(CImageWrap& destination, int factor) const {
  const int width = Width();
  const int height = Height();
  if (factor < 1 || factor > width || factor > height) {
    return 0;
  }
  const int bpp = BitsPerPixel();
  // Reducing into this very object must not release the pixels being read.
  CBitmap own;
  CBitmap& target = &destination == this ? own : destination.bitmap;
  DestroyBitmap(target);
  if (!CreateBitmap(target, width / factor, height / factor, bpp)) {
    return 0;
  }
  if (bpp <= 8) {
    CopyColorTable(bitmap, target);
  }
  switch (bpp / 8) {
    case 1:
      KeepEveryNth<1>(bitmap, target, factor);
      break;
    case 2:
      KeepEveryNth<2>(bitmap, target, factor);
      break;
    case 3:
      KeepEveryNth<3>(bitmap, target, factor);
      break;
    default:
      KeepEveryNth<4>(bitmap, target, factor);
      break;
  }
  if (&target == &own) {
    destination.bitmap = std::move(own);
  }
  return 1;
}
