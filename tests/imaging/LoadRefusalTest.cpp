#include <gtest/gtest.h>
#include <png.h>

#include <filesystem>
#include <functional>
#include <limits>

#include "imaging/ImageWrap.h"
#include "imaging/codec/Codec.h"
#include "tests/imaging/CodecTestFiles.h"
#include "tests/support/FakePlatformUi.h"
#include "tests/support/TempDir.h"
#include "tests/support/CaseName.h"

namespace {

std::string RowsOf(int rowBytes, int height) {
  return std::string(static_cast<size_t>(rowBytes * height), '\x11');
}

struct Refusal {
  const char* name;
  std::function<std::string()> bytes;
  int depth;
};

class LoadRefusal : public ::testing::TestWithParam<Refusal> {};

TEST_P(LoadRefusal, DepthOtherThanEightOrTwentyFourIsReportedAndLeavesTheImageEmpty) {
  TempDir dir;
  const std::string path = dir.WriteFile(GetParam().name, GetParam().bytes());
  FakePlatformUi ui;
  CImageWrap image;
  EXPECT_EQ(image.Load(path, ui), 0);
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].text,
            "Image " + path + " is not 8 or 24 bits/pixel but " + std::to_string(GetParam().depth));
  EXPECT_EQ(ui.messages[0].icon, MsgIcon::Error);
  EXPECT_EQ(ui.messages[0].buttons, MsgButtons::Ok);
  EXPECT_FALSE(image.HasBitmap());
  EXPECT_EQ(image.Width(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Depths, LoadRefusal,
    ::testing::Values(
        Refusal{"alpha.png", [] { return PngBytes(4, 3, PNG_COLOR_TYPE_RGBA, 8, false); }, 32},
        Refusal{"grey-alpha.png",
                [] { return PngBytes(4, 3, PNG_COLOR_TYPE_GRAY_ALPHA, 8, false); }, 32},
        Refusal{"palette-trns.png", [] { return PngBytes(4, 3, PNG_COLOR_TYPE_PALETTE, 8, true); },
                32},
        Refusal{"rgb-trns.png", [] { return PngBytes(4, 3, PNG_COLOR_TYPE_RGB, 8, true); }, 32},
        Refusal{"rgb16.png", [] { return PngBytes(4, 3, PNG_COLOR_TYPE_RGB, 16, false); }, 48},
        Refusal{"rgba16.png", [] { return PngBytes(4, 3, PNG_COLOR_TYPE_RGBA, 16, false); }, 64},
        Refusal{"grey16.png", [] { return PngBytes(4, 3, PNG_COLOR_TYPE_GRAY, 16, false); }, 16},
        Refusal{"palette1.png", [] { return PngBytes(9, 3, PNG_COLOR_TYPE_PALETTE, 1, false); }, 1},
        Refusal{"palette2.png", [] { return PngBytes(9, 3, PNG_COLOR_TYPE_PALETTE, 2, false); }, 4},
        Refusal{"palette4.png", [] { return PngBytes(9, 3, PNG_COLOR_TYPE_PALETTE, 4, false); }, 4},
        Refusal{"grey1.png", [] { return PngBytes(9, 3, PNG_COLOR_TYPE_GRAY, 1, false); }, 1},
        Refusal{"bits1.bmp",
                [] {
                  return BmpBytes(9, 3, 1, 0, {{0, 0, 0, 0}, {255, 255, 255, 0}}, RowsOf(4, 3));
                },
                1},
        Refusal{"bits4.bmp",
                [] { return BmpBytes(9, 3, 4, 0, std::vector<RgbQuad>(16), RowsOf(8, 3)); }, 4},
        Refusal{"rle4.bmp",
                [] {
                  return BmpBytes(9, 3, 4, 2, std::vector<RgbQuad>(16), std::string("\x00\x01", 2));
                },
                4},
        Refusal{"bits16.bmp", [] { return BmpBytes(9, 3, 16, 0, {}, RowsOf(20, 3)); }, 16},
        Refusal{"bits32.bmp", [] { return BmpBytes(9, 3, 32, 0, {}, RowsOf(36, 3)); }, 32},
        Refusal{"bitfields32.bmp", [] { return BmpBytes(9, 3, 32, 3, {}, RowsOf(36, 3)); }, 32}),
    [](const auto& info) { return TestNameOf(info.param.name); });

// A picture that declares a size beyond the limits, or far more pixels than its file can
// hold, is refused as undecodable before any pixel memory is taken.
class OversizeLoad : public ::testing::TestWithParam<NamedFile> {};

TEST_P(OversizeLoad, IsRefusedAsUndecodableBeforeAnyPixelMemory) {
  TempDir dir;
  const std::string path = dir.WriteFile(GetParam().name, GetParam().bytes());
  ExpectLoadFailsCleanly(path);
  CBitmap before;
  CBitmap decoded;
  CBitmap after;
  CreateBitmap(before, 1, 1, 8);
  codec::DecodeFile(path, decoded);
  CreateBitmap(after, 1, 1, 8);
  // Every bitmap made takes the next serial number: none was made for the file.
  EXPECT_EQ(after.Serial(), before.Serial() + 1);
}

// A small JPEG whose frame header claims another size.
std::string JpegDeclaring(uint16_t width, uint16_t height) {
  TempDir dir;
  MakePicture24(16, 16, GradientColour).Save(dir.Str() + "/small.jpg");
  std::string bytes = ReadFileBytes(dir / "small.jpg");
  const size_t sof = bytes.find("\xFF\xC0");
  bytes[sof + 5] = static_cast<char>(height >> 8);
  bytes[sof + 6] = static_cast<char>(height & 0xFF);
  bytes[sof + 7] = static_cast<char>(width >> 8);
  bytes[sof + 8] = static_cast<char>(width & 0xFF);
  return bytes;
}

std::string GifScreen(uint16_t width, uint16_t height) {
  std::string bytes = GifBytes(2, 2, {{0, 0, 0, 0}, {255, 255, 255, 0}}, {0, 1, 1, 0}, false);
  bytes.replace(6, 4, Le16(width) + Le16(height));
  return bytes;
}

INSTANTIATE_TEST_SUITE_P(
    Limits, OversizeLoad,
    ::testing::Values(
        NamedFile{"wide.png", [] { return PngHeaderOnly(70000, 10); }},
        NamedFile{"huge.png", [] { return PngHeaderOnly(20000, 20000); }},
        NamedFile{"wide.bmp", [] { return BmpBytes(70000, 10, 24, 0, {}, ""); }},
        NamedFile{"huge.bmp", [] { return BmpBytes(20000, 20000, 24, 0, {}, ""); }},
        NamedFile{"huge-top-down.bmp", [] { return BmpBytes(20000, -20000, 24, 0, {}, ""); }},
        NamedFile{"huge.jpg", [] { return JpegDeclaring(20000, 20000); }},
        NamedFile{"huge.gif", [] { return GifScreen(20000, 20000); }},
        // Within the limits, but absurd for files of a few hundred bytes.
        NamedFile{"tiny-with-65535x3814-screen.gif", [] { return GifScreen(65535, 3814); }},
        NamedFile{"header-only-65535x3814.bmp",
                  [] { return BmpBytes(65535, 3814, 24, 0, {}, ""); }},
        NamedFile{"header-only-65535x3814.jpg", [] { return JpegDeclaring(65535, 3814); }},
        NamedFile{"one-row-of-1000x1000.bmp",
                  [] { return BmpBytes(1000, 1000, 24, 0, {}, RowsOf(3000, 1)); }}),
    ByNameField());

TEST(SizeLimit, AcceptsUpToTheLimitsAndNotBeyond) {
  const size_t gigabyte = size_t{1} << 30;
  EXPECT_TRUE(codec::SizeAcceptable(65535, 3814, gigabyte));   // 249.9 megapixels
  EXPECT_FALSE(codec::SizeAcceptable(65535, 3815, gigabyte));  // 250.02 megapixels
  EXPECT_FALSE(codec::SizeAcceptable(65536, 1, gigabyte));
  EXPECT_FALSE(codec::SizeAcceptable(1, 65536, gigabyte));
  EXPECT_TRUE(codec::SizeAcceptable(1, 65535, gigabyte));
  EXPECT_FALSE(codec::SizeAcceptable(0, 10, gigabyte));
  // At most 4096 pixels for each byte of the file.
  EXPECT_TRUE(codec::SizeAcceptable(4096, 1, 1));
  EXPECT_FALSE(codec::SizeAcceptable(4097, 1, 1));
  EXPECT_TRUE(codec::SizeAcceptable(4096, 1000, 1000));
  EXPECT_FALSE(codec::SizeAcceptable(4096, 1001, 1000));
}

// A file above 1 GB is not read, even a sparse one that holds a good picture at its start.
TEST(SizeLimit, FileAboveOneGigabyteIsRefusedUnread) {
  TempDir dir;
  const std::string path = dir.Str() + "/sparse.jpg";
  MakePicture24(16, 16, GradientColour).Save(path);
  std::filesystem::resize_file(path, (uintmax_t{1} << 30) + 1);
  ExpectLoadFailsCleanly(path);
}

// Pictures of kinds that load, with the depth and colours they load as.
TEST(LoadKinds, GreyPngLoadsAsEightBitWithGreyTable) {
  TempDir dir;
  FakePlatformUi ui;
  const std::string path = dir.WriteFile("grey.png", PngBytes(5, 4, PNG_COLOR_TYPE_GRAY, 8, false));
  CImageWrap image;
  ASSERT_EQ(image.Load(path, ui), 1) << ui.LastMessage();
  EXPECT_EQ(image.BitsPerPixel(), 8);
  EXPECT_EQ(image.bitmap.ColorTable()[77], (RgbQuad{77, 77, 77, 0}));
  // Samples of row 1 are (i * 37 + 11) & 0xFF.
  EXPECT_EQ(image.bitmap.Row(1)[2], 85);
}

TEST(LoadKinds, CmykJpegIsConvertedToTrueColour) {
  TempDir dir;
  // Adobe CMYK: 255 means no ink. Left half red (no cyan), right half blue (no yellow).
  const std::string path = dir.WriteFile("cmyk.jpg", CmykJpegBytes(32, 16, [](int x, int) {
                                           return x < 16 ? std::array<uint8_t, 4>{255, 0, 0, 255}
                                                         : std::array<uint8_t, 4>{0, 0, 255, 255};
                                         }));
  FakePlatformUi ui;
  CImageWrap image;
  ASSERT_EQ(image.Load(path, ui), 1) << ui.LastMessage();
  EXPECT_EQ(image.BitsPerPixel(), 24);
  const Rgb red = PixelAt(image, 4, 8);
  const Rgb blue = PixelAt(image, 28, 8);
  EXPECT_GE(red.red, 245);
  EXPECT_LE(red.green, 10);
  EXPECT_LE(red.blue, 10);
  EXPECT_LE(blue.red, 10);
  EXPECT_LE(blue.green, 10);
  EXPECT_GE(blue.blue, 245);
}

TEST(LoadKinds, GifLoadsAsEightBitWithItsPaletteEvenWhenInterlaced) {
  TempDir dir;
  const std::vector<RgbQuad> table = {{0, 0, 255, 0}, {0, 255, 0, 0}, {255, 0, 0, 0}, {9, 8, 7, 0}};
  std::vector<uint8_t> indexes(5 * 11);
  for (size_t i = 0; i < indexes.size(); ++i) {
    indexes[i] = static_cast<uint8_t>((i / 5 + i % 5) % 4);  // index = (x + y) % 4
  }
  for (bool interlaced : {false, true}) {
    const std::string path = dir.WriteFile(interlaced ? "interlaced.gif" : "plain.gif",
                                           GifBytes(5, 11, table, indexes, interlaced));
    FakePlatformUi ui;
    CImageWrap image;
    ASSERT_EQ(image.Load(path, ui), 1) << ui.LastMessage();
    EXPECT_EQ(image.BitsPerPixel(), 8);
    EXPECT_EQ(image.bitmap.ColorTable()[3], (RgbQuad{9, 8, 7, 0}));
    EXPECT_EQ(image.bitmap.ColorTable()[2], (RgbQuad{255, 0, 0, 0}));
    for (int y = 0; y < 11; ++y) {
      for (int x = 0; x < 5; ++x) {
        ASSERT_EQ(image.bitmap.Row(y)[x], (x + y) % 4)
            << x << "," << y << " interlaced " << interlaced;
      }
    }
  }
}

TEST(LoadKinds, Rle8BmpIsDecodedBottomUp) {
  // 4 x 3. Stored first (the bottom row): a run of 4 times index 1. Then a literal run of 3
  // (2, 3, 2) padded to even length, one pixel of 5, end of line. Then a move right by 1 and
  // up by 0, a run of 2 times index 4, end of picture: the rest stays index 0.
  const std::string rle(
      "\x04\x01\x00\x00"
      "\x00\x03\x02\x03\x02\x00\x01\x05\x00\x00"
      "\x00\x02\x01\x00\x02\x04\x00\x01",
      22);
  std::vector<RgbQuad> table(6);
  for (size_t i = 0; i < table.size(); ++i)
    table[i] = RgbQuad{static_cast<uint8_t>(i * 10), 0, 0, 0};
  TempDir dir;
  const std::string path = dir.WriteFile("rle8.bmp", BmpBytes(4, 3, 8, 1, table, rle));
  FakePlatformUi ui;
  CImageWrap image;
  ASSERT_EQ(image.Load(path, ui), 1) << ui.LastMessage();
  ASSERT_EQ(image.BitsPerPixel(), 8);
  const uint8_t expected[3][4] = {{0, 4, 4, 0}, {2, 3, 2, 5}, {1, 1, 1, 1}};
  for (int y = 0; y < 3; ++y) {
    for (int x = 0; x < 4; ++x) {
      EXPECT_EQ(image.bitmap.Row(y)[x], expected[y][x]) << x << "," << y;
    }
  }
  EXPECT_EQ(image.bitmap.ColorTable()[5], (RgbQuad{50, 0, 0, 0}));
}

// Runs and moves reaching past the right edge are dropped. The column used to grow with them
// until it wrapped negative and the decoder wrote before the bitmap (a crash from a 17 MB file).
TEST(LoadKinds, Rle8RunsAndMovesPastTheWidthAreDropped) {
  // 4 x 2. The bottom row: 255 times index 1, as often as it takes to carry a column counter
  // past 2^31, then end of line. The top row: twice index 5, a move right by 200, a literal
  // run (7, 7, 7) beyond the edge, end of picture.
  std::string rle;
  const int runs = std::numeric_limits<int32_t>::max() / 255 + 8;
  rle.reserve(static_cast<size_t>(runs) * 2 + 16);
  for (int i = 0; i < runs; ++i) {
    rle += "\xFF\x01";
  }
  rle += std::string("\x00\x00\x02\x05\x00\x02\xC8\x00\x00\x03\x07\x07\x07\x00\x00\x01", 16);
  TempDir dir;
  const std::string path =
      dir.WriteFile("rle8-past-width.bmp", BmpBytes(4, 2, 8, 1, std::vector<RgbQuad>(8), rle));
  FakePlatformUi ui;
  CImageWrap image;
  ASSERT_EQ(image.Load(path, ui), 1) << ui.LastMessage();
  const uint8_t expected[2][4] = {{5, 5, 0, 0}, {1, 1, 1, 1}};
  for (int y = 0; y < 2; ++y) {
    for (int x = 0; x < 4; ++x) {
      EXPECT_EQ(image.bitmap.Row(y)[x], expected[y][x]) << x << "," << y;
    }
  }
}

TEST(LoadKinds, TopDownBmpKeepsItsRowOrder) {
  // 2 x 2, 24-bit, negative height: the first stored row is the top one.
  const std::string pixels(
      "\x01\x02\x03\x04\x05\x06\x00\x00"
      "\x07\x08\x09\x0A\x0B\x0C\x00\x00",
      16);
  TempDir dir;
  const std::string path = dir.WriteFile("top-down.bmp", BmpBytes(2, -2, 24, 0, {}, pixels));
  FakePlatformUi ui;
  CImageWrap image;
  ASSERT_EQ(image.Load(path, ui), 1) << ui.LastMessage();
  EXPECT_EQ(PixelAt(image, 0, 0), (Rgb{3, 2, 1}));
  EXPECT_EQ(PixelAt(image, 1, 1), (Rgb{12, 11, 10}));
}

}  // namespace
