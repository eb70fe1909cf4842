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

namespace fs = std::filesystem;

namespace {

using QuillaranWeb = QuillaranWebFixture;

TEST_F(QuillaranWeb, WrongUsageExitsWithTwo) {
  const std::vector<std::vector<std::string>> wrong = {
      {},
      {"--bogus", album.string()},
      {"--set", "ThumbSize", album.string()},
      {"--caption"},
      {album.string(), album.string()},
  };
  for (const auto& args : wrong) {
    EXPECT_EQ(Run(args), 2) << (args.empty() ? "(none)" : args[0]);
    EXPECT_NE(err.str().find("quillaran-web: "), std::string::npos);
  }
}

// Every --set is checked before anything is loaded; the message names the setting's range.
TEST_F(QuillaranWeb, WrongSettingsStopBeforeLoading) {
  WritePicture("a.jpg");
  const std::vector<std::pair<std::string, std::string>> wrong = {
      {"NoSuchSetting=1", "there is no setting named NoSuchSetting"},
      {"ThumbSize=big", "the setting ThumbSize takes 20..400, not \"big\""},
      {"ThumbSize=10", "the setting ThumbSize takes 20..400, not \"10\""},
      {"SafePixNum=65", "the setting SafePixNum takes 4..64"},
      {"FrameColor=#12345", "the setting FrameColor takes 0..16777215 (0x00BBGGRR) or #RRGGBB"},
      {"FrameColor=16777216", "the setting FrameColor takes 0..16777215"},
      {"WTextColor=red;}body{color:red", "the setting WTextColor takes a web colour name: aqua,"},
      {"KeepLog=1", "quillaran-web keeps no run log"},
  };
  for (const auto& [setting, message] : wrong) {
    EXPECT_EQ(Run({"--set", setting, album.string()}, true), 2) << setting;
    EXPECT_NE(err.str().find("quillaran-web: " + message), std::string::npos) << err.str();
    EXPECT_EQ(err.str().find("Images read"), std::string::npos) << setting;
    EXPECT_FALSE(fs::exists(album / "Thumbs")) << setting;
  }
}

TEST_F(QuillaranWeb, ColoursTakeTheStoredNumberOrHtmlNotation) {
  CAlbumSettings settings;
  std::string error;
  ASSERT_TRUE(SetSettingByName(settings, "FrameColor", "#102030", error)) << error;
  EXPECT_EQ(settings.GeneralSettings.FrameColor, 0x302010);
  ASSERT_TRUE(SetSettingByName(settings, "FrameColor", "255", error)) << error;
  EXPECT_EQ(settings.GeneralSettings.FrameColor, 255);
}

TEST_F(QuillaranWeb, HelpAndVersionNeedNoDirectory) {
  EXPECT_EQ(Run({"--help"}), 0);
  EXPECT_EQ(out.str().rfind("Usage: quillaran-web [options] DIR\n", 0), 0u);
  EXPECT_NE(out.str().find("writes the web album into DIR"), std::string::npos);
  // Each setting says what it does, its label in the Options dialog, its range and default.
  EXPECT_NE(out.str().find("  ThumbSize           the longest side of a thumb sketch in pixels "
                           "(Thumbnail\n                      Sketch Size); 20..400, default 120\n"),
            std::string::npos);
  EXPECT_NE(out.str().find("  WTextColor"), std::string::npos);
  EXPECT_NE(out.str().find("(Pages that fit phones\n                      and tablets); 0..1, default 0\n"),
            std::string::npos);
  EXPECT_EQ(Run({"--version"}), 0);
  EXPECT_EQ(out.str(), "quillaran-web 2.3.1\n");
}

TEST_F(QuillaranWeb, WritesTheWholeWebAlbumAndLeavesTheProfileAlone) {
  WritePicture("one.jpg");
  WritePicture("two #2.png", 60, 90);
  ASSERT_EQ(Run({album.string()}), 0) << err.str();
  EXPECT_EQ(out.str(), (album / "pix_index.htm").string() + "\n");
  for (const char* file : {"pix_index.htm", "Thumbs/Thumb_one.jpg", "Thumbs/Thumb_two #2.png",
                           "Large/one.jpg", "Large/two #2.png", "Large/Basic.css",
                           "Large/one_jpg.htm", "Large/two #2_png.htm"}) {
    EXPECT_TRUE(fs::exists(album / file)) << file;
  }
  const std::string index = ReadFileBytes(album / "pix_index.htm");
  EXPECT_NE(index.find("<h2>My Album Pictures</h2>"), std::string::npos);
  EXPECT_NE(index.find("Thumbs/Thumb_two%20%232.png"), std::string::npos);
  EXPECT_TRUE(profile.writeOrder.empty());
  EXPECT_FALSE(fs::exists(album / "Quillaran.txt"));

  // Assume images: the pages again, no image written.
  fs::remove(album / "Thumbs/Thumb_one.jpg");
  ASSERT_EQ(Run({"--assume-images", album.string()}), 0) << err.str();
  EXPECT_FALSE(fs::exists(album / "Thumbs/Thumb_one.jpg"));
}

TEST_F(QuillaranWeb, ListsTheAlbumInDisplayOrderWithoutWriting) {
  WritePicture("a.jpg", 240, 120);
  WritePicture("b.bmp", 40, 80);
  fs::current_path(temp.Path());
  temp.WriteFile("My Album/Quillaran.txt",
                 "QLNV_A t120 x2000 p600 f2 d0 c0 #navy\n"
                 "a.jpg\tRiver\tnoon\t1\n"
                 "b.bmp\t?\tmorning\t0\n");
  ASSERT_EQ(Run({"--list", "--set", "ThumbSize=60", "relative-does-not-matter-here"}), 1);
  ASSERT_EQ(Run({"--list", "--set", "ThumbSize=60", album.string()}), 0) << err.str();
  EXPECT_EQ(ListedLines(), (std::vector<std::string>{
                               "0\t1\tb.bmp\t40x80\t20x40\t30x60\t0\tmorning\t?",
                               "1\t0\ta.jpg\t240x120\t60x30\t60x30\t0\tnoon\tRiver"}));
  EXPECT_FALSE(fs::exists(album / "pix_index.htm"));
}

TEST_F(QuillaranWeb, ProfileThenRecordThenCommandLine) {
  WritePicture("a.jpg", 200, 100);
  SetProfile("ThumbSize", 80);
  SetProfile("FrameYorN", 0);
  ASSERT_EQ(Run({"--list", album.string()}), 0);
  EXPECT_NE(out.str().find("\t80x40\t"), std::string::npos) << out.str();

  temp.WriteFile("My Album/Quillaran.txt", "QLNV_A t100 x2000 p600 f2 d0 c0 #navy\n");
  ASSERT_EQ(Run({album.string()}), 0);
  EXPECT_NE(ReadFileBytes(album / "Large/Basic.css").find("color:navy\n"), std::string::npos);

  ASSERT_EQ(Run({"--set", "WTextColor=teal", "--save-record", album.string()}), 0);
  EXPECT_NE(ReadFileBytes(album / "Large/Basic.css").find("color:teal\n"), std::string::npos);
  EXPECT_EQ(ReadFileBytes(album / "Quillaran.txt").rfind("QLNV_A t100 x2000 p600 f2 d0 c0 #teal\n", 0), 0u);
}

TEST_F(QuillaranWeb, TheLimitQuestionIsAnsweredFromTheCommandLine) {
  for (int i = 0; i < 5; ++i) {
    WritePicture("p" + std::to_string(i) + ".bmp", 20, 20);
  }
  SetProfile("SafePixNum", 4);
  ASSERT_EQ(Run({"--list", album.string()}), 0);
  EXPECT_EQ(ListedLines().size(), 5u);
  EXPECT_EQ(err.str(), "");  // the question answers itself: all are loaded
  // The record saved from the limited album keeps the line of the picture left out, first as
  // the whole folder showed it: before the pictures that had no line.
  temp.WriteFile("My Album/Quillaran.txt",
                 "QLNV_A t120 x2000 p600 f2 d0 c0 #navy\np4.bmp\tFifth\tMay\t4\n");
  ASSERT_EQ(Run({"--list", "--limit", "--save-record", album.string()}), 0);
  EXPECT_EQ(ListedLines().size(), 4u);
  EXPECT_EQ(err.str().rfind("quillaran-web: loading the first 4 pictures only (--limit, "
                            "SafePixNum)\n", 0),
            0u);
  EXPECT_NE(ReadFileBytes(album / "Quillaran.txt").find("\np4.bmp\tFifth\tMay\t0\n"),
            std::string::npos);
  // A limit given on the command line reaches the loader.
  SetProfile("SafePixNum", 32);
  ASSERT_EQ(Run({"--list", "--limit", "--set", "SafePixNum=4", album.string()}), 0);
  EXPECT_EQ(ListedLines().size(), 4u);
}

// A picture cropped in the desktop program is listed and made from its copy in "Cropped".
TEST_F(QuillaranWeb, ACroppedPictureIsMadeFromItsCopy) {
  WritePicture("a.png", 90, 60);
  fs::create_directory(album / "Cropped");
  ASSERT_EQ(MakePicture24(30, 20, GradientColour).Save((album / "Cropped/a.png").string()), 0u);
  temp.WriteFile("My Album/Quillaran.txt",
                 "QLNV_A t120 x2000 p600 f2 d0 c0 #navy\na.png\t?\t\t0\t0 0 0 0\tC\n");
  ASSERT_EQ(Run({"--list", album.string()}), 0) << err.str();
  EXPECT_NE(out.str().find("\ta.png\t30x20\t"), std::string::npos) << out.str();
  ASSERT_EQ(Run({album.string()}), 0) << err.str();
  FakePlatformUi quiet;
  CImageWrap large;
  ASSERT_EQ(large.Load((album / "Large/a.png").string(), quiet), 1);
  EXPECT_EQ(large.Width(), 30);
}

TEST_F(QuillaranWeb, SingleCaptionAndDateComeFromTheCommandLineOrTheDefaults) {
  WritePicture("a.jpg");
  ASSERT_EQ(Run({"--set", "Only1Caption=1", "--set", "Only1Date=1", "--caption", "Summer <2026>",
                 "--date", "June", album.string()}),
            0);
  std::string index = ReadFileBytes(album / "pix_index.htm");
  EXPECT_NE(index.find("<p>Summer &lt;2026&gt;</p>\n<p>June</p>\n"), std::string::npos);

  ASSERT_EQ(Run({"--set", "Only1Caption=1", album.string()}), 0);
  index = ReadFileBytes(album / "pix_index.htm");
  EXPECT_NE(index.find("<p>My Album</p>\n"), std::string::npos);
}

TEST_F(QuillaranWeb, NothingToLoadExitsWithOne) {
  EXPECT_EQ(Run({album.string()}), 1);
  EXPECT_NE(err.str().find("No readable image files in this directory:\n" + album.string() + "\n"),
            std::string::npos);
  const std::string missing = (temp / "missing").string();
  EXPECT_EQ(Run({missing}), 1);
  EXPECT_EQ(err.str(), "quillaran-web: " + missing + " does not exist\n");
  const std::string file = temp.WriteFile("file.jpg", "x");
  EXPECT_EQ(Run({file}), 1);
  EXPECT_EQ(err.str(), "quillaran-web: " + file + " is not a directory\n");
  if (geteuid() != 0) {  // root writes into any directory
    fs::permissions(album, fs::perms::owner_read | fs::perms::owner_exec);
    EXPECT_EQ(Run({album.string()}), 1);
    EXPECT_EQ(err.str(),
              "quillaran-web: " + album.string() + " cannot be written: Permission denied\n");
    EXPECT_EQ(Run({"--list", album.string()}), 1);  // listing writes nothing: it loads
    EXPECT_NE(err.str().find("No readable image files"), std::string::npos);
  }
}

// A thumb, a page, the style sheet or the index that cannot be written fails the run with its
// path; the rest is written.
TEST_F(QuillaranWeb, FileThatCannotBeWrittenExitsWithOne) {
  WritePicture("a.jpg");
  WritePicture("b.jpg");
  for (const char* file :
       {"Thumbs/Thumb_a.jpg", "Large/a_jpg.htm", "Large/Basic.css", "pix_index.htm"}) {
    fs::remove(album / file);  // as written by the run before
    fs::create_directories(album / file);
    EXPECT_EQ(Run({album.string()}), 1) << file;
    EXPECT_NE(err.str().find("Cannot write " + (album / file).string() + ": Is a directory\n"),
              std::string::npos)
        << err.str();
    EXPECT_NE(err.str().find("Could not create Web Page\n"), std::string::npos);
    EXPECT_TRUE(fs::exists(album / "Large/b_jpg.htm")) << file;
    fs::remove(album / file);
  }
}

// A picture that the record shows from its cropped copy is made from the original when the
// copy is a link: it could be any file of the user's, which the album would publish.
TEST_F(QuillaranWeb, CroppedCopyThroughALinkIsNotPublished) {
  WritePicture("a.jpg", 90, 60);
  const fs::path outside = temp / "outside.jpg";
  ASSERT_EQ(MakePicture24(30, 30, GradientColour).Save(outside.string()), 0u);
  fs::create_directories(album / "Cropped");
  fs::create_symlink(outside, album / "Cropped/a.jpg");
  std::ofstream(album / "Quillaran.txt") << "QLNV_A t120 x2000 p600 f2 d0 c0 #navy\n"
                                            "a.jpg\t?\t\t0\t0 0 0 0\tC\n";
  ASSERT_EQ(Run({album.string()}), 0) << err.str();
  EXPECT_NE(err.str().find("Cannot read " + (album / "Cropped/a.jpg").string() +
                           ": it or its folder is a symbolic link"),
            std::string::npos)
      << err.str();
  EXPECT_EQ(LoadFile(album / "Large/a.jpg").Width(), 90);
}

// A picture thinner than its reduction factor (300 x 2 and 5000 x 20 at thumb size 120) gets a
// thumb one pixel on its short side: the album is made, and every image it shows is there.
TEST_F(QuillaranWeb, ThinPicturesGiveAWorkingAlbum) {
  ASSERT_EQ(MakePicture8(300, 2, [](int x, int) { return static_cast<uint8_t>(x); })
                .Save((album / "line.bmp").string()),
            0u);
  WritePicture("strip.png", 5000, 20);
  WritePicture("photo.jpg");
  for (const char* frames : {"FrameYorN=0", "FrameYorN=1"}) {
    ASSERT_EQ(Run({"--set", frames, album.string()}), 0) << err.str();
    const std::string index = ReadFileBytes(album / "pix_index.htm");
    for (size_t at = 0; (at = index.find("src=\"", at)) != std::string::npos;) {
      at += 5;
      const std::string src = index.substr(at, index.find('"', at) - at);
      EXPECT_GT(LoadFile(album / src).Height(), 0) << src;
    }
  }
  EXPECT_NE(ReadFileBytes(album / "pix_index.htm").find("Thumbs/Thumb_strip.png\""),
            std::string::npos);
  ASSERT_EQ(Run({"--set", "FrameYorN=0", album.string()}), 0) << err.str();
  EXPECT_NE(ReadFileBytes(album / "pix_index.htm")
                .find("Thumbs/Thumb_strip.png\"width=\"120\" height=\"1\""),
            std::string::npos);
  EXPECT_EQ(LoadFile(album / "Thumbs/Thumb_line.bmp").Width(), 100);
  EXPECT_EQ(LoadFile(album / "Thumbs/Thumb_line.bmp").Height(), 1);
}

TEST_F(QuillaranWeb, ProgressShowsCountAndTotalOnATerminal) {
  WritePicture("a.jpg");
  WritePicture("b.jpg");
  temp.WriteFile("My Album/broken.gif", "GIF89a");
  ASSERT_EQ(Run({"--list", album.string()}, true), 0);
  EXPECT_NE(err.str().find("\rImages read 2/3\n"), std::string::npos) << err.str();
  EXPECT_NE(err.str().find("Load image " + (album / "broken.gif").string() + " failed:"),
            std::string::npos);
  ASSERT_EQ(Run({"--list", album.string()}, false), 0);
  EXPECT_EQ(err.str().find("Images read"), std::string::npos);
  // Making the album, each picture is written as it is read.
  ASSERT_EQ(Run({album.string()}, true), 0);
  EXPECT_NE(err.str().find("\rPictures written 2/3\n"), std::string::npos) << err.str();
}

// A folder for the one-pass album: JPEGs that are decoded smaller for their thumbs and large
// copies, one of them with a thumb rectangle; pictures written at full size; a damaged file;
// and a record with the settings, captions, dates, an order and a crossed-out picture.
}  // namespace
