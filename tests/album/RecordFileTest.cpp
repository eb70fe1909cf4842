#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "album/PixDir.h"
#include "tests/album/RecordFixture.h"
#include "tests/support/TestAlbum.h"
#include "tests/support/CaseName.h"

namespace fs = std::filesystem;

namespace {

const char kOldFormat[] = "Quillaran.txt has old format.\nIt is ignored";
const char kScrambled[] = "Scrambled Quillaran.txt";

using RecordFile = RecordFixture;

const char kHeader[] = "QLNV_A t120 x2000 p600 f2 d0 c0 #maroon\n";

TEST_F(RecordFile, RoundTripKeepsCaptionsDatesOrderAndThumbRects) {
  album.Record().ChangeSettings([](CAlbumSettings& s) {
    s.GeneralSettings.ThumbSize = 150;
    s.WebViewSettings = {1200, 800, 1, 1, 1, 0, "navy", 0};
  });
  CAlbumEntry& a = Arrange(album).EntryAt(0);
  a.caption = "Sunset at the lake";
  a.date = "3:45pm Jul 12, 2008";
  a.order = 2;
  a.thumbRect = {120, 40, 880, 600};
  Arrange(album).EntryAt(1).order = 0;
  Arrange(album).EntryAt(1).date = "";
  Arrange(album).EntryAt(2).order = 1;
  Arrange(album).EntryAt(2).caption = "Boats";
  Arrange(album).EntryAt(2).thumbRect = {-3, 0, 7, 9};
  album.Record().MarkChangedBeyondUndo();
  ASSERT_EQ(album.Record().WriteRecord(), 1);
  EXPECT_EQ(album.Record().Dirty(), 0);
  EXPECT_EQ(RecordText(),
            "QLNV_A t150 x1200 p800 f1 d1 c1 #navy\n"
            "a.jpg\tSunset at the lake\t3:45pm Jul 12, 2008\t2\t120 40 880 600\n"
            "b.jpg\t?\t\t0\n"
            "c.jpg\tBoats\t\t1\t-3 0 7 9\n");

  CPixDir reread(ui);
  ASSERT_EQ(ReadInto(reread, {"a.jpg", "b.jpg", "c.jpg"}), 1);
  EXPECT_TRUE(ui.messages.empty());
  EXPECT_EQ(reread.Settings().GeneralSettings, album.Settings().GeneralSettings);
  EXPECT_EQ(reread.Settings().WebViewSettings, album.Settings().WebViewSettings);
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(reread.Pictures().EntryAt(i).caption, album.Pictures().EntryAt(i).caption) << i;
    EXPECT_EQ(reread.Pictures().EntryAt(i).date, album.Pictures().EntryAt(i).date) << i;
    EXPECT_EQ(reread.Pictures().EntryAt(i).order, album.Pictures().EntryAt(i).order) << i;
    EXPECT_EQ(reread.Pictures().EntryAt(i).thumbRect, album.Pictures().EntryAt(i).thumbRect) << i;
  }
  EXPECT_EQ(DisplayedIndexes(reread), (std::vector<int>{1, 2, 0}));
}

// LIOwnBrW survives only when LIOwnWP is 1: the header keeps one mode number for both.
struct LargeImageCase {
  int ownPage, ownWindow, mode, readPage, readWindow;
};
class LargeImageMode : public RecordFile, public ::testing::WithParamInterface<LargeImageCase> {};

TEST_P(LargeImageMode, HeaderKeepsOneModeForBothSwitches) {
  const LargeImageCase c = GetParam();
  album.Record().ChangeSettings([&](CAlbumSettings& s) {
    s.WebViewSettings.LIOwnWP = c.ownPage;
    s.WebViewSettings.LIOwnBrW = c.ownWindow;
  });
  ASSERT_EQ(album.Record().WriteRecord(), 1);
  EXPECT_NE(RecordText().find(" f" + std::to_string(c.mode) + " "), std::string::npos);
  album.Record().ChangeSettings([&](CAlbumSettings& s) {
    s.WebViewSettings.LIOwnWP = 7;
    s.WebViewSettings.LIOwnBrW = 7;
  });
  ASSERT_EQ(album.Record().ReadRecord(), 1);
  EXPECT_EQ(album.Settings().WebViewSettings.LIOwnWP, c.readPage);
  EXPECT_EQ(album.Settings().WebViewSettings.LIOwnBrW, c.readWindow);
}

