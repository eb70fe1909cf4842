#include <gtest/gtest.h>

#include "album/AlbumEntry.h"
#include "imaging/FramedThumb.h"
#include "tests/support/TestPictures.h"

namespace {

TEST(AlbumEntry, FramedThumbFillsTheEntrysBufferOnASquareCell) {
  CAlbumEntry entry;
  entry.thumb = MakePicture24(120, 80, [](int, int) { return Rgb{10, 200, 30}; });
  entry.thumb.displayWidth = 120;
  entry.thumb.displayHeight = 80;
  ASSERT_EQ(RenderFramedThumb(entry, 132, 6, 0x0000FF, kFrameSolid), 1);
  EXPECT_EQ(entry.framedThumb.width, 132);
  EXPECT_EQ(entry.framedThumb.size, 132 * 132 * 3);
  const uint8_t* band = entry.framedThumb.Pixel(66, 26);  // the frame's deep band above
  EXPECT_EQ((Rgb{band[0], band[1], band[2]}), (Rgb{0, 0, 0}));
  EXPECT_EQ(RenderFramedThumb(entry, 0, 6, 0x0000FF, kFrameSolid), 0);
  EXPECT_TRUE(entry.framedThumb.IsEmpty());
}

}  // namespace
