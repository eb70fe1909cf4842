#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QStatusBar>
#include <QTest>
#include <filesystem>

#include "shell/DialogWizard.h"
#include "shell/StatusPanes.h"
#include "tests/gui/GuiFixture.h"
#include "tests/support/TempDir.h"
#include "tests/support/TestAlbum.h"
#include "views/TessalyView.h"

namespace fs = std::filesystem;

namespace {

using MainFrame = GuiFixture;

std::vector<int> EnabledOf(MainFrame& test, const std::vector<int>& ids) {
  std::vector<int> enabled;
  for (int id : ids) {
    if (test.Frame().Action(id)->isEnabled()) {
      enabled.push_back(id);
    }
  }
  return enabled;
}

const std::vector<int> kAlbumCommands = {ID_CAPTION,     ID_SHOW_FULL_SIZE,      ID_CREATE_WEB_PAGE,
                                         ID_ASSUME_IMAGES_EXIST, ID_SAVE_RECORD, ID_EDIT_RECORD,
                                         ID_OP_CAPTION, ID_OP_CROP_THUMB, ID_OP_CROP_ORIGINAL,
                                         ID_OP_ROTATE_RIGHT, ID_OP_ROTATE_LEFT, ID_OP_OMIT};

TEST_F(MainFrame, CommandsFollowTheAlbumTheSelectionAndTheFolders) {
  Start(0);
  EXPECT_EQ(EnabledOf(*this, kAlbumCommands), std::vector<int>{});
  EXPECT_EQ(EnabledOf(*this, {ID_SELECT_DIRECTORY, ID_FIND_DIRECTORY, ID_OPTIONS, ID_QUICK_HELP,
                              ID_APP_ABOUT, ID_EXIT_PROGRAM})
                .size(),
            6u);
  ASSERT_TRUE(Frame().OpenDirectoryPath(MakeAlbum(3)));
  WaitForLoad();
  EXPECT_EQ(EnabledOf(*this, kAlbumCommands),
            (std::vector<int>{ID_CREATE_WEB_PAGE, ID_SAVE_RECORD, ID_EDIT_RECORD}));
  MousePress(SketchCentre(1));
  MouseRelease(SketchCentre(1));
  fs::create_directory(temp / "album" / "Thumbs");
  fs::create_directory(temp / "album" / "Large");
  Frame().UpdateCommandStates();
  // Crop for Thumb and Crop Original work only from the picture window.
  EXPECT_EQ(EnabledOf(*this, kAlbumCommands),
            (std::vector<int>{ID_CAPTION, ID_SHOW_FULL_SIZE, ID_CREATE_WEB_PAGE,
                              ID_ASSUME_IMAGES_EXIST, ID_SAVE_RECORD, ID_EDIT_RECORD, ID_OP_CAPTION,
                              ID_OP_ROTATE_RIGHT, ID_OP_ROTATE_LEFT, ID_OP_OMIT}));
}

TEST_F(MainFrame, LearningModeExplainsUntilTheHintTurnsItOff) {
  Start(1, MakeAlbum(2));
  EXPECT_TRUE(Action(ID_CAPTION).isEnabled());  // every toolbar button explains itself
  QString hint;
  WhenModal([&hint](QWidget* modal) {
    hint = modal->findChild<QPlainTextEdit*>("HintText")->toPlainText();
    modal->findChild<QCheckBox*>("TurnOffLearning")->setChecked(true);
    qobject_cast<QDialog*>(modal)->accept();
  });
  Trigger(ID_CREATE_WEB_PAGE);
  EXPECT_TRUE(hint.startsWith("Create the web page for this set of pictures."));
  EXPECT_EQ(Album().Settings().GeneralSettings.Learning, 0);
  EXPECT_FALSE(fs::exists(temp / "album" / "pix_index.htm"));
  EXPECT_FALSE(Action(ID_CAPTION).isEnabled());

  Trigger(ID_CREATE_WEB_PAGE);  // the very next click acts
  ASSERT_TRUE(QTest::qWaitFor([this] { return !Album().Loader().IsBusy(); }, 20000));
  EXPECT_TRUE(fs::exists(temp / "album" / "pix_index.htm"));
  EXPECT_TRUE(fs::exists(temp / "album" / "Thumbs" / "Thumb_p1.png"));
  ASSERT_EQ(opened.size(), 1u);
  EXPECT_EQ(opened[0], (temp / "album" / "pix_index.htm").string());
}

TEST_F(MainFrame, ExitAsksToSaveTheRecordAfterASelectionChange) {
  Start(0, MakeAlbum(2));
  MousePress(SketchCentre(1));
  MouseRelease(SketchCentre(1));
  AnswerMessage("&Yes");
  Frame().close();
  EXPECT_EQ(modalTexts, std::vector<QString>{"Save Record?"});
  EXPECT_EQ(ReadFileBytes(temp / "album" / "Quillaran.txt").rfind("QLNV_A t120", 0), 0u);
}

// Cancel, Escape, or Yes with a record that cannot be saved: the program, the album and the
// unsaved work stay; No then ends it.
TEST_F(MainFrame, CancelOrAFailedSaveAtExitKeepsTheWindowAndTheAlbum) {
  Start(0, MakeAlbum(2));
  MousePress(SketchCentre(1));
  MouseRelease(SketchCentre(1));
  fs::create_directory(temp / "album" / "Quillaran.txt");  // the record cannot replace it
  AnswerMessage("Cancel");
  Frame().close();
  WhenModal([](QWidget* modal) { QTest::keyClick(modal, Qt::Key_Escape); });
  Frame().close();
  WhenModal([this](QWidget* modal) {
    AnswerMessage("OK");  // the report that follows
    qobject_cast<QMessageBox*>(modal)->button(QMessageBox::Yes)->click();
  });
  Frame().close();
  EXPECT_TRUE(Frame().isVisible());
  EXPECT_EQ(Album().Pictures().Count(), 2);
  EXPECT_EQ(Album().Record().Dirty(), 1);
  AnswerMessage("&No");
  Frame().close();
  EXPECT_FALSE(Frame().isVisible());
  EXPECT_EQ(modalTexts, (std::vector<QString>{"Save Record?", "Save Record?", "Save Record?",
                                              "Cannot Save Record [21] Quillaran.txt",
                                              "Save Record?"}));
}

// A window left open on p0.png would otherwise act on the p0.png of the new folder.
TEST_F(MainFrame, AnotherFolderClosesTheOldPicturesWindowsAndStartsAtTheTop) {
  Start(0, MakeAlbum(2));
  fs::create_directory(temp / "other");
  fs::copy_file(temp / "album" / "p1.png", temp / "other" / "p0.png");
  MousePress(SketchCentre(0));
  MouseRelease(SketchCentre(0));
  Trigger(ID_SHOW_FULL_SIZE);
  ASSERT_TRUE(app->Ui().FindPictureWindow("p0.png"));
  View().verticalScrollBar()->setValue(100);
  AnswerMessage("&No");
  ASSERT_TRUE(Frame().OpenDirectoryPath((temp / "other").string()));
  WaitForLoad();
  EXPECT_FALSE(app->Ui().FindPictureWindow("p0.png"));
  EXPECT_EQ(Album().PictureWindow(), nullptr);
  EXPECT_EQ(View().verticalScrollBar()->value(), 0);
}

TEST_F(MainFrame, ExitWithoutChangesAsksNothing) {
  Start(0, MakeAlbum(1));
  Frame().close();
  QApplication::processEvents();
  EXPECT_TRUE(modalTexts.empty());
  EXPECT_FALSE(fs::exists(temp / "album" / "Quillaran.txt"));
}

// A narrow window leaves the message pane room for a prompt; a wide one shows the panes whole.
TEST_F(MainFrame, StatusPanesShrinkOnlyInANarrowWindow) {
  Start(0);
  const auto panesWidth = [this] {
    int total = 0;
    for (int slot = 0; slot < 4; ++slot) {
      total += Frame().Panes().Pane(slot)->width();
    }
    return total;
  };
  Frame().resize(2400, 640);
  QApplication::processEvents();
  const int natural = panesWidth();
  EXPECT_LT(natural, Frame().statusBar()->width() / 2);
  Frame().resize(700, 640);
  QApplication::processEvents();
  EXPECT_LE(panesWidth(), Frame().statusBar()->width() * 6 / 10);
  Frame().resize(2400, 640);
  QApplication::processEvents();
  EXPECT_EQ(panesWidth(), natural);
}

TEST_F(MainFrame, RemembersItsSizeBetweenRuns) {
  Start(0);
  Frame().resize(700, 500);  // within the offscreen screen
  Frame().close();
  app.reset();
  app = std::make_unique<CTessalyApp>();
  app->Start();
  EXPECT_EQ(Frame().size(), QSize(700, 500));
}

}  // namespace

