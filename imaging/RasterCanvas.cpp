#include "imaging/RasterCanvas.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "imaging/ImageWrap.h"
#include "raster/Bitmap.h"

uint32_t CCanvasBrush::ColourAt(int x, int y) const {
  switch (kind_) {
    case Kind::Solid:
      return colour_;
    case Kind::DiagCross:
      // The 8 x 8 cell holds the two diagonals x == y and x == 7 - y; "& 7" keeps negative
      // coordinates on the same lattice.
      return ((x - y) & 7) == 0 || ((x + y) & 7) == 7 ? colour_ : kCanvasWhite;
    case Kind::Pattern:
      return (*pattern_)[static_cast<size_t>(y & 7)][static_cast<size_t>(x & 7)];
  }
  return colour_;
}

bool CRasterCanvas::Create(int width, int height) {
  if (!pixels_.Allocate(width, height, 3)) {
    return false;
  }
  std::memset(pixels_.data.get(), 0xFF, static_cast<size_t>(pixels_.size));
  return true;
}

uint32_t CRasterCanvas::GetPixel(int x, int y) const {
  if (x < 0 || y < 0 || x >= Width() || y >= Height()) {
    return kCanvasWhite;
  }
  const uint8_t* p = pixels_.Pixel(x, y);
  return p[0] | (p[1] << 8) | (static_cast<uint32_t>(p[2]) << 16);
}

void CRasterCanvas::SetPixel(int x, int y, uint32_t colour) {
  if (x < 0 || y < 0 || x >= Width() || y >= Height()) {
    return;
  }
  uint8_t* p = pixels_.Pixel(x, y);
  p[0] = static_cast<uint8_t>(colour & 0xFF);
  p[1] = static_cast<uint8_t>((colour >> 8) & 0xFF);
  p[2] = static_cast<uint8_t>((colour >> 16) & 0xFF);
}

void CRasterCanvas::FillRect(const Rect& rect, const CCanvasBrush& brush) {
  const int left = std::max(rect.left, 0);
  const int right = std::min(rect.right, Width());
  const int top = std::max(rect.top, 0);
  const int bottom = std::min(rect.bottom, Height());
  for (int y = top; y < bottom; ++y) {
    for (int x = left; x < right; ++x) {
      SetPixel(x, y, brush.ColourAt(x, y));
    }
  }
}

void CRasterCanvas::FrameRect(const Rect& rect, uint32_t colour) {
  if (rect.IsEmpty()) {
    return;
  }
  for (int x = rect.left; x < rect.right; ++x) {
    SetPixel(x, rect.top, colour);
    SetPixel(x, rect.bottom - 1, colour);
  }
  for (int y = rect.top; y < rect.bottom; ++y) {
    SetPixel(rect.left, y, colour);
    SetPixel(rect.right - 1, y, colour);
  }
}

namespace {

// The columns [first, last] of one row of a rounded rectangle.
struct Span {
  int first = 0;
  int last = -1;
  bool Has(int x) const { return x >= first && x <= last; }
};

// Row y of the rounded rectangle: a pixel belongs to it when its centre lies inside the
// rectangle and, within a corner square, inside the corner's ellipse. Doubled integer
// coordinates keep the test exact and the shape symmetric.
Span RoundRectSpan(const Rect& rect, int ew, int eh, int y) {
  Span span{rect.left, rect.right - 1};
  if (ew <= 0 || eh <= 0) {
    return span;
  }
  // Vertical distance of the pixel centre from the corner ellipses' centre line, doubled.
  const int64_t uy =
      std::max<int64_t>({0, static_cast<int64_t>(rect.top) * 2 + eh - (2 * y + 1),
                         (2 * y + 1) - (static_cast<int64_t>(rect.bottom) * 2 - eh)});
  if (uy == 0) {
    return span;
  }
  const int64_t w2 = static_cast<int64_t>(ew) * ew;
  const int64_t h2 = static_cast<int64_t>(eh) * eh;
  auto inside = [&](int64_t ux) { return ux * ux * h2 + uy * uy * w2 <= w2 * h2; };
  // Move inwards from the left until the pixel centre is inside the corner ellipse.
  int x = rect.left;
  const int middle = rect.left + (rect.right - rect.left) / 2;
  while (x <= middle) {
    const int64_t ux = static_cast<int64_t>(rect.left) * 2 + ew - (2 * x + 1);
    if (ux <= 0 || inside(ux)) {
      break;
    }
    ++x;
  }
  const int inset = x - rect.left;
  span.first = rect.left + inset;
  span.last = rect.right - 1 - inset;
  return span;
}

}  // namespace

