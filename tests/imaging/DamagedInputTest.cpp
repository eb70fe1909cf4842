#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <functional>

#include "imaging/ErrorText.h"
#include "imaging/ImageWrap.h"
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

struct Damaged {
  const char* name;
  std::function<std::string()> bytes;
};

class DamagedInput : public ::testing::TestWithParam<Damaged> {};

TEST_P(DamagedInput, FailsWithTheLoadMessageAndLeavesTheImageEmpty) {
  TempDir dir;
  const std::string bytes = GetParam().bytes();
  const std::string path = dir.WriteFile(GetParam().name, bytes);
  FakePlatformUi ui;
  // A previous picture in the object does not survive a failed load.
  CImageWrap image = MakePicture24(3, 3, GradientColour);
  EXPECT_EQ(image.Load(path, ui), 0);
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].text, "Load image " + path + " failed:\n80004005 - Unspecified error");
  EXPECT_EQ(ui.messages[0].icon, MsgIcon::Error);
  EXPECT_FALSE(image.HasBitmap());
  EXPECT_EQ(image.Width(), 0);
  EXPECT_EQ(image.BitsPerPixel(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Files, DamagedInput,
    ::testing::Values(
        Damaged{"empty.jpg", [] { return std::string(); }},
        Damaged{"one-byte.jpg", [] { return std::string("\xFF", 1); }},
        Damaged{"one-byte.png", [] { return std::string("\x89", 1); }},
        Damaged{"jpeg-magic-only.jpg", [] { return std::string("\xFF\xD8\xFF", 3); }},
        Damaged{"text.jpg", [] { return std::string("This is not a picture at all.\n"); }},
        Damaged{"garbage.png", [] { return std::string(300, '\x5A'); }},
        Damaged{"garbage.gif", [] { return std::string("GIF89a") + std::string(40, '\xEE'); }},
        Damaged{"garbage.bmp", [] { return std::string("BM") + std::string(60, '\xEE'); }},
        Damaged{"jpeg-magic-then-garbage.jpg",
                [] { return std::string("\xFF\xD8\xFF\xE0", 4) + std::string(500, '\x37'); }},
        Damaged{"truncated-header.jpg", [] { return Encoded("a.jpg").substr(0, 120); }},
        Damaged{"truncated-half.jpg", [] { return Cut(Encoded("a.jpg"), 0.5); }},
        Damaged{"truncated-near-end.jpg", [] { return Cut(Encoded("a.jpg"), 0.95); }},
        Damaged{"truncated-progressive.jpg", [] { return Cut(Progressive(), 0.6); }},
        Damaged{"truncated.png", [] { return Cut(Encoded("a.png"), 0.6); }},
        Damaged{"png-without-end.png",
                [] {
                  const std::string b = Encoded("a.png");
                  return b.substr(0, b.size() - 12);
                }},
        Damaged{"png-bad-header-crc.png",
                [] {
                  std::string b = Encoded("a.png");
                  b[29] ^= 0x55;
                  return b;
                }},
        Damaged{"truncated.gif", [] { return Cut(Encoded("a.gif", 8), 0.5); }},
        Damaged{"gif-header-only.gif", [] { return Encoded("a.gif", 8).substr(0, 13); }},
        Damaged{"truncated.bmp", [] { return Cut(Encoded("a.bmp"), 0.7); }},
        Damaged{"truncated-8bit.bmp", [] { return Cut(Encoded("a.bmp", 8), 0.4); }},
        Damaged{"bmp-header-cut.bmp", [] { return Encoded("a.bmp").substr(0, 20); }},
        Damaged{"bmp-zero-width.bmp",
                [] { return BmpBytes(0, 4, 24, 0, {}, std::string(48, '\0')); }},
        Damaged{"bmp-depth-7.bmp", [] { return BmpBytes(4, 4, 7, 0, {}, std::string(64, '\0')); }},
        Damaged{"bmp-rle8-without-end.bmp",
                [] {
                  return BmpBytes(4, 4, 8, 1, std::vector<RgbQuad>(2),
                                  std::string("\x04\x01\x00\x00", 4));
                }},
        Damaged{"bmp-rle8-literal-past-end.bmp",
                [] {
                  return BmpBytes(4, 4, 8, 1, std::vector<RgbQuad>(2),
                                  std::string("\x00\x40\x01", 3));
                }}),
    [](const auto& info) {
      std::string name = info.param.name;
      for (char& ch : name) {
        if (!std::isalnum(static_cast<unsigned char>(ch))) ch = '_';
      }
      return name;
    });

void ExpectCleanFailure(const std::string& path) {
  FakePlatformUi ui;
  CImageWrap image;
  EXPECT_EQ(image.Load(path, ui), 0);
  EXPECT_EQ(ui.LastMessage(), "Load image " + path + " failed:\n80004005 - Unspecified error");
  EXPECT_FALSE(image.HasBitmap());
}

TEST(DamagedInputPaths, MissingFileDirectoryAndPipeNamedLikeAPictureFail) {
  TempDir dir;
  ExpectCleanFailure(dir.Str() + "/missing.jpg");
  fs::create_directory(dir / "folder.jpg");
  ExpectCleanFailure(dir.Str() + "/folder.jpg");
  ExpectCleanFailure("");
  ASSERT_EQ(::mkfifo((dir / "pipe.jpg").c_str(), 0600), 0);
  ExpectCleanFailure(dir.Str() + "/pipe.jpg");  // without waiting for a writer
}

TEST(DamagedInputPaths, FileWithoutReadPermissionFails) {
  if (geteuid() == 0) {
    GTEST_SKIP() << "root reads every file";
  }
  TempDir dir;
  const std::string path = dir.WriteFile("locked.png", Encoded("a.png"));
  fs::permissions(path, fs::perms::none);
  ExpectCleanFailure(path);
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