namespace {

// The title names the album and stars its unsaved changes; Ctrl+Z and Ctrl+Shift+Z undo and
// redo a drag, and their menu items say what they would undo or make again.
TEST_F(MainFrame, TitleAndUndoFollowTheAlbum) {
  Start(0);
  EXPECT_EQ(Frame().windowTitle(), "Quillaran");
  EXPECT_FALSE(Action(ID_EDIT_UNDO).isEnabled());
  ASSERT_TRUE(Frame().OpenDirectoryPath(MakeAlbum(3)));
  WaitForLoad();
  EXPECT_EQ(Frame().windowTitle(), "album - Quillaran");
  EXPECT_EQ(Action(ID_EDIT_UNDO).shortcut(), QKeySequence("Ctrl+Z"));
  EXPECT_EQ(Action(ID_EDIT_REDO).shortcut(), QKeySequence("Ctrl+Shift+Z"));

  MousePress(SketchCentre(0));
  MouseMove(SketchCentre(2), true);
  MouseRelease(SketchCentre(2));
  EXPECT_EQ(DisplayedIndexes(Album()), (std::vector<int>{1, 2, 0}));
  EXPECT_EQ(Frame().windowTitle(), "album* - Quillaran");
  EXPECT_EQ(Action(ID_EDIT_UNDO).text(), "&Undo Move");
  Trigger(ID_SAVE_RECORD);
  EXPECT_EQ(Frame().windowTitle(), "album - Quillaran");

  Trigger(ID_EDIT_UNDO);
  EXPECT_EQ(DisplayedIndexes(Album()), (std::vector<int>{0, 1, 2}));
  EXPECT_EQ(Frame().windowTitle(), "album* - Quillaran");
  EXPECT_FALSE(Action(ID_EDIT_UNDO).isEnabled());
  EXPECT_EQ(Action(ID_EDIT_REDO).text(), "&Redo Move");
  Trigger(ID_EDIT_REDO);
  EXPECT_EQ(DisplayedIndexes(Album()), (std::vector<int>{1, 2, 0}));
}

}  // namespace
