// The pages written with WebForPhones on: the same album, fitted to any screen.

#include <gtest/gtest.h>

#include <filesystem>

#include "tests/web/WebAlbumFixture.h"

namespace {

namespace fs = std::filesystem;

size_t Occurrences(const std::string& text, const std::string& part) {
  size_t found = 0;
  for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) {
    ++found;
  }
  return found;
}

class PhonePages : public WebAlbumTest {
 protected:
  PhonePages() {
    album.Record().ChangeSettings([](CAlbumSettings& s) { s.WebViewSettings.WebForPhones = 1; });
  }
};

TEST_F(PhonePages, IndexFlowsTheThumbsWithTheirWordsAndSizesEscaped) {
  album.Record().ChangeSettings([&](CAlbumSettings& s) { s.GeneralSettings.FrameYorN = 0; });
  Add("A.png", 60, 40, "Beach <&> \"x\"", "d1");
  Add("B #2.png", 60, 40, "?", "d2");
  Add("C_1.png", 40, 60, "", "<d3>");
  Add("gone.png", 60, 40, "?", "d4", 1);
  ASSERT_EQ(Run(), 1);
  const std::string index = Read("pix_index.htm");
  EXPECT_EQ(index.rfind("<!DOCTYPE html>\n<html><head>\n", 0), 0u);
  EXPECT_NE(index.find("<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">"),
            std::string::npos);
  EXPECT_NE(index.find("max-width:600px}"), std::string::npos);
  EXPECT_EQ(IndexBody(),
            "<body>\n<h2>Trip Pictures</h2>\n<div class=\"album\">\n"
            "<figure><a href=\"Large/A_png.htm\"><img "
            "src=\"Thumbs/Thumb_A.png\" alt=\"Beach &lt;&amp;&gt; &quot;x&quot;\" width=\"120\" "
            "height=\"80\"></a>\n<figcaption>Beach &lt;&amp;&gt; &quot;x&quot;<br>d1</figcaption>"
            "</figure>\n"
            "<figure><a href=\"Large/B%20%232_png.htm\"><img "
            "src=\"Thumbs/Thumb_B%20%232.png\" alt=\"B #2.png\" width=\"120\" height=\"80\"></a>\n"
            "<figcaption>B #2.png<br>d2</figcaption></figure>\n"
            "<figure><a href=\"Large/C_1_png.htm\"><img "
            "src=\"Thumbs/Thumb_C_1.png\" alt=\"C_1.png\" width=\"80\" height=\"120\"></a>\n"
            "<figcaption>C_<wbr>1.png<br>&lt;d3&gt;</figcaption></figure>\n"
            "</div>\n");
  EXPECT_TRUE(index.ends_with(IndexFooter()));

  // A framed thumb file holds its whole cell.
  album.Record().ChangeSettings([&](CAlbumSettings& s) { s.GeneralSettings.FrameYorN = 1; });
  ASSERT_EQ(Run(), 1);
  EXPECT_EQ(Occurrences(IndexBody(), "width=\"132\" height=\"132\">"), 3u) << IndexBody();
}

TEST_F(PhonePages, ThumbsBelowTheFirstScreenLoadLazily) {
  // One column of 400, three rows in a first screen.
  album.Record().ChangeSettings([](CAlbumSettings& s) {
    s.GeneralSettings.ThumbSize = 400;
    s.GeneralSettings.FrameYorN = 0;
  });
  for (const char* name : {"A.png", "B.png", "C.png", "D.png", "E.png"}) {
    Add(name);
  }
  ASSERT_EQ(Run(), 1);
  const std::string body = IndexBody();
  EXPECT_EQ(Occurrences(body, " loading=\"lazy\">"), 2u);
  EXPECT_LT(body.find("Thumb_C.png"), body.find(" loading=\"lazy\">"));
  EXPECT_LT(body.find(" loading=\"lazy\">"), body.find("Thumb_E.png"));
}

TEST_F(PhonePages, PicturePageFitsTheScreenAndMovesByKeysAndSwipes) {
  Add("A.png", 60, 40, "<i>Pier</i>", "d1");
  Add("B.png", 60, 40, "?", "d2", 1);
  Add("C.png", 60, 40, "?", "d3");
  ASSERT_EQ(Run(), 1);
  const std::string first = Read("Large/A_png.htm");
  EXPECT_NE(first.find("<title>&lt;i&gt;Pier&lt;/i&gt;</title>"), std::string::npos);
  EXPECT_NE(first.find("<img src=\"A.png\" alt=\"&lt;i&gt;Pier&lt;/i&gt;\" width=\"60\" "
                       "height=\"40\"></figure>"),
            std::string::npos)
      << first;
  EXPECT_NE(first.find(".picture img{max-width:min(100%,calc(85vh * 60 / 40))}"),
            std::string::npos);
  EXPECT_NE(first.find("<nav><span>First</span><a href=\"C_png.htm\" rel=\"next\">Next</a>"
                       "<a href=\"../pix_index.htm\">Return to Thumbs</a></nav>"),
            std::string::npos);
  const std::string last = Read("Large/C_png.htm");
  EXPECT_NE(last.find("<title>C.png</title>"), std::string::npos);
  EXPECT_NE(last.find("<nav><a href=\"A_png.htm\" rel=\"prev\">Previous</a><span>Last</span>"),
            std::string::npos);
  for (const std::string& page : {first, last}) {
    EXPECT_EQ(Occurrences(page, "<script>"), 1u);
    EXPECT_NE(page.find("'ArrowLeft'"), std::string::npos);
    EXPECT_NE(page.find("'touchend'"), std::string::npos);
    EXPECT_EQ(page.find("http"), std::string::npos);  // nothing from outside the album
  }
}

// On a HiDPI phone a thumb shows from its copy at twice the size (framed with a frame twice as
// wide), where the picture holds one; a thumb opens its page in place.
TEST_F(PhonePages, ThumbsOfferTwiceTheirSizeAndOpenInPlace) {
  Add("big.bmp", 700, 400);  // thumb 120 x 69 in a cell of 132
  Add("small.bmp", 200, 100);
  ASSERT_EQ(Run(), 1);
  const CImageWrap twice = LoadWritten("Thumbs/2x/Thumb_big.bmp");
  EXPECT_EQ(twice.Width(), 264);
  EXPECT_EQ(twice.Height(), 264);
  EXPECT_FALSE(Exists("Thumbs/2x/Thumb_small.bmp"));
  const std::string body = IndexBody();
  EXPECT_NE(body.find("<img src=\"Thumbs/Thumb_big.bmp\" srcset=\"Thumbs/Thumb_big.bmp 1x, "
                      "Thumbs/2x/Thumb_big.bmp 2x\" alt=\"big.bmp\" width=\"132\" height=\"132\">"),
            std::string::npos)
      << body;
  EXPECT_EQ(Occurrences(body, "srcset"), 1u);
  EXPECT_EQ(body.find("target"), std::string::npos);
}

// With MaxOsize at 2000 (no limit), pages for phones get copies a phone's screen can use,
// and their copies at twice the size.
TEST_F(PhonePages, CopiesFitPhoneScreensWhenMaxOsizeSetsNoLimit) {
  ASSERT_EQ(album.Settings().WebViewSettings.MaxOsize, 2000);
  Add("wide.bmp", 2600, 1300);
  ASSERT_EQ(Run(), 1);
  EXPECT_EQ(LoadWritten("Large/wide.bmp").Width(), 1280);
  EXPECT_EQ(LoadWritten("Large/2x/wide.bmp").Width(), 2560);
  EXPECT_NE(Read("Large/wide_bmp.htm").find("width=\"1280\" height=\"640\""), std::string::npos);
}

// The copy at twice the large copy's size is made only from an original that holds it, and
// offered only where it is there.
TEST_F(PhonePages, DoubleCopyOnlyWhereTheOriginalHoldsIt) {
  album.Record().ChangeSettings([&](CAlbumSettings& s) { s.WebViewSettings.MaxOsize = 300; });
  Add("big.bmp", 700, 400);  // large 300 x 171, double 600 x 342
  Add("mid.bmp", 500, 300);  // large 300 x 180; 600 x 360 would be enlarged
  Add("small.bmp", 100, 80);
  ASSERT_EQ(Run(), 1);
  const CImageWrap twice = LoadWritten("Large/2x/big.bmp");
  EXPECT_EQ(twice.Width(), 600);
  EXPECT_EQ(twice.Height(), 342);
  EXPECT_FALSE(Exists("Large/2x/mid.bmp"));
  EXPECT_FALSE(Exists("Large/2x/small.bmp"));
  EXPECT_NE(Read("Large/big_bmp.htm")
                .find("<img src=\"big.bmp\" srcset=\"big.bmp 1x, 2x/big.bmp 2x\" alt=\"big.bmp\" "
                      "width=\"300\" height=\"171\">"),
            std::string::npos);
  for (const char* page : {"Large/mid_bmp.htm", "Large/small_bmp.htm"}) {
    EXPECT_EQ(Read(page).find("srcset"), std::string::npos) << page;
  }

  // Assuming images: a copy that is not there is not offered.
  fs::remove(dir / "Large/2x/big.bmp");
  ASSERT_EQ(Run(ImageFiles::AssumeExist), 1);
  EXPECT_EQ(Read("Large/big_bmp.htm").find("srcset"), std::string::npos);

  // Classic pages: no copies at twice the size.
  fs::remove_all(dir / "Large/2x");
  album.Record().ChangeSettings([&](CAlbumSettings& s) { s.WebViewSettings.WebForPhones = 0; });
  ASSERT_EQ(Run(), 1);
  EXPECT_FALSE(Exists("Large/2x"));
}

}  // namespace
