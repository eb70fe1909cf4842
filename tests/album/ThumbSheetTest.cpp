#include <gtest/gtest.h>

#include <string>

#include "album/PixDir.h"
#include "album/SheetLayout.h"
#include "tests/support/FakePlatformUi.h"
#include "tests/support/TestAlbum.h"
#include "tests/support/TestPictures.h"

namespace {

TEST(SheetLayout, PlacesTheWorkedExample) {
  const SheetLayout layout = ComputeSheetLayout(120, 6, 1000, 8);
  EXPECT_EQ(layout.columns, 7);
  EXPECT_EQ(layout.perRow, 7);
  EXPECT_EQ(layout.SketchRect(0), (Rect{10, 34, 142, 166}));
  EXPECT_EQ(layout.CaptionRect(0), (Rect{10, 168, 142, 228}));
  EXPECT_EQ(layout.SketchRect(1).left, 152);
  EXPECT_EQ(layout.ThumbTop(7), 242);
  EXPECT_EQ(layout.ThumbLeft(7), 16);
}

TEST(SheetLayout, HeightFollowsTheAlbumAndARowMayHoldAPartCell) {
  // 1130 pixels hold 7 whole cells, but the eighth thumb square still ends inside the width.
  const SheetLayout layout = ComputeSheetLayout(120, 6, 1130, 300);
  EXPECT_EQ(layout.columns, 7);
  EXPECT_EQ(layout.perRow, 8);
  EXPECT_LE(layout.SketchRect(7).right - 6, 1130);
  EXPECT_EQ(layout.rows, 38);
  EXPECT_EQ(layout.height, layout.CaptionRect(299).bottom + kSheetSpacing);
  EXPECT_EQ(ComputeSheetLayout(120, 6, 1000, 0).height, 0);
}

TEST(SheetSteps, ArrowKeysWalkTheRowsAndStopAtTheEdges) {
  std::vector<CAlbumEntry> entries(10);
  std::vector<CAlbumEntry*> order;
  for (CAlbumEntry& entry : entries) {
    order.push_back(&entry);
  }
  CThumbSheet sheet;
  sheet.LayOut(order, 120, 6, true, 600);  // four sketches a row
  ASSERT_EQ(sheet.Layout().perRow, 4);
  struct Case {
    int from;
    SheetStep step;
    int to;
  };
  const Case cases[] = {{-1, SheetStep::Right, 0}, {-1, SheetStep::Last, 9},
                        {0, SheetStep::Left, 0},   {3, SheetStep::Right, 4},
                        {9, SheetStep::Right, 9},  {5, SheetStep::Up, 1},
                        {1, SheetStep::Up, 1},     {5, SheetStep::Down, 9},
                        {7, SheetStep::Down, 7},   {6, SheetStep::First, 0}};
  for (const Case& c : cases) {
    EXPECT_EQ(sheet.Step(c.from, c.step, 10), c.to) << c.from << " " << static_cast<int>(c.step);
  }
}

class ThumbSheet : public ::testing::Test {
 protected:
  void SetUp() override {
    FillAlbum(album, {"a.jpg", "b.jpg", "c.jpg"});
    album.Record().SetFolder(album.Record().DirPath(), "Trip");
    for (int i = 0; i < album.Pictures().Count(); ++i) {
      Arrange(album).EntryAt(i).thumb = MakePicture24(12, 8, GradientColour);
    }
    Arrange(album).EntryAt(0).pictureWidth = 40;
    Arrange(album).EntryAt(0).pictureHeight = 30;
  }
  FakePlatformUi ui;
  CPixDir album{ui};
};

TEST_F(ThumbSheet, LayOutStoresEveryRectangleAndCountsTheBuiltThumbs) {
  EXPECT_EQ(album.SheetControl().LayOut(1000), 7);
  EXPECT_EQ(album.Sheet().Spacing(), 10);
  EXPECT_EQ(album.Sheet().Height(), album.Sheet().Layout().height);
  EXPECT_EQ(album.Pictures().EntryAt(2).sketchRect, album.Sheet().Layout().SketchRect(2));
  EXPECT_EQ(ui.statusText[2], "3 Thumb bitmaps built");
  album.Record().ChangeSettings(
      [&](CAlbumSettings& s) { s.AdvancedSettings.AlwaysShowCaptions = 0; });
  album.SheetControl().LayOut(1000);
  EXPECT_TRUE(album.Pictures().EntryAt(0).captionRect == Rect{});
}

TEST_F(ThumbSheet, NarrowWindowWarnsOncePerWidthAndSize) {
  EXPECT_EQ(album.SheetControl().LayOut(100), 0);
  EXPECT_TRUE(album.Sheet().FitWarningDue());
  album.SheetControl().ShowFitWarning();
  EXPECT_EQ(ui.LastMessage().rfind("Not All ThumbSketches Fit in the Window.", 0), 0u);
  EXPECT_EQ(ui.messages.back().icon, MsgIcon::Error);
  album.SheetControl().LayOut(100);
  EXPECT_FALSE(album.Sheet().FitWarningDue());  // the same width again: no second message
  album.SheetControl().LayOut(120);
  EXPECT_TRUE(album.Sheet().FitWarningDue());
  EXPECT_TRUE(album.Pictures().EntryAt(0).sketchRect.IsEmpty());
  // A width warned of before, after one that fits (a scroll bar that came and went): none.
  album.SheetControl().ShowFitWarning();
  album.SheetControl().LayOut(1000);
  const int height = album.Sheet().Height();
  album.SheetControl().LayOut(100);
  EXPECT_FALSE(album.Sheet().FitWarningDue());
  EXPECT_EQ(album.Sheet().Height(), height);  // the scroll bar stays as it was
  // A box's own events lay the sheet out again: a new width waits until the box is closed.
  ui.whileShown = [this](const RecordedMessage&) {
    album.SheetControl().LayOut(80);
    album.SheetControl().ShowFitWarning();
  };
  album.SheetControl().LayOut(90);
  album.SheetControl().ShowFitWarning();
  EXPECT_EQ(ui.messages.size(), 3u);
  EXPECT_TRUE(album.Sheet().FitWarningDue());
}

TEST_F(ThumbSheet, HoverFillsTheFourPanes) {
  album.SheetControl().LayOut(1000);
  Arrange(album).EntryAt(0).omitted = 1;
  Arrange(album).EntryAt(0).thumbRect = Rect{1, 1, 20, 20};
  Arrange(album).EntryAt(0).caption = "Lake";
  Arrange(album).EntryAt(0).date = "3:5pm March 7, 2008";
  EXPECT_EQ(album.SheetControl().HoverAt(20, 40), 1);
  EXPECT_EQ(ui.statusText[0], "a.jpg (0) X");
  EXPECT_EQ(ui.statusText[1], "(40x30) th-cropped");
  EXPECT_EQ(ui.statusText[2], "Lake");
  EXPECT_EQ(ui.statusText[3], "3:5pm March 7, 2008");
  EXPECT_EQ(album.Sheet().HoverIndex(), 0);
  EXPECT_EQ(album.SheetControl().HoverAt(160, 40), 1);
  EXPECT_EQ(ui.statusText[0], "b.jpg (1)  ");
  EXPECT_EQ(album.SheetControl().HoverAt(5, 5), 0);
  EXPECT_EQ(ui.statusText[0], "Trip");
  EXPECT_EQ(ui.statusText[1], "3 images");
  EXPECT_EQ(ui.statusText[2], "");
  EXPECT_EQ(album.Sheet().HoverIndex(), -1);
}

}  // namespace
