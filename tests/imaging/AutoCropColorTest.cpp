#include <gtest/gtest.h>

#include "imaging/CropColor.h"

namespace {

TEST(AutoCropColor, RgbToYCbCrOfPrimariesAndWhite) {
  struct Case {
    BlockRgb rgb;
    double y, cb, cr;
  };
  const Case cases[] = {
      {{0, 0, 0}, 0, 127.5, 127.5},
      {{255, 255, 255}, 255, 127.5, 127.5},
      {{255, 0, 0}, 76.245, 84.405, 255},
      {{0, 0, 255}, 29.07, 255, 106.845},
      {{220, 170, 140}, 181.53, 104.05, 154.93},
  };
  for (const Case& c : cases) {
    const YCbCrColor got = RgbToYCbCr(c.rgb.red, c.rgb.green, c.rgb.blue);
    EXPECT_NEAR(got.y, c.y, 1e-9) << c.rgb.red << "," << c.rgb.green << "," << c.rgb.blue;
    EXPECT_NEAR(got.cb, c.cb, 1e-9);
    EXPECT_NEAR(got.cr, c.cr, 1e-9);
  }
}

TEST(AutoCropColor, ColorDistanceRoundsHalfUp) {
  struct Case {
    BlockRgb first, second;
    int distance;
  };
  const Case cases[] = {
      {{0, 0, 0}, {255, 255, 255}, 255},       {{0, 0, 0}, {255, 0, 0}, 155},    // 154.68
      {{255, 0, 0}, {0, 0, 255}, 231},                                           // 230.82
      {{128, 128, 128}, {0, 0, 0}, 128},                                         // 127.99999...
      {{128, 128, 128}, {255, 255, 255}, 127}, {{10, 20, 30}, {11, 20, 30}, 1},  // 0.61
      {{10, 20, 30}, {10, 20, 30}, 0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ColorDistance(c.first, c.second), c.distance);
    EXPECT_EQ(ColorDistance(c.second, c.first), c.distance);
  }
}

TEST(AutoCropColor, SkinToneNeedsEveryBound) {
  struct Case {
    BlockRgb rgb;
    bool skin;
  };
  const Case cases[] = {
      {{220, 170, 140}, true},                             // Y 181.5, Cb 104.1, Cr 154.9
      {{200, 150, 120}, true},  {{128, 128, 128}, false},  // grey: Cr 127.5
      {{255, 220, 190}, false},                            // too light: Y 227
      {{120, 70, 50}, false},    // too dark: Y 82.7, colour otherwise skin
      {{255, 100, 100}, false},  // too red: Cr 205
      {{0, 0, 255}, false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(IsSkinTone(c.rgb), c.skin) << c.rgb.red << "," << c.rgb.green << "," << c.rgb.blue;
  }
}

}  // namespace
