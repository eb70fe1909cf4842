#include "imaging/CropColor.h"

#include <cmath>

YCbCrColor RgbToYCbCr(int red, int green, int blue) {
  const double r = red;
  const double g = green;
  const double b = blue;
  return {0.299 * r + 0.587 * g + 0.114 * b,  //
          127.5 - 0.169 * r - 0.331 * g + 0.5 * b, 127.5 + 0.5 * r - 0.419 * g - 0.081 * b};
}

int ColorDistance(const BlockRgb& first, const BlockRgb& second) {
  const YCbCrColor a = RgbToYCbCr(first.red, first.green, first.blue);
  const YCbCrColor b = RgbToYCbCr(second.red, second.green, second.blue);
  const double dy = a.y - b.y;
  const double dcb = a.cb - b.cb;
  const double dcr = a.cr - b.cr;
  return static_cast<int>(std::sqrt(dy * dy + dcb * dcb + dcr * dcr) + 0.5);
}

bool IsSkinTone(const BlockRgb& colour) {
  const YCbCrColor c = RgbToYCbCr(colour.red, colour.green, colour.blue);
  return c.cb + c.cr > 250 && c.cb > 60 && c.cb < 130 && c.cr > 138 && c.cr < 172 && c.y >= 90 &&
         c.y <= 200;
}
