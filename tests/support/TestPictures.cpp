#include "tests/support/TestPictures.h"

CImageWrap MakePicture24(int width, int height, const std::function<Rgb(int, int)>& colour) {
  CImageWrap image;
  CreateBitmap(image.bitmap, width, height, 24);
  for (int y = 0; y < height; ++y) {
    uint8_t* row = image.bitmap.Row(y);
    for (int x = 0; x < width; ++x) {
      const Rgb c = colour(x, y);
      row[3 * x] = c.blue;
      row[3 * x + 1] = c.green;
      row[3 * x + 2] = c.red;
    }
  }
  return image;
}

CImageWrap MakePicture8(int width, int height, const std::function<uint8_t(int, int)>& index) {
  CImageWrap image;
  CreateBitmap(image.bitmap, width, height, 8);
  for (int i = 0; i < 256; ++i) {
    image.bitmap.ColorTable()[static_cast<size_t>(i)] =
        RgbQuad{static_cast<uint8_t>(i / 2), static_cast<uint8_t>(255 - i), static_cast<uint8_t>(i), 0};
  }
  for (int y = 0; y < height; ++y) {
    uint8_t* row = image.bitmap.Row(y);
    for (int x = 0; x < width; ++x) {
      row[x] = index(x, y);
    }
  }
  return image;
}

Rgb PixelAt(const CImageWrap& image, int x, int y) {
  const uint8_t* row = image.bitmap.Row(y);
  if (image.BitsPerPixel() == 8) {
    const RgbQuad& q = image.bitmap.ColorTable()[row[x]];
    return {q.red, q.green, q.blue};
  }
  return {row[3 * x + 2], row[3 * x + 1], row[3 * x]};
}

Rgb GradientColour(int x, int y) {
  return {static_cast<uint8_t>(x), static_cast<uint8_t>(y), static_cast<uint8_t>((x * 7 + y * 13) & 0xFF)};
}

Rgb CoordinateColour(int x, int y) {
  return {static_cast<uint8_t>(x & 0xFF), static_cast<uint8_t>(y & 0xFF),
          static_cast<uint8_t>(((x >> 8) & 0x0F) | ((y >> 4) & 0xF0))};
}
