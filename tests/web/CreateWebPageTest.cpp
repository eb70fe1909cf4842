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
  album.Record().ChangeSettings([&](CAlbumSettings& s) {
    s.WebViewSettings.WPwidth = 240;
    s.GeneralSettings.FrameYorN = 0;
  });
  Add("A.png", 60, 40, "Beach", "d1");
  Add("B.png", 60, 40, "?", "d2");
  Add("C.png", 40, 60, "", "d3");
  ASSERT_EQ(Run(), 1);
  EXPECT_EQ(ui.statusText[2], "Pictures written 3/3");
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
  album.Record().ChangeSettings([&](CAlbumSettings& s) { s.WebViewSettings.WPwidth = 240; });
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
  album.Record().ChangeSettings([&](CAlbumSettings& s) {
    s.GeneralSettings.ThumbSize = 400;
    s.WebViewSettings.WPwidth = 200;
  });
  Add("A.png");
  Add("B.png");
  ASSERT_EQ(Run(), 1);
  const std::string body = IndexBody();
  EXPECT_NE(body.find("Thumb_A.png\"></a>\n</tr><tr>\n" + kCell + "A.png\n"), std::string::npos)
      << body;
  EXPECT_NE(body.find("Thumb_B.png\"></a>\n</tr><tr>\n" + kCell + "B.png\n"), std::string::npos);
}

TEST_F(CreateWebPage, SingleCaptionAndDateComeFromTheDialog) {
  album.Record().ChangeSettings([&](CAlbumSettings& s) {
    s.WebViewSettings.Only1Caption = 1;
    s.WebViewSettings.Only1Date = 1;
  });
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
  album.Record().ChangeSettings([&](CAlbumSettings& s) { s.WebViewSettings.Only1Caption = 1; });
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
  album.Record().ChangeSettings([&](CAlbumSettings& s) { s.WebViewSettings.MaxOsize = 1000; });
  CAlbumEntry& reaching = Add("wide.png", 1000, 600);
  CAlbumEntry& below = Add("small.png", 999, 600);
  ASSERT_EQ(Run(), 1);
  EXPECT_EQ(reaching.webWidth, 1000);
  EXPECT_EQ(below.webWidth, 0);
}

// The browser shows the large file at the size the page gives, so it must be that size: a
// whole-factor reduction would give 533 x 300 here, stretched on the page.
TEST_F(CreateWebPage, LargeFileHasTheSizeThatItsPageShows) {
  album.Record().ChangeSettings([&](CAlbumSettings& s) { s.WebViewSettings.MaxOsize = 700; });
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
  entry.webWidth = 100;  // left by an earlier run
  entry.webHeight = 66;
  ASSERT_EQ(Run(), 1);
  EXPECT_EQ(entry.webWidth, 0);
  const CImageWrap written = LoadWritten("Large/A.bmp");
  ASSERT_TRUE(written.HasBitmap());
  EXPECT_EQ(written.Width(), 300);
}

TEST_F(CreateWebPage, AdvertisementSizedThumbIsNudged) {
  album.Record().ChangeSettings([&](CAlbumSettings& s) { s.GeneralSettings.FrameYorN = 0; });
  CAlbumEntry& entry = Add("banner.png", 468, 60);
  entry.thumb.displayWidth = 468;
  entry.thumb.displayHeight = 60;
  ASSERT_EQ(Run(), 1);
  EXPECT_NE(IndexBody().find("Thumb_banner.png\"width=\"470\" height=\"60\"></a>\n"),
            std::string::npos);
  album.Record().ChangeSettings([&](CAlbumSettings& s) { s.AdvancedSettings.AntiAdFilter = 0; });
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
  album.Record().ChangeSettings([&](CAlbumSettings& s) {
    s.WebViewSettings.LIOwnWP = 0;
    s.WebViewSettings.LIOwnBrW = 1;
  });
  Add("A.png");
  ASSERT_EQ(Run(), 1);
  EXPECT_NE(
      IndexBody().find(kCell + "<a href=\"Large/A.png\"><img border=0 src=\"Thumbs/Thumb_A.png\""),
      std::string::npos);
  EXPECT_EQ(IndexBody().find("target"), std::string::npos);
  EXPECT_FALSE(Exists("Large/A_png.htm"));
}

TEST_F(CreateWebPage, LinksToPagesHaveNoTargetWhenOwnWindowIsOff) {
  album.Record().ChangeSettings([&](CAlbumSettings& s) { s.WebViewSettings.LIOwnBrW = 0; });
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
  album.Record().ChangeSettings([&](CAlbumSettings& s) { s.AdvancedSettings.TextPage4Web = 1; });
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
  album.Record().ChangeSettings([&](CAlbumSettings& s) { s.GeneralSettings.FrameGap = 6; });
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
  album.Record().ChangeSettings([&](CAlbumSettings& s) { s.GeneralSettings.FrameYorN = 0; });
  Add("A.png", 60, 40);
  ASSERT_EQ(Run(), 1);
  const CImageWrap thumb = LoadWritten("Thumbs/Thumb_A.png");
  ASSERT_TRUE(thumb.HasBitmap());
  EXPECT_EQ(thumb.Width(), 60);
  EXPECT_EQ(PixelAt(thumb, 5, 7), GradientColour(5, 7));
}

TEST_F(CreateWebPage, AssumeImagesWritesOnlyPagesAndStyleSheet) {
  Add("A.png");
  ASSERT_EQ(Run(ImageFiles::AssumeExist), 1);
  EXPECT_FALSE(Exists("Thumbs"));
  EXPECT_FALSE(Exists("Large/A.png"));
  EXPECT_TRUE(Exists("Large/A_png.htm"));
  EXPECT_TRUE(Exists("Large/Basic.css"));
  EXPECT_TRUE(Exists("pix_index.htm"));
}

TEST_F(CreateWebPage, MissingStyleSheetDirectoryIsSkippedAndTheRunSucceeds) {
  album.Record().ChangeSettings([&](CAlbumSettings& s) { s.WebViewSettings.LIOwnWP = 0; });
  Add("A.png");
  ASSERT_EQ(Run(ImageFiles::AssumeExist), 1);
  EXPECT_FALSE(Exists("Large"));
  EXPECT_TRUE(Exists("pix_index.htm"));
}

// A Thumbs or Large that is a symbolic link led the album's files out of its folder, over
// same-named files there: it is refused, and nothing is written through it.
}  // namespace
