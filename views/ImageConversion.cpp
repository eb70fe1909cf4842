#include "views/ImageConversion.h"

#include <cstring>

#include "imaging/ImageWrap.h"

QImage ToQImage(const CImageWrap& picture) {
  return ToQImage(picture, QRect(0, 0, picture.Width(), picture.Height()));
}

QImage ToQImage(const CImageWrap& picture, const QRect& area) {
  if (!picture.HasBitmap()) {
    return {};
  }
  const CBitmap& bitmap = picture.bitmap;
  const QRect part = area.intersected(QRect(0, 0, bitmap.Width(), bitmap.Height()));
  const bool indexed = bitmap.BitsPerPixel() == 8;
  if ((!indexed && bitmap.BitsPerPixel() != 24) || part.isEmpty()) {
    return {};
  }
  QImage image(part.width(), part.height(),
               indexed ? QImage::Format_Indexed8 : QImage::Format_BGR888);
  if (image.isNull()) {
    return {};
  }
  if (indexed) {
    QList<QRgb> table;
    for (const RgbQuad& c : bitmap.ColorTable()) {
      table << qRgb(c.red, c.green, c.blue);
    }
    image.setColorTable(table);
  }
  const size_t pixelBytes = indexed ? 1 : 3;
  const size_t rowBytes = static_cast<size_t>(part.width()) * pixelBytes;
  for (int y = 0; y < part.height(); ++y) {
    std::memcpy(image.scanLine(y),
                bitmap.Row(part.top() + y) + static_cast<size_t>(part.left()) * pixelBytes,
                rowBytes);
  }
  return image;
}

CImageWrap FromQImage(const QImage& image) {
  CImageWrap picture;
  const QImage rgb = image.convertToFormat(QImage::Format_BGR888);
  if (rgb.isNull() || CreateBitmap(picture.bitmap, rgb.width(), rgb.height(), 24) == 0) {
    return picture;
  }
  const size_t rowBytes = static_cast<size_t>(rgb.width()) * 3;
  for (int y = 0; y < rgb.height(); ++y) {
    std::memcpy(picture.bitmap.Row(y), rgb.constScanLine(y), rowBytes);
  }
  return picture;
}
