#include "imaging/CropColor.h"

#include <cmath>

YCbCrColor RgbToYCbCr(int red, int green, int blue) {
  const double r = red;
  const double g = green;
  const double b = blue;
  return {0.299 * r + 0.587 * g + 0.114 * b,  //
          127.5 - 0.169 * r - 0.331 * g + 0.5 * b, 127.5 + 0.5 * r - 0.419 * g - 0.081 * b};
}

YCbCrColor RgbToYCbCr(const BlockRgb& colour) {
  return RgbToYCbCr(colour.red, colour.green, colour.blue);
}

int ColorDistance(const BlockRgb& first, const BlockRgb& second) {
  return ColorDistance(RgbToYCbCr(first), RgbToYCbCr(second));
}

int ColorDistance(const YCbCrColor& first, const YCbCrColor& second) {
  const double dy = first.y - second.y;
  const double dcb = first.cb - second.cb;
  const double dcr = first.cr - second.cr;
  return static_cast<int>(std::sqrt(dy * dy + dcb * dcb + dcr * dcr) + 0.5);
}

bool IsSkinTone(const BlockRgb& colour) { return IsSkinTone(RgbToYCbCr(colour)); }

bool IsSkinTone(const YCbCrColor& c) {
  return c.cb + c.cr > 250 && c.cb > 60 && c.cb < 130 && c.cr > 138 && c.cr < 172 && c.y >= 90 &&
         c.y <= 200;
}
