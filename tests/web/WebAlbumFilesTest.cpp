#include <gtest/gtest.h>

#include <filesystem>
#include <iterator>
#include <string>

#include "imaging/OriginalEdit.h"
#include "imaging/codec/JpegHead.h"
#include "tests/support/TodayFormatFiles.h"
#include "tests/support/TestPictures.h"
#include "tests/web/WebAlbumFixture.h"
#include "web/PageHead.h"
#include "web/PageNames.h"

// The files of the web album: never written through a link, named within the file system's
// limits, shown in the browser, encoded as they should be, and each failure said.

namespace {

namespace fs = std::filesystem;

const std::string kTarget = "target = \"view_window\"";

using WebAlbumFiles = WebAlbumTest;

TEST_F(WebAlbumFiles, LinkedThumbsOrLargeIsRefusedAndNothingWrittenThroughIt) {
  Add("A.png");
  fs::create_directory(dir / "elsewhere");
  const std::string kept = dir.WriteFile("elsewhere/A.png", "kept");
  for (const std::string folder : {"Thumbs", "Large"}) {
    fs::create_directory_symlink(dir / "elsewhere", dir / folder);
    ui.messages.clear();
    EXPECT_EQ(Run(folder == "Large" ? ImageFiles::AssumeExist : ImageFiles::Write), 0) << folder;
    EXPECT_EQ(ui.LastMessage(), "Cannot write into " + (dir / folder).string() +
                                    ": it is a symbolic link, and the web album stays inside "
                                    "its folder");
    EXPECT_EQ(ReadFileBytes(kept), "kept");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir / "elsewhere"), fs::directory_iterator()),
              1);
    fs::remove(dir / folder);
  }
}

// Every file the run writes replaces a symbolic link in its place instead of writing through
// it.
TEST_F(WebAlbumFiles, WrittenFilesReplaceLinksInTheirPlace) {
  Add("A.png");
  fs::create_directory(dir / "Thumbs");
  fs::create_directory(dir / "Large");
  const std::string kept = dir.WriteFile("kept.txt", "kept");
  const char* const written[] = {"pix_index.htm", "Large/Basic.css", "Large/A_png.htm",
                                 "Large/A.png", "Thumbs/Thumb_A.png"};
  for (const char* name : written) {
    fs::create_symlink(kept, dir / name);
  }
  ASSERT_EQ(Run(), 1) << ui.LastMessage();
  EXPECT_EQ(ReadFileBytes(kept), "kept");
  for (const char* name : written) {
    EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(dir / name))) << name;
  }
}

// A name of 250 bytes or more left no room for "Thumb_" or ".htm" within the 255 bytes of a
// file name, and the picture's thumb and page were missing. Two such names that differ only
// near their end get thumbs and pages of their own, linked from the index.
TEST_F(WebAlbumFiles, LongNamesGetShortenedThumbAndPageNames) {
  const std::vector<std::string> names = {std::string(246, 'n') + ".png",
                                          std::string(245, 'n') + "b.png"};
  Add(names[0]);
  Add(names[1]);
  ASSERT_EQ(Run(), 1) << ui.LastMessage();
  EXPECT_NE(ThumbNameOf(names[0]), ThumbNameOf(names[1]));
  EXPECT_NE(PageNameOf(names[0]), PageNameOf(names[1]));
  for (const std::string& name : names) {
    const std::string thumb = ThumbNameOf(name);
    EXPECT_LE(thumb.size(), 255u);
    EXPECT_EQ(thumb.rfind("Thumb_nnnn", 0), 0u) << thumb;
    EXPECT_EQ(thumb.substr(thumb.size() - 4), ".png");
    EXPECT_TRUE(Exists("Thumbs/" + thumb));
    EXPECT_TRUE(Exists("Large/" + PageNameOf(name)));
    EXPECT_NE(IndexBody().find("<a href=\"Large/" + PageNameOf(name) + "\" " + kTarget +
                               "><img border=0 src=\"Thumbs/" + thumb + "\""),
              std::string::npos);
  }
}

