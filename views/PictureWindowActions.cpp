// What the picture window does on its keys and its "Operations" popup: the album's picture
// operations, the automatic crop and its diagnostic view, fitting and removing the
// rectangle, and the screen dump.

#include <QAction>
#include <QContextMenuEvent>
#include <QDir>
#include <QKeyEvent>
#include <QMenu>
#include <QPainter>
#include <QStandardPaths>

#include "album/PixDir.h"
#include "appcore/CommandTable.h"
#include "imaging/CropReport.h"
#include "views/CropDiagnostic.h"
#include "views/ImageConversion.h"
#include "views/PictureWindow.h"

namespace {

// The diagnostic view opens this far right of the screen's corner.
const QPoint kDiagnosticPosition(200, 0);

// Closes the picture window when the album crosses its picture out.
class ClosingWindow : public CWindowObject {
 public:
  explicit ClosingWindow(QWidget* window) : window_(window) {}
  void Close() override { window_->close(); }

 private:
  QWidget* window_;
};

}  // namespace

// The operations carry the letters that the main window's popup shows, as plain keys of this
// window.
void CPictureWindow::CreateOperations() {
  operations_ = new QMenu("Operations", this);
  operations_->setObjectName("PictureOperationsMenu");
  for (int id : kOperationsCommands) {
    const CommandRow* row = FindCommand(id);
    auto* action = new QAction(row->text, this);
    action->setObjectName(row->name);
    action->setShortcut(QKeySequence(row->shortcut));
    connect(action, &QAction::triggered, this, [this, id] { RunOperation(id); });
    addAction(action);
    operations_->addAction(action);
  }
  // Undo and redo reach the album from here as from the main window.
  for (int id : {ID_EDIT_UNDO, ID_EDIT_REDO}) {
    auto* action = new QAction(FindCommand(id)->text, this);
    action->setShortcut(QKeySequence(FindCommand(id)->shortcut));
    connect(action, &QAction::triggered, this, [this, id] {
      id == ID_EDIT_UNDO ? album_.Editor().Undo(this) : album_.Editor().Redo(this);
    });
    addAction(action);
  }
}

void CPictureWindow::contextMenuEvent(QContextMenuEvent* event) {
  operations_->exec(event->globalPos());
}

void CPictureWindow::RunOperation(int id) {
  if (!SelectShownPicture()) {
    return;
  }
  switch (id) {
    case ID_OP_CAPTION:
      album_.Editor().EditSelectedCaption();
      break;
    case ID_OP_CROP_THUMB:
      album_.Editor().CropForThumb(this);
      break;
    case ID_OP_CROP_ORIGINAL:
      album_.Editor().CropOriginal(this);
      break;
    case ID_OP_ROTATE_RIGHT:  // clockwise, as in the main window
      album_.Editor().RotatePicture(this, QuarterTurn::Right);
      break;
    case ID_OP_ROTATE_LEFT:
      album_.Editor().RotatePicture(this, QuarterTurn::Left);
      break;
    case ID_OP_OMIT: {
      ClosingWindow self(this);
      album_.Editor().MarkOmitted(&self);
      break;
    }
    default:
      break;
  }
}

// The album's operations act on its selected picture; from this window they act on the
// picture shown here, which becomes the selected one. With another picture selected on the
// sheet, a key pressed here would otherwise turn (and rewrite on disk) or cross out a picture
// the user is not looking at.
bool CPictureWindow::SelectShownPicture() {
  for (int i = 0; !diagnostic_ && i < album_.Pictures().Count(); ++i) {
    if (album_.Pictures().EntryAt(i).fileName == title_) {
      if (album_.Pictures().Selection() != i) {
        album_.Editor().Select(i);
        album_.RepaintSheet();
      }
      return true;
    }
  }
  album_.ShowNotice(this, title_ + " is not a picture of the album");
  return false;
}

void CPictureWindow::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape) {
    close();
    return;
  }
  // Characters typed with Ctrl, Alt or Meta are commands of their own, not these letters.
  const QString text = event->text();
  const auto commandKeys = Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier;
  if (text.size() == 1 && (event->modifiers() & commandKeys) == 0) {
    OnCharacter(text[0]);
  }
}

