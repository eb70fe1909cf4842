// Every link and image in the written pages must lead to a file that exists, whatever
// characters the picture names hold.

#include <gtest/gtest.h>

#include <cctype>
#include <filesystem>
#include <regex>

#include "tests/web/WebAlbumFixture.h"

namespace {

namespace fs = std::filesystem;

std::string PercentDecode(const std::string& text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '%' && i + 2 < text.size() &&
        std::isxdigit(static_cast<unsigned char>(text[i + 1])) &&
        std::isxdigit(static_cast<unsigned char>(text[i + 2]))) {
      out += static_cast<char>(std::stoi(text.substr(i + 1, 2), nullptr, 16));
      i += 2;
    } else {
      out += text[i];
    }
  }
  return out;
}

// The href and src values of a page, as written (still encoded).
std::vector<std::string> Targets(const std::string& page) {
  static const std::regex attribute("(href|src)=\"([^\"]*)\"");
  std::vector<std::string> targets;
  for (std::sregex_iterator it(page.begin(), page.end(), attribute), end; it != end; ++it) {
    targets.push_back((*it)[2]);
  }
  return targets;
}

struct LinkCase {
  const char* name;
  int ownPages;
  int textPage;
  ImageFiles images;
  int forPhones;
};

class PageLinks : public WebAlbumTest, public testing::WithParamInterface<LinkCase> {};

TEST_P(PageLinks, EveryHrefAndSrcPointsToAnExistingFile) {
  album.Record().ChangeSettings([&](CAlbumSettings& s) {
    s.WebViewSettings.LIOwnWP = GetParam().ownPages;
    s.AdvancedSettings.TextPage4Web = GetParam().textPage;
    s.WebViewSettings.WebForPhones = GetParam().forPhones;
  });
  const std::vector<std::string> names = {
      "my photo.png", "#1.png",  "100%.png", "it's \"q\".png", "Ärger.png",
      "why?.png",     "a.b.png", "a_b.png",  "<i>.bmp",        "IMG 0001.JPG"};
  for (const auto& name : names) {
    Add(name, 30, 20, "caption of " + name);
  }
  Add("gone.png", 30, 20, "?", "d", 1);
  if (GetParam().images == ImageFiles::AssumeExist) {
    ASSERT_EQ(Run(), 1);  // the images of an earlier run
  }
  ASSERT_EQ(Run(GetParam().images), 1);

  std::vector<fs::path> pages = {dir / "pix_index.htm"};
  for (const auto& file : fs::directory_iterator(dir / "Large")) {
    if (file.path().extension() == ".htm") pages.push_back(file.path());
  }
  EXPECT_EQ(pages.size(), GetParam().ownPages == 1 ? names.size() + 1 : 1u);
  size_t checked = 0;
  for (const auto& page : pages) {
    for (const auto& target : Targets(ReadFileBytes(page))) {
      if (target.rfind("https://", 0) == 0) continue;
      EXPECT_EQ(target.find_first_of(" #?\"'<>"), std::string::npos) << target;
      const fs::path file = page.parent_path() / PercentDecode(target);
      EXPECT_TRUE(fs::is_regular_file(file)) << page << " -> " << target;
      ++checked;
    }
  }
  // Two links per thumb in the index (page or image, thumb); on each page its image, up to
  // two neighbours and the index.
  const size_t shown = names.size();
  const size_t expected = 2 * shown + (GetParam().ownPages == 1 ? shown * 2 + 2 * (shown - 1) : 0);
  EXPECT_EQ(checked, expected);
}

INSTANTIATE_TEST_SUITE_P(Layouts, PageLinks,
                         testing::Values(LinkCase{"OwnPages", 1, 0, ImageFiles::Write, 0},
                                         LinkCase{"ImagesOnly", 0, 0, ImageFiles::Write, 0},
                                         LinkCase{"TextPage", 1, 1, ImageFiles::Write, 0},
                                         LinkCase{"AssumeImages", 1, 0, ImageFiles::AssumeExist, 0},
                                         LinkCase{"ForPhones", 1, 0, ImageFiles::Write, 1},
                                         LinkCase{"ForPhonesTextPage", 0, 1, ImageFiles::Write, 1}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(WebAlbumTest, CaptionsCannotAddMarkup) {
  Add("A.png", 30, 20, "<script>alert('x')</script>", "<img src=x>");
  album.Record().ChangeSettings([&](CAlbumSettings& s) { s.WebViewSettings.Only1Caption = 0; });
  ASSERT_EQ(Run(), 1);
  for (const char* page : {"pix_index.htm", "Large/A_png.htm"}) {
    const std::string text = Read(page);
    EXPECT_EQ(text.find("<script"), std::string::npos) << page;
    EXPECT_EQ(text.find("<img src=x>"), std::string::npos) << page;
    EXPECT_NE(text.find("&lt;script&gt;alert(&#39;x&#39;)&lt;/script&gt;"), std::string::npos);
  }
}

}  // namespace