INSTANTIATE_TEST_SUITE_P(AllSwitches, LargeImageMode,
                         ::testing::Values(LargeImageCase{0, 0, 0, 0, 0},
                                           LargeImageCase{0, 1, 0, 0, 0},
                                           LargeImageCase{1, 0, 1, 1, 0},
                                           LargeImageCase{1, 1, 2, 1, 1}),
                         [](const auto& info) {
                           return "OwnPage" + std::to_string(info.param.ownPage) + "OwnWindow" +
                                  std::to_string(info.param.ownWindow);
                         });

TEST_F(RecordFile, PageWidthBelowTheHeaderRangeIsWrittenAndReadBackAsDefault) {
  album.Record().ChangeSettings([&](CAlbumSettings& s) { s.WebViewSettings.WPwidth = 250; });
  ASSERT_EQ(album.Record().WriteRecord(), 1);
  EXPECT_NE(RecordText().find(" p250 "), std::string::npos);
  ASSERT_EQ(album.Record().ReadRecord(), 1);
  EXPECT_EQ(album.Settings().WebViewSettings.WPwidth, 600);
}

TEST_F(RecordFile, TabsAndLineBreaksInCaptionsAndDatesAreWrittenAsBlanks) {
  Arrange(album).EntryAt(0).caption = "two\nlines\tand\r\ntab";
  Arrange(album).EntryAt(1).date = "May\t1\n2008";
  album.Record().ChangeSettings(
      [&](CAlbumSettings& s) { s.WebViewSettings.WTextColor = "na\nvy"; });
  ASSERT_EQ(album.Record().WriteRecord(), 1);
  EXPECT_EQ(RecordText(),
            "QLNV_A t120 x2000 p600 f2 d0 c0 #na vy\n"
            "a.jpg\ttwo lines and  tab\t\t0\n"
            "b.jpg\t?\tMay 1 2008\t1\n"
            "c.jpg\t?\t\t2\n");
  ASSERT_EQ(album.Record().ReadRecord(), 1);
  EXPECT_EQ(album.Pictures().EntryAt(0).caption, "two lines and  tab");
  EXPECT_EQ(album.Pictures().EntryAt(1).date, "May 1 2008");
}

TEST_F(RecordFile, ReadsWindowsLineEndings) {
  ASSERT_EQ(Read("QLNV_A t200 x1500 p700 f1 d1 c0 #navy\r\n"
                 "a.jpg\tHill\tMay 2008\t2\t1 2 30 40\r\n"
                 "b.jpg\t\tJune\t0\r\n"
                 "c.jpg\tLake\t\t1\r\n"),
            1);
  EXPECT_TRUE(ui.messages.empty());
  EXPECT_EQ(album.Settings().GeneralSettings.ThumbSize, 200);
  EXPECT_EQ(album.Settings().WebViewSettings.WTextColor, "navy");
  EXPECT_EQ(album.Pictures().EntryAt(0).thumbRect, (Rect{1, 2, 30, 40}));
  EXPECT_EQ(album.Pictures().EntryAt(1).caption, "?");
  EXPECT_EQ(album.Pictures().EntryAt(1).date, "June");
  EXPECT_EQ(album.Pictures().EntryAt(2).caption, "Lake");
  EXPECT_EQ(DisplayedIndexes(album), (std::vector<int>{1, 2, 0}));
}

TEST_F(RecordFile, ReadsLinesLongerThanAnyBufferWhole) {
  const std::string caption(5000, 'w');
  ASSERT_EQ(
      Read(std::string(kHeader) + "a.jpg\t" + caption + "\t\t1\nb.jpg\tB\t\t0\nc.jpg\tC\t\t2\n"),
      1);
  EXPECT_EQ(album.Pictures().EntryAt(0).caption, caption);
  EXPECT_EQ(album.Pictures().EntryAt(1).caption, "B");
  EXPECT_EQ(DisplayedIndexes(album), (std::vector<int>{1, 0, 2}));
}

