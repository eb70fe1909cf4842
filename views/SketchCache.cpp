#include "views/SketchCache.h"

#include "album/AlbumEntry.h"
#include "imaging/FramedThumb.h"
#include "imaging/PixelBuffer.h"
#include "imaging/RasterCanvas.h"

namespace {

QImage ToImage(const CPixelBuffer& pixels) {
  if (pixels.IsEmpty()) {
    return {};
  }
  const QImage wrapped(pixels.data.get(), pixels.width, pixels.height, pixels.width * 3,
                       QImage::Format_RGB888);
  return wrapped.convertToFormat(QImage::Format_RGB32);  // copies: the buffer is ours to drop
}

QImage Render(CAlbumEntry& entry, const SketchStyle& style) {
  CImageWrap& thumb = entry.thumb;
  if (style.framed) {
    const int cell = style.thumbSize + 2 * style.gap;
    CPixelBuffer pixels;
    RenderFramedThumb(thumb, pixels, cell, cell, style.gap, style.colour, style.brush);
    return ToImage(pixels);
  }
  if (!thumb.HasBitmap()) {
    return {};
  }
  const bool stretch = thumb.displayWidth > 0 && thumb.displayHeight > 0;
  CRasterCanvas canvas;
  if (!canvas.Create(stretch ? thumb.displayWidth : thumb.Width(),
                     stretch ? thumb.displayHeight : thumb.Height())) {
    return {};
  }
  canvas.DrawImage(thumb, 0, 0, 1);
  return ToImage(canvas.Pixels());
}

}  // namespace

const QImage& CSketchCache::Sketch(CAlbumEntry& entry, const SketchStyle& style) {
  const size_t slot = static_cast<size_t>(entry.index);
  if (slot >= items_.size()) {
    items_.resize(slot + 1);
  }
  Item& item = items_[slot];
  const uint64_t serial = entry.thumb.bitmap.Serial();
  if (item.image.isNull() || item.serial != serial || !(item.style == style)) {
    item.image = Render(entry, style);
    // Framing may have turned an 8-bit thumb into a new 24-bit bitmap.
    item.serial = entry.thumb.bitmap.Serial();
    item.style = style;
  }
  return item.image;
}
