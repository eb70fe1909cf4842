#include <gtest/gtest.h>

#include <filesystem>

#include "imaging/ImageWrap.h"
#include "imaging/codec/ExifSegment.h"
#include "tests/imaging/CodecTestFiles.h"
#include "tests/support/FakePlatformUi.h"
#include "tests/support/TempDir.h"
#include "tests/support/TestPictures.h"
#include "tests/support/CaseName.h"

namespace {

namespace fs = std::filesystem;

// 16 x 16 blocks of flat colour survive JPEG's 4:2:0 sampling almost unchanged.
Rgb BlockColour(int x, int y) {
  static const Rgb kColours[] = {{200, 30, 40},   {20, 180, 60}, {30, 60, 210},
                                 {240, 240, 240}, {10, 10, 10},  {200, 190, 20}};
  return kColours[(x / 16 + 3 * (y / 16)) % 6];
}

struct RoundTrip {
  const char* name;
  int depth;        // of the picture saved
  int loadedDepth;  // of the picture read back
  int tolerance;    // largest channel difference allowed
  int margin;       // pixels next to block edges left out of the comparison
  bool sameTable;   // an 8-bit result keeps the table it was saved with
};

class CodecRoundTrip : public ::testing::TestWithParam<RoundTrip> {};

TEST_P(CodecRoundTrip, SavedPictureLoadsBackAtItsDepth) {
  const RoundTrip& c = GetParam();
  TempDir dir;
  CImageWrap picture =
      c.depth == 24 ? MakePicture24(48, 32, BlockColour) : MakePicture8(48, 32, [](int x, int y) {
        return static_cast<uint8_t>((x / 16) * 40 + (y / 16) * 7);
      });
  const std::string path = (dir / c.name).string();
  ASSERT_EQ(picture.Save(path), 0u);
  FakePlatformUi ui;
  CImageWrap loaded;
  ASSERT_EQ(loaded.Load(path, ui), 1) << ui.LastMessage();
  EXPECT_TRUE(ui.messages.empty());
  EXPECT_EQ(loaded.Width(), 48);
  EXPECT_EQ(loaded.Height(), 32);
  EXPECT_EQ(loaded.BitsPerPixel(), c.loadedDepth);
  EXPECT_LE(MaxChannelDifference(picture, loaded, c.margin), c.tolerance);
  if (c.sameTable) {
    EXPECT_EQ(loaded.bitmap.ColorTable(), picture.bitmap.ColorTable());
  }
  // A fixed pixel: the second block of the first row.
  const Rgb expected = PixelAt(picture, 20, 4);
  const Rgb got = PixelAt(loaded, 20, 4);
  EXPECT_NEAR(got.red, expected.red, c.tolerance);
  EXPECT_NEAR(got.green, expected.green, c.tolerance);
}

INSTANTIATE_TEST_SUITE_P(
    Formats, CodecRoundTrip,
    ::testing::Values(RoundTrip{"true-colour.jpg", 24, 24, 8, 2, false},
                      RoundTrip{"indexed.jpg", 8, 24, 8, 2, false},
                      RoundTrip{"true-colour.png", 24, 24, 0, 0, false},
                      RoundTrip{"indexed.png", 8, 8, 0, 0, true},
                      RoundTrip{"true-colour.bmp", 24, 24, 0, 0, false},
                      RoundTrip{"indexed.bmp", 8, 8, 0, 0, true},
                      RoundTrip{"indexed.gif", 8, 8, 0, 0, true},
                      // reduced to the 6 x 7 x 6 cube: at most half a step of 51
                      RoundTrip{"true-colour.gif", 24, 8, 26, 0, false}),
    [](const auto& info) { return TestNameOf(info.param.name); });

TEST(CodecSave, TrueColourGifUsesTheFixedColourCube) {
  TempDir dir;
  const CImageWrap picture = MakePicture24(3, 1, [](int x, int) {
    return x == 0 ? Rgb{255, 0, 0} : x == 1 ? Rgb{128, 128, 128} : Rgb{0, 0, 0};
  });
  ASSERT_EQ(picture.Save(dir.Str() + "/cube.gif"), 0u);
  FakePlatformUi ui;
  CImageWrap loaded;
  ASSERT_EQ(loaded.Load(dir.Str() + "/cube.gif", ui), 1);
  EXPECT_EQ(PixelAt(loaded, 0, 0), (Rgb{255, 0, 0}));
  EXPECT_EQ(PixelAt(loaded, 1, 0), (Rgb{153, 128, 153}));  // levels 3 of 5, 3 of 6, 3 of 5
  EXPECT_EQ(PixelAt(loaded, 2, 0), (Rgb{0, 0, 0}));
}

TEST(CodecSave, GreyPictureIsWrittenAsGreyJpegAndLoadsBackAsGrey) {
  TempDir dir;
  CImageWrap grey = MakePicture8(32, 16, [](int x, int) { return static_cast<uint8_t>(x * 8); });
  for (int i = 0; i < 256; ++i) {
    const auto v = static_cast<uint8_t>(i);
    grey.bitmap.ColorTable()[static_cast<size_t>(i)] = RgbQuad{v, v, v, 0};
  }
  ASSERT_EQ(grey.Save(dir.Str() + "/grey.jpg"), 0u);
  FakePlatformUi ui;
  CImageWrap loaded;
  ASSERT_EQ(loaded.Load(dir.Str() + "/grey.jpg", ui), 1);
  EXPECT_EQ(loaded.BitsPerPixel(), 8);
  EXPECT_EQ(loaded.bitmap.ColorTable()[200], (RgbQuad{200, 200, 200, 0}));
  EXPECT_LE(MaxChannelDifference(grey, loaded), 8);
}

struct ExtensionCase {
  const char* name;
  const char* magic;  // first bytes of the file written
};

class SaveByExtension : public ::testing::TestWithParam<ExtensionCase> {};

TEST_P(SaveByExtension, ExtensionChoosesTheEncoderWithoutRegardToCase) {
  TempDir dir;
  const CImageWrap picture = MakePicture24(8, 8, GradientColour);
  const fs::path path = dir / GetParam().name;
  ASSERT_EQ(picture.Save(path.string()), 0u);
  const std::string magic = GetParam().magic;
  EXPECT_EQ(ReadFileBytes(path).substr(0, magic.size()), magic);
}

INSTANTIATE_TEST_SUITE_P(
    Extensions, SaveByExtension,
    ::testing::Values(ExtensionCase{"a.jpg", "\xFF\xD8\xFF"},
                      ExtensionCase{"a.JPG", "\xFF\xD8\xFF"},
                      ExtensionCase{"a.jpeg", "\xFF\xD8\xFF"},
                      ExtensionCase{"a.Jpe", "\xFF\xD8\xFF"},
                      ExtensionCase{"a.jfif", "\xFF\xD8\xFF"}, ExtensionCase{"a.PNG", "\x89PNG"},
                      ExtensionCase{"a.gif", "GIF8"}, ExtensionCase{"a.bmp", "BM"},
                      ExtensionCase{"a.DIB", "BM"}, ExtensionCase{"dotted.name.png", "\x89PNG"}),
    ByNameField());

TEST(CodecSave, UpperAndLowerCaseJpgWriteTheSameBytes) {
  TempDir dir;
  const CImageWrap picture = MakePicture24(20, 12, GradientColour);
  ASSERT_EQ(picture.Save(dir.Str() + "/lower.jpg"), 0u);
  ASSERT_EQ(picture.Save(dir.Str() + "/upper.JPG"), 0u);
  EXPECT_EQ(ReadFileBytes(dir / "lower.jpg"), ReadFileBytes(dir / "upper.JPG"));
}

TEST(CodecSave, UnknownExtensionWritesNothingAndFails) {
  TempDir dir;
  const CImageWrap picture = MakePicture24(4, 4, GradientColour);
  for (const char* name :
       {"notes.txt", "noextension", "dir.jpg/inner", "trailing.", "a.jpg.tiff"}) {
    EXPECT_EQ(picture.Save(dir.Str() + "/" + name), 0x80004005u) << name;
  }
  EXPECT_TRUE(fs::is_empty(dir.Path()));
}

TEST(CodecSave, EmptyPictureOrMissingDirectoryFailsWithoutLeavingFiles) {
  TempDir dir;
  const CImageWrap empty;
  EXPECT_EQ(empty.Save(dir.Str() + "/empty.png"), 0x80004005u);
  const CImageWrap picture = MakePicture24(4, 4, GradientColour);
  EXPECT_EQ(picture.Save(dir.Str() + "/missing/a.png"), 0x80004005u);
  fs::create_directory(dir / "taken.jpg");
  EXPECT_EQ(picture.Save(dir.Str() + "/taken.jpg"), 0x80004005u);
  EXPECT_TRUE(fs::is_directory(dir / "taken.jpg"));
  // Only the directory made above: no temporary file stays behind.
  EXPECT_EQ(std::distance(fs::directory_iterator(dir.Path()), fs::directory_iterator()), 1);
}

TEST(CodecSave, ReplacesAnExistingFileAndKeepsItsPermissions) {
  TempDir dir;
  const std::string path = dir.WriteFile("old.png", "not a picture");
  fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write);
  const CImageWrap picture = MakePicture24(4, 4, GradientColour);
  ASSERT_EQ(picture.Save(path), 0u);
  EXPECT_EQ(ReadFileBytes(path).substr(0, 4), "\x89PNG");
  EXPECT_EQ(fs::status(path).permissions() & fs::perms::all,
            fs::perms::owner_read | fs::perms::owner_write);
  EXPECT_EQ(std::distance(fs::directory_iterator(dir.Path()), fs::directory_iterator()), 1);
}