// A line keeps its first megabyte, so that a record of one endless line cannot take the
// machine's memory. A caption cut there has no end, and the picture keeps its own.
TEST_F(RecordFile, LinesAreCutAfterAMegabyte) {
  const std::string caption((1 << 20) + 1000, 'w');
  ASSERT_EQ(Read(std::string(kHeader) + "a.jpg\t" + caption + "\t\t1\nb.jpg\tB\t\t0\n"), 1);
  EXPECT_EQ(album.Pictures().EntryAt(0).caption, "?");
  EXPECT_EQ(album.Pictures().EntryAt(1).caption, "B");
}

TEST_F(RecordFile, MissingOrEmptyRecordIsSilent) {
  EXPECT_EQ(album.Record().ReadRecord(), 0);
  EXPECT_EQ(Read(""), 0);
  EXPECT_TRUE(ui.messages.empty());
  EXPECT_EQ(album.Pictures().EntryAt(0).caption, "?");
}

TEST_F(RecordFile, OldHeaderIsIgnoredWithoutReadingEntries) {
  EXPECT_EQ(Read("Quillaran record 1\na.jpg\tKept?\t\t2\n"), 0);
  EXPECT_EQ(ui.MessageTexts(), (std::vector<std::string>{kOldFormat}));
  EXPECT_EQ(ui.messages[0].icon, MsgIcon::Error);
  EXPECT_EQ(album.Pictures().EntryAt(0).caption, "?");
}

// Entry lines applied to the three entries a.jpg, b.jpg, c.jpg that start with order 0, 1, 2,
// caption "?", empty date and no thumb rectangle.
struct EntryCase {
  const char* name;
  const char* lines;  // after the header
  int result;
  std::vector<std::string> captions;
  std::vector<int> orders;
  std::vector<Rect> rects;
};

class EntryLines : public RecordFile, public ::testing::WithParamInterface<EntryCase> {};

TEST_P(EntryLines, ApplyAsRecorded) {
  const EntryCase& c = GetParam();
  Arrange(album).EntryAt(1).thumbRect = {9, 9, 19, 19};  // shows which lines clear or keep it
  EXPECT_EQ(Read(std::string(kHeader) + c.lines), c.result);
  if (c.result == 1) {
    EXPECT_TRUE(ui.messages.empty());
  } else {
    EXPECT_EQ(ui.MessageTexts(), (std::vector<std::string>{kScrambled}));
  }
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(album.Pictures().EntryAt(i).caption, c.captions[static_cast<size_t>(i)]) << i;
    EXPECT_EQ(album.Pictures().EntryAt(i).order, c.orders[static_cast<size_t>(i)]) << i;
    EXPECT_EQ(album.Pictures().EntryAt(i).thumbRect, c.rects[static_cast<size_t>(i)]) << i;
  }
}

const Rect kNone{};
const Rect kOld{9, 9, 19, 19};

