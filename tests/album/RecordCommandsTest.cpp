#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "album/PixDir.h"
#include "tests/support/FakePlatformUi.h"
#include "tests/support/TempDir.h"
#include "tests/support/TestAlbum.h"

namespace fs = std::filesystem;

namespace {

const char kCaution[] =
    "CAUTION: You cannot work on Quillaran until you finish editing\n"
    "Quillaran.txt. After you Save the file and exit the text editor,\n"
    "then Click OK on this box and resume work";

// A user who edits the record while the CAUTION box is up.
class EditingUi : public FakePlatformUi {
 public:
  std::function<void()> editWhileWaiting;
  MsgAnswer MessageBox(WindowRef owner, const std::string& text, MsgIcon icon,
                       MsgButtons buttons) override {
    if (text == kCaution && editWhileWaiting) {
      editWhileWaiting();
    }
    return FakePlatformUi::MessageBox(owner, text, icon, buttons);
  }
};

class RecordCommands : public ::testing::Test {
 protected:
  void SetUp() override {
    album.Record().SetFolder(dir.Str(), "");
    album.AttachView(&view);
    album.Loader().SetThumbRebuild([this] { ++rebuilds; });
    FillAlbum(album, {"a.jpg", "b.jpg"});
  }
  std::string Record() const { return ReadFileBytes(dir / "Quillaran.txt"); }

  TempDir dir;
  EditingUi ui;
  CPixDir album{ui};
  CountingSheetView view;
  int rebuilds = 0;
};

TEST_F(RecordCommands, AskSaveClosesTheSelectedPictureWindowAndSavesOnYes) {
  ui.pictureWindows["b.jpg"] = std::nullopt;
  ui.pictureWindows["a.jpg"] = std::nullopt;
  album.Editor().Select(1);
  album.Record().MarkChangedBeyondUndo();
  Arrange(album).EntryAt(1).caption = "Bridge";
  ui.answers.push_back(MsgAnswer::Yes);
  EXPECT_EQ(album.Record().AskSaveRecord(), 1);
  EXPECT_EQ(ui.pictureWindows.count("b.jpg"), 0u);
  EXPECT_EQ(ui.pictureWindows.count("a.jpg"), 1u);
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].text, "Save Record?");
  EXPECT_EQ(ui.messages[0].icon, MsgIcon::Question);
  EXPECT_EQ(ui.messages[0].buttons, MsgButtons::YesNoCancel);
  EXPECT_NE(Record().find("b.jpg\tBridge\t"), std::string::npos);
  EXPECT_EQ(album.Record().Dirty(), 0);
}

// No goes on without the record; Cancel, and Yes when the record cannot be saved, stop the
// caller with the album and its picture window as they were.
TEST_F(RecordCommands, AskSaveGoesOnOnlyAfterNoOrASave) {
  struct Case {
    MsgAnswer answer;
    bool writable;
    int result;
  };
  dir.WriteFile("plain", "x");
  for (const Case c : {Case{MsgAnswer::No, true, 1}, Case{MsgAnswer::Cancel, true, 0},
                       Case{MsgAnswer::Yes, false, 0}}) {
    album.Record().SetFolder(c.writable ? dir.Str() : (dir / "plain").string(), "");
    ui.pictureWindows["a.jpg"] = std::nullopt;
    album.Editor().Select(0);
    album.Record().MarkChangedBeyondUndo();
    ui.answers.push_back(c.answer);
    EXPECT_EQ(album.Record().AskSaveRecord(), c.result);
    EXPECT_EQ(ui.pictureWindows.count("a.jpg"), c.result == 1 ? 0u : 1u);
    EXPECT_EQ(album.Record().Dirty(), 1);
  }
  EXPECT_FALSE(fs::exists(dir / "Quillaran.txt"));
}

