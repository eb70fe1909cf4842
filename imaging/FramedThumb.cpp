#include "imaging/FramedThumb.h"

#include <algorithm>
#include <utility>

#include "imaging/FramePatterns.h"
#include "imaging/ImageOperations.h"
#include "imaging/ImageWrap.h"
#include "imaging/RasterCanvas.h"

namespace {

CCanvasBrush FrameBrush(const CRasterCanvas& canvas, int32_t colour, int brushKind) {
  const uint32_t rgb = static_cast<uint32_t>(colour) & 0xFFFFFF;
  switch (brushKind) {
    case kFrameSolid:
      return CCanvasBrush::Solid(rgb);
    case kFrameHatch:
      return CCanvasBrush::DiagCross(rgb);
    case kFrameStars:
      return CCanvasBrush::Pattern(StarsPattern());
    case kFrameDots:
      return CCanvasBrush::Pattern(DotsPattern());
    default:
      return canvas.CurrentBrush();
  }
}

}  // namespace

int DrawImageFramed(CImageWrap& image, int left, int top, CRasterCanvas& canvas, int gap,
                    int32_t colour, int brushKind) {
  const int w = image.displayWidth;
  const int h = image.displayHeight;
  const int side = std::max(w, h);
  canvas.RoundRect(Rect{left - gap, top - gap, left + side + gap, top + side + gap}, 2 * gap,
                   2 * gap, FrameBrush(canvas, colour, brushKind));
  // The sheet and the web show the thumb in true colour from now on; the colours are those
  // of the table, so nothing visible changes.
  if (image.HasBitmap() && image.BitsPerPixel() == 8) {
    CBitmap expanded;
    if (ExpandToTrueColor(image.bitmap, expanded)) {
      image.bitmap = std::move(expanded);
    }
  }
  const int x = left + (side - w) / 2;
  const int y = top + (side - h) / 2;
  const int drawn = canvas.DrawImage(image, x, y, 1);
  canvas.FrameRect(Rect{x, y, x + w, y + h});
  return drawn;
}

int RenderFramedThumb(CImageWrap& thumb, CPixelBuffer& out, int cellWidth, int cellHeight, int gap,
                      int32_t colour, int brushKind) {
  CRasterCanvas canvas;
  if (!canvas.Create(cellWidth, cellHeight)) {
    out.Release();
    return 0;
  }
  thumb.DrawFramed(gap, gap, canvas, gap, colour, brushKind);
  out = std::move(canvas.Pixels());
  return 1;
}
