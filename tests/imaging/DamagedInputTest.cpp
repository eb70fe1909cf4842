#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <functional>

#include "imaging/ErrorText.h"
#include "imaging/ImageWrap.h"
#include "imaging/codec/JpegTurn.h"
#include "tests/imaging/CodecTestFiles.h"
#include "tests/support/FakePlatformUi.h"
#include "tests/support/TempDir.h"

namespace {

namespace fs = std::filesystem;

// Encoded bytes of a small picture in the format of the name.
std::string Encoded(const std::string& name, int depth = 24) {
  TempDir dir;
  const CImageWrap picture =
      depth == 24 ? MakePicture24(40, 24, GradientColour)
                  : MakePicture8(40, 24, [](int x, int y) { return static_cast<uint8_t>(x ^ y); });
  picture.Save((dir / name).string());
  return ReadFileBytes(dir / name);
}

std::string Cut(const std::string& bytes, double share) {
  return bytes.substr(0, static_cast<size_t>(static_cast<double>(bytes.size()) * share));
}

std::string Progressive() {
  // A progressive JPEG, made by the platform's cjpeg from a BMP of our own.
  TempDir dir;
  MakePicture24(64, 48, GradientColour).Save(dir.Str() + "/source.bmp");
  const std::string command =
      "cjpeg -progressive -outfile '" + dir.Str() + "/p.jpg' '" + dir.Str() + "/source.bmp'";
  if (std::system(command.c_str()) != 0) {
    return {};
  }
  return ReadFileBytes(dir / "p.jpg");
}

class DamagedInput : public ::testing::TestWithParam<NamedFile> {};

TEST_P(DamagedInput, FailsWithTheLoadMessageAndLeavesTheImageEmpty) {
  TempDir dir;
  ExpectLoadFailsCleanly(dir.WriteFile(GetParam().name, GetParam().bytes()));
}

INSTANTIATE_TEST_SUITE_P(
    Files, DamagedInput,
    ::testing::Values(
        NamedFile{"empty.jpg", [] { return std::string(); }},
        NamedFile{"one-byte.jpg", [] { return std::string("\xFF", 1); }},
        NamedFile{"one-byte.png", [] { return std::string("\x89", 1); }},
        NamedFile{"jpeg-magic-only.jpg", [] { return std::string("\xFF\xD8\xFF", 3); }},
        NamedFile{"text.jpg", [] { return std::string("This is not a picture at all.\n"); }},
        NamedFile{"garbage.png", [] { return std::string(300, '\x5A'); }},
        NamedFile{"garbage.gif", [] { return std::string("GIF89a") + std::string(40, '\xEE'); }},
        NamedFile{"garbage.bmp", [] { return std::string("BM") + std::string(60, '\xEE'); }},
        NamedFile{"jpeg-magic-then-garbage.jpg",
                  [] { return std::string("\xFF\xD8\xFF\xE0", 4) + std::string(500, '\x37'); }},
        NamedFile{"truncated-header.jpg", [] { return Encoded("a.jpg").substr(0, 120); }},
        NamedFile{"truncated-half.jpg", [] { return Cut(Encoded("a.jpg"), 0.5); }},
        NamedFile{"truncated-near-end.jpg", [] { return Cut(Encoded("a.jpg"), 0.95); }},
        NamedFile{"truncated-progressive.jpg", [] { return Cut(Progressive(), 0.6); }},
        NamedFile{"truncated.png", [] { return Cut(Encoded("a.png"), 0.6); }},
        NamedFile{"png-without-end.png",
                  [] {
                    const std::string b = Encoded("a.png");
                    return b.substr(0, b.size() - 12);
                  }},
        NamedFile{"png-bad-header-crc.png",
                  [] {
                    std::string b = Encoded("a.png");
                    b[29] ^= 0x55;
                    return b;
                  }},
        NamedFile{"truncated.gif", [] { return Cut(Encoded("a.gif", 8), 0.5); }},
        NamedFile{"gif-header-only.gif", [] { return Encoded("a.gif", 8).substr(0, 13); }},
        NamedFile{"truncated.bmp", [] { return Cut(Encoded("a.bmp"), 0.7); }},
        NamedFile{"truncated-8bit.bmp", [] { return Cut(Encoded("a.bmp", 8), 0.4); }},
        NamedFile{"bmp-header-cut.bmp", [] { return Encoded("a.bmp").substr(0, 20); }},
        NamedFile{"bmp-zero-width.bmp",
                  [] { return BmpBytes(0, 4, 24, 0, {}, std::string(48, '\0')); }},
        NamedFile{"bmp-depth-7.bmp",
                  [] { return BmpBytes(4, 4, 7, 0, {}, std::string(64, '\0')); }},
        NamedFile{"bmp-rle8-without-end.bmp",
                  [] {
                    return BmpBytes(4, 4, 8, 1, std::vector<RgbQuad>(2),
                                    std::string("\x04\x01\x00\x00", 4));
                  }},
        NamedFile{"bmp-rle8-literal-past-end.bmp",
                  [] {
                    return BmpBytes(4, 4, 8, 1, std::vector<RgbQuad>(2),
                                    std::string("\x00\x40\x01", 3));
                  }}),
    [](const auto& info) { return TestNameOf(info.param.name); });

// Every scan of a progressive file is decoded over the whole picture: a file of more scans
// than an encoder writes is damaged, refused before any is decoded, and left unturned.
TEST(ScanLimit, AJpegOfMoreScansThanAnyEncoderWritesIsRefusedAtOnce) {
  TempDir dir;
  const std::pair<size_t, int> cases[] = {{10, 1}, {256, 1}, {257, 0}, {5000, 0}};
  for (const auto& [scans, loaded] : cases) {
    const std::string bytes = ProgressiveJpegOfScans(scans);
    const std::string path = dir.WriteFile(std::to_string(scans) + "-scans.jpg", bytes);
    FakePlatformUi ui;
    CImageWrap image;
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(image.Load(path, ui), loaded) << scans;
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1)) << scans;
    const std::vector<std::string> expected = {
        "Load image " + path +
        " failed:\nThe file is damaged: it holds more than 256 scans."};
    EXPECT_EQ(ui.MessageTexts(), loaded ? std::vector<std::string>{} : expected) << scans;
    const codec::ByteSpan span{reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()};
    EXPECT_EQ(codec::TurnJpeg(span, 1).has_value(), loaded == 1) << scans;
  }
}

