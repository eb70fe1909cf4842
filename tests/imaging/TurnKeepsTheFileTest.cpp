#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <ctime>
#include <filesystem>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "imaging/OriginalEdit.h"
#include "imaging/PictureDate.h"
#include "imaging/codec/Codec.h"
#include "tests/imaging/CodecTestFiles.h"
#include "tests/support/ColourProfiles.h"
#include "tests/support/FakePlatformUi.h"
#include "tests/support/TempDir.h"
#include "tests/support/TestPictures.h"
#include "tests/support/TodayFormatFiles.h"

namespace fs = std::filesystem;

namespace {

// Bytes after the picture as a motion photo has them: a video, with marker-like bytes in it.
const std::string kTail = std::string(
                              "\0\0\0\x18"
                              "ftypmp42",
                              12) +
                          "\xFF\xD9\xFF\xD8" + std::string(3000, 'Z');

std::string JpegWithTail(bool orientation) {
  TempDir scratch;
  const std::string path = (scratch / "photo.jpg").string();
  const std::vector<uint8_t> exif = ExifSegmentWith(1, false);
  // 64 x 48 is whole 4:2:0 blocks: without an Orientation the compressed picture is turned.
  EXPECT_EQ(MakePhotoLike(64, 48).Save(path, orientation ? &exif : nullptr), 0u);
  return ReadFileBytes(path) + kTail;
}

std::string TaggedPng16() {
  std::string png = PngWithProfile(PngBytes(5, 3, 2, 16, false), SrgbProfile());
  for (const std::string& chunk :
       {PngChunk("pHYs", std::string("\0\0\x0B\x13\0\0\x0E\xC4\x01", 9)),
        PngChunk("tEXt", std::string("Title\0Harbour at dusk", 21)),
        PngChunk("iTXt", std::string("XML:com.adobe.xmp\0\0\0\0\0<x:xmpmeta/>", 34)),
        PngChunk("prVw", "a chunk of some other program")}) {
    png = PngWithChunk(png, chunk);
  }
  return PngWithChunk(png, PngChunk("tEXt", std::string("Comment\0after the picture", 25)), true);
}

std::string AnimatedPng() {
  return PngWithChunk(PngBytes(5, 3, 2, 8, false), PngChunk("acTL", std::string(8, '\x01')));
}

std::string SingleGif() {
  const std::vector<RgbQuad> table = {{0, 0, 255, 0}, {0, 255, 0, 0}, {255, 0, 0, 0}, {9, 9, 9, 0}};
  std::vector<uint8_t> indexes(5 * 3);
  for (size_t i = 0; i < indexes.size(); ++i) {
    indexes[i] = static_cast<uint8_t>(i % 4);
  }
  return GifBytes(5, 3, table, indexes, false);
}

// The single GIF with its image twice: two frames.
std::string AnimatedGif() {
  const std::string one = SingleGif();
  const size_t table = (one[10] & 0x80) != 0 ? size_t{3} << ((one[10] & 7) + 1) : 0;
  const size_t image = 13 + table;
  return one.substr(0, one.size() - 1) + one.substr(image, one.size() - 1 - image) + ";";
}

using Chunks = std::vector<std::pair<std::string, std::string>>;

// The chunks of a PNG but its picture data, in order.
Chunks ChunksBesidesPicture(const std::string& png) {
  Chunks chunks;
  for (size_t at = 8; at + 12 <= png.size();) {
    const auto* p = reinterpret_cast<const uint8_t*>(png.data() + at);
    const size_t length = size_t{p[0]} << 24 | size_t{p[1]} << 16 | size_t{p[2]} << 8 | p[3];
    if (png.compare(at + 4, 4, "IDAT") != 0) {
      chunks.emplace_back(png.substr(at + 4, 4), png.substr(at + 8, length));
    }
    at += 12 + length;
  }
  return chunks;
}

// Every chunk stays in its place; the size in the header and the pixel size swap their axes.
void PngKept(const std::string& original, const std::string& turned, bool back) {
  if (back) {
    EXPECT_EQ(turned, original);
    return;
  }
  Chunks expected = ChunksBesidesPicture(original);
  for (auto& [type, data] : expected) {
    if (type == "IHDR" || type == "pHYs") {
      data = data.substr(4, 4) + data.substr(0, 4) + data.substr(8);
    }
  }
  EXPECT_EQ(ChunksBesidesPicture(turned), expected);
}

void TailKept(const std::string&, const std::string& turned, bool) {
  ASSERT_GT(turned.size(), kTail.size() + 2);
  EXPECT_EQ(turned.substr(turned.size() - kTail.size() - 2), "\xFF\xD9" + kTail);
}

void NothingMore(const std::string&, const std::string&, bool) {}

// A HEIF, WebP or TIFF file carries its turn: every byte of the original stays, in its order,
// but for a few sizes, offsets and the orientation itself (the longest common subsequence).
void OrientationOnly(const std::string& original, const std::string& turned, bool) {
  std::vector<size_t> row(turned.size() + 1, 0);
  for (const char byte : original) {
    size_t diagonal = 0;
    for (size_t j = 1; j <= turned.size(); ++j) {
      const size_t above = row[j];
      row[j] = byte == turned[j - 1] ? diagonal + 1 : std::max(row[j], row[j - 1]);
      diagonal = above;
    }
  }
  EXPECT_GE(row.back() + 16, original.size());
}

std::function<std::string()> Today(TodayFormat format, int exifOrientation, int heifOrientation) {
  return [=] {
    TodayPicture picture;
    picture.width = 24;
    picture.height = 16;
    for (int y = 0; y < picture.height; ++y) {
      for (int x = 0; x < picture.width; ++x) {
        picture.pixels.push_back(GradientColour(x * 9, y * 13));
      }
    }
    picture.exifOrientation = exifOrientation;
    picture.heifOrientation = heifOrientation;
    return WriteTodayFormat(format, picture);
  };
}

struct WholeCase {
  const char* name;
  const char* fileName;
  std::function<std::string()> bytes;
  // What must hold of the file turned, and turned back; none: the turn is refused.
  std::function<void(const std::string& original, const std::string& turned, bool back)> kept;
  bool exactPixels = false;  // it decodes to the original's pixels, turned
  bool linked = false;       // the album's file is a link to one outside its folder
};

class TurnKeepsTheFile : public ::testing::TestWithParam<WholeCase> {};

CImageWrap Decoded(const std::string& path) {
  FakePlatformUi ui;
  CImageWrap picture;
  picture.Load(path, ui);
  return picture;
}

void ExpectSamePixels(const CImageWrap& a, const CImageWrap& b) {
  ASSERT_EQ(a.Width(), b.Width());
  ASSERT_EQ(a.Height(), b.Height());
  for (int y = 0; y < a.Height(); ++y) {
    for (int x = 0; x < a.Width(); ++x) {
      ASSERT_EQ(PixelAt(a, x, y), PixelAt(b, x, y)) << x << "," << y;
    }
  }
}

// Turned clockwise and back, a file keeps its format whatever its name, its times and its
// creation time (a picture without an Exif date is dated by it) and everything but the turn;
// what a turn cannot keep whole is refused and left as it was.
TEST_P(TurnKeepsTheFile, ClockwiseAndBack) {
  const WholeCase& c = GetParam();
  TempDir dir;
  const std::string original = c.bytes();
  const std::string path = (dir / c.fileName).string();
  std::string stored = path;
  if (c.linked) {
    fs::create_directory(dir / "elsewhere");
    stored = dir.WriteFile(std::string("elsewhere/") + c.fileName, original);
    fs::create_directory(dir / "album");
    fs::create_symlink(stored, dir / "album" / c.fileName);
  } else {
    dir.WriteFile(c.fileName, original);
  }
  const std::string album = c.linked ? (dir / "album" / c.fileName).string() : path;
  if (!c.kept) {
    EXPECT_NE(WhyNotTurnable(album), "");
    EXPECT_EQ(TurnPictureFile(album, 1), 0);
    EXPECT_EQ(ReadFileBytes(stored), original);
    EXPECT_EQ(fs::is_symlink(album), c.linked);
    return;
  }
  const CImageWrap before = Decoded(path);
  const auto format = [](const std::string& bytes) {
    return codec::FormatFromMagic(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
  };
  // A file's birth time cannot be set: this one was made long ago and turned once before.
  KeepCreationTime(path, 1'000'000'000);
  std::time_t created = 0;
  ASSERT_TRUE(FileCreationTime(path, created));
  const timespec then[2] = {{1'000'000'000, 123'456'789}, {1'000'000'000, 987'654'321}};
  for (const bool back : {false, true}) {
    ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), then, 0), 0);
    ASSERT_EQ(TurnPictureFile(path, back ? 0 : 1), 1);
    struct stat info {};
    ASSERT_EQ(::stat(path.c_str(), &info), 0);  // before reading it sets the access time
    EXPECT_EQ(info.st_atim.tv_nsec, then[0].tv_nsec);
    EXPECT_EQ(info.st_mtim.tv_sec, then[1].tv_sec);
    EXPECT_EQ(info.st_mtim.tv_nsec, then[1].tv_nsec);
    std::time_t createdNow = 0;
    EXPECT_TRUE(FileCreationTime(path, createdNow) && createdNow == created);
    const std::string turned = ReadFileBytes(path);
    EXPECT_EQ(format(turned), format(original));
    c.kept(original, turned, back);
    if (c.exactPixels) {
      CImageWrap expected;
      ASSERT_EQ(before.CopyTo(expected), 1);
      if (!back) {
        ASSERT_EQ(expected.Rotate(1), 1);
      }
      ExpectSamePixels(Decoded(path), expected);
    }
  }
}

