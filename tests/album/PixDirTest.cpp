#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "album/PixDir.h"
#include "tests/support/FakePlatformUi.h"
#include "tests/support/TestAlbum.h"

namespace {

// An album of n entries in scan order, without pictures.
class AlbumModel : public ::testing::Test {
 protected:
  void Fill(int n) {
    album.Loader().ReleaseEntries();
    for (int i = 0; i < n; ++i) {
      CAlbumEntry e;
      e.fileName = "p" + std::to_string(i) + ".jpg";
      album.Loader().AddPicture(std::move(e));
    }
  }
  // Scan indexes in display order.
  std::vector<int> Shown() {
    std::vector<int> shown;
    for (int p = 0; p < album.Pictures().Count(); ++p) {
      shown.push_back(album.Pictures().EntryAtPosition(p).index);
    }
    return shown;
  }
  FakePlatformUi ui;
  CPixDir album{ui};
};

TEST_F(AlbumModel, StartsEmptyWithNothingSelected) {
  EXPECT_EQ(album.Pictures().Count(), 0);
  EXPECT_EQ(album.Pictures().Selection(), -1);
  EXPECT_EQ(album.Sheet().HoverIndex(), -1);
  EXPECT_EQ(album.Record().Dirty(), 0);
  EXPECT_TRUE(album.Sheet().WelcomeHintPending());
  EXPECT_EQ(album.Sheet().Spacing(), 0);
  EXPECT_EQ(album.Record().AutoCropDiagnostic(), 0);
  EXPECT_EQ(album.Pictures().SelectedEntry(), nullptr);
  CAlbumEntry fresh;
  EXPECT_EQ(fresh.caption, "?");
  EXPECT_TRUE(fresh.thumbRect.IsEmpty());
}

TEST_F(AlbumModel, DragTowardsTheEndClosesTheGap) {
  Fill(8);
  Arrange(album).MoveAfter(2, 5);
  EXPECT_EQ(Shown(), (std::vector<int>{0, 1, 3, 4, 5, 2, 6, 7}));
  EXPECT_EQ(album.Pictures().EntryAt(2).order, 5);
  EXPECT_EQ(album.Pictures().EntryAt(5).order, 4);
}

TEST_F(AlbumModel, DragTowardsTheStartShiftsTheOthersOn) {
  Fill(8);
  Arrange(album).MoveAfter(5, 2);
  EXPECT_EQ(Shown(), (std::vector<int>{0, 1, 2, 5, 3, 4, 6, 7}));
  EXPECT_EQ(album.Pictures().EntryAt(5).order, 3);
  EXPECT_EQ(album.Pictures().EntryAt(3).order, 4);
  EXPECT_EQ(album.Pictures().EntryAt(4).order, 5);
}

TEST_F(AlbumModel, DragOntoTheEntryBeforeChangesNothing) {
  Fill(5);
  Arrange(album).MoveAfter(3, 2);
  EXPECT_EQ(Shown(), (std::vector<int>{0, 1, 2, 3, 4}));
}

TEST_F(AlbumModel, DragOntoTheEntryAfterSwapsTheTwo) {
  Fill(5);
  Arrange(album).MoveAfter(2, 3);
  EXPECT_EQ(Shown(), (std::vector<int>{0, 1, 3, 2, 4}));
}

TEST_F(AlbumModel, DragOntoItselfOrOutsideTheAlbumDoesNothing) {
  Fill(4);
  Arrange(album).MoveAfter(1, 1);
  Arrange(album).MoveAfter(-1, 2);
  Arrange(album).MoveAfter(1, 4);
  EXPECT_EQ(Shown(), (std::vector<int>{0, 1, 2, 3}));
}

TEST_F(AlbumModel, ManyDragsKeepEveryEntryExactlyOnce) {
  Fill(9);
  const int moves[][2] = {{0, 8}, {8, 0}, {4, 2}, {3, 7}, {6, 1}, {2, 2}, {1, 0}, {7, 5}};
  for (const auto& m : moves) {
    Arrange(album).MoveAfter(m[0], m[1]);
    std::vector<int> orders;
    for (int i = 0; i < album.Pictures().Count(); ++i) {
      orders.push_back(album.Pictures().EntryAt(i).order);
    }
    std::sort(orders.begin(), orders.end());
    for (int i = 0; i < album.Pictures().Count(); ++i) {
      ASSERT_EQ(orders[static_cast<size_t>(i)], i);
      ASSERT_EQ(album.Pictures().EntryAtPosition(i).order, i);
    }
  }
}

}  // namespace
