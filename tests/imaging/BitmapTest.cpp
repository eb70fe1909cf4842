#include <gtest/gtest.h>

#include "imaging/ImageWrap.h"
#include "raster/Bitmap.h"
#include "raster/PixelBuffer.h"
#include "tests/support/TestPictures.h"

namespace {

TEST(Bitmap, RowsAreStoredBottomUpWithPaddedNegativeStride) {
  CBitmap bitmap;
  ASSERT_EQ(CreateBitmap(bitmap, 5, 3, 24), 1);
  // 5 x 3 bytes = 15, padded to 16.
  EXPECT_EQ(bitmap.Stride(), -16);
  EXPECT_TRUE(bitmap.IsDibSection());
  EXPECT_EQ(bitmap.TransparentIndex(), -1);
  // The top row lies last in memory, the bottom row first.
  EXPECT_EQ(bitmap.Row(1), bitmap.Row(0) - 16);
  EXPECT_EQ(bitmap.Row(2), bitmap.Row(0) - 32);
  for (int y = 0; y < 3; ++y) {
    for (int i = 0; i < 16; ++i) {
      EXPECT_EQ(bitmap.Row(y)[i], 0);
    }
  }
  CBitmap grey;
  ASSERT_EQ(CreateBitmap(grey, 5, 2, 8), 1);
  EXPECT_EQ(grey.Stride(), -8);
  EXPECT_EQ(grey.ColorCount(), 256);
  EXPECT_EQ(grey.ColorTable()[255], RgbQuad{});
}

TEST(Bitmap, RefusesSizesThatAreNotPositiveAndStaysEmpty) {
  CBitmap bitmap;
  EXPECT_EQ(CreateBitmap(bitmap, 0, 10, 24), 0);
  EXPECT_EQ(CreateBitmap(bitmap, 10, -1, 24), 0);
  EXPECT_TRUE(bitmap.IsNull());
  EXPECT_EQ(bitmap.Width(), 0);
  EXPECT_EQ(bitmap.BitsPerPixel(), 0);
  EXPECT_EQ(bitmap.TransparentIndex(), -1);
}

TEST(Bitmap, DestroyResetsEveryField) {
  CImageWrap image = MakePicture8(4, 4, [](int x, int) { return static_cast<uint8_t>(x); });
  DestroyBitmap(image.bitmap);
  EXPECT_TRUE(image.bitmap.IsNull());
  EXPECT_EQ(image.Width(), 0);
  EXPECT_EQ(image.bitmap.Stride(), 0);
  EXPECT_EQ(image.bitmap.ColorCount(), 0);
  EXPECT_EQ(image.bitmap.ColorTable()[3], RgbQuad{});
}

TEST(Bitmap, CopyOfAnEightBitPictureKeepsDepthAndColourTable) {
  CImageWrap source = MakePicture8(7, 3, [](int x, int y) { return static_cast<uint8_t>(x * 30 + y); });
  source.displayWidth = 70;
  CImageWrap copy;
  ASSERT_EQ(source.CopyTo(copy), 1);
  EXPECT_EQ(copy.BitsPerPixel(), 8);
  EXPECT_EQ(copy.bitmap.ColorTable(), source.bitmap.ColorTable());
  EXPECT_EQ(copy.displayWidth, 0);  // the display size is not copied
  for (int y = 0; y < 3; ++y) {
    for (int x = 0; x < 7; ++x) {
      EXPECT_EQ(copy.bitmap.Row(y)[x], source.bitmap.Row(y)[x]);
    }
  }
  CImageWrap empty;
  EXPECT_EQ(empty.CopyTo(copy), 0);
}

TEST(Bitmap, ColourTableCopyTakesAllEntries) {
  CImageWrap source = MakePicture8(2, 2, [](int, int) { return uint8_t{0}; });
  CBitmap destination;
  CreateBitmap(destination, 2, 2, 8);
  CopyColorTable(source.bitmap, destination);
  EXPECT_EQ(destination.ColorTable(), source.bitmap.ColorTable());
  // A 24-bit source has no table and leaves the destination's alone.
  CImageWrap deep = MakePicture24(2, 2, GradientColour);
  CopyColorTable(deep.bitmap, destination);
  EXPECT_EQ(destination.ColorTable(), source.bitmap.ColorTable());
}

TEST(Bitmap, ExpandToTrueColorWritesTheTableColours) {
  CImageWrap source = MakePicture8(3, 2, [](int x, int y) { return static_cast<uint8_t>(10 * x + 100 * y); });
  CBitmap expanded;
  ASSERT_EQ(ExpandToTrueColor(source.bitmap, expanded), 1);
  EXPECT_EQ(expanded.BitsPerPixel(), 24);
  CImageWrap wrap;
  wrap.bitmap = std::move(expanded);
  for (int y = 0; y < 2; ++y) {
    for (int x = 0; x < 3; ++x) {
      EXPECT_EQ(PixelAt(wrap, x, y), PixelAt(source, x, y));
    }
  }
  // The pixel at index 10: red 10, green 245, blue 5.
  EXPECT_EQ(PixelAt(wrap, 1, 0), (Rgb{10, 245, 5}));
}

TEST(Bitmap, PixelBufferHoldsRedGreenBlueTopRowFirst) {
  CImageWrap source = MakePicture24(3, 2, GradientColour);
  CPixelBuffer buffer;
  ASSERT_EQ(ImageToPixelBuffer(source.bitmap, buffer), 1);
  EXPECT_EQ(buffer.width, 3);
  EXPECT_EQ(buffer.height, 2);
  EXPECT_EQ(buffer.bytesPerPixel, 3);
  EXPECT_EQ(buffer.size, 18);
  const Rgb expected = GradientColour(2, 1);
  const uint8_t* p = buffer.Pixel(2, 1);
  EXPECT_EQ((Rgb{p[0], p[1], p[2]}), expected);
  EXPECT_EQ(buffer.data[0], GradientColour(0, 0).red);

  CBitmap back;
  ASSERT_EQ(PixelBufferToImage(buffer, back, 1), 1);
  CImageWrap wrap;
  wrap.bitmap = std::move(back);
  for (int y = 0; y < 2; ++y) {
    for (int x = 0; x < 3; ++x) {
      EXPECT_EQ(PixelAt(wrap, x, y), GradientColour(x, y));
    }
  }
}

TEST(Bitmap, PixelBufferRoundTripOfEightBitKeepsTheTable) {
  CImageWrap source = MakePicture8(5, 3, [](int x, int y) { return static_cast<uint8_t>(x + 5 * y); });
  CPixelBuffer buffer;
  ASSERT_EQ(ImageToPixelBuffer(source.bitmap, buffer), 1);
  EXPECT_EQ(buffer.bytesPerPixel, 1);
  EXPECT_EQ(buffer.Pixel(4, 2)[0], 14);
  const auto table = source.bitmap.ColorTable();
  ASSERT_EQ(PixelBufferToImage(buffer, source.bitmap, 1), 1);
  EXPECT_EQ(source.BitsPerPixel(), 8);
  EXPECT_EQ(source.bitmap.ColorTable(), table);
  EXPECT_EQ(source.bitmap.Row(2)[4], 14);
}

}  // namespace
