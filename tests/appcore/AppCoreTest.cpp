#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "album/Messages.h"
#include "appcore/AppCore.h"
#include "tests/support/FakePlatformUi.h"
#include "tests/support/FakeProfileStore.h"
#include "tests/support/TempDir.h"
#include "tests/support/TestAlbum.h"

namespace fs = std::filesystem;

namespace {

// One trace of what start-up and shut-down did, in order.
struct Trace {
  std::vector<std::string> events;
};

class TracingUi : public FakePlatformUi {
 public:
  explicit TracingUi(Trace& trace) : trace_(trace) {}
  MsgAnswer MessageBox(WindowRef owner, const std::string& text, MsgIcon icon,
                       MsgButtons buttons) override {
    trace_.events.push_back("message " + text);
    return FakePlatformUi::MessageBox(owner, text, icon, buttons);
  }

 private:
  Trace& trace_;
};

class TracingProfile : public FakeProfileStore {
 public:
  explicit TracingProfile(Trace& trace) : trace_(trace) {}
  int GetProfileInt(const std::string& section, const std::string& entry, int value) override {
    if (entry == "ThumbSize" || entry == "NDirEx") {  // the first setting, the recent list
      trace_.events.push_back("read " + entry);
    }
    return FakeProfileStore::GetProfileInt(section, entry, value);
  }
  std::string GetProfileString(const std::string& section, const std::string& entry,
                               const std::string& value) override {
    if (entry == "TopDir2Look") {  // the last setting read
      trace_.events.push_back("read " + entry);
    }
    return FakeProfileStore::GetProfileString(section, entry, value);
  }
  bool WriteProfileInt(const std::string& section, const std::string& entry, int value) override {
    if (entry == "NDirEx") {
      trace_.events.push_back("write " + entry);  // the recent list
    }
    return FakeProfileStore::WriteProfileInt(section, entry, value);
  }
  bool WriteProfileString(const std::string& section, const std::string& entry,
                          const std::string& value) override {
    if (entry == "TopDir2Look") {
      trace_.events.push_back("write " + entry);  // the last setting written
    }
    return FakeProfileStore::WriteProfileString(section, entry, value);
  }

 private:
  Trace& trace_;
};

class AppCore : public ::testing::Test {
 protected:
  void SetUp() override { fs::current_path(dir.Path()); }

  TempDir dir;
  Trace trace;
  TracingUi ui{trace};
  TracingProfile profile{trace};
  CAppCore app{ui, profile};
};

TEST_F(AppCore, StartupReadsSettingsThenTheRecentList) {
  app.album.Record().SetAutoCropDiagnostic(1);
  app.Startup();
  EXPECT_EQ(trace.events,
            (std::vector<std::string>{"read ThumbSize", "read TopDir2Look", "read NDirEx"}));
  EXPECT_EQ(app.version, "2.3.1");
  EXPECT_EQ(app.album.Record().AutoCropDiagnostic(), 0);
  EXPECT_FALSE(app.album.Record().LogIsOpen());
  EXPECT_FALSE(fs::exists(dir / "QuillaranLog.txt"));
}

TEST_F(AppCore, StartupWithKeepLogStartsTheLogInTheStartDirectory) {
  profile.values[{"Parameters", "KeepLog"}] = 1;
  app.Startup();
  EXPECT_TRUE(app.album.Record().LogIsOpen());
  EXPECT_EQ(ReadFileBytes(dir / "QuillaranLog.txt").rfind("--------- New Run (", 0), 0u);
}

// The settings are saved before the question; Cancel leaves the program running with its log
// open and its record out of date.
TEST_F(AppCore, ShutdownSavesSettingsThenAsksAndCancelKeepsTheAlbumOpen) {
  profile.values[{"Parameters", "KeepLog"}] = 1;
  app.Startup();
  app.album.Record().SetFolder(dir.Str(), "");
  FillAlbum(app.album, {"a.jpg"});
  app.album.Editor().Select(0);
  app.album.Record().MarkChangedBeyondUndo();
  ui.answers = {MsgAnswer::Cancel, MsgAnswer::No};
  trace.events.clear();
  EXPECT_FALSE(app.Shutdown());
  EXPECT_EQ(trace.events,
            (std::vector<std::string>{"write TopDir2Look", "write NDirEx", "message Save Record?"}));
  EXPECT_TRUE(app.album.Record().LogIsOpen());
  EXPECT_EQ(app.album.Record().Dirty(), 1);

  trace.events.clear();
  profile.writeOrder.clear();
  EXPECT_TRUE(app.Shutdown());
  EXPECT_EQ(trace.events,
            (std::vector<std::string>{"write TopDir2Look", "write NDirEx", "message Save Record?"}));
  ASSERT_EQ(profile.writeOrder.size(), 26u);  // the 25 settings, then the empty recent list
  EXPECT_EQ(profile.writeOrder.back(), "NDirEx");
  EXPECT_FALSE(app.album.Record().LogIsOpen());
  EXPECT_FALSE(fs::exists(dir / "Quillaran.txt"));
}

TEST_F(AppCore, ShutdownWritesTheRecordOnYes) {
  app.Startup();
  app.album.Record().SetFolder(dir.Str(), "");
  FillAlbum(app.album, {"a.jpg"});
  Arrange(app.album).EntryAt(0).caption = "Kept";
  app.album.Record().MarkChangedBeyondUndo();
  app.Shutdown();
  EXPECT_EQ(ReadFileBytes(dir / "Quillaran.txt"),
            "QLNV_A t120 x2000 p600 f2 d0 c0 #maroon\na.jpg\tKept\t\t0\n");
}

TEST(Messages, ReportErrorJoinsTheTwoTextsWithABlank) {
  FakePlatformUi ui;
  ReportError(ui, "Cannot Find Record File", "Quillaran.txt");
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].text, "Cannot Find Record File Quillaran.txt");
  EXPECT_EQ(ui.messages[0].icon, MsgIcon::Error);
  EXPECT_EQ(ui.messages[0].buttons, MsgButtons::Ok);
}

TEST(Messages, FatalErrorShowsTheTextThenExitsWithCodeOne) {
  FakePlatformUi ui;
  try {
    FatalError(ui, "Memory Exception");
    FAIL() << "FatalError returned";
  } catch (const FakeProcessExit& exit) {
    EXPECT_EQ(exit.code, 1);
  }
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].text, "Memory Exception");
  EXPECT_EQ(ui.messages[0].icon, MsgIcon::Error);
}

}  // namespace
