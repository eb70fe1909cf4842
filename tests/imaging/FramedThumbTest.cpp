#include <gtest/gtest.h>

#include "imaging/FramedThumb.h"
#include "imaging/RasterCanvas.h"
#include "tests/support/TestPictures.h"

namespace {

constexpr int32_t kRed = 0x0000FF;  // 0x00BBGGRR
constexpr int32_t kGreen = 0x00FF00;
const Rgb kWhite{255, 255, 255};
const Rgb kBlack{0, 0, 0};
const Rgb kFrameRed{255, 0, 0};
const Rgb kPictureColour{10, 200, 30};

Rgb BufferPixel(const CPixelBuffer& buffer, int x, int y) {
  const uint8_t* p = buffer.Pixel(x, y);
  return {p[0], p[1], p[2]};
}

// A thumb of one colour whose display size is its bitmap size.
CImageWrap PlainThumb(int width, int height) {
  CImageWrap thumb = MakePicture24(width, height, [](int, int) { return kPictureColour; });
  thumb.displayWidth = width;
  thumb.displayHeight = height;
  return thumb;
}

TEST(FramedThumb, LandscapeThumbSitsInTheMiddleOfDeepBandsAboveAndBelow) {
  CImageWrap thumb = PlainThumb(120, 80);
  CPixelBuffer out;
  ASSERT_EQ(RenderFramedThumb(thumb, out, 132, 132, 6, kRed, kFrameSolid), 1);
  ASSERT_EQ(out.width, 132);
  ASSERT_EQ(out.height, 132);
  ASSERT_EQ(out.bytesPerPixel, 3);
  // Down the middle column: outline, 25 rows of frame, the picture's outline at row 26 (the
  // band is 26 rows deep), the picture, and the same below.
  EXPECT_EQ(BufferPixel(out, 66, 0), kBlack);
  EXPECT_EQ(BufferPixel(out, 66, 1), kFrameRed);
  EXPECT_EQ(BufferPixel(out, 66, 25), kFrameRed);
  EXPECT_EQ(BufferPixel(out, 66, 26), kBlack);
  EXPECT_EQ(BufferPixel(out, 66, 27), kPictureColour);
  EXPECT_EQ(BufferPixel(out, 66, 104), kPictureColour);
  EXPECT_EQ(BufferPixel(out, 66, 105), kBlack);
  EXPECT_EQ(BufferPixel(out, 66, 106), kFrameRed);
  EXPECT_EQ(BufferPixel(out, 66, 130), kFrameRed);
  EXPECT_EQ(BufferPixel(out, 66, 131), kBlack);
  // Across the middle row the band is only the gap deep.
  EXPECT_EQ(BufferPixel(out, 0, 66), kBlack);
  EXPECT_EQ(BufferPixel(out, 5, 66), kFrameRed);
  EXPECT_EQ(BufferPixel(out, 6, 66), kBlack);
  EXPECT_EQ(BufferPixel(out, 7, 66), kPictureColour);
  EXPECT_EQ(BufferPixel(out, 125, 66), kBlack);
  EXPECT_EQ(BufferPixel(out, 126, 66), kFrameRed);
  EXPECT_EQ(BufferPixel(out, 131, 66), kBlack);
}

TEST(FramedThumb, ACellOfNoSizeGivesAnEmptyBuffer) {
  CImageWrap thumb = PlainThumb(120, 80);
  CPixelBuffer out;
  ASSERT_EQ(RenderFramedThumb(thumb, out, 132, 132, 6, kRed, kFrameSolid), 1);
  EXPECT_EQ(RenderFramedThumb(thumb, out, 0, 132, 6, kRed, kFrameSolid), 0);
  EXPECT_TRUE(out.IsEmpty());
}

TEST(FramedThumb, CornersOutsideTheRoundedFrameStayWhite) {
  CImageWrap thumb = PlainThumb(80, 120);
  CPixelBuffer out;
  ASSERT_EQ(RenderFramedThumb(thumb, out, 132, 132, 6, kRed, kFrameSolid), 1);
  for (auto [x, y] : {std::pair{0, 0}, {1, 1}, {131, 0}, {0, 131}, {131, 131}, {130, 130}}) {
    EXPECT_EQ(BufferPixel(out, x, y), kWhite) << x << "," << y;
  }
  EXPECT_EQ(BufferPixel(out, 3, 3), kFrameRed);
}

TEST(FramedThumb, GapZeroIsAPlainBlackSquareAroundThePictureSquare) {
  CImageWrap square = PlainThumb(40, 40);
  CPixelBuffer out;
  ASSERT_EQ(RenderFramedThumb(square, out, 40, 40, 0, kRed, kFrameSolid), 1);
  for (int i = 0; i < 40; ++i) {
    EXPECT_EQ(BufferPixel(out, i, 0), kBlack) << i;
    EXPECT_EQ(BufferPixel(out, i, 39), kBlack) << i;
    EXPECT_EQ(BufferPixel(out, 0, i), kBlack) << i;
    EXPECT_EQ(BufferPixel(out, 39, i), kBlack) << i;
  }
  EXPECT_EQ(BufferPixel(out, 1, 1), kPictureColour);
  EXPECT_EQ(BufferPixel(out, 38, 38), kPictureColour);
}

TEST(FramedThumb, PatternKindsIgnoreTheColour) {
  for (int kind : {kFrameStars, kFrameDots}) {
    CImageWrap first = PlainThumb(60, 40);
    CImageWrap second = PlainThumb(60, 40);
    CPixelBuffer red;
    CPixelBuffer green;
    ASSERT_EQ(RenderFramedThumb(first, red, 72, 72, 6, kRed, kind), 1);
    ASSERT_EQ(RenderFramedThumb(second, green, 72, 72, 6, kGreen, kind), 1);
    EXPECT_TRUE(std::equal(red.data.get(), red.data.get() + red.size, green.data.get())) << kind;
  }
  // The patterns lie on the cell's origin: stars' red arm at (9, 9), dots' silver at (11, 10).
  CImageWrap thumb = PlainThumb(60, 40);
  CPixelBuffer stars;
  RenderFramedThumb(thumb, stars, 72, 72, 6, kGreen, kFrameStars);
  EXPECT_EQ(BufferPixel(stars, 9, 9), kFrameRed);
  CPixelBuffer dots;
  RenderFramedThumb(thumb, dots, 72, 72, 6, kGreen, kFrameDots);
  EXPECT_EQ((BufferPixel(dots, 11, 10)), (Rgb{192, 192, 192}));
}

TEST(FramedThumb, HatchIsDrawnInTheColourOnWhite) {
  CImageWrap thumb = PlainThumb(60, 40);
  CPixelBuffer out;
  ASSERT_EQ(RenderFramedThumb(thumb, out, 72, 72, 6, kRed, kFrameHatch), 1);
  EXPECT_EQ(BufferPixel(out, 8, 8), kFrameRed);
  EXPECT_EQ(BufferPixel(out, 9, 14), kFrameRed);  // 9 + 14 = 23: the rising diagonal
  EXPECT_EQ(BufferPixel(out, 9, 8), kWhite);
}

TEST(FramedThumb, UnknownBrushKindFillsTheFrameWithWhite) {
  CImageWrap thumb = PlainThumb(60, 40);
  CPixelBuffer out;
  ASSERT_EQ(RenderFramedThumb(thumb, out, 72, 72, 6, kRed, 7), 1);
  EXPECT_EQ(BufferPixel(out, 36, 3), kWhite);
  EXPECT_EQ(BufferPixel(out, 36, 0), kBlack);
}

TEST(FramedThumb, EightBitThumbBecomesTrueColourWithTheSameColours) {
  CImageWrap thumb =
      MakePicture8(30, 20, [](int x, int y) { return static_cast<uint8_t>(x * 8 + y); });
  thumb.displayWidth = 30;
  thumb.displayHeight = 20;
  const Rgb before = PixelAt(thumb, 17, 9);
  CRasterCanvas canvas;
  ASSERT_TRUE(canvas.Create(42, 42));
  ASSERT_EQ(thumb.DrawFramed(6, 6, canvas, 6, kRed, kFrameSolid), 1);
  EXPECT_EQ(thumb.BitsPerPixel(), 24);
  EXPECT_EQ(PixelAt(thumb, 17, 9), before);
  for (int y = 0; y < 20; ++y) {
    for (int x = 0; x < 30; ++x) {
      ASSERT_EQ(PixelAt(thumb, x, y),
                (Rgb{static_cast<uint8_t>(x * 8 + y), static_cast<uint8_t>(255 - (x * 8 + y)),
                     static_cast<uint8_t>((x * 8 + y) / 2)}));
    }
  }
  // The picture square starts at (6, 6) and the 30 x 20 picture 5 rows lower: (17, 9) lies
  // at (23, 20).
  EXPECT_EQ(canvas.GetPixel(23, 20),
            before.red | (before.green << 8) | (static_cast<uint32_t>(before.blue) << 16));
}

TEST(FramedThumb, SmallerBitmapIsStretchedToItsDisplaySize) {
  // A 113 x 85 bitmap shown at 120 x 90, as a thumb of a 1024 x 768 picture is.
  CImageWrap thumb = MakePicture24(113, 85, [](int, int) { return kPictureColour; });
  thumb.displayWidth = 120;
  thumb.displayHeight = 90;
  CPixelBuffer out;
  ASSERT_EQ(RenderFramedThumb(thumb, out, 132, 132, 6, kRed, kFrameSolid), 1);
  // The picture square's top is 6 + 15; the picture reaches its full display size.
  EXPECT_EQ(BufferPixel(out, 6 + 118, 21 + 88), kPictureColour);
  EXPECT_EQ(BufferPixel(out, 6 + 119, 21 + 89), kBlack);
}

TEST(FramedThumb, ThumbWithoutBitmapStillGetsItsFrame) {
  CImageWrap thumb;
  thumb.displayWidth = 20;
  thumb.displayHeight = 20;
  CRasterCanvas canvas;
  ASSERT_TRUE(canvas.Create(32, 32));
  EXPECT_EQ(thumb.DrawFramed(6, 6, canvas, 6, kRed, kFrameSolid), 0);
  EXPECT_EQ(canvas.GetPixel(16, 2), static_cast<uint32_t>(kRed));
}

}  // namespace