TEST_F(WebAlbumFiles, ShowsTheIndexAndReportsWhenItCannot) {
  Add("A.png");
  ASSERT_EQ(Run(), 1);
  EXPECT_EQ(ui.opened, std::vector<std::string>{(dir / "pix_index.htm").string()});
  EXPECT_EQ(ui.beeps, std::vector<BeepKind>{BeepKind::Exclamation});
  EXPECT_TRUE(ui.messages.empty());
  ui.openSucceeds = false;
  ASSERT_EQ(Run(), 1);
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].text, "Failed to display web page");
  EXPECT_EQ(ui.messages[0].icon, MsgIcon::Stop);
  album.Record().ChangeSettings([&](CAlbumSettings& s) { s.GeneralSettings.WebImmedDisplay = 0; });
  ASSERT_EQ(Run(), 1);
  EXPECT_EQ(ui.opened.size(), 2u);
}

// The first bytes of the luma sampling factors in a JPEG's frame header: 0x11 for 4:4:4.
int LumaSampling(const std::string& jpeg) {
  const size_t frame = jpeg.find("\xFF\xC0");
  return frame == std::string::npos ? -1 : static_cast<uint8_t>(jpeg[frame + 11]);
}

TEST_F(WebAlbumFiles, ThumbJpegsKeepFullColourLargeCopiesAreSubsampled) {
  Add("A.jpg", 300, 200);
  ASSERT_EQ(Run(), 1);
  EXPECT_EQ(LumaSampling(Read("Thumbs/Thumb_A.jpg")), 0x11);
  EXPECT_EQ(LumaSampling(Read("Large/A.jpg")), 0x22);
}

// A later run after MaxOsize changed or the picture was turned: the page tells the sizes of
// the large image written in the same run.
TEST_F(WebAlbumFiles, PagesTellTheSizesOfThisRunsLargeImages) {
  album.Record().ChangeSettings([&](CAlbumSettings& s) { s.WebViewSettings.MaxOsize = 1000; });
  CAlbumEntry& entry = Add("A.bmp", 2000, 1000);
  ASSERT_EQ(Run(), 1);
  EXPECT_NE(Read("Large/A_bmp.htm").find("width=\"1000\" height=\"500\" >"), std::string::npos);
  album.Record().ChangeSettings([&](CAlbumSettings& s) { s.WebViewSettings.MaxOsize = 400; });
  ASSERT_EQ(TurnPictureFile(entry.fullPath, 1), 1);
  ASSERT_EQ(Run(), 1);
  EXPECT_NE(Read("Large/A_bmp.htm").find("width=\"200\" height=\"400\" >"), std::string::npos);
  EXPECT_EQ(LoadWritten("Large/A.bmp").Height(), 400);
}

// A JPEG kept at its own size is published as its own file where encoding it again would make
// it larger, without the Exif that tells where it was taken; a picture that its Exif turns
// is encoded upright.
TEST_F(WebAlbumFiles, AJpegAtItsOwnSizeIsNeverCopiedLargerNorWithItsExif) {
  for (const auto& [name, orientation] : {std::pair{"plain.jpg", 1}, std::pair{"turned.jpg", 6}}) {
    const CAlbumEntry& entry = Add(name, 300, 200);
    MakePicture24(orientation == 1 ? 300 : 200, orientation == 1 ? 200 : 300, GradientColour)
        .Save(dir.Str() + "/source.bmp");
    const std::string command = "cjpeg -quality 50 -outfile '" + entry.fullPath + "' '" +
                                dir.Str() + "/source.bmp'";
    ASSERT_EQ(std::system(command.c_str()), 0);
    const std::string plain = ReadFileBytes(entry.fullPath);
    const auto* bytes = reinterpret_cast<const uint8_t*>(plain.data());
    std::vector<codec::JpegSegment> segments;
    ASSERT_TRUE(codec::ReadJpegHead(bytes, plain.size(), segments));
    const std::vector<uint8_t> dated = codec::WithExifSegment(
        bytes, plain.size(), segments, MakeExifPayload(orientation, "2020:01:02 03:04:05"));
    dir.WriteFile(name, std::string(dated.begin(), dated.end()));
  }
  ASSERT_EQ(Run(), 1);
  const std::string published = Read("Large/plain.jpg");
  EXPECT_LT(published.size(), Read("plain.jpg").size());
  EXPECT_EQ(published.find("Exif"), std::string::npos);
  EXPECT_EQ(LoadWritten("Large/plain.jpg").Width(), 300);
  const std::string turned = Read("Large/turned.jpg");
  EXPECT_EQ(turned.find("Exif"), std::string::npos);
  EXPECT_GT(turned.size(), Read("turned.jpg").size());  // encoded again, upright
  EXPECT_EQ(LoadWritten("Large/turned.jpg").Width(), 300);
}

