#include "views/SketchCache.h"

#include <QPainter>
#include <algorithm>

#include "album/AlbumEntry.h"
#include "imaging/FramedThumb.h"
#include "imaging/RasterCanvas.h"
#include "raster/PixelBuffer.h"
#include "views/ImageConversion.h"

namespace {

QImage ToImage(const CPixelBuffer& pixels) {
  if (pixels.IsEmpty()) {
    return {};
  }
  const QImage wrapped(pixels.data.get(), pixels.width, pixels.height, pixels.width * 3,
                       QImage::Format_RGB888);
  return wrapped.convertToFormat(QImage::Format_RGB32);  // copies: the buffer is ours to drop
}

QImage RenderAtSheetPixels(const CAlbumEntry& entry, const SketchStyle& style) {
  const CImageWrap& thumb = entry.thumb;
  if (style.framed) {
    const int cell = style.thumbSize + 2 * style.gap;
    // Framing may widen an 8-bit thumb to 24 bits: a copy is framed, the album's stays as read.
    CImageWrap framed;
    if (thumb.HasBitmap() && thumb.CopyTo(framed) == 0) {
      return {};
    }
    framed.displayWidth = thumb.displayWidth;
    framed.displayHeight = thumb.displayHeight;
    CPixelBuffer pixels;
    RenderFramedThumb(framed, pixels, cell, cell, style.gap, style.colour, style.brush);
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

// A sketch made at device pixels (ratio of them per sheet pixel) shows them one for one: the
// frame is the one the web album draws, made ratio times larger, and the picture inside it
// and its black outline are drawn at device pixels.
QImage RenderAtDevicePixels(const CAlbumEntry& entry, const SketchStyle& style, double ratio) {
  QImage sketch = ToQImage(entry.thumb).convertToFormat(QImage::Format_RGB32);
  if (sketch.isNull() || !style.framed) {
    sketch.setDevicePixelRatio(ratio);
    return sketch;
  }
  const QImage frame = RenderAtSheetPixels(entry, style);
  if (frame.isNull()) {
    return {};
  }
  QImage cell = frame.scaled(frame.size() * ratio, Qt::IgnoreAspectRatio, Qt::FastTransformation);
  const int w = entry.thumb.displayWidth;
  const int h = entry.thumb.displayHeight;
  const int side = std::max(w, h);
  const QRectF picture(QPointF(style.gap + (side - w) / 2, style.gap + (side - h) / 2) * ratio,
                       QSizeF(w, h) * ratio);
  QPainter painter(&cell);
  painter.setRenderHint(QPainter::SmoothPixmapTransform);
  painter.drawImage(picture, sketch);
  painter.setPen(QPen(Qt::black, ratio, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
  painter.setBrush(Qt::NoBrush);
  painter.drawRect(picture.adjusted(ratio / 2, ratio / 2, -ratio / 2, -ratio / 2));
  painter.end();
  cell.setDevicePixelRatio(ratio);
  return cell;
}

QImage Render(const CAlbumEntry& entry, const SketchStyle& style) {
  const double ratio = entry.sketchSource.ratio;
  return ratio > 1 ? RenderAtDevicePixels(entry, style, ratio) : RenderAtSheetPixels(entry, style);
}

}  // namespace

const QImage& CSketchCache::Sketch(const CAlbumEntry& entry, const SketchStyle& style) {
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