INSTANTIATE_TEST_SUITE_P(
    Originals, TurnKeepsTheFile,
    ::testing::Values(
        WholeCase{"AnimatedGifIsRefused", "waves.gif", AnimatedGif, nullptr},
        WholeCase{"AnimatedPngIsRefused", "waves.png", AnimatedPng, nullptr},
        WholeCase{"LinkedOriginalIsRefused", "linked.png",
                  [] { return PngBytes(5, 3, 2, 8, false); }, nullptr, false, true},
        WholeCase{"SingleFrameGif", "still.gif", SingleGif, NothingMore, true},
        WholeCase{"PngNamedJpg", "scan.jpg", [] { return PngBytes(5, 3, 2, 8, false); }, PngKept,
                  true},
        WholeCase{"TaggedPngOf16Bits", "tagged.png", TaggedPng16, PngKept},
        // 3 pixels across take one and a half bytes: the turned rows end in unused bits.
        WholeCase{"PalettePngOf4BitsWithTransparency", "icon.png",
                  [] { return PngBytes(6, 3, 3, 4, true); }, PngKept},
        WholeCase{"JpegTailWithoutOrientation", "motion.jpg", [] { return JpegWithTail(false); },
                  TailKept},
        WholeCase{"JpegTailWithOrientation", "tagged.jpg", [] { return JpegWithTail(true); },
                  TailKept},
        WholeCase{"Heic", "phone.heic", Today(TodayFormat::Heic, 0, 1), OrientationOnly, true},
        WholeCase{"HeicTurned", "phone.heic", Today(TodayFormat::Heic, 0, 6), OrientationOnly,
                  true},
        WholeCase{"HeicMirroredAndTurned", "phone.heic", Today(TodayFormat::Heic, 0, 5),
                  OrientationOnly, true},
        WholeCase{"Avif", "phone.avif", Today(TodayFormat::Avif, 0, 1), OrientationOnly, true},
        WholeCase{"WebpLossyWithoutExif", "web.webp", Today(TodayFormat::WebpLossy, 0, 1),
                  OrientationOnly, true},
        WholeCase{"WebpLossyUpsideDown", "web.webp", Today(TodayFormat::WebpLossy, 3, 1),
                  OrientationOnly, true},
        WholeCase{"WebpLossless", "web.webp", Today(TodayFormat::WebpLossless, 0, 1),
                  OrientationOnly, true},
        WholeCase{"WebpAlpha", "web.webp", Today(TodayFormat::WebpAlpha, 1, 1), OrientationOnly,
                  true},
        WholeCase{"TiffWithoutOrientation", "scan.tif", Today(TodayFormat::Tiff8, 0, 1),
                  OrientationOnly, true},
        WholeCase{"Tiff16Turned", "scan.tif", Today(TodayFormat::Tiff16, 6, 1), OrientationOnly,
                  true},
        WholeCase{"TiffGrey", "scan.tif", Today(TodayFormat::TiffGrey, 0, 1), OrientationOnly,
                  true}),
    [](const ::testing::TestParamInfo<WholeCase>& info) { return std::string(info.param.name); });

}  // namespace
