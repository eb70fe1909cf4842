#include <gtest/gtest.h>

#include <filesystem>

#include "tests/support/TestPictures.h"
#include "tests/web/WebAlbumFixture.h"
#include "web/PageHead.h"
#include "web/PageNames.h"

namespace {

namespace fs = std::filesystem;

const std::string kCell = "<td align=\"center\" valign=\"center\">";
const std::string kTarget = "target = \"view_window\"";

using CreateWebPage = WebAlbumTest;

TEST_F(CreateWebPage, AlbumWithEveryPictureOmittedStillGetsHeadingTableAndFooter) {
  Add("A.png", 60, 40, "?", "d1", 1);
  Add("B.png", 60, 40, "?", "d2", 1);
  ASSERT_EQ(Run(), 1);
  EXPECT_EQ(Read("pix_index.htm"),
            PageHead("Trip Pictures", true) +
                "<body>\n<h2>Trip Pictures</h2>\n"
                "<div>\n<table cellspacing=\"10\" cellpading=\"20\" width=\"600\">\n<tr>\n"
                "</tr>\n</table>\n</div>\n" +
                IndexFooter());
  EXPECT_FALSE(Exists("Large/A_png.htm"));
  // Omitted pictures still get their image files.
  EXPECT_TRUE(Exists("Thumbs/Thumb_A.png"));
  EXPECT_TRUE(Exists("Large/B.png"));
}

TEST_F(CreateWebPage, ThreePicturesInTwoColumnsGiveTwoCaptionRows) {
  album.WebViewSettings.WPwidth = 240;
  album.GeneralSettings.FrameYorN = 0;
  Add("A.png", 60, 40, "Beach", "d1");
  Add("B.png", 60, 40, "?", "d2");
  Add("C.png", 40, 60, "", "d3");
  ASSERT_EQ(Run(), 1);
  const std::string link =
      "<a href=\"Large/%_png.htm\" " + kTarget + "><img border=0 src=\"Thumbs/Thumb_%.png\"";
  auto thumb = [&](const std::string& name, const std::string& size) {
    std::string text = kCell + link;
    for (size_t at; (at = text.find('%')) != std::string::npos;) text.replace(at, 1, name);
    return text + size + "></a>\n";
  };
  EXPECT_EQ(
      Read("pix_index.htm"),
      PageHead("Trip Pictures", true) +
          "<body>\n<h2>Trip Pictures</h2>\n"
          "<div>\n<table cellspacing=\"10\" cellpading=\"20\" width=\"240\">\n<tr>\n" +
          thumb("A", "width=\"120\" height=\"80\"") + thumb("B", "width=\"120\" height=\"80\"") +
          "</tr><tr>\n" + kCell + "Beach" + "<br>d1<br>\n" + kCell + "B.png\n<br>d2<br>\n" +
          "</tr><tr>\n" + thumb("C", "width=\"80\" height=\"120\"") + "</tr><tr>\n" + kCell +
          "C.png\n<br>d3<br>\n" + "</tr><tr>\n" + "</tr>\n</table>\n</div>\n" + IndexFooter());
}

TEST_F(CreateWebPage, RowCutShortByAnOmittedLastPictureIsClosed) {
  album.WebViewSettings.WPwidth = 240;
  Add("A.png", 60, 40, "?", "d1");
  Add("B.png", 60, 40, "?", "d2", 1);
  ASSERT_EQ(Run(), 1);
  const std::string body = IndexBody();
  EXPECT_NE(body.find("></a>\n</tr><tr>\n" + kCell + "A.png\n<br>d1<br>\n</tr><tr>\n</tr>\n"),
            std::string::npos)
      << body;
  EXPECT_EQ(body.find("B.png"), std::string::npos);
}

TEST_F(CreateWebPage, ThumbWiderThanThePageGetsOneColumn) {
  album.GeneralSettings.ThumbSize = 400;
  album.WebViewSettings.WPwidth = 200;
  Add("A.png");
  Add("B.png");
  ASSERT_EQ(Run(), 1);
  const std::string body = IndexBody();
  EXPECT_NE(body.find("Thumb_A.png\"></a>\n</tr><tr>\n" + kCell + "A.png\n"), std::string::npos)
      << body;
  EXPECT_NE(body.find("Thumb_B.png\"></a>\n</tr><tr>\n" + kCell + "B.png\n"), std::string::npos);
}

TEST_F(CreateWebPage, SingleCaptionAndDateComeFromTheDialog) {
  album.WebViewSettings.Only1Caption = 1;
  album.WebViewSettings.Only1Date = 1;
  Add("A.png", 60, 40, "Beach", "2004:05:06");
  Add("B.png", 60, 40, "Pier", "2004:05:07");
  ui.captionReplies.push_back(CaptionDialogData{"Summer & sea", "May 2004", "For the Web Page"});
  ASSERT_EQ(Run(), 1);
  ASSERT_EQ(ui.captionDialogsShown.size(), 1u);
  EXPECT_EQ(ui.captionDialogsShown[0].titleLine, "For the Web Page");
  EXPECT_EQ(ui.captionDialogsShown[0].caption, "Trip");
  EXPECT_EQ(ui.captionDialogsShown[0].date, "2004:05:06");
  const std::string body = IndexBody();
  EXPECT_EQ(body.find("<body>\n<h2>Trip Pictures</h2>\n<p>Summer &amp; sea</p>\n<p>May 2004</p>\n"
                      "<div>\n"),
            0u)
      << body;
  // Every caption cell shows the file name, and no date follows it.
  EXPECT_NE(body.find(kCell + "A.png\n" + kCell + "B.png\n</tr><tr>\n"), std::string::npos);
  EXPECT_EQ(body.find("Beach"), std::string::npos);
  EXPECT_EQ(body.find("<br>"), std::string::npos);
}

TEST_F(CreateWebPage, CancelledDialogLeavesTheSingleCaptionEmpty) {
  album.WebViewSettings.Only1Caption = 1;
  Add("A.png", 60, 40, "Beach", "d1");
  ui.captionReplies.push_back(std::nullopt);
  ASSERT_EQ(Run(), 1);
  EXPECT_EQ(IndexBody().find("<body>\n<h2>Trip Pictures</h2>\n<p></p>\n<div>"), 0u);
  EXPECT_NE(IndexBody().find(kCell + "A.png\n<br>d1<br>\n"), std::string::npos);
}

TEST_F(CreateWebPage, NoDialogWithoutSingleCaptionOrDate) {
  Add("A.png");
  ASSERT_EQ(Run(), 1);
  EXPECT_TRUE(ui.captionDialogsShown.empty());
}

TEST_F(CreateWebPage, PicturesReachingMaxOsizeGetAWebImage) {
  album.WebViewSettings.MaxOsize = 1000;
  CAlbumEntry& reaching = Add("wide.png", 1000, 600);
  CAlbumEntry& below = Add("small.png", 999, 600);
  ASSERT_EQ(Run(), 1);
  EXPECT_TRUE(reaching.webImage.HasBitmap());
  EXPECT_EQ(reaching.webImage.displayWidth, 1000);
  EXPECT_FALSE(below.webImage.HasBitmap());
}

// The browser shows the large file at the size the page gives, so it must be that size: a
// whole-factor reduction would give 533 x 300 here, stretched on the page.
TEST_F(CreateWebPage, LargeFileHasTheSizeThatItsPageShows) {
  album.WebViewSettings.MaxOsize = 700;
  Add("cables.bmp", 1600, 900);
  ASSERT_EQ(Run(), 1);
  EXPECT_NE(Read("Large/cables_bmp.htm").find("width=\"700\" height=\"393\" >"),
            std::string::npos);
  const CImageWrap written = LoadWritten("Large/cables.bmp");
  EXPECT_EQ(written.Width(), 700);
  EXPECT_EQ(written.Height(), 393);
}

TEST_F(CreateWebPage, MaxOsizeWithoutLimitWritesThePicturesAndDropsOldWebImages) {
  CAlbumEntry& entry = Add("A.bmp", 300, 200);
  ASSERT_EQ(entry.picture.ScaleToFit(entry.webImage, 100), 1);  // left by an earlier run
  ASSERT_EQ(Run(), 1);
  EXPECT_FALSE(entry.webImage.HasBitmap());
  const CImageWrap written = LoadWritten("Large/A.bmp");
  ASSERT_TRUE(written.HasBitmap());
  EXPECT_EQ(written.Width(), 300);
}

TEST_F(CreateWebPage, AdvertisementSizedThumbIsNudged) {
  album.GeneralSettings.FrameYorN = 0;
  CAlbumEntry& entry = Add("banner.png", 468, 60);
  entry.thumb.displayWidth = 468;
  entry.thumb.displayHeight = 60;
  ASSERT_EQ(Run(), 1);
  EXPECT_NE(IndexBody().find("Thumb_banner.png\"width=\"470\" height=\"60\"></a>\n"),
            std::string::npos);
  album.AdvancedSettings.AntiAdFilter = 0;
  ASSERT_EQ(Run(), 1);
  EXPECT_NE(IndexBody().find("width=\"468\" height=\"60\""), std::string::npos);
}

TEST(AvoidAdSize, ChangesOnlyTheListedSizesAlongTheShorterSide) {
  const struct {
    int width, height, expectedWidth, expectedHeight;
  } cases[] = {{468, 60, 470, 60}, {125, 125, 125, 127}, {160, 600, 160, 602}, {300, 600, 300, 602},
               {120, 90, 122, 90}, {120, 80, 120, 80},   {60, 468, 60, 468}};
  for (const auto& c : cases) {
    int width = c.width;
    int height = c.height;
    AvoidAdSize(width, height);
    EXPECT_EQ(width, c.expectedWidth) << c.width << "x" << c.height;
    EXPECT_EQ(height, c.expectedHeight) << c.width << "x" << c.height;
  }
}

TEST_F(CreateWebPage, LinksGoToTheImagesWithoutTargetWhenPicturesHaveNoPages) {
  album.WebViewSettings.LIOwnWP = 0;
  album.WebViewSettings.LIOwnBrW = 1;
  Add("A.png");
  ASSERT_EQ(Run(), 1);
  EXPECT_NE(
      IndexBody().find(kCell + "<a href=\"Large/A.png\"><img border=0 src=\"Thumbs/Thumb_A.png\""),
      std::string::npos);
  EXPECT_EQ(IndexBody().find("target"), std::string::npos);
  EXPECT_FALSE(Exists("Large/A_png.htm"));
}

TEST_F(CreateWebPage, LinksToPagesHaveNoTargetWhenOwnWindowIsOff) {
  album.WebViewSettings.LIOwnBrW = 0;
  Add("A.png");
  ASSERT_EQ(Run(), 1);
  EXPECT_NE(IndexBody().find("<a href=\"Large/A_png.htm\" ><img"), std::string::npos);
}

TEST_F(CreateWebPage, PicturePagesSkipTheOmittedMiddlePicture) {
  Add("A.png");
  Add("B.png", 60, 40, "?", "d", 1);
  Add("C.png");
  ASSERT_EQ(Run(), 1);
  EXPECT_NE(Read("Large/A_png.htm").find("<td>First<td><a href=\"C_png.htm\"><b>Next</b></a>\n"),
            std::string::npos);
  EXPECT_NE(Read("Large/C_png.htm").find("<td><a href=\"A_png.htm\"><b>Previous</b></a><td>Last\n"),
            std::string::npos);
  EXPECT_FALSE(Exists("Large/B_png.htm"));
  EXPECT_TRUE(web.pageNames.empty());  // held only during the run
}

TEST_F(CreateWebPage, TextPageIsASkeletonWithoutTableCaptionsOrDates) {
  album.AdvancedSettings.TextPage4Web = 1;
  Add("A.png", 60, 40, "Beach", "d1");
  Add("B.png", 60, 40, "Pier", "d2");
  ASSERT_EQ(Run(), 1);
  const std::string marker = "<p>Insert text</p>";
  EXPECT_EQ(IndexBody(), "<body>\n<h2>Trip Pictures</h2>\n<div>\n" + marker +
                             "<a href=\"Large/A_png.htm\" " + kTarget +
                             "><img border=0 src=\"Thumbs/Thumb_A.png\"></a>\n" + marker +
                             "<a href=\"Large/B_png.htm\" " + kTarget +
                             "><img border=0 src=\"Thumbs/Thumb_B.png\"></a>\n</div>\n");
}

TEST_F(CreateWebPage, FramedThumbFilesHoldTheWholeCell) {
  album.GeneralSettings.FrameGap = 6;
  Add("A.png", 60, 40);
  ASSERT_EQ(Run(), 1);
  const CImageWrap thumb = LoadWritten("Thumbs/Thumb_A.png");
  ASSERT_TRUE(thumb.HasBitmap());
  EXPECT_EQ(thumb.Width(), 132);
  EXPECT_EQ(thumb.Height(), 132);
  EXPECT_EQ(PixelAt(thumb, 0, 0), (Rgb{255, 255, 255}));
  EXPECT_EQ(PixelAt(thumb, 66, 3), (Rgb{200, 200, 200}));  // FrameColor
  EXPECT_EQ(PixelAt(thumb, 66, 26), (Rgb{0, 0, 0}));
  // No size in the index: the file already carries the frame.
  EXPECT_NE(IndexBody().find("Thumb_A.png\"></a>\n"), std::string::npos);
}

TEST_F(CreateWebPage, UnframedThumbFilesHoldTheThumbItself) {
  album.GeneralSettings.FrameYorN = 0;
  Add("A.png", 60, 40);
  ASSERT_EQ(Run(), 1);
  const CImageWrap thumb = LoadWritten("Thumbs/Thumb_A.png");
  ASSERT_TRUE(thumb.HasBitmap());
  EXPECT_EQ(thumb.Width(), 60);
  EXPECT_EQ(PixelAt(thumb, 5, 7), GradientColour(5, 7));
}

TEST_F(CreateWebPage, AssumeImagesWritesOnlyPagesAndStyleSheet) {
  Add("A.png");
  ASSERT_EQ(Run(1), 1);
  EXPECT_FALSE(Exists("Thumbs"));
  EXPECT_FALSE(Exists("Large/A.png"));
  EXPECT_TRUE(Exists("Large/A_png.htm"));
  EXPECT_TRUE(Exists("Large/Basic.css"));
  EXPECT_TRUE(Exists("pix_index.htm"));
}

TEST_F(CreateWebPage, MissingStyleSheetDirectoryIsSkippedAndTheRunSucceeds) {
  album.WebViewSettings.LIOwnWP = 0;
  Add("A.png");
  ASSERT_EQ(Run(1), 1);
  EXPECT_FALSE(Exists("Large"));
  EXPECT_TRUE(Exists("pix_index.htm"));
}

// A Thumbs or Large that is a symbolic link led the album's files out of its folder, over
// same-named files there: it is refused, and nothing is written through it.
TEST_F(CreateWebPage, LinkedThumbsOrLargeIsRefusedAndNothingWrittenThroughIt) {
  Add("A.png");
  fs::create_directory(dir / "elsewhere");
  const std::string kept = dir.WriteFile("elsewhere/A.png", "kept");
  for (const std::string folder : {"Thumbs", "Large"}) {
    fs::create_directory_symlink(dir / "elsewhere", dir / folder);
    ui.messages.clear();
    EXPECT_EQ(Run(folder == "Large" ? 1 : 0), 0) << folder;
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
TEST_F(CreateWebPage, WrittenFilesReplaceLinksInTheirPlace) {
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
TEST_F(CreateWebPage, LongNamesGetShortenedThumbAndPageNames) {
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

TEST_F(CreateWebPage, ShowsTheIndexAndReportsWhenItCannot) {
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
  album.GeneralSettings.WebImmedDisplay = 0;
  ASSERT_EQ(Run(), 1);
  EXPECT_EQ(ui.opened.size(), 2u);
}

// The first bytes of the luma sampling factors in a JPEG's frame header: 0x11 for 4:4:4.
int LumaSampling(const std::string& jpeg) {
  const size_t frame = jpeg.find("\xFF\xC0");
  return frame == std::string::npos ? -1 : static_cast<uint8_t>(jpeg[frame + 11]);
}

TEST_F(CreateWebPage, ThumbJpegsKeepFullColourLargeCopiesAreSubsampled) {
  Add("A.jpg", 300, 200);
  ASSERT_EQ(Run(), 1);
  EXPECT_EQ(LumaSampling(Read("Thumbs/Thumb_A.jpg")), 0x11);
  EXPECT_EQ(LumaSampling(Read("Large/A.jpg")), 0x22);
}

// A later run after MaxOsize changed or the picture was turned: the page tells the sizes of
// the large image written in the same run.
TEST_F(CreateWebPage, PagesTellTheSizesOfThisRunsLargeImages) {
  album.WebViewSettings.MaxOsize = 1000;
  CAlbumEntry& entry = Add("A.bmp", 2000, 1000);
  ASSERT_EQ(Run(), 1);
  EXPECT_NE(Read("Large/A_bmp.htm").find("width=\"1000\" height=\"500\" >"), std::string::npos);
  album.WebViewSettings.MaxOsize = 400;
  ASSERT_EQ(entry.picture.Rotate(1), 1);
  ASSERT_EQ(Run(), 1);
  EXPECT_NE(Read("Large/A_bmp.htm").find("width=\"200\" height=\"400\" >"), std::string::npos);
  EXPECT_EQ(LoadWritten("Large/A.bmp").Height(), 400);
}

// A file that cannot be written (a directory in its place, a full disk) is reported with its
// path and fails the run: an image, a page or the style sheet. The rest is still written.
TEST_F(CreateWebPage, FilesThatCannotBeWrittenAreReportedAndTheRestWritten) {
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
  int assumeImages;
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
  EXPECT_EQ(Run(GetParam().assumeImages), 0);
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
                         testing::Values(Blocked{"Large", "Large", 1},
                                         Blocked{"Thumbs", "Thumbs", 0},
                                         Blocked{"Index", "pix_index.htm", 0}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(CreateWebPage, LeavesTheCurrentDirectoryAndWaitCursorAsTheyWere) {
  const fs::path start = fs::current_path();
  Add("A.png");
  ASSERT_EQ(Run(), 1);
  EXPECT_EQ(fs::current_path(), start);
  EXPECT_EQ(ui.waitCursorDepth, 0);
  EXPECT_FALSE(fs::exists(start / "pix_index.htm"));
}

}  // namespace
