#include <algorithm>
#include <cstring>

#include "imaging/ImageOperations.h"
#include "imaging/ImageWrap.h"

int CropImage(const CImageWrap& image, Rect& rect, CImageWrap& destination) {
  const int width = image.Width();
  const int height = image.Height();
  // Clamped in place, so that a stored thumb rectangle fits the picture from now on.
  rect.ClampTo(width, height);
  if (rect.IsEmpty()) {
    return 0;
  }
  const int bpp = image.BitsPerPixel();
  CBitmap own;
  CBitmap& target = &destination == &image ? own : destination.bitmap;
  DestroyBitmap(target);
  if (!CreateBitmap(target, rect.Width(), rect.Height(), bpp)) {
    return 0;
  }
  if (bpp <= 8) {
    CopyColorTable(image.bitmap, target);
  }
  const ptrdiff_t first = static_cast<ptrdiff_t>(rect.left) * bpp / 8;
  const size_t length = static_cast<size_t>(static_cast<ptrdiff_t>(rect.right) * bpp / 8 - first);
  for (int y = rect.top; y < rect.bottom; ++y) {
    std::memcpy(target.Row(y - rect.top), image.bitmap.Row(y) + first, length);
  }
  if (&target == &own) {
    destination.bitmap = std::move(own);
  }
  return 1;
}
