#include <QApplication>
#include <QDir>
#include <QImage>
#include <QMouseEvent>
#include <QStandardPaths>
#include <QWheelEvent>
#include <filesystem>

#include "tests/gui/GuiFixture.h"
#include "tests/support/FakePlatformUi.h"
#include "tests/support/TempDir.h"
#include "tests/support/TestPictures.h"
#include "views/PictureWindow.h"

namespace fs = std::filesystem;

namespace {

CImageWrap White(int width, int height) {
  return MakePicture24(width, height, [](int, int) { return Rgb{255, 255, 255}; });
}

class PictureWindow : public GuiFixture {
 protected:
  void TearDown() override {
    handle.reset();
    GuiFixture::TearDown();
  }

  // A window on the picture as the album opens one, on a screen of this many device pixels.
  CPictureWindow& Open(const CImageWrap& picture, int strategy = 0, QSize screen = {1024, 768},
                       qreal ratio = 1) {
    if (app == nullptr) {
      Start(0);
    }
    Album().Record().ChangeSettings(
        [&](CAlbumSettings& s) { s.AdvancedSettings.AutoCropStrategy = strategy; });
    auto* window = new CPictureWindow(Album(), PictureScreen{screen, ratio, {}, nullptr});
    handle = std::make_unique<CPictureWindowHandle>(window);
    window->ShowPicture("pic.png", QPoint(0, 0), picture);
    return *window;
  }

  // The full size window of the sketch at this position, opened from the sheet.
  CPictureWindow& OpenFromSheet(int position) {
    MousePress(SketchCentre(position));
    MouseRelease(SketchCentre(position));
    Trigger(ID_SHOW_FULL_SIZE);
    return *dynamic_cast<CPictureWindowHandle&>(*Album().PictureWindow()).Window();
  }

  // Draws by hand the rectangle that the window then holds.
  void DrawRect(CPictureWindow& window, const Rect& r) {
    DragOn(&window, QPoint(r.left + 3, r.top + 3), QPoint(r.right - 3, r.bottom - 3));
  }

