#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "imaging/Resample.h"
#include "tests/support/TestPictures.h"

namespace {

struct AreaCase {
  const char* name;
  int sourceWidth, sourceHeight;
  SourceArea area;
  int width, height;
};

void PrintTo(const AreaCase& c, std::ostream* os) { *os << c.name; }

// Busy pixels, so that a wrong weight or a tap left out shows in the mean.
Rgb Busy(int x, int y) {
  const auto v = [](unsigned n) { return static_cast<uint8_t>((n * 2654435761u) >> 24); };
  return Rgb{v(static_cast<unsigned>(x * 7 + y * 131)), v(static_cast<unsigned>(x * 3 + y * 17 + 1)),
             v(static_cast<unsigned>(x + y * 977 + 2))};
}

// The mean of the source under [a0, a1) x [b0, b1), each pixel counted by the part it covers.
Rgb ExactMean(const CImageWrap& source, double a0, double a1, double b0, double b1) {
  double sum[3] = {0, 0, 0};
  double total = 0;
  for (int y = static_cast<int>(std::floor(b0)); y < std::ceil(b1); ++y) {
    const double down = std::min(b1, y + 1.0) - std::max(b0, static_cast<double>(y));
    for (int x = static_cast<int>(std::floor(a0)); x < std::ceil(a1); ++x) {
      const double part = down * (std::min(a1, x + 1.0) - std::max(a0, static_cast<double>(x)));
      const Rgb pixel = PixelAt(source, x, y);
      sum[0] += part * pixel.red;
      sum[1] += part * pixel.green;
      sum[2] += part * pixel.blue;
      total += part;
    }
  }
  const auto mean = [&](double s) { return static_cast<uint8_t>(std::lround(s / total)); };
  return Rgb{mean(sum[0]), mean(sum[1]), mean(sum[2])};
}

class FractionalArea : public ::testing::TestWithParam<AreaCase> {};

TEST_P(FractionalArea, EveryPixelIsTheCoveredMeanOfItsArea) {
  const AreaCase& c = GetParam();
  const CImageWrap source = MakePicture24(c.sourceWidth, c.sourceHeight, Busy);
  CImageWrap out;
  ASSERT_EQ(ResampleArea(source.bitmap, c.area, out.bitmap, c.width, c.height), 1);
  ASSERT_EQ(out.Width(), c.width);
  ASSERT_EQ(out.Height(), c.height);
  const double stepX = (c.area.right - c.area.left) / c.width;
  const double stepY = (c.area.bottom - c.area.top) / c.height;
  for (int y = 0; y < c.height; ++y) {
    for (int x = 0; x < c.width; ++x) {
      const Rgb want = ExactMean(source, c.area.left + x * stepX, c.area.left + (x + 1) * stepX,
                                 c.area.top + y * stepY, c.area.top + (y + 1) * stepY);
      const Rgb got = PixelAt(out, x, y);
      ASSERT_LE(std::abs(got.red - want.red), 1) << "at " << x << "," << y;
      ASSERT_LE(std::abs(got.green - want.green), 1) << "at " << x << "," << y;
      ASSERT_LE(std::abs(got.blue - want.blue), 1) << "at " << x << "," << y;
    }
  }
}

// The shapes a web album meets: a half-size decode reduced by 1.2, an odd height halved by the
// decoder (one axis whole, the other a hair off), a part of the picture for a thumb, a large
// reduction, and a copy.
INSTANTIATE_TEST_SUITE_P(
    Shapes, FractionalArea,
    ::testing::Values(AreaCase{"ratio_1_2", 96, 64, {0, 0, 96, 64}, 80, 53},
                      AreaCase{"odd_height", 80, 54, {0, 0, 80, 53.5}, 80, 53},
                      AreaCase{"part", 90, 70, {10.5, 7.25, 70.5, 47.25}, 23, 17},
                      AreaCase{"large_reduction", 200, 150, {0, 0, 200, 150}, 37, 27},
                      AreaCase{"copy", 31, 9, {0, 0, 31, 9}, 31, 9}),
    [](const ::testing::TestParamInfo<AreaCase>& info) { return std::string(info.param.name); });

}  // namespace
