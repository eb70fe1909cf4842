#include <gtest/gtest.h>

#include "imaging/ImageWrap.h"
#include "tests/support/TestPictures.h"
#include "tests/support/CaseName.h"

namespace {

struct CropCase {
  const char* name;
  Rect asked;
  Rect clamped;
  int result;
};

void PrintTo(const CropCase& c, std::ostream* os) { *os << c.name; }

class CropToClamping : public ::testing::TestWithParam<CropCase> {};

// The source is 20 x 10 pixels.
TEST_P(CropToClamping, ClampsTheRectangleInPlaceAndCopiesItsPixels) {
  const CropCase& c = GetParam();
  const CImageWrap source = MakePicture24(20, 10, CoordinateColour);
  CImageWrap destination = MakePicture24(2, 2, GradientColour);
  destination.displayWidth = 9;
  Rect rect = c.asked;
  EXPECT_EQ(source.CropTo(rect, destination), c.result);
  EXPECT_EQ(rect, c.clamped);
  EXPECT_EQ(destination.displayWidth, 9);
  if (c.result == 0) {
    // Untouched.
    EXPECT_EQ(destination.Width(), 2);
    EXPECT_EQ(PixelAt(destination, 1, 1), GradientColour(1, 1));
    return;
  }
  ASSERT_EQ(destination.Width(), c.clamped.Width());
  ASSERT_EQ(destination.Height(), c.clamped.Height());
  EXPECT_EQ(PixelAt(destination, 0, 0), CoordinateColour(c.clamped.left, c.clamped.top));
  for (int y = 0; y < destination.Height(); ++y) {
    for (int x = 0; x < destination.Width(); ++x) {
      ASSERT_EQ(PixelAt(destination, x, y), CoordinateColour(x + rect.left, y + rect.top));
    }
  }
}

INSTANTIATE_TEST_SUITE_P(
    Rectangles, CropToClamping,
    ::testing::Values(CropCase{"inside", {3, 2, 8, 9}, {3, 2, 8, 9}, 1},
                      CropCase{"pastRightAndBottom", {15, 4, 25, 400}, {15, 4, 20, 10}, 1},
                      CropCase{"startingLeftAndAbove", {-5, -3, 4, 2}, {0, 0, 4, 2}, 1},
                      CropCase{"wholePicture", {-1, -1, 20, 10}, {0, 0, 20, 10}, 1},
                      CropCase{"rightOfThePicture", {22, 1, 30, 5}, {22, 1, 20, 5}, 0},
                      CropCase{"aboveThePicture", {1, -9, 5, -2}, {1, 0, 5, -2}, 0},
                      CropCase{"emptyAsked", {4, 4, 4, 8}, {4, 4, 4, 8}, 0}),
    ByNameField());

TEST(CropTo, EightBitPictureStaysEightBitWithTheSameColourTable) {
  const CImageWrap source =
      MakePicture8(9, 6, [](int x, int y) { return static_cast<uint8_t>(10 * y + x); });
  CImageWrap destination;
  Rect rect{3, 1, 8, 4};
  ASSERT_EQ(source.CropTo(rect, destination), 1);
  EXPECT_EQ(destination.BitsPerPixel(), 8);
  EXPECT_EQ(destination.bitmap.ColorTable(), source.bitmap.ColorTable());
  EXPECT_EQ(destination.Width(), 5);
  EXPECT_EQ(destination.Height(), 3);
  EXPECT_EQ(destination.bitmap.Row(0)[0], 13);
  EXPECT_EQ(destination.bitmap.Row(2)[4], 37);
}

TEST(CropTo, IntoItselfCutsThePicture) {
  CImageWrap picture = MakePicture24(20, 10, CoordinateColour);
  Rect rect{5, 5, 9, 7};
  ASSERT_EQ(picture.CropTo(rect, picture), 1);
  EXPECT_EQ(picture.Width(), 4);
  EXPECT_EQ(picture.Height(), 2);
  EXPECT_EQ(PixelAt(picture, 3, 1), CoordinateColour(8, 6));
}

TEST(CropTo, EmptySourceCutsNothing) {
  CImageWrap empty;
  CImageWrap destination;
  Rect rect{0, 0, 5, 5};
  EXPECT_EQ(empty.CropTo(rect, destination), 0);
  EXPECT_FALSE(destination.HasBitmap());
}

}  // namespace
