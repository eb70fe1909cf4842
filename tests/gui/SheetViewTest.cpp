#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPainter>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <filesystem>

#include "shell/DialogCaption.h"
#include "shell/StatusPanes.h"
#include "tests/gui/GuiFixture.h"
#include "tests/support/FakePlatformUi.h"
#include "tests/support/TestAlbum.h"
#include "tests/support/TestPictures.h"
#include "views/SheetPainter.h"
#include "views/TessalyView.h"

namespace fs = std::filesystem;

namespace {

using SheetView = GuiFixture;

std::string Pane(SheetView& test, int slot) {
  return test.Frame().Panes().Pane(slot)->text().toStdString();
}

TEST_F(SheetView, LaysOutTheWorkedExampleAndPaintsEverySketchOfALargeAlbum) {
  Start(0);
  ASSERT_EQ(View().viewport()->width(), 1000);
  std::vector<std::string> names;
  for (int i = 0; i < 300; ++i) {
    names.push_back("p" + std::to_string(i) + ".jpg");
  }
  FillAlbum(Album(), names);
  for (int i = 0; i < 300; ++i) {
    CAlbumEntry& entry = Arrange(Album()).EntryAt(i);
    MakePicture24(90, 60, GradientColour).ScaleToFit(entry.thumb, 120);
  }
  View().Observer().Repaint();
  EXPECT_EQ(Album().Pictures().EntryAtPosition(0).sketchRect, (Rect{10, 34, 142, 166}));
  EXPECT_EQ(Album().Pictures().EntryAtPosition(0).captionRect, (Rect{10, 168, 142, 228}));
  EXPECT_EQ(Album().Pictures().EntryAtPosition(7).sketchRect.top, 242 - 6);
  // The sheet scrolls down to the last row, whatever the album's size.
  EXPECT_EQ(View().verticalScrollBar()->maximum(),
            Album().Sheet().Height() - View().viewport()->height());

  QImage sheet(1000, Album().Sheet().Height(), QImage::Format_RGB32);
  sheet.fill(Qt::white);
  QPainter painter(&sheet);
  EXPECT_EQ(PaintSheet(painter, Album(), sheet.rect(), View().Sketches()), 300);
  painter.end();
  const Rect last = Album().Pictures().EntryAtPosition(299).sketchRect;
  EXPECT_NE(sheet.pixel((last.left + last.right) / 2, (last.top + last.bottom) / 2),
            QColor(Qt::white).rgb());
  EXPECT_EQ(sheet.pixel(last.left + 1, last.top + 20), QColor(200, 200, 200).rgb());  // frame
}

// Made 150 pixels wide and wide again, the window warns once that not all sketches fit,
// though the scroll bar may come and go with the width; a box never opens over another.
TEST_F(SheetView, ANarrowWindowWarnsOnceAndNeverStacksItsBoxes) {
  const std::string dir = MakeAlbum(35);
  AnswerMessage("&No");  // the limit question: all 35
  Start(0, dir);
  ASSERT_EQ(Album().Pictures().Count(), 35);
  std::vector<QString> shown;
  QTimer closer;
  closer.setInterval(5);
  QObject::connect(&closer, &QTimer::timeout, [&shown] {
    if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
      shown.push_back(box->text());
      box->button(QMessageBox::Ok)->click();
    }
  });
  closer.start();
  Frame().resize(150, 700);
  QTest::qWait(400);
  EXPECT_LT(View().viewport()->width(), 142);  // not one sketch of 120 with gaps of 6 fits
  Frame().resize(1000, 700);
  QTest::qWait(400);
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_TRUE(shown[0].startsWith("Not All ThumbSketches Fit in the Window."));
  EXPECT_EQ(Album().Pictures().EntryAtPosition(34).sketchRect,
            Album().Sheet().Layout().SketchRect(34));
}

TEST_F(SheetView, HoverFillsTheStatusPanes) {
  Start(0, MakeAlbum(3));
  MouseMove(SketchCentre(1));
  EXPECT_EQ(Pane(*this, 0), "p1.png (1)  ");
  EXPECT_EQ(Pane(*this, 1), "(60x40)");
  EXPECT_EQ(Pane(*this, 2), "?");
  EXPECT_FALSE(Pane(*this, 3).empty());
  MouseMove(QPoint(990, 600));
  EXPECT_EQ(Pane(*this, 0), "album");
  EXPECT_EQ(Pane(*this, 1), "3 images");
  EXPECT_EQ(Pane(*this, 2), "");
}

TEST_F(SheetView, DragReordersDragOffCrossesOutClickRestores) {
  Start(0, MakeAlbum(4));
  MousePress(SketchCentre(0));
  EXPECT_EQ(Album().Pictures().Selection(), 0);
  MouseMove(SketchCentre(2), true);
  EXPECT_EQ(View().DragState(), 1);
  MouseRelease(SketchCentre(2));
  EXPECT_EQ(DisplayedIndexes(Album()), (std::vector<int>{1, 2, 0, 3}));
  EXPECT_EQ(View().DragState(), 0);

  const QPoint moved = SketchCentre(2);
  MousePress(moved);
  MouseMove(moved + QPoint(5, 5), true);
  MouseRelease(QPoint(900, 600));
  EXPECT_EQ(Album().Pictures().EntryAt(0).omitted, 1);
  EXPECT_EQ(Album().Pictures().Selection(), -1);
  MousePress(moved);
  MouseRelease(moved);
  EXPECT_EQ(Album().Pictures().EntryAt(0).omitted, 0);
  EXPECT_EQ(Album().Pictures().Selection(), 0);
}

