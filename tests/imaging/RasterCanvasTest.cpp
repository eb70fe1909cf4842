#include <gtest/gtest.h>

#include "imaging/FramePatterns.h"
#include "imaging/RasterCanvas.h"
#include "tests/support/TestPictures.h"

namespace {

constexpr uint32_t kRed = 0x0000FF;  // 0x00BBGGRR
constexpr uint32_t kNavy = 0x800000;

CRasterCanvas MakeCanvas(int width, int height) {
  CRasterCanvas canvas;
  EXPECT_TRUE(canvas.Create(width, height));
  return canvas;
}

TEST(RasterCanvas, StartsWhiteAndRefusesEmptySizes) {
  CRasterCanvas canvas = MakeCanvas(3, 2);
  EXPECT_EQ(canvas.Pixels().size, 18);
  EXPECT_EQ(canvas.GetPixel(2, 1), kCanvasWhite);
  CRasterCanvas none;
  EXPECT_FALSE(none.Create(0, 5));
  EXPECT_TRUE(none.Pixels().IsEmpty());
}

TEST(RasterCanvas, StoresPixelsAsRedGreenBlue) {
  CRasterCanvas canvas = MakeCanvas(2, 2);
  canvas.SetPixel(1, 0, 0x332211);
  const uint8_t* p = canvas.Pixels().Pixel(1, 0);
  EXPECT_EQ(p[0], 0x11);
  EXPECT_EQ(p[1], 0x22);
  EXPECT_EQ(p[2], 0x33);
  canvas.SetPixel(5, -1, kRed);  // clipped, no write out of bounds
}

struct BrushPixel {
  const char* name;
  CCanvasBrush brush;
  int x;
  int y;
  uint32_t expected;
};

class BrushPixels : public testing::TestWithParam<BrushPixel> {};

TEST_P(BrushPixels, FillGivesTheBrushColourAnchoredAtTheOrigin) {
  const BrushPixel& c = GetParam();
  CRasterCanvas canvas = MakeCanvas(24, 24);
  canvas.FillRect(Rect{-5, -5, 30, 30}, c.brush);
  EXPECT_EQ(canvas.GetPixel(c.x, c.y), c.expected) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Brushes, BrushPixels,
    testing::Values(
        BrushPixel{"solid", CCanvasBrush::Solid(kNavy), 13, 7, kNavy},
        BrushPixel{"hatch falling diagonal", CCanvasBrush::DiagCross(kRed), 11, 3, kRed},
        BrushPixel{"hatch rising diagonal", CCanvasBrush::DiagCross(kRed), 3, 12, kRed},
        BrushPixel{"hatch origin", CCanvasBrush::DiagCross(kRed), 0, 0, kRed},
        BrushPixel{"hatch gap is white", CCanvasBrush::DiagCross(kRed), 1, 0, kCanvasWhite},
        BrushPixel{"hatch centre of a cell", CCanvasBrush::DiagCross(kRed), 4, 0, kCanvasWhite},
        BrushPixel{"stars red arm", CCanvasBrush::Pattern(StarsPattern()), 1, 1, 0x0000FF},
        BrushPixel{"stars tiled", CCanvasBrush::Pattern(StarsPattern()), 17, 14, 0x0000FF},
        BrushPixel{"stars magenta core", CCanvasBrush::Pattern(StarsPattern()), 3, 4, 0xFF00FF},
        BrushPixel{"stars yellow", CCanvasBrush::Pattern(StarsPattern()), 3, 2, 0x00FFFF},
        BrushPixel{"dots silver", CCanvasBrush::Pattern(DotsPattern()), 3, 2, 0xC0C0C0},
        BrushPixel{"dots cyan", CCanvasBrush::Pattern(DotsPattern()), 11, 11, 0xFFFF00},
        BrushPixel{"dots background", CCanvasBrush::Pattern(DotsPattern()), 0, 0, kCanvasWhite}),
    [](const auto& info) {
      std::string name = info.param.name;
      for (char& ch : name) {
        if (ch == ' ') ch = '_';
      }
      return name;
    });

TEST(RasterCanvas, FrameRectLeavesRightAndBottomOutAndTheInsideAlone) {
  CRasterCanvas canvas = MakeCanvas(10, 10);
  canvas.FillRect(Rect{0, 0, 10, 10}, CCanvasBrush::Solid(kRed));
  canvas.FrameRect(Rect{2, 2, 6, 5});
  EXPECT_EQ(canvas.GetPixel(2, 2), kCanvasBlack);
  EXPECT_EQ(canvas.GetPixel(5, 4), kCanvasBlack);
  EXPECT_EQ(canvas.GetPixel(6, 4), kRed);
  EXPECT_EQ(canvas.GetPixel(5, 5), kRed);
  EXPECT_EQ(canvas.GetPixel(3, 3), kRed);
}

TEST(RasterCanvas, RoundRectWithoutCornersIsAFilledSquareWithAnOutline) {
  CRasterCanvas canvas = MakeCanvas(8, 8);
  canvas.RoundRect(Rect{1, 1, 6, 6}, 0, 0, CCanvasBrush::Solid(kRed));
  EXPECT_EQ(canvas.GetPixel(1, 1), kCanvasBlack);
  EXPECT_EQ(canvas.GetPixel(5, 5), kCanvasBlack);
  EXPECT_EQ(canvas.GetPixel(3, 1), kCanvasBlack);
  EXPECT_EQ(canvas.GetPixel(2, 2), kRed);
  EXPECT_EQ(canvas.GetPixel(4, 4), kRed);
  EXPECT_EQ(canvas.GetPixel(6, 6), kCanvasWhite);
}

TEST(RasterCanvas, RoundRectCornersAreOutsideAndTheShapeIsSymmetric) {
  CRasterCanvas canvas = MakeCanvas(40, 30);
  canvas.RoundRect(Rect{0, 0, 40, 30}, 12, 12, CCanvasBrush::Solid(kRed));
  EXPECT_EQ(canvas.GetPixel(0, 0), kCanvasWhite);
  EXPECT_EQ(canvas.GetPixel(1, 1), kCanvasWhite);
  EXPECT_EQ(canvas.GetPixel(39, 29), kCanvasWhite);
  // Straight edges start where the corner ellipses end.
  EXPECT_EQ(canvas.GetPixel(6, 0), kCanvasBlack);
  EXPECT_EQ(canvas.GetPixel(0, 6), kCanvasBlack);
  EXPECT_EQ(canvas.GetPixel(20, 1), kRed);
  for (int y = 0; y < 30; ++y) {
    for (int x = 0; x < 40; ++x) {
      ASSERT_EQ(canvas.GetPixel(x, y), canvas.GetPixel(39 - x, y)) << x << "," << y;
      ASSERT_EQ(canvas.GetPixel(x, y), canvas.GetPixel(x, 29 - y)) << x << "," << y;
    }
  }
  // The outline is closed: every row has black at both ends of the shape.
  for (int y = 0; y < 30; ++y) {
    int first = 0;
    while (canvas.GetPixel(first, y) == kCanvasWhite) ++first;
    EXPECT_EQ(canvas.GetPixel(first, y), kCanvasBlack) << y;
    EXPECT_LT(first, 6) << y;
  }
}

TEST(RasterCanvas, StretchRepeatsPixelsToFillTheRectangle) {
  const CImageWrap picture = MakePicture24(2, 2, [](int x, int y) {
    return Rgb{static_cast<uint8_t>(x * 100), static_cast<uint8_t>(y * 100), 7};
  });
  CRasterCanvas canvas = MakeCanvas(6, 6);
  ASSERT_EQ(canvas.StretchBitmap(picture.bitmap, Rect{1, 1, 5, 5}), 1);
  EXPECT_EQ(canvas.GetPixel(1, 1), 0x070000u);
  EXPECT_EQ(canvas.GetPixel(2, 2), 0x070000u);
  EXPECT_EQ(canvas.GetPixel(3, 1), 0x070064u);  // red 100
  EXPECT_EQ(canvas.GetPixel(4, 4), 0x076464u);
  EXPECT_EQ(canvas.GetPixel(5, 5), kCanvasWhite);
}

TEST(RasterCanvas, DrawImageUsesTheColourTableAndTheDisplaySize) {
  CImageWrap picture = MakePicture8(3, 2, [](int x, int) { return static_cast<uint8_t>(x * 100); });
  CRasterCanvas canvas = MakeCanvas(8, 8);
  ASSERT_EQ(canvas.DrawImage(picture, 0, 0, 1), 1);  // no display size: natural size
  EXPECT_EQ(canvas.GetPixel(2, 1), 0x6437C8u);       // entry 200 = red 200, green 55, blue 100
  EXPECT_EQ(canvas.GetPixel(3, 1), kCanvasWhite);
  picture.displayWidth = 6;
  picture.displayHeight = 4;
  ASSERT_EQ(canvas.DrawImage(picture, 0, 0, 1), 1);
  EXPECT_EQ(canvas.GetPixel(5, 3), 0x6437C8u);
  CImageWrap empty;
  EXPECT_EQ(canvas.DrawImage(empty, 0, 0, 1), 0);
}

}  // namespace
