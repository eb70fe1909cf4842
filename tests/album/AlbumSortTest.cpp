#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "album/PixDir.h"
#include "tests/support/FakePlatformUi.h"
#include "tests/support/TempDir.h"
#include "tests/support/TestAlbum.h"
#include "tests/support/TestPictures.h"

namespace fs = std::filesystem;

namespace {

// An Exif segment with a camera's time stamp ("yyyy:mm:dd hh:mm:ss"), long enough that its
// length holds no zero byte.
std::string ExifWithStamp(const std::string& stamp) {
  const char head[] = "Exif\0\0MM\0\x2A\0\0\0\x08\0\0\0\0\0\0";  // no entries
  std::string segment = std::string(head, sizeof(head) - 1) + stamp;
  segment.resize(300, '\0');
  return segment;
}

// A camera's JPEG: its Exif segment right after the start of image.
void SaveCameraJpeg(const fs::path& path, const std::string& stamp) {
  const std::string segment = ExifWithStamp(stamp);
  const std::vector<uint8_t> exif(segment.begin(), segment.end());
  ASSERT_EQ(MakePicture24(16, 16, GradientColour).Save(path.string(), &exif), 0u);
}

// A JPEG as editors write it: the Exif segment after the JFIF one that starts the file.
void SaveEditedJpeg(const fs::path& path, const std::string& stamp) {
  ASSERT_EQ(MakePicture24(16, 16, GradientColour).Save(path.string()), 0u);
  const std::string jpeg = ReadFileBytes(path);
  ASSERT_EQ(jpeg.substr(6, 4), "JFIF");
  const std::string segment = ExifWithStamp(stamp);
  const size_t length = segment.size() + 2;
  const std::string app1 = std::string("\xFF\xE1") + static_cast<char>(length >> 8) +
                           static_cast<char>(length & 0xFF) + segment;
  std::ofstream(path, std::ios::binary) << jpeg.substr(0, 20) + app1 + jpeg.substr(20);
}

// Photos of two cameras, an edited one and pictures dated by their files merge into one story:
// the camera times from 2003 first, to the second, then the files made now, then 2099.
TEST(SortByDate, OrdersCameraAndFileTimesOldestFirstAsOneChange) {
  TempDir temp;
  FakePlatformUi ui;
  CPixDir album(ui);
  SaveCameraJpeg(temp / "b.jpg", "2003:05:04 10:00:07");
  SaveCameraJpeg(temp / "c.jpg", "2099:01:01 00:00:00");
  SaveCameraJpeg(temp / "d.jpg", "2003:05:04 10:00:05");
  SaveEditedJpeg(temp / "f.jpg", "2003:05:04 10:00:06");
  ASSERT_EQ(MakePicture24(16, 16, GradientColour).Save((temp / "a.png").string()), 0u);
  ASSERT_EQ(MakePicture24(16, 16, GradientColour).Save((temp / "e.jpg").string()), 0u);
  ASSERT_EQ(album.Loader().OpenDirectory(temp.Str()), 1);
  ASSERT_EQ(album.Pictures().EntryAt(1).date, "10:00am May 4, 2003");
  // A date the user wrote is display text: the picture still sorts by when it was taken.
  Arrange(album).EntryAt(3).date = "Christmas 1999";

  album.Editor().SortByDate();
  EXPECT_EQ(DisplayedIndexes(album), (std::vector<int>{3, 5, 1, 0, 4, 2}));
  EXPECT_EQ(album.Record().Dirty(), 1);
  ASSERT_EQ(album.Editor().Undo(nullptr), 1);
  EXPECT_EQ(DisplayedIndexes(album), (std::vector<int>{0, 1, 2, 3, 4, 5}));
  EXPECT_FALSE(album.Editor().History().CanUndo());
}

// As file managers list them: numbers by their value, letters without regard to case.
TEST(SortByName, OrdersNumbersByValueAndLettersWithoutCase) {
  FakePlatformUi ui;
  CPixDir album(ui);
  FillAlbum(album, {"IMG_10.png", "img_2.png", "IMG_1.png", "IMG_01.png", "Beach.jpg"});
  album.Editor().SortByName();
  EXPECT_EQ(DisplayedIndexes(album), (std::vector<int>{4, 3, 2, 1, 0}));
}

}  // namespace
