#include <gtest/gtest.h>

#include "album/WebColors.h"

namespace {

TEST(WebColors, HoldsSeventeenEntriesWithTheEmptyNameLast) {
  const CWebColors colours;
  EXPECT_EQ(colours.GetCount(), 17);
  EXPECT_EQ(colours.At(0).name, "aqua");
  EXPECT_EQ(colours.At(15).name, "white");
  EXPECT_EQ(colours.At(16).name, "");
  EXPECT_EQ(colours.At(16).value, 0xFFFFFFu);
}

TEST(WebColors, IndexOfComparesExactlyAndGivesTheCountForUnknownNames) {
  const CWebColors colours;
  EXPECT_EQ(colours.IndexOf("maroon"), 7);
  EXPECT_EQ(colours.IndexOf("red"), 11);
  EXPECT_EQ(colours.IndexOf("Red"), 17);
  EXPECT_EQ(colours.IndexOf("red "), 17);
  EXPECT_EQ(colours.IndexOf(""), 16);
  EXPECT_EQ(colours.IndexOf("chartreuse"), 17);
}

TEST(WebColors, ValueOfGivesRgbAndTheSwappedColorref) {
  const CWebColors colours;
  uint32_t rgb = 1;
  EXPECT_EQ(colours.ValueOf("maroon", rgb), 0x000080u);
  EXPECT_EQ(rgb, 0x800000u);
  EXPECT_EQ(colours.ValueOf("teal", rgb), 0x808000u);
  EXPECT_EQ(rgb, 0x008080u);
  // Every named entry round-trips: the colorref is the rgb value with red and blue swapped.
  for (int i = 0; i < colours.GetCount(); ++i) {
    const uint32_t colorref = colours.ValueOf(colours.At(i).name, rgb);
    EXPECT_EQ(rgb, colours.At(i).value);
    EXPECT_EQ(((colorref & 0xFF) << 16) | (colorref & 0xFF00) | ((colorref >> 16) & 0xFF), rgb);
  }
}

TEST(WebColors, ValueOfAnUnknownNameIsBlack) {
  const CWebColors colours;
  uint32_t rgb = 0x123456;
  EXPECT_EQ(colours.ValueOf("Maroon", rgb), 0u);
  EXPECT_EQ(rgb, 0u);
}

}  // namespace
