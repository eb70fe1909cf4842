#pragma once
// Colour arithmetic of the automatic crop: block colours compared in a luminance /
// colour-difference space, and the skin-tone test.

struct BlockRgb {
  int red = 0;
  int green = 0;
  int blue = 0;
  bool operator==(const BlockRgb&) const = default;
};

struct YCbCrColor {
  double y = 0;
  double cb = 0;
  double cr = 0;
};

YCbCrColor RgbToYCbCr(int red, int green, int blue);
YCbCrColor RgbToYCbCr(const BlockRgb& colour);
// Euclidean distance of the two colours' (Y, Cb, Cr), rounded half up. The second form
// spares the conversion when many blocks are compared with their neighbours.
int ColorDistance(const BlockRgb& first, const BlockRgb& second);
int ColorDistance(const YCbCrColor& first, const YCbCrColor& second);
bool IsSkinTone(const BlockRgb& colour);
bool IsSkinTone(const YCbCrColor& colour);
