#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "album/PixDir.h"
#include "tests/support/FakePlatformUi.h"
#include "tests/support/TempDir.h"
#include "tests/support/TestAlbum.h"
#include "tests/support/TestPictures.h"

namespace {

// A PNG of 16000 x 15600 black pixels takes 728 KB on disk and 714 MB decoded. The full size
// window shows it reduced, within a budget far below that, from a decode no larger than it
// shows; 100 % needs the whole picture and is refused with a message that names it.
TEST(FullSizeWindow, ADecompressionBombOpensWithinTheMemoryBudget) {
  TempDir dir;
  const std::string path = dir.Str() + "/bomb.png";
  WriteBlackPng(path, 16000, 15600);
  FakePlatformUi ui;
  ui.pictureWindowFactor = 17;
  CPixDir album(ui);
  album.SetPictureMemoryBudget(int64_t{64} << 20);
  FillAlbum(album, {"bomb.png"});
  album.Record().SetFolder(dir.Str(), "");
  Arrange(album).EntryAt(0).fullPath = path;
  album.Editor().Select(0);
  album.ShowFullSize();
  EXPECT_EQ(ui.pictureWindowsOpened, std::vector<std::string>{"bomb.png"});
  EXPECT_EQ(ui.MessageTexts(), std::vector<std::string>{});
  const CMemoryBudget& budget = album.Decoder().Budget();
  EXPECT_GT(budget.Peak(), 0);
  EXPECT_LE(budget.Peak(), budget.Total());

  EXPECT_EQ(album.FullSizePicture("bomb.png"), nullptr);
  ASSERT_FALSE(ui.messages.empty());
  EXPECT_EQ(ui.messages[0].text.rfind("Image " + path + " needs 71", 0), 0u);
  EXPECT_NE(ui.messages[0].text.find(" MB to be shown at 100 %, more than the 64 MB that "
                                     "Quillaran lets its pictures take at once"),
            std::string::npos);
  EXPECT_EQ(budget.Kept(), 0);
}

}  // namespace