TEST_F(RecordCommands, AskSaveDoesNotAskWhenNothingChanged) {
  EXPECT_EQ(album.Record().AskSaveRecord(), 1);
  EXPECT_TRUE(ui.messages.empty());
  EXPECT_FALSE(fs::exists(dir / "Quillaran.txt"));
}

// Options applied before any directory was opened leave the record out of date; a
// header-only record would then replace the one in the current directory.
TEST_F(RecordCommands, NoQuestionAndNoRecordWithoutAnAlbum) {
  const std::string kept = dir.WriteFile("Quillaran.txt", "someone's record\n");
  fs::current_path(dir.Path());
  for (const bool withPictures : {false, true}) {
    FillAlbum(album, withPictures ? std::vector<std::string>{"a.jpg"} : std::vector<std::string>{});
    album.Record().SetFolder(withPictures ? "" : dir.Str(), "");
    album.Record().MarkChangedBeyondUndo();
    EXPECT_EQ(album.Record().AskSaveRecord(), 1);
    EXPECT_EQ(album.Record().WriteRecord(), 0);
  }
  EXPECT_TRUE(ui.messages.empty()) << ui.LastMessage();
  EXPECT_EQ(ReadFileBytes(kept), "someone's record\n");
}

TEST_F(RecordCommands, ExternalEditIsReadBackAndTheThumbsRebuilt) {
  Arrange(album).EntryAt(0).caption = "Before";
  ui.editWhileWaiting = [this] {
    EXPECT_NE(Record().find("a.jpg\tBefore\t"), std::string::npos);
    dir.WriteFile("Quillaran.txt",
                  "QLNV_A t200 x2000 p600 f2 d0 c0 #navy\na.jpg\tAfter\t\t1\t0 0 10 10\n"
                  "b.jpg\t?\t\t0\n");
  };
  album.Record().EditRecordExternally();
  EXPECT_EQ(ui.opened, (std::vector<std::string>{(dir / "Quillaran.txt").string()}));
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].text, kCaution);
  EXPECT_EQ(ui.messages[0].icon, MsgIcon::None);
  EXPECT_EQ(album.Pictures().EntryAt(0).caption, "After");
  EXPECT_EQ(album.Pictures().EntryAt(0).thumbRect, (Rect{0, 0, 10, 10}));
  EXPECT_EQ(album.Settings().GeneralSettings.ThumbSize, 200);
  EXPECT_EQ(DisplayedIndexes(album), (std::vector<int>{1, 0}));
  EXPECT_EQ(rebuilds, 1);
  EXPECT_EQ(view.repaints, 1);
}

TEST_F(RecordCommands, ExternalEditWithoutEditorStillWaitsAndReadsBack) {
  ui.openSucceeds = false;
  album.Record().EditRecordExternally();
  EXPECT_EQ(ui.MessageTexts(),
            (std::vector<std::string>{"Cannot Find Record File Quillaran.txt", kCaution}));
  EXPECT_EQ(ui.messages[0].icon, MsgIcon::Error);
  EXPECT_EQ(rebuilds, 1);
  EXPECT_EQ(view.repaints, 1);
}

TEST_F(RecordCommands, ExternalEditStopsWhenTheRecordCannotBeSaved) {
  // Reading back the older file would throw away the unsaved captions.
  dir.WriteFile("plain", "x");
  album.Record().SetFolder((dir / "plain").string(), "");
  Arrange(album).EntryAt(0).caption = "Unsaved";
  album.Record().MarkChangedBeyondUndo();
  album.Record().EditRecordExternally();
  EXPECT_EQ(ui.MessageTexts(), (std::vector<std::string>{"Cannot Save Record [20] Quillaran.txt"}));
  EXPECT_TRUE(ui.opened.empty());
  EXPECT_EQ(album.Pictures().EntryAt(0).caption, "Unsaved");
  EXPECT_EQ(album.Record().Dirty(), 1);
  EXPECT_EQ(rebuilds, 0);
}

}  // namespace
