#include <QLabel>
#include <QScrollBar>
#include <QTest>
#include <filesystem>

#include "shell/StatusPanes.h"
#include "tests/gui/GuiFixture.h"
#include "tests/support/HeldLoad.h"
#include "views/PictureWindow.h"
#include "views/TessalyView.h"

namespace fs = std::filesystem;

namespace {

using Loading = GuiFixture;

// The window while a directory loads: the sheet is laid out for every picture at once and
// fills in as they arrive, the status pane counts them, the user scrolls, resizes, selects and
// looks at a picture, what would change the album waits, and Escape stops the load with the
// pictures read so far.
TEST_F(Loading, TheSheetFillsInWhileTheWindowAnswersAndEscapeStops) {
  Start(0);
  const std::string dir = MakeAlbum(40);
  const std::string first = ReadFileBytes(fs::path(dir) / "p0.png");
  HeldLoad held(Album(), 10);
  AnswerMessage("&No");  // the limit question: load all forty
  ASSERT_EQ(Album().Loader().BeginOpenDirectory(dir + "/", held.How()), 1);
  held.WaitUntilRead(10);
  ASSERT_TRUE(QTest::qWaitFor([this] { return Album().Pictures().Count() == 10; }, 10000));
  EXPECT_TRUE(Album().Loader().IsLoading());
  EXPECT_EQ(Album().Sheet().Layout().count, 40);
  EXPECT_EQ(Album().Sheet().WaitingCells().size(), 30u);
  EXPECT_EQ(Frame().Panes().Pane(2)->text(), "10 Images read");
  QScrollBar* bar = View().verticalScrollBar();
  EXPECT_EQ(bar->maximum(), Album().Sheet().Height() - View().viewport()->height());
  bar->setValue(bar->maximum());
  EXPECT_EQ(bar->value(), bar->maximum());

  // A sketch that has arrived, and a cell that waits for its picture.
  const QImage shown = View().viewport()->grab().toImage();
  const Rect waiting = Album().Sheet().Layout().SketchRect(Album().Sheet().WaitingCells().back());
  EXPECT_EQ(shown.pixelColor(waiting.left + 60, waiting.bottom - 60 - bar->value()),
            QColor(232, 232, 232));
  Frame().resize(600, 500);
  QApplication::processEvents();
  EXPECT_EQ(Album().Sheet().Layout().width, View().viewport()->width());

  MousePress(SketchCentre(0));
  MouseRelease(SketchCentre(0));
  EXPECT_EQ(Album().Pictures().Selection(), Album().Pictures().EntryAtPosition(0).index);
  EXPECT_TRUE(Action(ID_SHOW_FULL_SIZE).isEnabled());
  for (const int id : {ID_SAVE_RECORD, ID_CREATE_WEB_PAGE, ID_OPTIONS, ID_OP_ROTATE_RIGHT}) {
    EXPECT_FALSE(Action(id).isEnabled()) << id;
  }
  Trigger(ID_SHOW_FULL_SIZE);
  ASSERT_NE(Album().PictureWindow(), nullptr);
  CPictureWindow* window = dynamic_cast<CPictureWindowHandle&>(*Album().PictureWindow()).Window();
  AnswerMessage("OK");
  KeyOn(window, 'R');
  ASSERT_EQ(modalTexts.size(), 2u);  // after the limit question
  EXPECT_TRUE(modalTexts[1].startsWith("Quillaran is still reading the pictures of this folder."));
  EXPECT_EQ(ReadFileBytes(fs::path(dir) / "p0.png"), first);

  held.LetGo();
  QTest::keyClick(&View(), Qt::Key_Escape);
  EXPECT_FALSE(Album().Loader().IsLoading());
  EXPECT_EQ(Album().Pictures().Count(), 10);
  EXPECT_TRUE(Album().Sheet().WaitingCells().empty());
  EXPECT_TRUE(Action(ID_SAVE_RECORD).isEnabled());
}

}  // namespace