TEST(CodecLoad, FormatIsTakenFromTheContentNotTheName) {
  TempDir dir;
  const CImageWrap picture = MakePicture24(6, 5, GradientColour);
  ASSERT_EQ(picture.Save(dir.Str() + "/real.png"), 0u);
  fs::rename(dir / "real.png", dir / "png-with-jpg-extension.jpg");
  FakePlatformUi ui;
  CImageWrap loaded;
  ASSERT_EQ(loaded.Load(dir.Str() + "/png-with-jpg-extension.jpg", ui), 1);
  EXPECT_EQ(MaxChannelDifference(picture, loaded), 0);
}

class OddNames : public ::testing::TestWithParam<const char*> {};

TEST_P(OddNames, SaveAndLoadUnderTheName) {
  TempDir dir;
  const CImageWrap picture = MakePicture24(5, 4, GradientColour);
  const std::string path = dir.Str() + "/" + GetParam();
  ASSERT_EQ(picture.Save(path), 0u);
  FakePlatformUi ui;
  CImageWrap loaded;
  ASSERT_EQ(loaded.Load(path, ui), 1) << ui.LastMessage();
  EXPECT_EQ(MaxChannelDifference(picture, loaded), 0);
}

INSTANTIATE_TEST_SUITE_P(Names, OddNames,
                         ::testing::Values("with space.png", "hash#1.bmp", "100%.png",
                                           "quote\"d'.bmp",
                                           "\xC3\xBC"
                                           "ber-\xE6\x97\xA5.png",
                                           "%s%n%x.png"),
                         ByValue());

TEST(CodecSave, ExifSegmentIsWrittenRightAfterTheStartOfImage) {
  TempDir dir;
  const CImageWrap picture = MakePicture24(16, 16, BlockColour);
  const std::vector<uint8_t> exif = ExifSegmentWith(1, true);
  const std::string path = dir.Str() + "/with-exif.jpg";
  ASSERT_EQ(picture.Save(path, &exif), 0u);
  const std::string bytes = ReadFileBytes(path);
  EXPECT_EQ(bytes.substr(0, 4), "\xFF\xD8\xFF\xE1");
  EXPECT_EQ(ReadJpegExifSegment(path), exif);
  // Other formats carry no metadata.
  ASSERT_EQ(picture.Save(dir.Str() + "/plain.png", &exif), 0u);
  EXPECT_EQ(ReadFileBytes(dir / "plain.png").find("Exif"), std::string::npos);
}

}  // namespace
