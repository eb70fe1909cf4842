#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <ctime>
#include <filesystem>
#include <string>
#include <vector>

#include "imaging/PictureDate.h"
#include "tests/support/FakePlatformUi.h"
#include "tests/support/LocalTime.h"
#include "tests/support/TempDir.h"
#include "tests/support/CaseName.h"

namespace {

using namespace std::string_literals;

// The start of a camera JPEG: SOI, an APP1 segment of non-zero length bytes, "Exif", then a
// TIFF header. 20 bytes.
const std::string kCameraHead =
    "\xFF\xD8\xFF\xE1\x1F\x40"
    "Exif\0\0MM\0\x2A\0\0\0\x08"s;
// A JFIF JPEG: the segment length 00 10 ends the header text before "Exif".
const std::string kJfifHead = "\xFF\xD8\xFF\xE0\x00\x10JFIF\0\x01\x01\0\0\x01\0\x01\0\0"s;

// head, then filler up to offset, then text, then filler up to total bytes.
std::string FileBytes(const std::string& head, size_t offset, const std::string& text,
                      size_t total = 1500) {
  std::string bytes = head;
  bytes.resize(offset, 'x');
  bytes += text;
  if (bytes.size() < total) {
    bytes.resize(total, 'x');
  }
  return bytes;
}

// The file-time texts a file made between the two moments may carry.
std::vector<std::string> FileTimeTextsBetween(std::time_t from, std::time_t to) {
  std::vector<std::string> texts;
  for (std::time_t t = from; t <= to; ++t) {
    std::tm local{};
    localtime_r(&t, &local);
    texts.push_back(FormatFileTime(local));
  }
  return texts;
}

bool IsOneOf(const std::string& text, const std::vector<std::string>& texts) {
  return std::find(texts.begin(), texts.end(), text) != texts.end();
}

struct DatedFile {
  std::string date;
  int result = 0;
  FakePlatformUi ui;
};

class PictureDateFile : public ::testing::Test {
 protected:
  // Writes the file, reads its date and notes the moments around its creation.
  DatedFile Read(const std::string& name, const std::string& bytes) {
    before_ = std::time(nullptr);
    const std::string path = dir_.WriteFile(name, bytes);
    after_ = std::time(nullptr);
    DatedFile dated;
    dated.date = "unchanged";
    dated.result = ReadPictureDate(path, dated.date, dated.ui);
    return dated;
  }
  bool IsFileTimeText(const std::string& text) const {
    return IsOneOf(text, FileTimeTextsBetween(before_, after_));
  }