void CRasterCanvas::RoundRect(const Rect& rect, int ellipseWidth, int ellipseHeight,
                              const CCanvasBrush& brush) {
  if (rect.IsEmpty()) {
    return;
  }
  const int ew = std::clamp(ellipseWidth, 0, rect.Width());
  const int eh = std::clamp(ellipseHeight, 0, rect.Height());
  std::vector<Span> spans;
  spans.reserve(static_cast<size_t>(rect.Height()));
  for (int y = rect.top; y < rect.bottom; ++y) {
    spans.push_back(RoundRectSpan(rect, ew, eh, y));
  }
  const Span outside{};
  for (int y = rect.top; y < rect.bottom; ++y) {
    const size_t row = static_cast<size_t>(y - rect.top);
    const Span& span = spans[row];
    const Span& above = row > 0 ? spans[row - 1] : outside;
    const Span& below = row + 1 < spans.size() ? spans[row + 1] : outside;
    for (int x = span.first; x <= span.last; ++x) {
      // A pixel with a 4-neighbour outside the shape is on the outline.
      const bool edge = x == span.first || x == span.last || !above.Has(x) || !below.Has(x);
      SetPixel(x, y, edge ? kCanvasBlack : brush.ColourAt(x, y));
    }
  }
}

int CRasterCanvas::StretchBitmap(const CBitmap& bitmap, const Rect& destination) {
  const int bpp = bitmap.BitsPerPixel();
  if (bitmap.IsNull() || (bpp != 8 && bpp != 24 && bpp != 32)) {
    return 0;
  }
  if (destination.IsEmpty()) {
    return 1;
  }
  const int64_t dw = destination.Width();
  const int64_t dh = destination.Height();
  const int top = std::max(destination.top, 0);
  const int bottom = std::min(destination.bottom, Height());
  const int left = std::max(destination.left, 0);
  const int right = std::min(destination.right, Width());
  for (int y = top; y < bottom; ++y) {
    const int sy = static_cast<int>((y - destination.top) * bitmap.Height() / dh);
    const uint8_t* row = bitmap.Row(sy);
    for (int x = left; x < right; ++x) {
      const int sx = static_cast<int>((x - destination.left) * bitmap.Width() / dw);
      uint32_t colour;
      if (bpp == 8) {
        const RgbQuad& q = bitmap.ColorTable()[row[sx]];
        colour = q.red | (q.green << 8) | (static_cast<uint32_t>(q.blue) << 16);
      } else {
        const uint8_t* p = row + static_cast<ptrdiff_t>(sx) * (bpp / 8);
        colour = p[2] | (p[1] << 8) | (static_cast<uint32_t>(p[0]) << 16);
      }
      SetPixel(x, y, colour);
    }
  }
  return 1;
}

int CRasterCanvas::DrawImage(const CImageWrap& image, int x, int y, int stretch) {
  if (!image.HasBitmap()) {
    return 0;
  }
  int width = image.Width();
  int height = image.Height();
  if (stretch == 1 && image.displayWidth > 0 && image.displayHeight > 0) {
    width = image.displayWidth;
    height = image.displayHeight;
  }
  return StretchBitmap(image.bitmap, Rect{x, y, x + width, y + height});
}
