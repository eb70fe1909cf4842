#include <gtest/gtest.h>

#include <filesystem>

#include "album/PixDir.h"
#include "tests/support/FakePlatformUi.h"
#include "tests/support/TempDir.h"
#include "web/PageHead.h"
#include "web/PageNames.h"
#include "web/WebElement.h"

namespace {

namespace fs = std::filesystem;

class PicturePage : public testing::Test {
 protected:
  PicturePage() : album(ui), web(album) {
    album.Record().SetFolder(dir.Str(), "");
    fs::create_directory(dir / "Large");
  }

  // Entries named as given, in display order; the names starting with "-" are omitted.
  void MakeAlbum(const std::vector<std::string>& names) {
    entries = std::vector<CAlbumEntry>(names.size());
    order.clear();
    for (size_t i = 0; i < names.size(); ++i) {
      const bool omitted = names[i][0] == '-';
      entries[i].fileName = omitted ? names[i].substr(1) : names[i];
      entries[i].omitted = omitted ? 1 : 0;
      entries[i].date = "2004:05:06";
      order.push_back(&entries[i]);
    }
    web.pageNames = MakePageNames(order, static_cast<int>(order.size()));
  }

  std::string Write(int position) {
    web.WritePicturePage(*order[static_cast<size_t>(position)], position,
                         static_cast<int>(order.size()));
    return ReadFileBytes(dir / "Large" / web.pageNames[static_cast<size_t>(position)]);
  }

  TempDir dir;
  FakePlatformUi ui;
  CPixDir album;
  CWebElement web;
  std::vector<CAlbumEntry> entries;
  std::vector<CAlbumEntry*> order;
};

TEST_F(PicturePage, SinglePictureIsFirstAndLast) {
  MakeAlbum({"IMG_0001.JPG"});
  entries[0].caption = "Sunset";
  EXPECT_EQ(Write(0), PageHead("IMG_0001_JPG.htm", false) +
                          "<body>\n"
                          "<p><img src=\"IMG_0001.JPG\" border=\"2\" ></p>\n"
                          "<strong>IMG_0001.JPG</strong>\n"
                          "<p>Sunset\n"
                          "<p>Date: 2004:05:06\n"
                          "<table cellpadding=\"5\"><tr><td>First<td>Last\n"
                          "<td><a href=\"../pix_index.htm\">Return to Thumbs</a>\n"
                          "</tr></table></body>\n</html>");
  EXPECT_TRUE(ui.messages.empty());
}

TEST_F(PicturePage, NavigationSkipsOmittedPictures) {
  MakeAlbum({"A.jpg", "-B.jpg", "C.jpg"});
  const std::string a = Write(0);
  EXPECT_NE(a.find("<tr><td>First<td><a href=\"C_jpg.htm\"><b>Next</b></a>\n"), std::string::npos);
  const std::string c = Write(2);
  EXPECT_NE(c.find("<tr><td><a href=\"A_jpg.htm\"><b>Previous</b></a><td>Last\n"),
            std::string::npos);
  EXPECT_FALSE(fs::exists(dir / "Large" / "B_jpg.htm"));
}

TEST_F(PicturePage, MiddlePictureLinksBothWays) {
  MakeAlbum({"A.jpg", "B.jpg", "C.jpg"});
  EXPECT_NE(Write(1).find("<td><a href=\"A_jpg.htm\"><b>Previous</b></a>"
                          "<td><a href=\"C_jpg.htm\"><b>Next</b></a>\n"),
            std::string::npos);
}

TEST_F(PicturePage, QuestionMarkCaptionWritesNoCaptionLineButTheDateLineStays) {
  MakeAlbum({"A.jpg", "B.jpg"});
  entries[0].caption = "?";
  entries[0].date = "";
  EXPECT_NE(Write(0).find("<strong>A.jpg</strong>\n<p>Date: \n<table"), std::string::npos);
  entries[1].caption = "";
  EXPECT_NE(Write(1).find("<strong>B.jpg</strong>\n<p>\n<p>Date: 2004:05:06\n"), std::string::npos);
}

TEST_F(PicturePage, ReducedWebImageGivesItsSizeAndTheScaleNote) {
  MakeAlbum({"big.jpg"});
  entries[0].pictureWidth = 3000;
  entries[0].pictureHeight = 2000;
  entries[0].webWidth = 1000;
  entries[0].webHeight = 666;
  EXPECT_NE(
      Write(0).find("<p><img src=\"big.jpg\" border=\"2\" width=\"1000\" height=\"666\" ></p>\n"
                    "<strong>big.jpg</strong><strong> (scaled 0.333)</strong>\n"),
      std::string::npos);
}

TEST_F(PicturePage, WebImageOfTheFullSizeGetsNoScaleNote) {
  MakeAlbum({"small.jpg"});
  entries[0].pictureWidth = 40;
  entries[0].pictureHeight = 30;
  entries[0].webWidth = 40;
  entries[0].webHeight = 30;
  const std::string page = Write(0);
  EXPECT_NE(page.find("width=\"40\" height=\"30\" ></p>\n<strong>small.jpg</strong>\n"),
            std::string::npos);
  EXPECT_EQ(page.find("scaled"), std::string::npos);
}

TEST_F(PicturePage, TextIsEscapedAndLinksArePercentEncoded) {
  MakeAlbum({"my #1.jpg", "50% <off>.jpg"});
  entries[1].caption = "<script>x</script> & more";
  entries[1].date = "\"today\"";
  const std::string page = Write(1);
  EXPECT_NE(page.find("<title>50% &lt;off&gt;_jpg.htm</title>"), std::string::npos);
  EXPECT_NE(page.find("<img src=\"50%25%20%3Coff%3E.jpg\""), std::string::npos);
  EXPECT_NE(page.find("<strong>50% &lt;off&gt;.jpg</strong>"), std::string::npos);
  EXPECT_NE(page.find("<p>&lt;script&gt;x&lt;/script&gt; &amp; more\n"), std::string::npos);
  EXPECT_NE(page.find("<p>Date: &quot;today&quot;\n"), std::string::npos);
  EXPECT_NE(page.find("<a href=\"my%20%231_jpg.htm\"><b>Previous</b>"), std::string::npos);
}

TEST_F(PicturePage, CollidingNamesEachGetTheirOwnPage) {
  MakeAlbum({"a.b.jpg", "a_b.jpg"});
  const std::string first = Write(0);
  const std::string second = Write(1);
  EXPECT_NE(first.find("<img src=\"a.b.jpg\""), std::string::npos);
  EXPECT_NE(first.find("<a href=\"a_b_jpg_2.htm\"><b>Next</b>"), std::string::npos);
  EXPECT_NE(second.find("<img src=\"a_b.jpg\""), std::string::npos);
  EXPECT_NE(second.find("<a href=\"a_b_jpg.htm\"><b>Previous</b>"), std::string::npos);
}

TEST_F(PicturePage, PageThatCannotBeWrittenIsReportedWithItsPath) {
  MakeAlbum({"A.jpg"});
  fs::remove(dir / "Large");
  EXPECT_EQ(web.WritePicturePage(entries[0], 0, 1), 0);
  EXPECT_FALSE(fs::exists(dir / "Large"));
  EXPECT_EQ(ui.MessageTexts(),
            std::vector<std::string>{"Cannot write " + (dir / "Large/A_jpg.htm").string() +
                                     ": No such file or directory"});
}

}  // namespace
