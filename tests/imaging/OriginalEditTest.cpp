#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "imaging/ImageWrap.h"
#include "imaging/OriginalEdit.h"
#include "imaging/codec/ExifSegment.h"
#include "tests/imaging/CodecTestFiles.h"
#include "tests/support/FakePlatformUi.h"
#include "tests/support/TempDir.h"
#include "tests/support/TestPictures.h"
#include "tests/support/TodayFormatFiles.h"

namespace fs = std::filesystem;

namespace {

// 8 x 8 blocks of flat colour survive JPEG compression closely enough to tell apart.
Rgb BlockColour(int x, int y) {
  const int bx = x / 8;
  const int by = y / 8;
  return {static_cast<uint8_t>(40 + 50 * bx), static_cast<uint8_t>(30 + 60 * by),
          static_cast<uint8_t>(bx == by ? 200 : 20)};
}

bool Near(const Rgb& a, const Rgb& b) {
  return std::abs(a.red - b.red) <= 12 && std::abs(a.green - b.green) <= 12 &&
         std::abs(a.blue - b.blue) <= 12;
}

CImageWrap LoadBack(const std::string& path) {
  FakePlatformUi ui;
  CImageWrap loaded;
  EXPECT_EQ(loaded.Load(path, ui), 1) << ui.LastMessage();
  return loaded;
}

std::vector<std::string> FileNames(const fs::path& directory) {
  std::vector<std::string> names;
  for (const auto& item : fs::directory_iterator(directory)) {
    names.push_back(item.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

TEST(TurnPictureFile, ReplacesAPngExactlyAndKeepsItsPermissions) {
  TempDir dir;
  const std::string path = (dir / "drawing.png").string();
  ASSERT_EQ(MakePicture24(5, 3, CoordinateColour).Save(path), 0u);
  fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  ASSERT_EQ(TurnPictureFile(path, 1), 1);
  const CImageWrap written = LoadBack(path);
  ASSERT_EQ(written.Width(), 3);
  ASSERT_EQ(written.Height(), 5);
  // Clockwise: the bottom-left pixel is now top-left, the top-left top-right.
  EXPECT_EQ(PixelAt(written, 0, 0), CoordinateColour(0, 2));
  EXPECT_EQ(PixelAt(written, 2, 0), CoordinateColour(0, 0));
  EXPECT_EQ(PixelAt(written, 2, 4), CoordinateColour(4, 0));
  EXPECT_EQ(fs::status(path).permissions() & fs::perms::all,
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  EXPECT_EQ(FileNames(dir.Path()), std::vector<std::string>{"drawing.png"});
}

TEST(TurnPictureFile, WhatCannotBeTurnedIsLeftAsItWas) {
  TempDir dir;
  const std::string bytes = "not a picture";
  const std::string path = dir.WriteFile("notes.jpg", bytes);
  EXPECT_EQ(TurnPictureFile(path, 0), 0);
  EXPECT_EQ(ReadFileBytes(path), bytes);
  // A file that is gone is not made again.
  EXPECT_EQ(TurnPictureFile((dir / "gone.png").string(), 0), 0);
  EXPECT_EQ(FileNames(dir.Path()), std::vector<std::string>{"notes.jpg"});
}

TEST(SaveCroppedOriginal, WritesIntoCroppedWithTheOriginalsExif) {
  TempDir dir;
  const std::vector<uint8_t> exif = ExifSegmentWith(8, false);
  const std::string source = (dir / "photo.jpg").string();
  ASSERT_EQ(MakePicture24(48, 32, BlockColour).Save(source, &exif), 0u);
  const std::string sourceBytes = ReadFileBytes(source);
  const fs::path startDir = fs::current_path();

  CImageWrap cropped =
      MakePicture24(24, 16, [](int x, int y) { return BlockColour(x + 16, y + 8); });
  ASSERT_EQ(SaveCroppedOriginal(cropped, dir.Str(), "photo.jpg", source), 1);
  const std::string target = (dir / "Cropped" / "photo.jpg").string();
  EXPECT_EQ(ReadJpegExifSegment(target), ExifSegmentWith(1, false));
  const CImageWrap written = LoadBack(target);
  EXPECT_EQ(written.Width(), 24);
  EXPECT_TRUE(Near(PixelAt(written, 4, 4), BlockColour(20, 12)));
  EXPECT_EQ(ReadFileBytes(source), sourceBytes);
  EXPECT_EQ(fs::current_path(), startDir);

  // Cropping again replaces the first result.
  CImageWrap smaller = MakePicture24(8, 8, BlockColour);
  ASSERT_EQ(SaveCroppedOriginal(smaller, dir.Str(), "photo.jpg", source), 1);
  EXPECT_EQ(LoadBack(target).Width(), 8);
  EXPECT_EQ(FileNames(dir / "Cropped"), std::vector<std::string>{"photo.jpg"});
}

TEST(SaveCroppedOriginal, PngSourceGivesAPngWithoutExif) {
  TempDir dir;
  const std::string source = (dir / "map.png").string();
  ASSERT_EQ(MakePicture24(6, 6, CoordinateColour).Save(source), 0u);
  const CImageWrap cropped = MakePicture24(2, 3, CoordinateColour);
  ASSERT_EQ(SaveCroppedOriginal(cropped, dir.Str(), "map.png", source), 1);
  const CImageWrap written = LoadBack((dir / "Cropped" / "map.png").string());
  EXPECT_EQ(PixelAt(written, 1, 2), CoordinateColour(1, 2));
}

TEST(SaveCroppedOriginal, HeicSourceGivesAJpegNamedAfterItWithItsDate) {
  TempDir dir;
  TodayPicture picture;
  picture.width = picture.height = 16;
  picture.pixels.assign(256, Rgb{200, 40, 40});
  picture.takenAt = "2021:07:14 10:32:05";
  const std::string source = dir.WriteFile("phone.heic", WriteTodayFormat(TodayFormat::Heic, picture));
  const std::string before = ReadFileBytes(source);
  ASSERT_EQ(SaveCroppedOriginal(MakePicture24(8, 6, BlockColour), dir.Str(), "phone.heic", source), 1);
  const std::string copy = CroppedCopyPath(dir.Str(), "phone.heic");
  EXPECT_EQ(fs::path(copy).filename(), "phone.heic.jpg");
  EXPECT_EQ(ReadFileBytes(copy).substr(0, 2), "\xFF\xD8");
  EXPECT_EQ(LoadBack(copy).Width(), 8);
  EXPECT_EQ(ExifCameraTime(ReadJpegExifSegment(copy).data(), ReadJpegExifSegment(copy).size()),
            "2021:07:14 10:32:05");
  EXPECT_EQ(ReadFileBytes(source), before);
}

TEST(SaveCroppedOriginal, FileNamedCroppedStopsTheCrop) {
  TempDir dir;
  dir.WriteFile("Cropped", "a file, not a directory");
  const CImageWrap cropped = MakePicture24(2, 2, CoordinateColour);
  EXPECT_EQ(SaveCroppedOriginal(cropped, dir.Str(), "a.png", (dir / "a.png").string()), 0);
  EXPECT_EQ(ReadFileBytes(dir / "Cropped"), "a file, not a directory");
}

// A folder from elsewhere may hold links in Cropped: a linked folder is refused and named, a
// linked file in it is replaced; nothing outside the album changes.
TEST(SaveCroppedOriginal, LinksInCroppedLeadNowhereOutsideTheAlbum) {
  TempDir dir;
  const std::string outside = dir.WriteFile("outside/a.png", "kept");
  const std::string album = (dir / "album").string();
  fs::create_directory(album);
  const std::string source = (dir / "album" / "a.png").string();
  ASSERT_EQ(MakePicture24(4, 4, CoordinateColour).Save(source), 0u);
  const CImageWrap cropped = MakePicture24(2, 2, CoordinateColour);

  fs::create_directory_symlink(dir / "outside", dir / "album" / "Cropped");
  std::string why;
  EXPECT_EQ(SaveCroppedOriginal(cropped, album, "a.png", source, &why), 0);
  EXPECT_EQ(why, album +
                     "/Cropped: it is a symbolic link, and the cropped copies stay inside "
                     "the album folder");
  EXPECT_EQ(FileNames(dir / "outside"), std::vector<std::string>{"a.png"});

  fs::remove(dir / "album" / "Cropped");
  fs::create_directory(dir / "album" / "Cropped");
  fs::create_symlink(outside, dir / "album" / "Cropped" / "a.png");
  ASSERT_EQ(SaveCroppedOriginal(cropped, album, "a.png", source, &why), 1);
  EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(dir / "album" / "Cropped" / "a.png")));
  EXPECT_EQ(LoadBack((dir / "album" / "Cropped" / "a.png").string()).Width(), 2);
  EXPECT_EQ(ReadFileBytes(outside), "kept");
}

TEST(SaveCroppedOriginal, ReadOnlyAlbumDirectoryStopsTheCrop) {
  if (geteuid() == 0) {
    GTEST_SKIP() << "root writes into any directory";
  }
  TempDir dir;
  fs::permissions(dir.Path(), fs::perms::owner_read | fs::perms::owner_exec);
  const CImageWrap cropped = MakePicture24(2, 2, CoordinateColour);
  EXPECT_EQ(SaveCroppedOriginal(cropped, dir.Str(), "a.png", (dir / "a.png").string()), 0);
  EXPECT_FALSE(fs::exists(dir / "Cropped"));
}

}  // namespace
