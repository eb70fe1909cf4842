#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "album/PixDir.h"
#include "imaging/ThumbBuild.h"
#include "cli/SettingOption.h"
#include "cli/WebBuilder.h"
#include "tests/cli/QuillaranWebFixture.h"
#include "tests/support/FakePlatformUi.h"
#include "tests/support/TestPictures.h"
#include "web/WebElement.h"
#include "web/WebManifest.h"

namespace fs = std::filesystem;

// quillaran-web's one pass: the same album on any number of threads and from a shrunk decode.

namespace {

using QuillaranWeb = QuillaranWebFixture;

void WriteMixedFolder(const fs::path& dir) {
  fs::create_directories(dir);
  const auto save = [&](const CImageWrap& image, const std::string& name) {
    ASSERT_EQ(image.Save((dir / name).string()), 0u) << name;
  };
  save(MakePhotoLike(1600, 1200), "big.jpg");
  save(MakePhotoLike(900, 1300), "tall.jpg");
  save(MakePhotoLike(700, 500), "below.jpg");
  save(MakePicture24(1000, 40, GradientColour), "strip.png");
  save(MakePicture8(300, 200, [](int x, int y) { return static_cast<uint8_t>(x ^ y); }), "plan.bmp");
  std::ofstream(dir / "broken.jpg") << "\xFF\xD8\xFF not a picture";
  std::ofstream(dir / "Quillaran.txt") << "QLNV_A t120 x800 p600 f2 d0 c0 #navy\n"
                                          "tall.jpg\tBridge\tnoon\t0\n"
                                          "big.jpg\t?\tmorning\t1\t400 300 1300 1200\n"
                                          "below.jpg\tLake\tevening\t2\t0 0 0 0\tX\n"
                                          "strip.png\t?\tnight\t3\n"
                                          "plan.bmp\tMap\tdawn\t4\n";
}

// Every file below dir by its relative path, with its bytes; not the list of what was made,
// which holds the files' times.
std::map<std::string, std::string> FilesBelow(const fs::path& dir) {
  std::map<std::string, std::string> files;
  for (const auto& item : fs::recursive_directory_iterator(dir)) {
    if (item.is_regular_file() && fs::relative(item.path(), dir) != kManifestPath) {
      files[fs::relative(item.path(), dir).string()] = ReadFileBytes(item.path());
    }
  }
  return files;
}

// The album is made in one pass that keeps no picture; whatever the number of threads, and
// compared with loading the whole album first as the desktop program does, the pages are the
// same bytes and the images the same sizes: the classic pages, and those for phones with
// their copies at twice the size.
class QuillaranWebOnePass : public QuillaranWebFixture, public testing::WithParamInterface<int> {};

TEST_P(QuillaranWebOnePass, GivesTheSameAlbumOnAnyNumberOfThreads) {
  const int forPhones = GetParam();
  std::map<std::string, std::string> written[2];
  std::string messages[2];
  const char* threads[2] = {"1", "3"};
  for (int run = 0; run < 2; ++run) {
    const fs::path dir = temp / threads[run] / "My Album";
    WriteMixedFolder(dir);
    ASSERT_EQ(Run({"--threads", threads[run], "--set", "FrameYorN=0", "--set",
                   "WebForPhones=" + std::to_string(forPhones), dir.string()}),
              0)
        << err.str();
    written[run] = FilesBelow(dir);
    messages[run] = err.str();
    for (size_t at; (at = messages[run].find(dir.string())) != std::string::npos;) {
      messages[run].replace(at, dir.string().size(), "DIR");
    }
  }
  EXPECT_EQ(written[0], written[1]);
  EXPECT_EQ(messages[0], messages[1]);
  EXPECT_NE(messages[0].find("Load image DIR/broken.jpg failed:"), std::string::npos);

  const fs::path whole = temp / "whole" / "My Album";
  WriteMixedFolder(whole);
  FakePlatformUi ui;
  CPixDir loaded(ui);
  loaded.Record().ChangeSettings([&](CAlbumSettings& s) {
    s.LoadSettings(profile);
    s.GeneralSettings.FrameYorN = 0;
    s.WebViewSettings.WebForPhones = forPhones;
    s.AdvancedSettings.KeepLog = 0;
  });
  ASSERT_EQ(loaded.Loader().OpenDirectory(whole.string()), 1);
  CWebElement web(loaded);
  ASSERT_EQ(web.CreateWebPage(loaded.Record().DirName(), loaded.Pictures().DisplayOrder(),
                              loaded.Pictures().Count(), ImageFiles::Write),
            1);
  const std::map<std::string, std::string> expected = FilesBelow(whole);
  ASSERT_EQ(expected.size(), written[0].size());
  for (const auto& [name, bytes] : expected) {
    ASSERT_EQ(written[0].count(name), 1u) << name;
    if (name.ends_with(".htm") || name.ends_with(".css") || name.ends_with(".txt")) {
      EXPECT_EQ(written[0][name], bytes) << name;
      continue;
    }
    const CImageWrap mine = LoadFile(temp / "1" / "My Album" / name);
    const CImageWrap theirs = LoadFile(whole / name);
    EXPECT_EQ(mine.Width(), theirs.Width()) << name;
    EXPECT_EQ(mine.Height(), theirs.Height()) << name;
  }
  EXPECT_EQ(LoadFile(whole / "Large/big.jpg").Width(), 800);
  // Only big.jpg holds twice its large copy's size.
  EXPECT_EQ(LoadFile(temp / "1" / "My Album" / "Large/2x/big.jpg").Width(), forPhones ? 1600 : 0);
  EXPECT_EQ(written[0].count("Large/2x/tall.jpg"), 0u);
}

// A later run that assumes the images exist writes the pages of the run that wrote them: the
// large copies' sizes, scale notes and copies at twice the size are read from the files.
TEST_P(QuillaranWebOnePass, PagesAloneAreThoseOfTheFullRunBefore) {
  const std::string forPhones = "WebForPhones=" + std::to_string(GetParam());
  WriteMixedFolder(album);
  ASSERT_EQ(Run({"--set", forPhones, album.string()}), 0) << err.str();
  const std::map<std::string, std::string> full = FilesBelow(album);
  ASSERT_EQ(Run({"--assume-images", "--set", forPhones, album.string()}), 0) << err.str();
  const std::map<std::string, std::string> pagesAlone = FilesBelow(album);
  int pages = 0;
  for (const auto& [name, bytes] : full) {
    if (name.ends_with(".htm")) {
      EXPECT_EQ(pagesAlone.at(name), bytes) << name;
      ++pages;
    }
  }
  EXPECT_EQ(pages, 5);
  EXPECT_NE(full.at("Large/big_jpg.htm").find("(scaled 0.500)"), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(Pages, QuillaranWebOnePass, testing::Values(0, 1),
                         [](const auto& info) { return info.param ? "ForPhones" : "Classic"; });

// big.jpg is decoded at a quarter of its size (its large copy needs 800 x 600 of 1600 x 1200);
// its thumb still shows exactly the record's rectangle, at the size a full decode gives.
TEST_F(QuillaranWeb, ThumbRectangleOfTheRecordHoldsForAShrunkDecode) {
  const CImageWrap picture = MakePicture24(1600, 1200, [](int x, int y) {
    return x >= 400 && x < 1300 && y >= 300 ? Rgb{0, 0, 255} : Rgb{255, 0, 0};
  });
  ASSERT_EQ(picture.Save((album / "big.jpg").string()), 0u);
  std::ofstream(album / "Quillaran.txt") << "QLNV_A t120 x300 p600 f2 d0 c0 #navy\n"
                                            "big.jpg\t?\tmorning\t0\t400 300 1300 1200\n";
  ASSERT_EQ(ShrinkFor(1600, 1200, Rect{400, 300, 1300, 1200}, 120, 300, true), 4);
  ASSERT_EQ(Run({"--set", "FrameYorN=0", album.string()}), 0) << err.str();
  const CImageWrap thumb = LoadFile(album / "Thumbs/Thumb_big.jpg");
  ASSERT_EQ(thumb.Width(), 112);  // 900 x 900 reduced by 8
  ASSERT_EQ(thumb.Height(), 112);
  for (int y = 0; y < thumb.Height(); ++y) {
    for (int x = 0; x < thumb.Width(); ++x) {
      const Rgb pixel = PixelAt(thumb, x, y);
      ASSERT_TRUE(pixel.blue > 200 && pixel.red < 60) << "at " << x << "," << y;
    }
  }
  EXPECT_NE(ReadFileBytes(album / "pix_index.htm").find("width=\"120\" height=\"120\""),
            std::string::npos);
}

}  // namespace