  std::unique_ptr<CPictureWindowHandle> handle;
};

TEST_F(PictureWindow, ReducesByAWholeFactorToFitTheScreenInDevicePixels) {
  struct Case {
    QSize picture, screen;
    qreal ratio;
    int factor;
    QSize client;
  };
  const Case cases[] = {
      {{600, 400}, {1024, 768}, 1, 1, {600, 400}},
      {{3000, 2000}, {1024, 768}, 1, 4, {750, 500}},
      {{972, 400}, {1024, 768}, 1, 2, {486, 200}},     // exactly 95 percent wide
      {{1500, 1000}, {2048, 1536}, 2, 1, {750, 500}},  // a high-density screen
  };
  for (const Case& c : cases) {
    CPictureWindow& window =
        Open(White(c.picture.width(), c.picture.height()), 0, c.screen, c.ratio);
    EXPECT_EQ(window.ScaleFactor(), c.factor) << c.picture.width();
    EXPECT_EQ(window.size(), c.client) << c.picture.width();
    // The factor note is dark writing in the bottom-right corner of the white picture.
    const QImage shown = window.grab().toImage();
    bool note = false;
    for (int y = shown.height() - 20; y < shown.height(); ++y) {
      for (int x = shown.width() - 20; x < shown.width(); ++x) {
        note = note || qGray(shown.pixel(x, y)) < 128;
      }
    }
    EXPECT_EQ(note, c.factor > 1) << c.picture.width();
  }
}

TEST_F(PictureWindow, TakesATrueRectangleOver20PixelsWithAnEvenWidth) {
  CPictureWindow& window = Open(White(200, 200));
  DragOn(&window, {10, 10}, {25, 25});  // true rectangle 21 x 21
  EXPECT_EQ(window.Rectangle(), (Rect{7, 7, 29, 28}));
  DragOn(&window, {25, 25}, {24, 44});  // the bottom-right handle: true rectangle 20 x 40
  EXPECT_EQ(window.Rectangle(), (Rect{7, 7, 29, 28}));
}

TEST_F(PictureWindow, ARefusedResizeLeavesTheFrameOnTheKeptRectangle) {
  CPictureWindow& window = Open(White(300, 300));
  DrawRect(window, Rect{100, 100, 200, 200});
  const Rect kept = window.Rectangle();
  ASSERT_EQ(window.Tracker().TrueRect(), kept);
  // The bottom-right handle pulled in until 10 x 10 pixels are left: too small to take.
  const Rect own = window.Tracker().OwnRect();
  const Rect handle = tracker::HandleRect(own, tracker::kBottomRight, tracker::kHandleSize);
  DragOn(&window, QPoint(handle.left + 1, handle.top + 1), QPoint(own.left + 10, own.top + 10));
  EXPECT_EQ(window.Rectangle(), kept);
  EXPECT_EQ(window.Tracker().TrueRect(), kept);
}

TEST_F(PictureWindow, ATinyPictureOpensAWindowWideEnoughForItsTitle) {
  const CPictureWindow& window = Open(White(1, 1));
  EXPECT_GE(window.width(), window.fontMetrics().horizontalAdvance("pic.png") + 100);
  EXPECT_GE(window.height(), 40);
}

TEST_F(PictureWindow, QueryAnswersInPicturePixelsAfterTrimmingAnOddWidth) {
  CPictureWindow& window = Open(White(1200, 800));  // shown at 600 x 400, factor 2
  Rect answer{1, 2, 3, 4};
  EXPECT_EQ(window.QueryRect(answer), -1);
  EXPECT_EQ(answer, (Rect{1, 2, 3, 4}));
  DrawRect(window, Rect{100, 100, 160, 252});
  KeyOn(&window, 'q');
  ASSERT_EQ(window.Rectangle(), (Rect{80, 100, 181, 252}));  // 101 wide
  EXPECT_EQ(window.QueryRect(answer), 0);
  EXPECT_EQ(answer, (Rect{160, 200, 360, 504}));
  EXPECT_EQ(window.Rectangle().Width(), 100);
}

TEST_F(PictureWindow, QAndShiftQFitTheRectangleToThePicture) {
  const std::pair<char, Rect> cases[] = {{'q', Rect{84, 100, 217, 300}},   // enlarged
                                         {'Q', Rect{93, 113, 208, 286}}};  // area kept
  for (const auto& [key, fitted] : cases) {
    CPictureWindow& window = Open(White(600, 400));
    KeyOn(&window, key);
    EXPECT_TRUE(window.Rectangle().IsEmpty());
    DrawRect(window, Rect{100, 100, 200, 300});
    KeyOn(&window, key);
    EXPECT_EQ(window.Rectangle(), fitted) << key;
  }
}

TEST_F(PictureWindow, UAndVRemoveTheRectangleAndVProposesANewOne) {
  struct Case {
    char key;
    int strategy;
    Rect after;
  };
  // A uniform picture: every region is as busy as the next, so the busiest regions are all.
  const Case cases[] = {{'u', 2, Rect{}}, {'v', 0, Rect{}}, {'v', 2, Rect{0, 0, 576, 384}}};
  for (const Case& c : cases) {
    CPictureWindow& window = Open(White(600, 400));
    DrawRect(window, Rect{100, 100, 200, 300});
    Album().Record().ChangeSettings(
        [&](CAlbumSettings& s) { s.AdvancedSettings.AutoCropStrategy = c.strategy; });
    KeyOn(&window, c.key);
    EXPECT_EQ(window.Rectangle(), c.after) << c.key << c.strategy;
  }
}

TEST_F(PictureWindow, DOpensTheDiagnosticViewUntilTheNextPicture) {
  CPictureWindow& window = Open(White(600, 400), 2);
  EXPECT_EQ(window.AutoCropOutcome(), 2);
  KeyOn(&window, 'd');
  ASSERT_NE(Album().DiagnosticWindow(), nullptr);
  const CPictureWindow* view =
      dynamic_cast<CPictureWindowHandle&>(*Album().DiagnosticWindow()).Window();
  EXPECT_EQ(view->Title().rfind("debug", 0), 0u);
  EXPECT_EQ(view->size(), QSize(600, 400));
  EXPECT_TRUE(view->isVisible());
  Open(White(600, 400));
  EXPECT_EQ(Album().DiagnosticWindow(), nullptr);
}

TEST_F(PictureWindow, CropForThumbFromTheWindowSetsTheThumbAndTheRecord) {
  Start(0, MakeAlbum(2));
  CPictureWindow& window = OpenFromSheet(0);
  DrawRect(window, Rect{2, 2, 38, 33});
  AnswerMessage("OK");
  KeyOn(&window, 'T');
  EXPECT_EQ(modalTexts, std::vector<QString>{"Area for Thumbsketch redefined"});
  EXPECT_EQ(Album().Pictures().EntryAt(0).thumbRect, (Rect{2, 2, 38, 33}));
  EXPECT_EQ(Album().Pictures().EntryAt(0).thumb.Width(), 36);
  Trigger(ID_SAVE_RECORD);
  EXPECT_NE(ReadFileBytes(temp / "album" / "Quillaran.txt").find("\t0\t2 2 38 33\n"),
            std::string::npos);
}

// The rectangle was drawn on what the window shows: a file replaced since gives no thumb area.
TEST_F(PictureWindow, CropForThumbRefusesAFileChangedSinceTheWindowShowedIt) {
  Start(0, MakeAlbum(2));
  CPictureWindow& window = OpenFromSheet(0);
  DrawRect(window, Rect{2, 2, 38, 33});
  const fs::path original = temp / "album" / "p0.png";
  ASSERT_EQ(MakePicture24(60, 40, GradientColour).Save(original.string()), 0u);
  const Rect before = Album().Pictures().EntryAt(0).thumbRect;
  AnswerMessage("OK");
  KeyOn(&window, 'T');
  ASSERT_EQ(modalTexts.size(), 1u);
  EXPECT_TRUE(modalTexts[0].startsWith(QString::fromStdString(original.string()) +
                                       "\nhas been changed or removed"))
      << modalTexts[0].toStdString();
  EXPECT_EQ(Album().Pictures().EntryAt(0).thumbRect, before);
}

TEST_F(PictureWindow, CropOriginalWritesTheCroppedCopyAndShowsIt) {
  Start(0, MakeAlbum(1));
  const fs::path original = temp / "album" / "p0.png";
  const std::string before = ReadFileBytes(original);
  CPictureWindow& window = OpenFromSheet(0);
  DrawRect(window, Rect{2, 2, 38, 33});
  KeyOn(&window, 'O');
  FakePlatformUi quiet;
  CImageWrap copy;
  ASSERT_EQ(copy.Load((temp / "album" / "Cropped" / "p0.png").string(), quiet), 1);
  EXPECT_EQ(copy.Width(), 36);
  EXPECT_EQ(copy.Height(), 31);
  EXPECT_EQ(PixelAt(copy, 0, 0), (Rgb{0, 8, 12}));  // the picture's pixel (2, 2)
  EXPECT_EQ(ReadFileBytes(original), before);
  // The window opened again on the cropped picture, without a rectangle.
  CPictureWindow* again = dynamic_cast<CPictureWindowHandle&>(*Album().PictureWindow()).Window();
  EXPECT_EQ(again->Title(), "p0.png");
  EXPECT_EQ(again->grab().toImage().pixel(0, 0), qRgb(0, 8, 12));
  EXPECT_TRUE(again->Rectangle().IsEmpty());
}

// With another picture selected on the sheet, the window's keys still act on its own picture,
// which becomes the selected one again.
TEST_F(PictureWindow, KeysActOnThePictureTheWindowShows) {
  Start(0, MakeAlbum(2));
  const fs::path other = temp / "album" / "p1.png";
  const std::string before = ReadFileBytes(other);
  CPictureWindow& window = OpenFromSheet(0);
  MousePress(SketchCentre(1));
  MouseRelease(SketchCentre(1));
  for (char key : {'T', 'O'}) {
    AnswerMessage("OK");
    KeyOn(&window, key);
  }
  EXPECT_EQ(modalTexts, (std::vector<QString>{"Could not redefine Thumbsketch area\nNo rectangle?",
                                              "Cannot redefine picture\nNo rectangle?"}));
  EXPECT_EQ(Album().Pictures().Selection(), 0);
  MousePress(SketchCentre(1));
  MouseRelease(SketchCentre(1));
  KeyOn(&window, 'R');
  EXPECT_EQ(Album().Pictures().Selection(), 0);
  EXPECT_EQ(Album().Pictures().EntryAt(0).pictureWidth, 40);
  EXPECT_EQ(ReadFileBytes(other), before);
}

// The main window's Undo offers a turn made from the picture window at once, not only after
// something repaints.
TEST_F(PictureWindow, UndoIsOfferedAtOnceAfterATurnFromTheWindow) {
  Start(0, MakeAlbum(1));
  KeyOn(&OpenFromSheet(0), 'R');
  EXPECT_TRUE(Action(ID_EDIT_UNDO).isEnabled());
  EXPECT_EQ(Action(ID_EDIT_UNDO).text(), "&Undo Rotate Right");
}

// Key 1 shows a reduced picture at 100 % with the rectangle on the same picture pixels, and
// T and O take the same area either way; one drawn at 100 % comes back exactly from 0.
TEST_F(PictureWindow, KeysOneAndZeroKeepTheRectangleOnThePicturesPixels) {
  CPictureWindow& window = Open(White(1200, 800));  // shown at 600 x 400, factor 2
  DrawRect(window, Rect{400, 250, 500, 350});
  KeyOn(&window, '1');
  EXPECT_EQ(window.ScaleFactor(), 1);
  EXPECT_EQ(window.Rectangle(), (Rect{800, 500, 1000, 700}));
  Rect taken;
  ASSERT_EQ(window.QueryRect(taken), 0);
  EXPECT_EQ(taken, (Rect{800, 500, 1000, 700}));
  // The view opens on the rectangle.
  const QPoint offset = window.ScrollOffset();
  EXPECT_GT(offset.x(), 500);
  EXPECT_GT(offset.y(), 300);

  // A rectangle from an odd picture column, which the reduced picture cannot show exactly.
  const int left = 51 - offset.x() % 2;
  KeyOn(&window, 'u');
  DrawRect(window, Rect{left, 40, left + 100, 140});
  const Rect drawn{left + offset.x(), 40 + offset.y(), left + 100 + offset.x(), 140 + offset.y()};
  ASSERT_EQ(window.Rectangle(), drawn);
  KeyOn(&window, '0');
  EXPECT_EQ(window.ScaleFactor(), 2);
  EXPECT_EQ(window.Rectangle(), tracker::ReducedRect(drawn, 2));
  ASSERT_EQ(window.QueryRect(taken), 0);
  EXPECT_EQ(taken, drawn);
  KeyOn(&window, '1');
  EXPECT_EQ(window.Rectangle(), drawn);
  // It shows where it lies on the scrolled picture, in the cyan pen of one drawn by hand.
  const QPoint edge = QPoint(drawn.left, drawn.top + 50) - window.ScrollOffset();
  EXPECT_EQ(window.grab().toImage().pixel(edge), qRgb(0, 255, 255));
}

// Z at 100 % writes the whole picture as drawn: a picture too large for the memory budget is
// refused with a message, and nothing is written.
TEST_F(PictureWindow, ZAtFullScaleStaysWithinTheMemoryBudget) {
  CPictureWindow& window = Open(White(1200, 800));
  KeyOn(&window, '1');
  Album().SetPictureMemoryBudget(4 << 20);
  AnswerMessage("OK");
  KeyOn(&window, 'z');
  ASSERT_EQ(modalTexts.size(), 1u);
  EXPECT_NE(modalTexts[0].indexOf(" needs 7 MB to be saved, more than the 4 MB"), -1)
      << modalTexts[0].toStdString();
  const QString folder = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
  EXPECT_FALSE(fs::exists(QDir(folder).filePath("ACpic.png").toStdString()));
}

TEST_F(PictureWindow, AtFullScaleTheWheelAndTheMiddleButtonMoveThePicture) {
  CPictureWindow& window = Open(White(1200, 800));
  KeyOn(&window, '1');
  const QPoint start = window.ScrollOffset();
  QWheelEvent wheel(QPointF(100, 100), QPointF(100, 100), QPoint(), QPoint(0, -120), Qt::NoButton,
                    Qt::NoModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(&window, &wheel);
  EXPECT_EQ(window.ScrollOffset().x(), start.x());
  EXPECT_GT(window.ScrollOffset().y(), start.y());
  const QPoint afterWheel = window.ScrollOffset();
  const auto middle = [&window](QEvent::Type type, QPoint at, Qt::MouseButtons held) {
    QMouseEvent event(type, at, window.mapToGlobal(at), Qt::MiddleButton, held, Qt::NoModifier);
    QApplication::sendEvent(&window, &event);
  };
  middle(QEvent::MouseButtonPress, {300, 200}, Qt::MiddleButton);
  middle(QEvent::MouseMove, {250, 170}, Qt::MiddleButton);
  middle(QEvent::MouseButtonRelease, {250, 170}, Qt::NoButton);
  EXPECT_EQ(window.ScrollOffset(), afterWheel + QPoint(50, 30));
  EXPECT_TRUE(window.Rectangle().IsEmpty());
}

}  // namespace
