#include <gtest/gtest.h>

#include <vector>

#include "album/AlbumEntry.h"
#include "web/PageNames.h"
#include "tests/support/CaseName.h"

namespace {

struct NameCase {
  std::string fileName;
  std::string pageName;
};

class PageName : public testing::TestWithParam<NameCase> {};

TEST_P(PageName, DotsBecomeSingleUnderscoresAndHtmFollows) {
  EXPECT_EQ(PageNameOf(GetParam().fileName), GetParam().pageName);
}

INSTANTIATE_TEST_SUITE_P(Names, PageName,
                         testing::Values(NameCase{"IMG_0001.JPG", "IMG_0001_JPG.htm"},
                                         NameCase{"a..b.jpg", "a_b_jpg.htm"},
                                         NameCase{"a_b.jpg", "a_b_jpg.htm"},
                                         NameCase{"x___.y.png", "x_y_png.htm"},
                                         NameCase{"my photo #2.gif", "my photo #2_gif.htm"}),
                         [](const auto& info) { return CaseName(info.param.fileName); });

std::vector<CAlbumEntry> Entries(const std::vector<std::pair<std::string, int>>& names) {
  std::vector<CAlbumEntry> entries(names.size());
  for (size_t i = 0; i < names.size(); ++i) {
    entries[i].fileName = names[i].first;
    entries[i].omitted = names[i].second;
  }
  return entries;
}

std::vector<CAlbumEntry*> Order(std::vector<CAlbumEntry>& entries) {
  std::vector<CAlbumEntry*> order;
  for (auto& e : entries) order.push_back(&e);
  return order;
}

TEST(PageNames, OmittedEntriesGetTheEmptyName) {
  auto entries = Entries({{"A.jpg", 0}, {"B.jpg", 1}, {"C.jpg", 0}});
  EXPECT_EQ(MakePageNames(Order(entries), 3),
            (std::vector<std::string>{"A_jpg.htm", "", "C_jpg.htm"}));
}

TEST(PageNames, LaterCollidingNamesGetNumberedSuffixes) {
  auto entries = Entries({{"a.b.jpg", 0}, {"a_b.jpg", 0}, {"x.jpg", 0}, {"a..b.jpg", 0}});
  EXPECT_EQ(
      MakePageNames(Order(entries), 4),
      (std::vector<std::string>{"a_b_jpg.htm", "a_b_jpg_2.htm", "x_jpg.htm", "a_b_jpg_3.htm"}));
}

TEST(PageNames, OmittedEntriesDoNotTakeANameAway) {
  auto entries = Entries({{"a.b.jpg", 1}, {"a_b.jpg", 0}});
  EXPECT_EQ(MakePageNames(Order(entries), 2), (std::vector<std::string>{"", "a_b_jpg.htm"}));
}

TEST(PageNames, SuffixNeverTakesTheNameOfAnEntryFurtherOn) {
  // "a.jpg_2" would make a_jpg_2.htm, the name the second a.jpg-like entry would try first.
  auto entries = Entries({{"a.jpg", 0}, {"a_jpg", 0}, {"a.jpg_2", 0}});
  const auto names = MakePageNames(Order(entries), 3);
  EXPECT_EQ(names[0], "a_jpg.htm");
  EXPECT_EQ(names[1], "a_jpg_3.htm");
  EXPECT_EQ(names[2], "a_jpg_2.htm");
}

TEST(PageNames, SuffixedNamesStillFitTheNameLimit) {
  const std::string stem(247, 'p');  // a page name of 255 bytes, the longest that fits
  auto entries = Entries({{stem + ".jpg", 0}, {stem + "_jpg", 0}});
  const auto names = MakePageNames(Order(entries), 2);
  EXPECT_EQ(names[0], stem + "_jpg.htm");
  EXPECT_LE(names[1].size(), 255u);
  EXPECT_NE(names[1], names[0]);
}

}  // namespace
