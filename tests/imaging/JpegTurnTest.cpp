#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "album/AlbumEntry.h"
#include "imaging/OriginalEdit.h"
#include "imaging/PictureDate.h"
#include "imaging/codec/ExifSegment.h"
#include "imaging/codec/JpegHead.h"
#include "imaging/codec/JpegTurn.h"
#include "tests/imaging/CodecTestFiles.h"
#include "tests/support/FakePlatformUi.h"
#include "tests/support/TempDir.h"
#include "tests/support/TestPictures.h"

namespace fs = std::filesystem;

namespace {

using Segments = std::vector<std::pair<int, std::string>>;

// The APPn and COM segments of a JPEG file but its Exif one, with their payloads.
Segments MetadataBesidesExif(const std::string& bytes) {
  const auto* data = reinterpret_cast<const uint8_t*>(bytes.data());
  std::vector<codec::JpegSegment> head;
  EXPECT_TRUE(codec::ReadJpegHead(data, bytes.size(), head));
  Segments kept;
  for (const codec::JpegSegment& s : head) {
    const bool metadata = (s.marker >= 0xE0 && s.marker <= 0xEF) || s.marker == 0xFE;
    if (metadata && !codec::IsExifPayload(data + s.payload, s.length)) {
      kept.emplace_back(s.marker, bytes.substr(s.payload, s.length));
    }
  }
  return kept;
}

// A segment put in after the APPn segments that start the file.
std::string WithSegment(const std::string& jpeg, int marker, const std::string& payload) {
  std::vector<codec::JpegSegment> head;
  codec::ReadJpegHead(reinterpret_cast<const uint8_t*>(jpeg.data()), jpeg.size(), head);
  size_t at = 2;
  for (size_t i = 0; i < head.size() && head[i].marker >= 0xE0 && head[i].marker <= 0xEF; ++i) {
    at = head[i].payload + head[i].length;
  }
  const size_t length = payload.size() + 2;
  return jpeg.substr(0, at) + '\xFF' + static_cast<char>(marker) +
         static_cast<char>(length >> 8) + static_cast<char>(length & 0xFF) + payload +
         jpeg.substr(at);
}

CImageWrap Decoded(const std::string& path) {
  FakePlatformUi ui;
  CImageWrap picture;
  EXPECT_EQ(picture.Load(path, ui), 1) << ui.LastMessage();
  return picture;
}

std::string ExifDate(const std::string& path) {
  FakePlatformUi ui;
  CAlbumEntry entry;
  EXPECT_EQ(ReadPictureDate(path, entry, ui), 1);
  return entry.date;
}

struct TurnCase {
  const char* name;
  int width;
  int height;
  int orientation;  // of the Exif segment written: -1 none, 0 one without the tag
  int direction;
  bool transformed;      // the compressed picture is turned, not only its orientation
  int orientationAfter;  // after one turn
};

class JpegTurn : public ::testing::TestWithParam<TurnCase> {};

// One turn shows the picture turned, four give back the same pixels, and every other segment
// of the file stays.
TEST_P(JpegTurn, FourTurnsGiveBackTheSamePixelsAndKeepEverySegment) {
  const TurnCase& c = GetParam();
  TempDir dir;
  const std::string path = (dir / "photo.jpg").string();
  const std::vector<uint8_t> exif = c.orientation >= 0 ? ExifSegmentWith(c.orientation, false)
                                                       : std::vector<uint8_t>{};
  ASSERT_EQ(MakePhotoLike(c.width, c.height).Save(path, exif.empty() ? nullptr : &exif), 0u);
  const std::string original = WithSegment(WithSegment(ReadFileBytes(path), 0xFE, "a comment"),
                                           0xE2, std::string("ICC_PROFILE\0fake", 16));
  dir.WriteFile("photo.jpg", original);
  const CImageWrap before = Decoded(path);

  ASSERT_EQ(TurnPictureFile(path, c.direction), 1);
  const std::string once = ReadFileBytes(path);
  CImageWrap expected;
  ASSERT_EQ(before.CopyTo(expected), 1);
  ASSERT_EQ(expected.Rotate(c.direction), 1);
  const CImageWrap turned = Decoded(path);
  ASSERT_EQ(turned.Width(), expected.Width());
  ASSERT_EQ(turned.Height(), expected.Height());
  // A turned compressed picture has its colour smoothed anew in the other direction.
  EXPECT_LE(MaxChannelDifference(turned, expected), c.transformed ? 3 : 0);
  const std::vector<uint8_t> exifAfter = ReadJpegExifSegment(path);
  EXPECT_EQ(ReadExifOrientation(exifAfter.data(), exifAfter.size()), c.orientationAfter);

  for (int turn = 1; turn < 4; ++turn) {
    ASSERT_EQ(TurnPictureFile(path, c.direction), 1);
  }
  EXPECT_EQ(MaxChannelDifference(Decoded(path), before), 0);
  EXPECT_EQ(MetadataBesidesExif(ReadFileBytes(path)), MetadataBesidesExif(original));
  EXPECT_EQ(MetadataBesidesExif(once), MetadataBesidesExif(original));
  EXPECT_EQ(std::distance(fs::directory_iterator(dir.Path()), fs::directory_iterator()), 1);
}

// At 4:2:0 the blocks are 16 x 16. Orientation 6 shows the stored picture turned clockwise,
// 8 counter-clockwise, 3 upside down.
INSTANTIATE_TEST_SUITE_P(Cases, JpegTurn, ::testing::Values(
    TurnCase{"WholeBlocksClockwise", 64, 48, -1, 1, true, 1},
    TurnCase{"WholeBlocksCounterClockwise", 64, 48, -1, 0, true, 1},
    TurnCase{"WholeBlocksExifWithoutTheTag", 48, 32, 0, 1, true, 1},
    TurnCase{"PartBlocksDownGetsAnExifSegment", 64, 40, -1, 1, false, 6},
    TurnCase{"PartBlocksAcrossGetsAnExifSegment", 40, 64, -1, 0, false, 8},
    TurnCase{"PartBlocksExifWithoutTheTagGetsIt", 40, 40, 0, 0, false, 8},
    TurnCase{"TaggedFileKeepsItsPixels", 48, 32, 6, 1, false, 3},
    TurnCase{"TaggedTurnBack", 48, 32, 6, 0, false, 1}),
    [](const ::testing::TestParamInfo<TurnCase>& info) { return std::string(info.param.name); });

// A camera's photograph carries an Orientation: only that changes, so four turns give back the
// very file.
TEST(JpegTurn, PhotographKeepsItsExifDateAndItsPixels) {
  TempDir dir;
  const std::string path = (dir / "photo.jpg").string();
  fs::copy_file(fs::path(QUILLARAN_SAMPLES_DIR) / "Aitzgorri in autumn.jpg", path);
  const std::string bytes = ReadFileBytes(path);
  const std::string date = ExifDate(path);
  const CImageWrap before = Decoded(path);
  ASSERT_EQ(TurnPictureFile(path, 0), 1);
  EXPECT_EQ(Decoded(path).Width(), before.Height());
  for (const int direction : {1, 1, 1, 1, 1}) {  // back, and four turns the other way
    ASSERT_EQ(TurnPictureFile(path, direction), 1);
    EXPECT_EQ(ExifDate(path), date);
  }
  EXPECT_EQ(MaxChannelDifference(Decoded(path), before), 0);
  EXPECT_EQ(ReadFileBytes(path), bytes);
  EXPECT_EQ(date, "10:32am June 14, 2026");
}

TEST(JpegTurn, OrientationsComposeWithTheTurn) {
  // {shown, direction, result}: 8 is turned counter-clockwise, 6 clockwise, 2 mirrored.
  const int cases[][3] = {{1, 0, 8}, {1, 1, 6}, {6, 0, 1}, {6, 1, 3}, {8, 1, 1},
                          {3, 0, 6}, {2, 1, 7}, {5, 0, 4}};
  for (const auto& c : cases) {
    EXPECT_EQ(codec::TurnedOrientation(c[0], c[1]), c[2]) << c[0] << " " << c[1];
  }
  for (int shown = 1; shown <= 8; ++shown) {
    EXPECT_EQ(codec::TurnedOrientation(codec::TurnedOrientation(shown, 0), 1), shown);
  }
}

TEST(JpegTurn, RefusesWhatIsNoJpeg) {
  const std::string png = PngBytes(4, 4, 2, 8, false);
  const std::string cut = std::string("\xFF\xD8\xFF\xE1\x10\x00Exif\0\0MM", 14);
  for (const std::string& bytes : {png, cut}) {
    EXPECT_FALSE(codec::TurnJpeg({reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()}, 1));
  }
}

class ExifOrientationAdded : public ::testing::TestWithParam<bool> {};

// A directory without the tag is copied with it to the end; what was there stays in place.
TEST_P(ExifOrientationAdded, ToADirectoryWithoutOne) {
  const std::vector<uint8_t> software = ExifSegmentWith(0, GetParam());
  const std::vector<uint8_t> with = ExifWithOrientation(software, 6);
  ASSERT_EQ(with.size(), software.size() + 2 + 2 * 12 + 4);
  EXPECT_EQ(ReadExifOrientation(with.data(), with.size()), 6);
  EXPECT_TRUE(std::equal(software.begin() + 14, software.end(), with.begin() + 14));
  // The copy holds both entries, tags ascending: Orientation (0x0112), then Software (0x0131).
  const std::vector<uint8_t> both = ExifSegmentWith(6, GetParam());
  const size_t entries = 6 + 8 + 2;  // after "Exif", the TIFF header and the count
  const auto copied = with.end() - 28;
  EXPECT_TRUE(std::equal(both.begin() + entries + 12, both.begin() + entries + 24, copied));
  EXPECT_TRUE(std::equal(both.begin() + entries, both.begin() + entries + 12, copied + 12));
  // A segment that has the tag is changed in place; none at all gives one with the tag.
  EXPECT_EQ(ExifWithOrientation(both, 3).size(), both.size());
  const std::vector<uint8_t> fresh = ExifWithOrientation({}, 8);
  EXPECT_EQ(ReadExifOrientation(fresh.data(), fresh.size()), 8);
  EXPECT_TRUE(ExifWithOrientation({'E', 'x', 'i', 'f', 0, 0, 'X'}, 8).empty());
}

INSTANTIATE_TEST_SUITE_P(ByteOrders, ExifOrientationAdded, ::testing::Values(false, true),
                         [](const auto& info) {
                           return std::string(info.param ? "BigEndian" : "LittleEndian");
                         });

}  // namespace
