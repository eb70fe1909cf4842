#include <gtest/gtest.h>

#include "imaging/ThumbBuild.h"
#include "tests/support/TestPictures.h"

namespace {

TEST(BuildThumbFromPicture, EmptyRectangleUsesTheWholePicture) {
  const CImageWrap picture = MakePicture24(1024, 768, CoordinateColour);
  Rect rect;
  CImageWrap cropArea;
  CImageWrap thumb;
  ASSERT_EQ(BuildThumbFromPicture(picture, rect, cropArea, thumb, 120), 1);
  EXPECT_EQ(thumb.Width(), 113);
  EXPECT_EQ(thumb.Height(), 85);
  EXPECT_EQ(thumb.displayWidth, 120);
  EXPECT_EQ(thumb.displayHeight, 90);
  EXPECT_EQ(PixelAt(thumb, 112, 84), CoordinateColour(112 * 9, 84 * 9));
  EXPECT_FALSE(cropArea.HasBitmap());
}

TEST(BuildThumbFromPicture, RectangleGivesItsContentWithItsAspect) {
  const CImageWrap picture = MakePicture24(400, 300, CoordinateColour);
  Rect rect{100, 50, 340, 110};  // 240 x 60
  CImageWrap cropArea;
  CImageWrap thumb;
  ASSERT_EQ(BuildThumbFromPicture(picture, rect, cropArea, thumb, 120), 1);
  EXPECT_EQ(cropArea.Width(), 240);
  EXPECT_EQ(cropArea.Height(), 60);
  EXPECT_EQ(thumb.displayWidth, 120);
  EXPECT_EQ(thumb.displayHeight, 30);
  EXPECT_EQ(thumb.Width(), 120);
  EXPECT_EQ(thumb.Height(), 30);
  EXPECT_EQ(PixelAt(thumb, 0, 0), CoordinateColour(100, 50));
  EXPECT_EQ(PixelAt(thumb, 3, 2), CoordinateColour(106, 54));
}

TEST(BuildThumbFromPicture, RectangleIsClampedToThePictureInPlace) {
  const CImageWrap picture = MakePicture24(400, 300, CoordinateColour);
  Rect rect{300, 200, 900, 900};
  CImageWrap cropArea;
  CImageWrap thumb;
  ASSERT_EQ(BuildThumbFromPicture(picture, rect, cropArea, thumb, 120), 1);
  EXPECT_EQ(rect, (Rect{300, 200, 400, 300}));
  EXPECT_EQ(thumb.displayWidth, 120);
  EXPECT_EQ(thumb.displayHeight, 120);
}

TEST(BuildThumbFromPicture, RectangleOutsideThePictureFailsWithoutAStaleThumb) {
  const CImageWrap picture = MakePicture24(400, 300, CoordinateColour);
  CImageWrap cropArea = MakePicture24(50, 50, GradientColour);  // left from an earlier build
  CImageWrap thumb;
  Rect rect{500, 10, 600, 100};
  EXPECT_EQ(BuildThumbFromPicture(picture, rect, cropArea, thumb, 120), 0);
  EXPECT_FALSE(thumb.HasBitmap());
}

TEST(BuildThumbFromPicture, LongThinPictureFails) {
  const CImageWrap picture = MakePicture24(5000, 20, CoordinateColour);
  Rect rect;
  CImageWrap cropArea;
  CImageWrap thumb;
  EXPECT_EQ(BuildThumbFromPicture(picture, rect, cropArea, thumb, 120), 0);
  EXPECT_FALSE(thumb.HasBitmap());
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
                                           WebCase{1999, 10, 2000, true}));

}  // namespace