TEST(DamagedInputPaths, MissingFileDirectoryAndPipeNamedLikeAPictureFail) {
  TempDir dir;
  ExpectLoadFailsCleanly(dir.Str() + "/missing.jpg");
  fs::create_directory(dir / "folder.jpg");
  ExpectLoadFailsCleanly(dir.Str() + "/folder.jpg");
  ExpectLoadFailsCleanly("");
  ASSERT_EQ(::mkfifo((dir / "pipe.jpg").c_str(), 0600), 0);
  ExpectLoadFailsCleanly(dir.Str() + "/pipe.jpg");  // without waiting for a writer
}

TEST(DamagedInputPaths, FileWithoutReadPermissionFails) {
  if (geteuid() == 0) {
    GTEST_SKIP() << "root reads every file";
  }
  TempDir dir;
  const std::string path = dir.WriteFile("locked.png", Encoded("a.png"));
  fs::permissions(path, fs::perms::none);
  ExpectLoadFailsCleanly(path);
}

TEST(DamagedInputPaths, RelativeNameResolvesAgainstTheCurrentDirectory) {
  TempDir dir;
  dir.WriteFile("here.png", Encoded("a.png"));
  fs::current_path(dir.Path());
  FakePlatformUi ui;
  CImageWrap image;
  EXPECT_EQ(image.Load("here.png", ui), 1);
  EXPECT_EQ(image.Width(), 40);
}

TEST(DamagedInputPaths, MessageSaysWhatIsWrongWithWhichFile) {
  TempDir dir;
  fs::create_directory(dir / "folder.jpg");
  const std::pair<std::string, const char*> cases[] = {
      {dir.WriteFile("truncated.jpg", Cut(Encoded("a.jpg"), 0.5)),
       "The picture in the file is damaged or cut short."},
      {dir.WriteFile("text.jpg", "This is not a picture at all.\n"),
       "The file is not a picture: its content is not JPEG, PNG, GIF, BMP, HEIF, WebP or TIFF."},
      {dir.Str() + "/folder.jpg", "The file could not be opened or read."},
  };
  for (const auto& [path, why] : cases) {
    FakePlatformUi ui;
    CImageWrap image;
    EXPECT_EQ(image.Load(path, ui), 0);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, "Load image " + path + " failed:\n" + why);
  }
}

TEST(ErrorTexts, KnownCodesAndTheFallbackRules) {
  const std::pair<uint32_t, const char*> cases[] = {
      {0x80004005u, "Unspecified error"},
      {0x8007000Eu, "Not enough memory resources are available to complete this operation."},
      {0x80040201u, "IDispatch error #1"},
      {0x8004FFFFu, "IDispatch error #65023"},
      {0x80040200u, "Unknown error 0x80040200"},  // not above 0x200
      {0x80070002u, "Unknown error 0x80070002"},
      {0x1234u, "Unknown error 0x1234"},
  };
  for (const auto& [code, text] : cases) {
    EXPECT_EQ(ErrorText(code), text) << std::hex << code;
  }
}

}  // namespace
