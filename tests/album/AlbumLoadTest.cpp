#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "album/PixDir.h"
#include "tests/support/FakePlatformUi.h"
#include "tests/support/TempDir.h"
#include "tests/support/TestPictures.h"

namespace fs = std::filesystem;

namespace {

// How far the colour channels of two pictures of the same size lie apart.
struct Difference {
  double mean = 0;
  int largest = 0;
};
Difference Compare(const CImageWrap& a, const CImageWrap& b) {
  Difference difference;
  int64_t sum = 0;
  for (int y = 0; y < a.Height(); ++y) {
    for (int x = 0; x < a.Width(); ++x) {
      const Rgb p = PixelAt(a, x, y);
      const Rgb q = PixelAt(b, x, y);
      for (const int d : {std::abs(p.red - q.red), std::abs(p.green - q.green),
                          std::abs(p.blue - q.blue)}) {
        sum += d;
        difference.largest = std::max(difference.largest, d);
      }
    }
  }
  difference.mean = static_cast<double>(sum) / (3.0 * a.Width() * a.Height());
  return difference;
}

class AlbumLoad : public ::testing::Test {
 protected:
  std::string Open(const fs::path& dir) { return dir.string() + "/"; }
  TempDir temp;
  FakePlatformUi ui;
  CPixDir album{ui};
};

// The album decodes a JPEG at the smallest DCT scale that still covers its sketch, the part
// that the record's rectangle shows; the sketch is that of the whole decode, of the same
// size and less than a level apart on average.
TEST_F(AlbumLoad, SketchOfAScaledDecodeIsWithinALevelOfTheFullDecodes) {
  const fs::path dir = temp / "photos";
  fs::create_directories(dir);
  const std::string photo = (dir / "photo.jpg").string();
  ASSERT_EQ(MakePhotoLike(2000, 1500).Save(photo), 0u);
  ASSERT_EQ(MakePhotoLike(1600, 1200).Save((dir / "part.jpg").string()), 0u);
  std::ofstream(dir / "Quillaran.txt") << "QLNV_A t120 x2000 p600 f2 d0 c0 #navy\n"
                                          "part.jpg\t?\t\t1\t400 200 1360 920\n"
                                          "photo.jpg\t?\t\t0\n";
  ASSERT_EQ(album.OpenDirectory(Open(dir)), 1);
  FakePlatformUi quiet;
  for (const auto& [name, rect] : {std::pair{"photo.jpg", Rect{}},
                                   std::pair{"part.jpg", Rect{400, 200, 1360, 920}}}) {
    SCOPED_TRACE(name);
    CImageWrap whole;
    ASSERT_EQ(whole.Load((dir / name).string(), quiet), 1);
    CImageWrap part;
    CImageWrap expected;
    Rect r = rect;
    ASSERT_EQ(BuildThumbFromPicture(whole, r, part, expected, 120), 1);
    const CAlbumEntry& entry = album.EntryAt(name == std::string("part.jpg") ? 0 : 1);
    ASSERT_EQ(entry.thumb.Width(), expected.Width());
    ASSERT_EQ(entry.thumb.Height(), expected.Height());
    EXPECT_EQ(entry.thumb.displayWidth, expected.displayWidth);
    const Difference difference = Compare(entry.thumb, expected);
    EXPECT_LT(difference.mean, 1.0);
    // Where colour changes sharply the scaled decode averages it over 16 pixels.
    EXPECT_LE(difference.largest, 24);
  }
  EXPECT_EQ(album.EntryAt(1).pictureWidth, 2000);
  EXPECT_TRUE(ui.messages.empty()) << ui.LastMessage();
}

}  // namespace