// clang-format off
INSTANTIATE_TEST_SUITE_P(Cases, EntryLines, ::testing::Values(
    EntryCase{"EmptyCaptionBecomesQuestionMark", "a.jpg\t\t\t0\nb.jpg\tB\t\t1\nc.jpg\t\t\t2\n",
              1, {"?", "B", "?"}, {0, 1, 2}, {kNone, kNone, kNone}},
    // Orders are renumbered without gaps: 3 and 0 keep their places, -1 keeps b's own 1.
    EntryCase{"OrdersAreRenumberedNegativeIgnored",
              "a.jpg\tA\t\t3\nb.jpg\tB\t\t-1\nc.jpg\tC\t\t0\n",
              1, {"A", "B", "C"}, {2, 1, 0}, {kNone, kNone, kNone}},
    EntryCase{"OrderThatIsNoNumberOrOverflowsReadsAsZero",
              "a.jpg\tA\t\tx\nb.jpg\tB\t\t99999999999\nc.jpg\tC\t\t+2\n",
              1, {"A", "B", "C"}, {0, 1, 2}, {kNone, kNone, kNone}},
    EntryCase{"LastLineWithoutLineEndKeepsItsOrder", "a.jpg\tA\t\t1\nb.jpg\tB\t\t0\nc.jpg\tC\t\t0",
              1, {"A", "B", "C"}, {1, 0, 2}, {kNone, kNone, kNone}},
    EntryCase{"LastLineWithoutLineEndTakesItsRectangle",
              "a.jpg\tA\t\t1\nb.jpg\tB\t\t2\nc.jpg\tC\t\t0\t1 2 3 4",
              1, {"A", "B", "C"}, {1, 2, 0}, {kNone, kNone, {1, 2, 3, 4}}},
    // An entry without a line keeps its values and goes after the recorded ones.
    EntryCase{"EmptyLineKeepsTheEntryAsItWas", "a.jpg\tA\t\t0\n\nc.jpg\tC\t\t2\t1 2 3 4\n",
              1, {"A", "?", "C"}, {0, 2, 1}, {kNone, kOld, {1, 2, 3, 4}}},
    EntryCase{"LineOutOfPlaceFindsItsEntryByName", "a.jpg\tA\t\t0\n\nb.jpg\tB\t\t1\n",
              1, {"A", "B", "?"}, {0, 1, 2}, {kNone, kNone, kNone}},
    EntryCase{"NamesAreCaseSensitive", "a.jpg\tA\t\t2\nB.JPG\tB\t\t0\nc.jpg\tC\t\t1\n",
              1, {"A", "?", "C"}, {1, 2, 0}, {kNone, kOld, kNone}},
    EntryCase{"TooFewLinesPutTheRestAtTheEnd", "a.jpg\tA\t\t1\nb.jpg\tB\t\t0\n",
              1, {"A", "B", "?"}, {1, 0, 2}, {kNone, kNone, kNone}},
    EntryCase{"SecondLineOfOnePictureIsDropped", "a.jpg\tA\t\t0\na.jpg\tAgain\t\t1\n",
              1, {"A", "?", "?"}, {0, 1, 2}, {kNone, kOld, kNone}},
    EntryCase{"RecordOfAnotherFolderIsScrambled", "x.jpg\tX\t\t2\ny.jpg\tY\t\t0\n",
              0, {"?", "?", "?"}, {0, 1, 2}, {kNone, kOld, kNone}},
    EntryCase{"LinesWithoutAllTabsApplyWhatTheyHave", "a.jpg\tA\nb.jpg\tB\tdate\nno tab at all\n",
              1, {"?", "B", "?"}, {0, 1, 2}, {kNone, kOld, kNone}},
    EntryCase{"UnreadableCoordinatesKeepTheirValues",
              "a.jpg\tA\t\t0\t5 6\nb.jpg\tB\t\t1\t1 x 3 4\nc.jpg\tC\t\t2\t1 2 3 2147483648\n",
              1, {"A", "B", "C"}, {0, 1, 2}, {{5, 6, 0, 0}, {1, 9, 19, 19}, {1, 2, 3, 0}}},
    EntryCase{"ExtraLinesAreIgnored", "a.jpg\tA\t\t0\nb.jpg\tB\t\t1\nc.jpg\tC\t\t2\nd.jpg\n",
              1, {"A", "B", "C"}, {0, 1, 2}, {kNone, kNone, kNone}}),
    [](const ::testing::TestParamInfo<EntryCase>& info) { return std::string(info.param.name); });
// clang-format on

TEST_F(RecordFile, ScrambledRecordLeavesTheDisplayOrderUnsorted) {
  EXPECT_EQ(Read(std::string(kHeader) + "x.jpg\tA\t\t2\ny.jpg\tB\t\t0\n"), 0);
  EXPECT_EQ(DisplayedIndexes(album), (std::vector<int>{0, 1, 2}));
}