// A file that cannot be written (a directory in its place, a full disk) is reported with its
// path and fails the run: an image, a page or the style sheet. The rest is still written.
TEST_F(WebAlbumFiles, FilesThatCannotBeWrittenAreReportedAndTheRestWritten) {
  Add("A.png");
  Add("B.png");
  // A directory where a file should go cannot be replaced, even by root.
  const std::vector<std::string> blocked = {"Thumbs/Thumb_A.png", "Large/B.png", "Large/A_png.htm",
                                            "Large/Basic.css"};
  std::vector<std::string> reported;
  for (const std::string& file : blocked) {
    fs::create_directories(dir / file);
    reported.push_back("Cannot write " + (dir / file).string() + ": Is a directory");
  }
  EXPECT_EQ(Run(), 0);
  EXPECT_EQ(ui.MessageTexts(), reported);
  EXPECT_EQ(ui.messages[0].icon, MsgIcon::Error);
  for (const char* file :
       {"Thumbs/Thumb_B.png", "Large/A.png", "Large/B_png.htm", "pix_index.htm"}) {
    EXPECT_TRUE(Exists(file)) << file;
  }
  EXPECT_TRUE(ui.beeps.empty());
  EXPECT_TRUE(ui.opened.empty());
}

struct Blocked {
  const char* name;
  const char* fileInTheWay;
  ImageFiles images;
};

class CreateWebPageFails : public WebAlbumTest, public testing::WithParamInterface<Blocked> {};

TEST_P(CreateWebPageFails, WhenADirectoryOrTheIndexCannotBeMade) {
  // A file where a directory should be, or a directory where the index page should be.
  const std::string inTheWay = GetParam().fileInTheWay;
  if (inTheWay == "pix_index.htm") {
    fs::create_directory(dir / inTheWay);
  } else {
    dir.WriteFile(inTheWay, "not a directory");
  }
  Add("A.png");
  const fs::path start = fs::current_path();
  EXPECT_EQ(Run(GetParam().images), 0);
  EXPECT_EQ(ui.waitCursorDepth, 0);
  EXPECT_EQ(ui.waitCursorBegins, 1);
  EXPECT_TRUE(ui.beeps.empty());
  EXPECT_TRUE(ui.opened.empty());
  // The folder or the index is named; the caller reports "Could not create Web Page".
  EXPECT_EQ(ui.MessageTexts(),
            std::vector<std::string>{
                inTheWay == "pix_index.htm"
                    ? "Cannot write " + (dir / inTheWay).string() + ": Is a directory"
                    : "Cannot create folder " + (dir / inTheWay).string() + ": Not a directory"});
  EXPECT_EQ(fs::current_path(), start);
}

INSTANTIATE_TEST_SUITE_P(Blocks, CreateWebPageFails,
                         testing::Values(Blocked{"Large", "Large", ImageFiles::AssumeExist},
                                         Blocked{"Thumbs", "Thumbs", ImageFiles::Write},
                                         Blocked{"Index", "pix_index.htm", ImageFiles::Write}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(WebAlbumFiles, LeavesTheCurrentDirectoryAndWaitCursorAsTheyWere) {
  const fs::path start = fs::current_path();
  Add("A.png");
  ASSERT_EQ(Run(), 1);
  EXPECT_EQ(fs::current_path(), start);
  EXPECT_EQ(ui.waitCursorDepth, 0);
  EXPECT_FALSE(fs::exists(start / "pix_index.htm"));
}

}  // namespace
