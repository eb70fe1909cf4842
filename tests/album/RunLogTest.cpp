#include <gtest/gtest.h>
#include <unistd.h>

#include <ctime>
#include <filesystem>
#include <string>

#include "album/PixDir.h"
#include "tests/support/FakePlatformUi.h"
#include "tests/support/LocalTime.h"
#include "tests/support/TempDir.h"

namespace fs = std::filesystem;

namespace {

// The log is written in the current directory, here a fresh temporary one.
class RunLog : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::current_path(dir.Path());
    album.Record().ChangeSettings([&](CAlbumSettings& s) { s.AdvancedSettings.KeepLog = 1; });
  }
  std::string Log() const { return ReadFileBytes(dir / "QuillaranLog.txt"); }

  TempDir dir;
  FakePlatformUi ui;
  CPixDir album{ui};
};

TEST_F(RunLog, NewRunLineHasTheDateWithoutLeadingZeros) {
  album.Record().OpenLog(LocalTime(2008, 3, 5, 9, 7));
  EXPECT_EQ(Log(), "--------- New Run (3/5/2008 at 9:7 hr) -----------\n");
  EXPECT_TRUE(ui.messages.empty());
}

TEST_F(RunLog, EachRunAppendsOneNewRunLine) {
  album.Record().OpenLog(LocalTime(2008, 3, 5, 9, 7));
  album.Record().WriteLogLine("Attempting /photos/a.jpg\n");
  album.Record().CloseLog();
  album.Record().OpenLog(LocalTime(2010, 12, 31, 23, 59));
  album.Record().WriteLogLine("OK");  // the line end is added
  EXPECT_EQ(Log(),
            "--------- New Run (3/5/2008 at 9:7 hr) -----------\n"
            "Attempting /photos/a.jpg\n"
            "--------- New Run (12/31/2010 at 23:59 hr) -----------\n"
            "OK\n");
}

TEST_F(RunLog, LinesAreWrittenOnlyWhileKeepLogIsOnAndTheLogOpen) {
  album.Record().WriteLogLine("before opening");
  album.Record().OpenLog(LocalTime(2008, 3, 5, 9, 7));
  album.Record().ChangeSettings([&](CAlbumSettings& s) { s.AdvancedSettings.KeepLog = 0; });
  album.Record().WriteLogLine("while off");
  album.Record().ChangeSettings([&](CAlbumSettings& s) { s.AdvancedSettings.KeepLog = 1; });
  album.Record().WriteLogLine("OK\n");
  album.Record().CloseLog();
  album.Record().WriteLogLine("after closing");
  album.Record().CloseLog();  // closing twice is harmless
  EXPECT_EQ(Log(), "--------- New Run (3/5/2008 at 9:7 hr) -----------\nOK\n");
}

TEST_F(RunLog, UnwritableLogIsReportedOnceAndTurnsLoggingOff) {
  fs::create_directory(dir / "QuillaranLog.txt");  // fails even for root
  album.Record().OpenLog(LocalTime(2008, 3, 5, 9, 7));
  album.Record().WriteLogLine("Attempting x.jpg");
  EXPECT_EQ(ui.MessageTexts(), (std::vector<std::string>{"Could not create LOG file"}));
  EXPECT_EQ(ui.messages[0].icon, MsgIcon::Error);
  EXPECT_EQ(album.Settings().AdvancedSettings.KeepLog, 0);
  EXPECT_FALSE(album.Record().LogIsOpen());
}

TEST_F(RunLog, ReadOnlyStartDirectoryKeepsNoLog) {
  if (geteuid() == 0) {
    GTEST_SKIP() << "root writes into read-only directories";
  }
  fs::permissions(dir.Path(), fs::perms::owner_read | fs::perms::owner_exec);
  album.Record().OpenLog(LocalTime(2008, 3, 5, 9, 7));
  album.Record().WriteLogLine("OK");
  fs::permissions(dir.Path(), fs::perms::owner_all);
  EXPECT_EQ(ui.MessageTexts(), (std::vector<std::string>{"Could not create LOG file"}));
  EXPECT_EQ(album.Settings().AdvancedSettings.KeepLog, 0);
  EXPECT_FALSE(fs::exists(dir / "QuillaranLog.txt"));
}

}  // namespace
