#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "imaging/ImageWrap.h"
#include "tests/support/TestPictures.h"

namespace {

struct ScaleCase {
  int width, height, longestSide;
  int factor;  // 0 when the reduction fails
  int displayWidth, displayHeight;
  int bitmapWidth, bitmapHeight;
};

void PrintTo(const ScaleCase& c, std::ostream* os) {
  *os << c.width << "x" << c.height << " at " << c.longestSide;
}

class ScaleToFitExample : public ::testing::TestWithParam<ScaleCase> {};

// "3000x2000_to_120": the picture and the longest side it is reduced to.
std::string ScaleCaseName(const testing::TestParamInfo<ScaleCase>& info) {
  return std::to_string(info.param.width) + "x" + std::to_string(info.param.height) + "_to_" +
         std::to_string(info.param.longestSide);
}

TEST_P(ScaleToFitExample, GivesDisplaySizeBitmapSizeAndBlockColours) {
  const ScaleCase& c = GetParam();
  // Every factor x factor block of one colour, which its reduced pixel keeps.
  const int n = std::max(c.factor, 1);
  const CImageWrap source =
      MakePicture24(c.width, c.height, [n](int x, int y) { return CoordinateColour(x / n, y / n); });
  CImageWrap thumb;
  const int result = source.ScaleToFit(thumb, c.longestSide);
  EXPECT_EQ(thumb.displayWidth, c.displayWidth);
  EXPECT_EQ(thumb.displayHeight, c.displayHeight);
  if (c.factor == 0) {
    EXPECT_EQ(result, 0);
    EXPECT_FALSE(thumb.HasBitmap());
    return;
  }
  ASSERT_EQ(result, 1);
  ASSERT_EQ(thumb.Width(), c.bitmapWidth);
  ASSERT_EQ(thumb.Height(), c.bitmapHeight);
  EXPECT_EQ(thumb.BitsPerPixel(), 24);
  for (int y = 0; y < thumb.Height(); ++y) {
    for (int x = 0; x < thumb.Width(); ++x) {
      ASSERT_EQ(PixelAt(thumb, x, y), CoordinateColour(x, y)) << "at " << x << "," << y;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(WorkedExamples, ScaleToFitExample,
                         ::testing::Values(ScaleCase{3000, 2000, 120, 25, 120, 80, 120, 80},
                                           ScaleCase{2000, 3000, 120, 25, 80, 120, 80, 120},
                                           ScaleCase{1024, 768, 120, 9, 120, 90, 113, 85},
                                           ScaleCase{640, 480, 120, 6, 120, 90, 106, 80},
                                           ScaleCase{100, 80, 120, 1, 120, 96, 100, 80},
                                           ScaleCase{3000, 2000, 800, 4, 800, 533, 750, 500},
                                           // A side shorter than the factor becomes one pixel.
                                           ScaleCase{5000, 20, 120, 42, 120, 1, 119, 1}),
                         ScaleCaseName);

INSTANTIATE_TEST_SUITE_P(
    EdgeCases, ScaleToFitExample,
    ::testing::Values(
        // A square picture fills the square.
        ScaleCase{500, 500, 120, 5, 120, 120, 100, 100},
        // Exactly L on the longer side keeps every pixel.
        ScaleCase{120, 60, 120, 1, 120, 60, 120, 60},
        // One pixel more needs a factor of 2.
        ScaleCase{121, 60, 120, 2, 120, 59, 60, 30},
        // The web album's "no limit" value copies every picture below it unchanged.
        ScaleCase{1500, 1000, 2000, 1, 2000, 1333, 1500, 1000},
        // So does a width below the factor, and a side of 2 at a factor of 3.
        ScaleCase{20, 5000, 120, 42, 1, 120, 1, 119},
        ScaleCase{300, 2, 120, 3, 120, 1, 100, 1}),
    ScaleCaseName);

TEST(ScaleToFit, SmallerPictureIsAnExactCopyShownEnlarged) {
  const CImageWrap source = MakePicture24(100, 80, GradientColour);
  CImageWrap thumb;
  ASSERT_EQ(source.ScaleToFit(thumb, 120), 1);
  EXPECT_EQ(thumb.displayWidth, 120);
  EXPECT_EQ(thumb.displayHeight, 96);
  for (int y = 0; y < 80; ++y) {
    ASSERT_EQ(std::memcmp(thumb.bitmap.Row(y), source.bitmap.Row(y), 300), 0) << "row " << y;
  }
}

// Fine detail averages out instead of breaking into steps: a checkerboard of single black
// and white pixels becomes one grey, in colour and in a grey JPEG's ramp alike.
TEST(ScaleToFit, ChequerboardAveragesToOneGrey) {
  const auto chequer = [](int x, int y) { return (x + y) % 2 == 0 ? uint8_t{0} : uint8_t{255}; };
  CImageWrap grey = MakePicture8(240, 160, chequer);
  for (int i = 0; i < 256; ++i) {
    const auto v = static_cast<uint8_t>(i);
    grey.bitmap.ColorTable()[static_cast<size_t>(i)] = RgbQuad{v, v, v, 0};
  }
  const CImageWrap colour = MakePicture24(240, 160, [&](int x, int y) {
    const uint8_t v = chequer(x, y);
    return Rgb{v, v, v};
  });
  const CImageWrap* const sources[] = {&colour, &grey};
  for (const CImageWrap* source : sources) {
    CImageWrap thumb;
    ASSERT_EQ(source->ScaleToFit(thumb, 120), 1);
    ASSERT_EQ(thumb.Width(), 120);
    ASSERT_EQ(thumb.Height(), 80);
    EXPECT_EQ(thumb.BitsPerPixel(), source->BitsPerPixel());
    for (int y = 0; y < thumb.Height(); ++y) {
      for (int x = 0; x < thumb.Width(); ++x) {
        ASSERT_EQ(PixelAt(thumb, x, y), (Rgb{128, 128, 128})) << "at " << x << "," << y;
      }
    }
  }
}

TEST(ScaleToFit, EightBitPictureGivesEightBitThumbWithTheSameColourTable) {
  const CImageWrap source =
      MakePicture8(240, 100, [](int x, int y) { return static_cast<uint8_t>(x + 3 * y); });
  CImageWrap thumb;
  ASSERT_EQ(source.ScaleToFit(thumb, 120), 1);
  EXPECT_EQ(thumb.BitsPerPixel(), 8);
  EXPECT_EQ(thumb.bitmap.ColorTable(), source.bitmap.ColorTable());
  ASSERT_EQ(thumb.Width(), 120);
  ASSERT_EQ(thumb.Height(), 50);
  // Index of source pixel (2 * 7, 2 * 5) = 14 + 30.
  EXPECT_EQ(thumb.bitmap.Row(5)[7], 44);
  EXPECT_EQ(thumb.bitmap.Row(49)[119], static_cast<uint8_t>(238 + 3 * 98));
}

TEST(ScaleToFit, RefusesAnEmptySourceAndANonPositiveSide) {
  CImageWrap empty;
  CImageWrap thumb;
  EXPECT_EQ(empty.ScaleToFit(thumb, 120), 0);
  const CImageWrap source = MakePicture24(10, 10, GradientColour);
  EXPECT_EQ(source.ScaleToFit(thumb, 0), 0);
  EXPECT_FALSE(thumb.HasBitmap());
}

TEST(ScaleToFit, ReplacesAnEarlierThumb) {
  const CImageWrap source = MakePicture24(300, 200, CoordinateColour);
  CImageWrap thumb = MakePicture8(7, 7, [](int, int) { return uint8_t{1}; });
  ASSERT_EQ(source.ScaleToFit(thumb, 100), 1);
  EXPECT_EQ(thumb.BitsPerPixel(), 24);
  EXPECT_EQ(thumb.Width(), 100);
  EXPECT_EQ(thumb.Height(), 66);
}

class SubsampleBadFactor : public ::testing::TestWithParam<int> {};

TEST_P(SubsampleBadFactor, FailsAndLeavesTheDestinationAlone) {
  const CImageWrap source = MakePicture24(40, 30, GradientColour);
  CImageWrap destination = MakePicture24(3, 2, GradientColour);
  destination.displayWidth = 11;
  EXPECT_EQ(source.Subsample(destination, GetParam()), 0);
  EXPECT_EQ(destination.Width(), 3);
  EXPECT_EQ(destination.Height(), 2);
  EXPECT_EQ(PixelAt(destination, 2, 1), GradientColour(2, 1));
  EXPECT_EQ(destination.displayWidth, 11);
}

// Below 1, above the height, above the width.
INSTANTIATE_TEST_SUITE_P(Factors, SubsampleBadFactor, ::testing::Values(0, -3, 31, 41),
                         [](const auto& info) {
                           const int factor = info.param;
                           return factor < 0 ? "Minus" + std::to_string(-factor)
                                             : "Factor" + std::to_string(factor);
                         });

TEST(Subsample, LeavesDisplaySizeAndDropsTheRemainderRowsAndColumns) {
  // White but for the rows and columns beyond the last whole 7 x 7 block.
  const CImageWrap source = MakePicture24(
      40, 30, [](int x, int y) { return x < 35 && y < 28 ? Rgb{255, 255, 255} : Rgb{}; });
  CImageWrap destination;
  destination.displayWidth = 77;
  destination.displayHeight = 55;
  ASSERT_EQ(source.Subsample(destination, 30), 1);
  EXPECT_EQ(destination.Width(), 1);
  EXPECT_EQ(destination.Height(), 1);
  EXPECT_EQ(destination.displayWidth, 77);
  EXPECT_EQ(destination.displayHeight, 55);
  ASSERT_EQ(source.Subsample(destination, 7), 1);
  EXPECT_EQ(destination.Width(), 5);
  EXPECT_EQ(destination.Height(), 4);
  EXPECT_EQ(PixelAt(destination, 4, 3), (Rgb{255, 255, 255}));
}

TEST(Subsample, IntoItselfReadsThePixelsBeforeReplacingThem) {
  CImageWrap picture =
      MakePicture24(40, 30, [](int x, int y) { return CoordinateColour(x / 3, y / 3); });
  ASSERT_EQ(picture.Subsample(picture, 3), 1);
  EXPECT_EQ(picture.Width(), 13);
  EXPECT_EQ(picture.Height(), 10);
  EXPECT_EQ(PixelAt(picture, 12, 9), CoordinateColour(12, 9));
}

}  // namespace