TEST_F(SheetView, DragGivenUpOutsideTheSheetOrWithEscapeChangesNothing) {
  Start(0, MakeAlbum(4));
  MousePress(SketchCentre(0));
  MouseMove(SketchCentre(2), true);
  ASSERT_EQ(View().DragState(), 1);
  MouseRelease(QPoint(View().viewport()->width() + 40, 100));
  EXPECT_EQ(View().DragState(), 0);
  MousePress(SketchCentre(0));
  MouseMove(SketchCentre(2), true);
  QTest::keyClick(&View(), Qt::Key_Escape);
  EXPECT_EQ(View().DragState(), 0);
  MouseMove(SketchCentre(3), true);  // no new drag before the release
  EXPECT_EQ(View().DragState(), 0);
  MouseRelease(SketchCentre(3));
  EXPECT_EQ(DisplayedIndexes(Album()), (std::vector<int>{0, 1, 2, 3}));
  EXPECT_EQ(Album().Pictures().EntryAt(0).omitted, 0);
  EXPECT_EQ(Album().Pictures().Selection(), 0);
}

TEST_F(SheetView, ArrowKeysMoveTheSelectionInDisplayOrder) {
  Start(0, MakeAlbum(9));  // seven sketches to a row at this width
  const auto press = [this](Qt::Key key) { QTest::keyClick(View().viewport(), key); };
  press(Qt::Key_Right);
  EXPECT_EQ(Album().Pictures().Selection(), 0);  // nothing selected: the first picture
  press(Qt::Key_Down);
  EXPECT_EQ(Album().Pictures().Selection(), 7);
  press(Qt::Key_Down);  // no row below: stays
  press(Qt::Key_Right);
  EXPECT_EQ(Album().Pictures().Selection(), 8);
  press(Qt::Key_Up);
  EXPECT_EQ(Album().Pictures().Selection(), 1);
  press(Qt::Key_End);
  EXPECT_EQ(Album().Pictures().Selection(), 8);
  press(Qt::Key_Home);
  EXPECT_EQ(Album().Pictures().Selection(), 0);
  EXPECT_EQ(Album().Record().Dirty(), 1);
}

TEST_F(SheetView, CaptionFromTheDialogReachesTheSheetAndTheRecord) {
  Start(0, MakeAlbum(2));
  MousePress(SketchCentre(0));
  MouseRelease(SketchCentre(0));
  QString title;
  bool captionHasFocus = false;
  WhenModal([&](QWidget* modal) {
    title = modal->findChild<QLineEdit*>("TitleLine")->text();
    auto* caption = modal->findChild<QPlainTextEdit*>("Caption");
    captionHasFocus = modal->focusWidget() == caption;
    caption->setPlainText("Sunset over the lake");
    modal->findChild<QLineEdit*>("Date")->setText("July 2026");
    qobject_cast<QDialog*>(modal)->accept();
  });
  Trigger(ID_CAPTION);
  EXPECT_EQ(title, "For selected image p0.png (No. 1)");
  EXPECT_TRUE(captionHasFocus);
  MouseMove(SketchCentre(0));
  EXPECT_EQ(Pane(*this, 2), "Sunset over the lake");
  Trigger(ID_SAVE_RECORD);
  EXPECT_NE(ReadFileBytes(temp / "album" / "Quillaran.txt")
                .find("p0.png\tSunset over the lake\tJuly 2026\t0\n"),
            std::string::npos);
}

TEST_F(SheetView, CaptionDialogRefusesMoreThan128Characters) {
  Start(0);
  CDialogCaption dialog(&Frame());
  dialog.Fill(CaptionDialogData{std::string(129, 'a'), "", ""});
  WhenModal([&](QWidget* modal) { modal->close(); });
  dialog.accept();
  EXPECT_EQ(modalTexts, std::vector<QString>{"Please enter no more than 128 characters."});
  EXPECT_EQ(dialog.result(), 0);
  dialog.Fill(CaptionDialogData{std::string(128, 'a'), "", ""});
  dialog.accept();
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
}

// The record keeps a caption on one line, so the box takes none: Enter with Ctrl ends the
// dialog as Enter does, and pasted line breaks and tabs become blanks.
TEST_F(SheetView, CaptionBoxTakesNoLineBreak) {
  Start(0);
  CDialogCaption dialog(&Frame());
  dialog.Fill(CaptionDialogData{"Line one", "", ""});
  auto* caption = dialog.findChild<QPlainTextEdit*>("Caption");
  caption->moveCursor(QTextCursor::End);
  QTest::keyClick(caption, Qt::Key_Return, Qt::ControlModifier);
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_EQ(dialog.Read().caption, "Line one");
  QApplication::clipboard()->setText("Line one\nline two\tend");
  caption->selectAll();
  caption->paste();
  EXPECT_EQ(caption->toPlainText(), "Line one line two end");
}

TEST_F(SheetView, KeyRTurnsTheSelectedPictureClockwiseOnDisk) {
  Start(0, MakeAlbum(1));
  MousePress(SketchCentre(0));
  MouseRelease(SketchCentre(0));
  Frame().activateWindow();
  QApplication::setActiveWindow(&Frame());
  QTest::keyClick(&View(), Qt::Key_R);
  FakePlatformUi quiet;
  CImageWrap turned;
  ASSERT_EQ(turned.Load((temp / "album" / "p0.png").string(), quiet), 1);
  EXPECT_EQ(turned.Width(), 40);
  EXPECT_EQ(turned.Height(), 60);
  EXPECT_EQ(PixelAt(turned, 0, 0), (Rgb{0, 0, 39 * 6}));  // the bottom-left corner came up
  EXPECT_EQ(Album().Record().Dirty(), 1);
}

}  // namespace