void CPictureWindow::OnCharacter(QChar character) {
  switch (character.unicode()) {
    case 'a':
      RunAutoCrop({});
      break;
    case 'b':
      RunAutoCrop({.fitAfter = true});
      break;
    case 'd':
      album_.Record().SetAutoCropDiagnostic(album_.Record().AutoCropDiagnostic() == 0 ? 1 : 0);
      RunAutoCrop({.fitAfter = lastRun_.fitAfter, .fitMode = lastRun_.fitMode});
      break;
    case 'e':
    case 's':
      tracker_ = NewTracker(rect_);
      break;
    case 'q':
      FitRectangle(AspectFit::Grow);
      break;
    case 'Q':
      FitRectangle(AspectFit::KeepArea);
      break;
    case 'u':
      rect_.SetEmpty();
      break;
    case 'v':
      rect_.SetEmpty();
      if (album_.Settings().AdvancedSettings.AutoCropStrategy > 0) {
        RunAutoCrop({.fit = true});
      }
      break;
    case 'z':
      SaveScreenDump();
      break;
    case '1':
      ShowFullScale();
      break;
    case '0':
      ShowFit();
      break;
    default:
      return;
  }
  update();
}

int CPictureWindow::RunAutoCrop(AutoCropRun run) {
  lastRun_ = run;
  const int diagnostic = album_.Record().AutoCropDiagnostic();
  CCropReport report;
  outcome_ = shown_->FindAutoCrop(rect_, album_.Settings().AdvancedSettings.AutoCropStrategy, run.fit ? 1 : 0,
                                 diagnostic, diagnostic != 0 ? &report : nullptr);
  if (diagnostic != 0 && report.blockRows > 0) {
    ShowDiagnostic(report);
  }
  if (outcome_ <= 0) {
    album_.Ui().Beep(BeepKind::Simple);
    return 0;
  }
  if (run.fitAfter && !run.fit) {
    shown_->FitCropAspect(rect_, run.fitMode);
  }
  tracker_ = NewTracker(rect_);
  return 1;
}

void CPictureWindow::ShowDiagnostic(const CCropReport& report) {
  static int number = 0;
  auto* window = new CPictureWindow(album_, screen_);
  window->ShowImage("debug" + std::to_string(++number) + ".jpg", kDiagnosticPosition,
                    FromQImage(DrawCropDiagnostic(*shown_, report)));
  album_.KeepDiagnosticWindow(std::make_unique<CPictureWindowHandle>(window));
}

void CPictureWindow::FitRectangle(AspectFit fit) {
  if (!rect_.IsEmpty()) {
    shown_->FitCropAspect(rect_, fit);
  }
}

// The window's painting on a copy of the shown image, saved as "AC" and the title in the
// user's pictures folder.
void CPictureWindow::SaveScreenDump() {
  const QString folder = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
  const std::string path = QDir(folder).filePath("AC").toStdString() + title_;
  // The dump is held twice while it is made and written, at up to 4 bytes a pixel each: at
  // 100 % a large picture needs room in the budget for it.
  const int64_t pixels = int64_t{shown_->Width()} * shown_->Height();
  CBudgetShare share(album_.Decoder().Budget());
  if (!album_.Decoder().TakeFor(path, "to be saved", pixels * 8, share, album_.Ui())) {
    return;
  }
  QImage dump = ToQImage(*shown_).convertToFormat(QImage::Format_RGB32);
  {
    QPainter painter(&dump);
    Paint(painter, dump.size(), 1, QPoint());
  }
  const CImageWrap picture = FromQImage(dump);
  if (!QDir().mkpath(folder) || !picture.HasBitmap() || picture.Save(path) != 0) {
    album_.Ui().MessageBox(this, "Could not write " + path, MsgIcon::Error, MsgButtons::Ok);
    return;
  }
  album_.Ui().MessageBox(this, path, MsgIcon::None, MsgButtons::Ok);
}
