#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "album/MemoryBudget.h"
#include "album/PixDir.h"
#include "tests/support/FakePlatformUi.h"
#include "tests/support/TempDir.h"
#include "tests/support/TestPictures.h"
#include "web/OnePassBuild.h"

namespace fs = std::filesystem;

namespace {

constexpr int64_t kMB = 1 << 20;

// quillaran-web's workers share one memory budget. Two pictures that each need more than half
// of it are made one after the other on two threads; a picture that needs more than all of it
// is left out with a message, and the rest of the album is made.
TEST(MemoryBudget, WorkersShareItAndAPictureAboveItIsRefused) {
  TempDir temp;
  // 3.6 MB of pixels each, and as much again twice over for the large file written from them.
  for (const char* name : {"a.bmp", "b.bmp"}) {
    ASSERT_EQ(MakePicture24(1200, 1000, GradientColour).Save((temp / name).string()), 0u);
  }
  const std::string huge = (temp / "c.bmp").string();
  ASSERT_EQ(MakePicture24(2400, 2000, GradientColour).Save(huge), 0u);

  FakePlatformUi ui;
  CPixDir album(ui);
  album.Record().ChangeSettings([&](CAlbumSettings& s) { s.AdvancedSettings.KeepLog = 0; });
  CMemoryBudget budget(24 * kMB);
  COnePassBuild pass(
      album, true, 2, [](CAlbumSettings&) {}, budget);
  ASSERT_EQ(pass.OpenDirectory(temp.Str()), 1);

  EXPECT_EQ(album.Pictures().Count(), 2);
  EXPECT_TRUE(fs::exists(temp / "Large/a.bmp"));
  EXPECT_TRUE(fs::exists(temp / "Large/b.bmp"));
  EXPECT_FALSE(fs::exists(temp / "Large/c.bmp"));
  const std::vector<std::string> messages = ui.MessageTexts();
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].rfind("Image " + huge + " needs 5", 0), 0u) << messages[0];
  EXPECT_NE(messages[0].find(" MB to be decoded and written, more than the 24 MB that "
                             "quillaran-web lets its pictures take at once"),
            std::string::npos);
  // A picture's file, pixels and large file were accounted; two never were at once.
  EXPECT_GE(budget.Peak(), 4 * 3'600'000);
  EXPECT_LE(budget.Peak(), budget.Total());
}

}  // namespace
