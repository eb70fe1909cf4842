#include "views/ImageConversion.h"

#include <cstring>

#include "imaging/ImageWrap.h"

QImage ToQImage(const CImageWrap& picture) {
  if (!picture.HasBitmap()) {
    return {};
  }
  const CBitmap& bitmap = picture.bitmap;
  const int width = bitmap.Width();
  const int height = bitmap.Height();
  const bool indexed = bitmap.BitsPerPixel() == 8;
  if (!indexed && bitmap.BitsPerPixel() != 24) {
    return {};
  }
  QImage image(width, height, indexed ? QImage::Format_Indexed8 : QImage::Format_BGR888);
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
  const size_t rowBytes = static_cast<size_t>(width) * (indexed ? 1 : 3);
  for (int y = 0; y < height; ++y) {
    std::memcpy(image.scanLine(y), bitmap.Row(y), rowBytes);
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