  TempDir dir_;
  std::time_t before_ = 0;
  std::time_t after_ = 0;
};

struct StampCase {
  const char* name;
  size_t offset;  // file offset of the time stamp
  std::string stamp;
  std::string expected;
};

void PrintTo(const StampCase& c, std::ostream* os) { *os << c.name; }

class CameraTimeStamp : public PictureDateFile, public ::testing::WithParamInterface<StampCase> {};

TEST_P(CameraTimeStamp, GivesTheExifText) {
  const StampCase& c = GetParam();
  const DatedFile dated = Read("camera.jpg", FileBytes(kCameraHead, c.offset, c.stamp));
  EXPECT_EQ(dated.result, 1);
  EXPECT_EQ(dated.date, c.expected);
  EXPECT_TRUE(dated.ui.messages.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Stamps, CameraTimeStamp,
    ::testing::Values(
        StampCase{"afternoon", 200, "2008:03:07 15:05:09\0"s, "3:05pm March 7, 2008"},
        StampCase{"halfPastMidnight", 200, "2008:03:07 00:30:00\0"s, "12:30am March 7, 2008"},
        StampCase{"noonIsPm", 200, "2008:03:07 12:00:00\0"s, "12:00pm March 7, 2008"},
        StampCase{"morning", 200, "2011:09:30 09:30:00\0"s, "9:30am Sept 30, 2011"},
        StampCase{"blankPaddedHour", 200, "2008:12:07  9:07:00\0"s, "9:07am Dec 7, 2008"},
        StampCase{"monthZero", 200, "2008:00:07 15:05:09\0"s, "3:05pm ??? 7, 2008"},
        StampCase{"monthThirteen", 200, "2008:13:07 15:05:09\0"s, "3:05pm ??? 7, 2008"},
        StampCase{"nineteenIsSkipped", 60, "1999:01:01 10:00:00\0 2011:05:06 09:08:07\0"s,
                  "9:08am May 6, 2011"},
        StampCase{"hugeNumberSaturates", 200, "2008:03:07 15:99999999999999999999\0"s,
                  "3:999999999pm March 7, 2008"},
        // The last place a stamp is found: its ":" is the last byte read (offset 1025);
        // the fields beyond are not read and count as 0.
        StampCase{"cutAtTheLastByteRead", 1021, "2008:03:07 15:05:09"s, "12:00am ??? 0, 2008"}),
    ByNameField());

struct FileTimeCase {
  const char* name;
  std::string bytes;
};

void PrintTo(const FileTimeCase& c, std::ostream* os) { *os << c.name; }

class FileTimeFallback : public PictureDateFile,
                         public ::testing::WithParamInterface<FileTimeCase> {};

TEST_P(FileTimeFallback, GivesTheFileTimeText) {
  const DatedFile dated = Read("picture.jpg", GetParam().bytes);
  EXPECT_EQ(dated.result, 1);
  EXPECT_TRUE(IsFileTimeText(dated.date)) << dated.date;
  EXPECT_TRUE(dated.ui.messages.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Files, FileTimeFallback,
    ::testing::Values(
        FileTimeCase{"jfifFirst", FileBytes(kJfifHead, 200, "2008:03:07 15:05:09\0"s)},
        FileTimeCase{"exifWithZeroLengthByte", FileBytes("\xFF\xD8\xFF\xE1\x00\x40"
                                                         "Exif\0\0"s,
                                                         200, "2008:03:07 15:05:09")},
        FileTimeCase{"exifAtTheFirstByteRead", FileBytes("xxExif\0"s, 200, "2008:03:07 15:05:09")},
        FileTimeCase{"exifWithoutDate", FileBytes(kCameraHead, 200, "1999:03:07 15:05:09")},
        FileTimeCase{"dateBeyondTheBytesRead", FileBytes(kCameraHead, 1022, "2008:03:07 15:05:09")},
        FileTimeCase{"twoBytes", "\xFF\xD8"s},
        FileTimeCase{"bmp", FileBytes("BM\x36\x10\0\0\0\0\0\0\x36\0\0\0"s, 40, "")},
        FileTimeCase{"png", FileBytes("\x89PNG\r\n\x1A\n\0\0\0\x0DIHDR"s, 100, "2008:03:07 1")},
        FileTimeCase{"gif", FileBytes("GIF89a\x10\0\x10\0"s, 100, "")}),
    ByNameField());

TEST_F(PictureDateFile, FileOfOneByteIsEmpty) {
  for (const std::string& bytes : {"\xFF"s, ""s}) {
    const DatedFile dated = Read("short.jpg", bytes);
    EXPECT_EQ(dated.result, 0);
    EXPECT_EQ(dated.date, "unchanged");
    ASSERT_EQ(dated.ui.messages.size(), 1u);
    EXPECT_EQ(dated.ui.messages[0].text,
              "FILESTAT: File " + (dir_ / "short.jpg").string() + " is empty");
    EXPECT_EQ(dated.ui.messages[0].icon, MsgIcon::Error);
  }
}

struct OpenFailure {
  const char* name;
  int error;
  // Makes the file that cannot be opened below the directory and returns its path.
  std::string (*make)(const TempDir& dir);
  bool needsNonRoot;
};

void PrintTo(const OpenFailure& c, std::ostream* os) { *os << c.name; }

class CannotOpen : public ::testing::TestWithParam<OpenFailure> {};

TEST_P(CannotOpen, ReportsTheErrorNumberAndLeavesTheDate) {
  if (GetParam().needsNonRoot && geteuid() == 0) {
    GTEST_SKIP() << "root reads every file";
  }
  TempDir dir;
  const std::string path = GetParam().make(dir);
  FakePlatformUi ui;
  std::string date;
  EXPECT_EQ(ReadPictureDate(path, date, ui), 0);
  EXPECT_EQ(ui.MessageTexts(),
            std::vector<std::string>{"FILESTAT: error=" + std::to_string(GetParam().error) +
                                     " - Cannot open file " + path});
  ASSERT_FALSE(ui.messages.empty());
  EXPECT_EQ(ui.messages[0].icon, MsgIcon::Error);
  EXPECT_TRUE(date.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Files, CannotOpen,
    ::testing::Values(
        OpenFailure{"missing", 2, [](const TempDir& dir) { return (dir / "gone.jpg").string(); },
                    false},
        // A directory named like a picture is no file to read.
        OpenFailure{"directory", 21,
                    [](const TempDir& dir) {
                      std::filesystem::create_directory(dir / "folder.jpg");
                      return (dir / "folder.jpg").string();
                    },
                    false},
        OpenFailure{"unreadable", 13,
                    [](const TempDir& dir) {
                      const std::string path = dir.WriteFile(
                          "locked.jpg", FileBytes(kCameraHead, 200, "2008:03:07 15:05:09"));
                      std::filesystem::permissions(path, std::filesystem::perms::none);
                      return path;
                    },
                    true}),
    ByNameField());

TEST(PictureDate, RelativePathResolvesAgainstTheCurrentDirectory) {
  TempDir dir;
  dir.WriteFile("camera.jpg", FileBytes(kCameraHead, 100, "2020:02:29 23:59:59"));
  std::filesystem::current_path(dir.Path());
  FakePlatformUi ui;
  std::string date;
  EXPECT_EQ(ReadPictureDate("camera.jpg", date, ui), 1);
  EXPECT_EQ(date, "11:59pm Feb 29, 2020");
}

bool RecordsBirthTime(const std::string& path) {
  struct statx info {};
  return statx(AT_FDCWD, path.c_str(), 0, STATX_BTIME, &info) == 0 &&
         (info.stx_mask & STATX_BTIME) != 0;
}

TEST(FileCreationTime, PrefersTheBirthTimeOverTheModificationTime) {
  TempDir dir;
  // File times come from the kernel's coarse clock, which may lag a tick behind time().
  const std::time_t before = std::time(nullptr) - 1;
  const std::string path = dir.WriteFile("old.png", "\x89PNG");
  const std::time_t after = std::time(nullptr);
  // Sun Jan 6 2008, 13:05 local time.
  std::tm local = LocalTime(2008, 1, 6, 13, 5);
  const std::time_t modified = std::mktime(&local);
  const struct timespec times[2] = {{modified, 0}, {modified, 0}};
  ASSERT_EQ(utimensat(AT_FDCWD, path.c_str(), times, 0), 0);

  std::time_t seconds = 0;
  ASSERT_TRUE(FileCreationTime(path, seconds));
  FakePlatformUi ui;
  std::string date;
  ASSERT_EQ(ReadPictureDate(path, date, ui), 1);
  if (RecordsBirthTime(path)) {
    EXPECT_GE(seconds, before);
    EXPECT_LE(seconds, after);
    EXPECT_TRUE(IsOneOf(date, FileTimeTextsBetween(before, after))) << date;
  } else {
    EXPECT_EQ(seconds, modified);
    EXPECT_EQ(date, "1:05pm, Sun, Jan 6, 2008");
  }
}

TEST(FileCreationTime, MissingFileHasNone) {
  TempDir dir;
  std::time_t seconds = 42;
  EXPECT_FALSE(FileCreationTime((dir / "none.gif").string(), seconds));
}

struct ClockCase {
  int hour, minute;
  const char* time;
};

class FileTimeText : public ::testing::TestWithParam<ClockCase> {};

TEST_P(FileTimeText, CountsNoonAsPmAndPadsMinutes) {
  const std::tm local = LocalTime(2008, 1, 6, GetParam().hour, GetParam().minute);
  EXPECT_EQ(FormatFileTime(local), std::string(GetParam().time) + ", Sun, Jan 6, 2008");
}

INSTANTIATE_TEST_SUITE_P(Clock, FileTimeText,
                         ::testing::Values(ClockCase{0, 30, "12:30am"},
                                           ClockCase{12, 30, "12:30pm"}, ClockCase{13, 5, "1:05pm"},
                                           ClockCase{23, 59, "11:59pm"},
                                           ClockCase{9, 7, "9:07am"}),
                         [](const auto& info) {
                           const int minute = info.param.minute;
                           return "At" + std::to_string(info.param.hour) + "h" +
                                  (minute < 10 ? "0" : "") + std::to_string(minute);
                         });

TEST(FileTimeText, NamesWeekdayAndMonth) {
  EXPECT_EQ(FormatFileTime(LocalTime(2011, 9, 3, 18, 0, 6)), "6:00pm, Sat, Sept 3, 2011");
  EXPECT_EQ(FormatFileTime(LocalTime(2011, 12, 7, 18, 0, 3)), "6:00pm, Wed, Dec 7, 2011");
}

TEST(FileTimeText, TimeThatCouldNotBeConvertedShowsPlaceholders) {
  EXPECT_EQ(FormatFileTime(UnconvertedTime()), "-1:-1am, ???, ??? 0, 0");
}

}  // namespace