// The record of a folder in which d.jpg was added, b.jpg removed and c.jpg renamed e.jpg: the
// remaining pictures keep all they had, the new ones follow in scan order.
TEST_F(RecordFile, RecordOutlivesAddedRemovedAndRenamedPictures) {
  FillAlbum(album, {"a.jpg", "b.jpg", "c.jpg", "f.jpg"});
  const int orders[] = {3, 0, 2, 1};
  for (int i = 0; i < 4; ++i) {
    CAlbumEntry& e = Arrange(album).EntryAt(i);
    e.caption = e.fileName.substr(0, 1);
    e.date = "day " + e.caption;
    e.order = orders[i];
    e.thumbRect = {i, i, 10 + i, 10 + i};
  }
  ASSERT_EQ(album.Record().WriteRecord(), 1);

  CPixDir changed(ui);
  ASSERT_EQ(ReadInto(changed, {"a.jpg", "d.jpg", "e.jpg", "f.jpg"}), 1);
  EXPECT_TRUE(ui.messages.empty()) << ui.LastMessage();
  const CAlbumEntry& a = changed.Pictures().EntryAt(0);
  const CAlbumEntry& f = changed.Pictures().EntryAt(3);
  EXPECT_EQ(a.caption, "a");
  EXPECT_EQ(a.date, "day a");
  EXPECT_EQ(a.thumbRect, (Rect{0, 0, 10, 10}));
  EXPECT_EQ(f.caption, "f");
  EXPECT_EQ(f.date, "day f");
  EXPECT_EQ(f.thumbRect, (Rect{3, 3, 13, 13}));
  EXPECT_EQ(changed.Pictures().EntryAt(1).caption, "?");
  EXPECT_TRUE(changed.Pictures().EntryAt(2).thumbRect.IsEmpty());
  // f before a as recorded (orders 1 and 3), then d and e: orders 0..3 without gaps.
  EXPECT_EQ(DisplayedIndexes(changed), (std::vector<int>{3, 0, 1, 2}));
  EXPECT_EQ(a.order, 1);
  EXPECT_EQ(f.order, 0);

  // The lines of b and c are gone at the next save.
  ASSERT_EQ(changed.Record().WriteRecord(), 1);
  EXPECT_EQ(RecordText().find("b.jpg"), std::string::npos);
  EXPECT_EQ(RecordText().find("c.jpg"), std::string::npos);
}

// The marks follow the rectangle field, crossed out first, where older readers look for it.
TEST_F(RecordFile, CrossedOutAndCroppedPicturesStaySo) {
  Arrange(album).EntryAt(0).omitted = 1;
  Arrange(album).EntryAt(1).cropped = 1;
  Arrange(album).EntryAt(2).omitted = 1;
  Arrange(album).EntryAt(2).cropped = 1;
  Arrange(album).EntryAt(2).thumbRect = {1, 2, 30, 40};
  ASSERT_EQ(album.Record().WriteRecord(), 1);
  EXPECT_EQ(RecordText(), std::string(kHeader) +
                              "a.jpg\t?\t\t0\t0 0 0 0\tX\n"
                              "b.jpg\t?\t\t1\t0 0 0 0\tC\n"
                              "c.jpg\t?\t\t2\t1 2 30 40\tX\tC\n");
  CPixDir reread(ui);
  ASSERT_EQ(ReadInto(reread, {"a.jpg", "b.jpg", "c.jpg"}), 1);
  const int omitted[] = {1, 0, 1};
  const int cropped[] = {0, 1, 1};
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(reread.Pictures().EntryAt(i).omitted, omitted[i]) << i;
    EXPECT_EQ(reread.Pictures().EntryAt(i).cropped, cropped[i]) << i;
  }
  EXPECT_TRUE(reread.Pictures().EntryAt(0).thumbRect.IsEmpty());
  EXPECT_EQ(reread.Pictures().EntryAt(2).thumbRect, (Rect{1, 2, 30, 40}));
}

TEST_F(RecordFile, NameWithATabKeepsItsCaption) {
  FillAlbum(album, {"a\tb.jpg", "c\nd.jpg"});
  Arrange(album).EntryAt(0).caption = "Tab";
  Arrange(album).EntryAt(1).caption = "Line feed";
  Arrange(album).EntryAt(0).order = 1;
  Arrange(album).EntryAt(1).order = 0;
  ASSERT_EQ(album.Record().WriteRecord(), 1);
  EXPECT_EQ(RecordText(), std::string(kHeader) + "a?b.jpg\tTab\t\t1\nc?d.jpg\tLine feed\t\t0\n");
  // Read into an album that scans them the other way round.
  FillAlbum(album, {"c\nd.jpg", "a\tb.jpg"});
  ASSERT_EQ(album.Record().ReadRecord(), 1);
  EXPECT_EQ(album.Pictures().EntryAt(0).caption, "Line feed");
  EXPECT_EQ(album.Pictures().EntryAt(1).caption, "Tab");
  EXPECT_EQ(DisplayedIndexes(album), (std::vector<int>{0, 1}));
}

}  // namespace
