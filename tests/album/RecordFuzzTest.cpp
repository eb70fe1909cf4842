#include <gtest/gtest.h>
#include <stdio.h>

#include <algorithm>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "album/PixDir.h"
#include "tests/support/FakePlatformUi.h"
#include "tests/support/TestAlbum.h"

namespace {

// Random and mutated record text must never crash the reader, and whatever it accepts must
// leave the album consistent: orders inside the album, each entry shown once, settings that
// came from an accepted header inside their ranges.
class RecordFuzz : public ::testing::Test {
 protected:
  std::string Mutate(std::string text) {
    static const std::string alphabet = "QLNV_A txpfdc#\t\r\n-+0123456789abc\x7f\x80\xff";
    std::uniform_int_distribution<int> kind(0, 5);
    const int edits = 1 + static_cast<int>(rng() % 4);
    for (int e = 0; e < edits; ++e) {
      const size_t at = text.empty() ? 0 : rng() % (text.size() + 1);
      const char c = alphabet[rng() % alphabet.size()];
      switch (kind(rng)) {
        case 0:
          text.insert(at, 1, c);
          break;
        case 1:
          if (at < text.size()) text.erase(at, 1 + rng() % 3);
          break;
        case 2:
          if (at < text.size()) text[at] = c;
          break;
        case 3:
          text.insert(at, std::string(1 + rng() % 12, '9'));  // numbers beyond 32 bits
          break;
        case 4:
          text.insert(at, std::string(rng() % 3000, c));  // very long runs
          break;
        default:
          text = text.substr(0, at);  // cut short anywhere
          break;
      }
    }
    return text;
  }
  std::string RandomBytes() {
    std::string text(rng() % 200, '\0');
    for (char& c : text) c = static_cast<char>(rng() % 256);
    return text;
  }

  std::mt19937 rng{20080305};
  FakePlatformUi ui;
};

const char kValidRecord[] =
    "QLNV_A t150 x800 p700 f1 d1 c0 #navy\n"
    "a.jpg\tSunset\t3:45pm Jul 12, 2008\t2\t120 40 880 600\n"
    "b.jpg\t?\t\t0\n"
    "c.jpg\tBoats\tMay\t1\t-3 0 7 9\n";

TEST_F(RecordFuzz, HeaderParserSurvivesMutatedAndRandomLines) {
  const std::string header = "QLNV_A t150 x800 p700 f1 d1 c0 #navy";
  for (int i = 0; i < 4000; ++i) {
    CPixDir album(ui);
    const std::string line = i % 4 == 0 ? RandomBytes() : Mutate(header);
    if (album.Record().ParseRecordHeader(line) == 1) {
      const int thumb = album.Settings().GeneralSettings.ThumbSize;
      const int maxSize = album.Settings().WebViewSettings.MaxOsize;
      const int width = album.Settings().WebViewSettings.WPwidth;
      ASSERT_TRUE(thumb >= 20 && thumb <= 400) << line;
      ASSERT_TRUE(maxSize >= 300 && maxSize <= 2000) << line;
      ASSERT_TRUE(width >= 300 && width <= 1000) << line;
      ASSERT_LE(album.Settings().WebViewSettings.WTextColor.size(), 63u) << line;
    }
  }
  ui.messages.clear();
}

TEST_F(RecordFuzz, ReaderSurvivesMutatedAndRandomFiles) {
  int accepted = 0;
  for (int i = 0; i < 3000; ++i) {
    CPixDir album(ui);
    FillAlbum(album, {"a.jpg", "b.jpg", "c.jpg"});
    std::string text = i % 5 == 0 ? RandomBytes() : Mutate(kValidRecord);
    std::FILE* file = text.empty() ? std::tmpfile() : fmemopen(text.data(), text.size(), "rb");
    ASSERT_NE(file, nullptr);
    accepted += album.Record().ReadRecord(file);
    std::fclose(file);
    std::vector<int> shown = DisplayedIndexes(album);
    std::sort(shown.begin(), shown.end());
    ASSERT_EQ(shown, (std::vector<int>{0, 1, 2}));
    for (int e = 0; e < album.Pictures().Count(); ++e) {
      ASSERT_GE(album.Pictures().EntryAt(e).order, 0);
      ASSERT_LT(album.Pictures().EntryAt(e).order, album.Pictures().Count());
      ASSERT_FALSE(album.Pictures().EntryAt(e).caption.empty());
    }
    ui.messages.clear();
  }
  // The mutations are small enough that some records still read completely.
  EXPECT_GT(accepted, 100);
}

}  // namespace
