#include <gtest/gtest.h>

#include <functional>

#include "imaging/ImageWrap.h"
#include "imaging/codec/ExifSegment.h"
#include "imaging/codec/OrientedRows.h"
#include "tests/imaging/CodecTestFiles.h"
#include "tests/support/FakePlatformUi.h"
#include "tests/support/TempDir.h"

namespace {

// The upright picture: 48 x 32 in six 16 x 16 blocks of distinct colours, so that every
// turn and mirroring changes it.
Rgb Upright(int x, int y) {
  static const Rgb kColours[] = {{220, 30, 30},  {30, 200, 40}, {30, 40, 220},
                                 {240, 240, 60}, {20, 20, 20},  {240, 240, 240}};
  return kColours[x / 16 + 3 * (y / 16)];
}
constexpr int kWidth = 48;
constexpr int kHeight = 32;

// How a camera stores the upright picture for each orientation tag: stored pixel (x, y) of a
// stored picture of the given size shows upright pixel at(x, y).
struct Stored {
  int orientation;
  bool sidesSwapped;
  std::function<Rgb(int, int)> pixel;
};

std::vector<Stored> StoredForms() {
  constexpr int w = kWidth;
  constexpr int h = kHeight;
  return {
      {1, false, [](int x, int y) { return Upright(x, y); }},
      {2, false, [](int x, int y) { return Upright(w - 1 - x, y); }},          // mirrored
      {3, false, [](int x, int y) { return Upright(w - 1 - x, h - 1 - y); }},  // half turn
      {4, false, [](int x, int y) { return Upright(x, h - 1 - y); }},          // flipped
      {5, true, [](int x, int y) { return Upright(y, x); }},                   // transposed
      {6, true, [](int x, int y) { return Upright(w - 1 - y, x); }},           // turned left
      {7, true, [](int x, int y) { return Upright(w - 1 - y, h - 1 - x); }},   // transverse
      {8, true, [](int x, int y) { return Upright(y, h - 1 - x); }},           // turned right
  };
}

class ExifOrientation : public ::testing::TestWithParam<int> {};

TEST_P(ExifOrientation, TaggedJpegDecodesUpright) {
  const Stored form = StoredForms()[static_cast<size_t>(GetParam() - 1)];
  const CImageWrap stored = MakePicture24(form.sidesSwapped ? kHeight : kWidth,
                                          form.sidesSwapped ? kWidth : kHeight, form.pixel);
  TempDir dir;
  for (bool bigEndian : {false, true}) {
    const std::vector<uint8_t> exif = ExifSegmentWith(form.orientation, bigEndian);
    const std::string path = dir.Str() + "/tagged.jpg";
    ASSERT_EQ(stored.Save(path, &exif), 0u);
    FakePlatformUi ui;
    CImageWrap loaded;
    ASSERT_EQ(loaded.Load(path, ui), 1) << ui.LastMessage();
    ASSERT_EQ(loaded.Width(), kWidth);
    ASSERT_EQ(loaded.Height(), kHeight);
    EXPECT_LE(MaxChannelDifference(loaded, MakePicture24(kWidth, kHeight, Upright), 2), 8)
        << "big endian " << bigEndian;
    // Fixed pixels: red at the top left, white at the bottom right.
    EXPECT_GE(PixelAt(loaded, 2, 2).red, 200);
    EXPECT_LE(PixelAt(loaded, 2, 2).green, 50);
    EXPECT_GE(PixelAt(loaded, 45, 29).blue, 220);
  }
}

INSTANTIATE_TEST_SUITE_P(Tags, ExifOrientation, ::testing::Range(1, 9), [](const auto& info) {
  return "Orientation" + std::to_string(info.param);
});

TEST(ExifOrientationSegment, ExifAfterJfifSegmentIsFound) {
  TempDir dir;
  const CImageWrap stored = MakePicture24(kHeight, kWidth, StoredForms()[5].pixel);  // tag 6
  ASSERT_EQ(stored.Save(dir.Str() + "/plain.jpg"), 0u);
  const std::string jfif = ReadFileBytes(dir / "plain.jpg");
  ASSERT_EQ(jfif.substr(6, 5), std::string("JFIF\0", 5));
  const std::string path =
      dir.WriteFile("jfif-then-exif.jpg", InsertApp1AfterApp0(jfif, ExifSegmentWith(6, false)));
  EXPECT_EQ(ReadJpegExifSegment(path), ExifSegmentWith(6, false));
  FakePlatformUi ui;
  CImageWrap loaded;
  ASSERT_EQ(loaded.Load(path, ui), 1) << ui.LastMessage();
  ASSERT_EQ(loaded.Width(), kWidth);
  EXPECT_LE(MaxChannelDifference(loaded, MakePicture24(kWidth, kHeight, Upright), 2), 8);
}

TEST(ExifOrientationSegment, TagOutOfRangeOrMissingLeavesThePictureAsStored) {
  for (int tag : {0, 9, 300, -1}) {
    const std::vector<uint8_t> exif = ExifSegmentWith(tag, false);
    EXPECT_EQ(ReadExifOrientation(exif.data(), exif.size()), 1) << tag;
  }
  const std::vector<uint8_t> six = ExifSegmentWith(6, true);
  EXPECT_EQ(ReadExifOrientation(six.data(), six.size()), 6);
}

TEST(ExifOrientationSegment, MalformedSegmentsReadAsOrientationOne) {
  const std::vector<uint8_t> good = ExifSegmentWith(3, false);
  std::vector<std::vector<uint8_t>> bad;
  for (size_t cut = 0; cut + 4 < good.size(); ++cut) {
    bad.emplace_back(good.begin(), good.begin() + static_cast<ptrdiff_t>(cut));
  }
  std::vector<uint8_t> wrongOrder = good;
  wrongOrder[6] = 'X';
  bad.push_back(wrongOrder);
  std::vector<uint8_t> wildOffset = good;
  wildOffset[10] = 0xF0;  // first directory far outside
  wildOffset[13] = 0x7F;
  bad.push_back(wildOffset);
  std::vector<uint8_t> oneEntry = good;
  oneEntry[14] = 1;  // the directory ends before the Orientation entry
  bad.push_back(oneEntry);
  std::vector<uint8_t> manyEntries = ExifSegmentWith(0, false);
  manyEntries[14] = 0xFF;  // 65535 entries claimed, one present
  manyEntries[15] = 0xFF;
  bad.push_back(manyEntries);
  std::vector<uint8_t> wrongType = good;
  wrongType[6 + 10 + 12 + 2] = 4;  // Orientation as LONG
  bad.push_back(wrongType);
  for (size_t i = 0; i < bad.size(); ++i) {
    EXPECT_EQ(ReadExifOrientation(bad[i].data(), bad[i].size()), 1) << "case " << i;
  }
  // Cutting only after the Orientation entry keeps it readable.
  EXPECT_EQ(ReadExifOrientation(good.data(), good.size() - 4), 3);
}

TEST(ExifOrientationSegment, SetOrientationRewritesInPlaceInBothByteOrders) {
  for (bool bigEndian : {false, true}) {
    std::vector<uint8_t> segment = ExifSegmentWith(8, bigEndian);
    const size_t size = segment.size();
    ASSERT_TRUE(SetExifOrientation(segment, 1));
    EXPECT_EQ(segment.size(), size);
    EXPECT_EQ(segment, ExifSegmentWith(1, bigEndian));
    EXPECT_EQ(ReadExifOrientation(segment.data(), segment.size()), 1);
  }
  std::vector<uint8_t> without = ExifSegmentWith(0, false);
  const std::vector<uint8_t> before = without;
  EXPECT_FALSE(SetExifOrientation(without, 1));
  EXPECT_EQ(without, before);
  std::vector<uint8_t> empty;
  EXPECT_FALSE(SetExifOrientation(empty, 1));
}

TEST(ExifOrientationSegment, ReadingTheSegmentOfFilesWithoutOne) {
  TempDir dir;
  MakePicture24(8, 8, GradientColour).Save(dir.Str() + "/plain.jpg");
  MakePicture24(8, 8, GradientColour).Save(dir.Str() + "/plain.png");
  EXPECT_TRUE(ReadJpegExifSegment(dir.Str() + "/plain.jpg").empty());
  EXPECT_TRUE(ReadJpegExifSegment(dir.Str() + "/plain.png").empty());
  EXPECT_TRUE(ReadJpegExifSegment(dir.Str() + "/missing.jpg").empty());
  EXPECT_TRUE(ReadJpegExifSegment(dir.Str()).empty());
  // A segment length running past the end of the file.
  const std::string cut = std::string("\xFF\xD8\xFF\xE1\x10\x00Exif\0\0MM", 14);
  EXPECT_TRUE(ReadJpegExifSegment(dir.WriteFile("cut.jpg", cut)).empty());
}

// Exact placement of rows, without JPEG in between: a 3 x 2 stored picture of distinct
// values, and for each tag the upright picture it becomes.
TEST(OrientedRowsPlacement, EveryTagPlacesEachStoredPixelExactly) {
  // Stored:  1 2 3
  //          4 5 6
  const uint8_t stored[2][3] = {{1, 2, 3}, {4, 5, 6}};
  const std::vector<std::vector<std::vector<uint8_t>>> upright = {
      {{1, 2, 3}, {4, 5, 6}},    // 1
      {{3, 2, 1}, {6, 5, 4}},    // 2
      {{6, 5, 4}, {3, 2, 1}},    // 3
      {{4, 5, 6}, {1, 2, 3}},    // 4
      {{1, 4}, {2, 5}, {3, 6}},  // 5
      {{4, 1}, {5, 2}, {6, 3}},  // 6: turned a quarter right to stand up
      {{6, 3}, {5, 2}, {4, 1}},  // 7
      {{3, 6}, {2, 5}, {1, 4}},  // 8: turned a quarter left to stand up
  };
  for (int tag = 1; tag <= 8; ++tag) {
    const auto& expected = upright[static_cast<size_t>(tag - 1)];
    const bool swap = codec::OrientedRows::SwapsSides(tag);
    CBitmap bitmap;
    ASSERT_EQ(CreateBitmap(bitmap, swap ? 2 : 3, swap ? 3 : 2, 8), 1);
    const codec::OrientedRows rows(bitmap, tag, 3, 2, 1);
    for (int y = 0; y < 2; ++y) {
      rows.Place(y, stored[y]);
    }
    for (size_t y = 0; y < expected.size(); ++y) {
      for (size_t x = 0; x < expected[y].size(); ++x) {
        EXPECT_EQ(bitmap.Row(static_cast<int>(y))[x], expected[y][x]) << "tag " << tag;
      }
    }
  }
}

}  // namespace
