#include <gtest/gtest.h>

#include "imaging/ThumbBuild.h"
#include "tests/support/TestPictures.h"

namespace {

// The entry's two image slots that a thumb build fills.
class BuildThumb : public ::testing::Test {
 protected:
  int Build(const CImageWrap& picture, Rect& rect) {
    return BuildThumbFromPicture(picture, rect, cropArea, thumb, 120);
  }
  CImageWrap cropArea;
  CImageWrap thumb;
};

TEST_F(BuildThumb, EmptyRectangleUsesTheWholePicture) {
  Rect rect;
  const auto nineBlocks = [](int x, int y) { return CoordinateColour(x / 9 * 9, y / 9 * 9); };
  ASSERT_EQ(Build(MakePicture24(1024, 768, nineBlocks), rect), 1);
  EXPECT_EQ(thumb.Width(), 113);
  EXPECT_EQ(thumb.Height(), 85);
  EXPECT_EQ(thumb.displayWidth, 120);
  EXPECT_EQ(thumb.displayHeight, 90);
  EXPECT_EQ(PixelAt(thumb, 112, 84), CoordinateColour(112 * 9, 84 * 9));
  EXPECT_FALSE(cropArea.HasBitmap());
}

TEST_F(BuildThumb, RectangleGivesItsContentWithItsAspect) {
  Rect rect{100, 50, 340, 110};  // 240 x 60, reduced by 2
  const auto twoBlocks = [](int x, int y) { return CoordinateColour(x & ~1, y & ~1); };
  ASSERT_EQ(Build(MakePicture24(400, 300, twoBlocks), rect), 1);
  EXPECT_EQ(cropArea.Width(), 240);
  EXPECT_EQ(cropArea.Height(), 60);
  EXPECT_EQ(thumb.displayWidth, 120);
  EXPECT_EQ(thumb.displayHeight, 30);
  EXPECT_EQ(thumb.Width(), 120);
  EXPECT_EQ(thumb.Height(), 30);
  EXPECT_EQ(PixelAt(thumb, 0, 0), CoordinateColour(100, 50));
  EXPECT_EQ(PixelAt(thumb, 3, 2), CoordinateColour(106, 54));
}

TEST_F(BuildThumb, RectangleIsClampedToThePictureInPlace) {
  Rect rect{300, 200, 900, 900};
  ASSERT_EQ(Build(MakePicture24(400, 300, CoordinateColour), rect), 1);
  EXPECT_EQ(rect, (Rect{300, 200, 400, 300}));
  EXPECT_EQ(thumb.displayWidth, 120);
  EXPECT_EQ(thumb.displayHeight, 120);
}

TEST_F(BuildThumb, RectangleOutsideThePictureFailsWithoutAStaleThumb) {
  cropArea = MakePicture24(50, 50, GradientColour);  // left from an earlier build
  Rect rect{500, 10, 600, 100};
  EXPECT_EQ(Build(MakePicture24(400, 300, CoordinateColour), rect), 0);
  EXPECT_FALSE(thumb.HasBitmap());
}

// Each pixel of the one row is the mean of its 42 columns over all 20 rows.
TEST_F(BuildThumb, LongThinPictureGetsAThumbOneRowHigh) {
  const auto stripes = [](int x, int y) {
    return Rgb{0, 0, static_cast<uint8_t>(x / 42 % 2 * 200 + (y < 10 ? 0 : 40))};
  };
  Rect rect;
  ASSERT_EQ(Build(MakePicture24(5000, 20, stripes), rect), 1);
  EXPECT_EQ(thumb.Width(), 119);
  EXPECT_EQ(thumb.Height(), 1);
  EXPECT_EQ(thumb.displayHeight, 1);
  EXPECT_EQ(PixelAt(thumb, 0, 0).blue, 20);
  EXPECT_EQ(PixelAt(thumb, 1, 0).blue, 220);
}

struct WebCase {
  int maxOsize, width, height;
  bool reduced;
};

class NeedsWebImageCase : public ::testing::TestWithParam<WebCase> {};

TEST_P(NeedsWebImageCase, ReducesPicturesWithASideOfTheLimitOrMore) {
  const WebCase& c = GetParam();
  CImageWrap picture;
  ASSERT_EQ(CreateBitmap(picture.bitmap, c.width, c.height, 24), 1);
  EXPECT_EQ(NeedsWebImage(picture, c.maxOsize), c.reduced);
}

INSTANTIATE_TEST_SUITE_P(Limits, NeedsWebImageCase,
                         ::testing::Values(WebCase{2000, 3000, 2000, false},  // 2000: no limit
                                           WebCase{800, 3000, 2000, true},
                                           WebCase{800, 800, 600, true},
                                           WebCase{800, 600, 800, true},
                                           WebCase{800, 799, 799, false},
                                           WebCase{1999, 10, 2000, true}),
                         [](const auto& info) {
                           return std::to_string(info.param.width) + "x" +
                                  std::to_string(info.param.height) + "_limit" +
                                  std::to_string(info.param.maxOsize);
                         });

struct ShrinkCase {
  int width, height;
  Rect thumbRect;
  int maxOsize;
  bool withLarge;
  int divisor;
};

void PrintTo(const ShrinkCase& c, std::ostream* os) {
  *os << c.width << "x" << c.height << (c.thumbRect.IsEmpty() ? "" : " part") << " at "
      << c.maxOsize << (c.withLarge ? "" : " thumb only");
}

class ShrinkForCase : public ::testing::TestWithParam<ShrinkCase> {};

// The decoder may reduce as far as the thumb (120) and the large copy still get a decoded
// pixel for each of theirs, and no further.
TEST_P(ShrinkForCase, KeepsTheResolutionThatThumbAndLargeCopyNeed) {
  const ShrinkCase& c = GetParam();
  EXPECT_EQ(ShrinkFor(c.width, c.height, c.thumbRect, 120, c.maxOsize, c.withLarge), c.divisor);
}

INSTANTIATE_TEST_SUITE_P(
    Pictures, ShrinkForCase,
    ::testing::Values(ShrinkCase{4000, 3000, {}, 800, true, 4},    // 1000 x 750 for 800 x 600
                      ShrinkCase{2000, 1500, {}, 800, true, 2},    // 500 would be below 800
                      ShrinkCase{1600, 900, {}, 800, true, 2},     // exactly 800 x 450
                      ShrinkCase{1500, 900, {}, 800, true, 1},     // 750 would be below 800
                      ShrinkCase{4000, 3000, {}, 2000, true, 1},   // the picture is the large file
                      ShrinkCase{640, 480, {}, 800, true, 1},      // below the limit: the same
                      ShrinkCase{4000, 3000, {}, 800, false, 8},   // the thumb alone
                      ShrinkCase{4000, 3000, {0, 0, 600, 400}, 800, false, 4},  // factor 5
                      ShrinkCase{4000, 3000, {0, 0, 200, 150}, 800, true, 2},   // factor 2
                      ShrinkCase{10000, 5, {}, 800, true, 8}),     // 800 x 1 from 1250 x 1
    [](const auto& info) {
      const ShrinkCase& c = info.param;
      const Rect& part = c.thumbRect;
      return std::to_string(c.width) + "x" + std::to_string(c.height) + "_limit" +
             std::to_string(c.maxOsize) +
             (part.IsEmpty() ? ""
                             : "_part" + std::to_string(part.Width()) + "x" +
                                   std::to_string(part.Height())) +
             (c.withLarge ? "" : "_thumbOnly");
    });

// With the copy at twice the large copy's size, the decode keeps its pixels too: 1600 x 1200
// of 4000 x 3000 for 800 x 600.
TEST(ShrinkFor, KeepsTheResolutionOfTheDoubleCopy) {
  EXPECT_EQ(ShrinkFor(4000, 3000, {}, 120, 800, true, false), 4);
  EXPECT_EQ(ShrinkFor(4000, 3000, {}, 120, 800, true, true), 2);
  EXPECT_EQ(ShrinkFor(4000, 3000, {}, 120, 800, false, true), 8);  // no large file at all
}

// On a screen of two device pixels per sheet pixel the sketch has twice the thumb's pixels,
// so that stripes two pixels wide stay stripes where the thumb is a flat grey; and it shows
// the very area of the picture that the thumb shows: the last column, which the thumb's
// whole blocks leave out, is left out of the sketch too.
TEST(BuildSketch, AtTwiceTheRatioKeepsFineDetailOfTheThumbsArea) {
  const CImageWrap stripes =
      MakePicture24(480, 360, [](int x, int) { return (x / 2) % 2 ? Rgb{255, 255, 255} : Rgb{}; });
  CImageWrap thumb;
  CImageWrap sketch;
  Rect whole;
  ASSERT_EQ(BuildSketch(WholePicture(stripes), whole, 120, 1, thumb), 1);
  ASSERT_EQ(BuildSketch(WholePicture(stripes), whole, 120, 2, sketch), 1);
  EXPECT_EQ(thumb.Width(), 120);
  EXPECT_EQ(PixelAt(thumb, 7, 5).red, 128);
  ASSERT_EQ(sketch.Width(), 240);
  ASSERT_EQ(sketch.Height(), 180);
  EXPECT_EQ(sketch.displayWidth, 120);
  EXPECT_EQ(PixelAt(sketch, 6, 5), (Rgb{}));
  EXPECT_EQ(PixelAt(sketch, 7, 5), (Rgb{255, 255, 255}));

  for (const int red : {998, 999}) {
    const CImageWrap edge = MakePicture24(1000, 500, [red](int x, int) {
      return x == red ? Rgb{255, 0, 0} : Rgb{255, 255, 255};
    });
    ASSERT_EQ(BuildSketch(WholePicture(edge), whole, 120, 1, thumb), 1);
    ASSERT_EQ(BuildSketch(WholePicture(edge), whole, 120, 2, sketch), 1);
    ASSERT_EQ(thumb.Width(), 111);  // 999 of the 1000 columns
    const bool shown = red == 998;
    EXPECT_EQ(PixelAt(thumb, 110, 10).green < 255, shown) << red;
    EXPECT_EQ(PixelAt(sketch, 239, 20).green < 255, shown) << red;
  }
}

}  // namespace
