#include "app/QtPlatformUi.h"

#include <QApplication>
#include <QDesktopServices>
#include <QGuiApplication>
#include <QGridLayout>
#include <QSpacerItem>
#include <QMessageBox>
#include <QScreen>
#include <QUrl>
#include <cstdlib>

#include "shell/DialogCaption.h"
#include "shell/DialogWizard.h"
#include "shell/StatusPanes.h"
#include "views/PictureWindow.h"

namespace {

QMessageBox::Icon ToQtIcon(MsgIcon icon) {
  switch (icon) {
    case MsgIcon::Error:
    case MsgIcon::Stop:
      return QMessageBox::Critical;
    case MsgIcon::Question:
      return QMessageBox::Question;
    case MsgIcon::Information:
      return QMessageBox::Information;
    case MsgIcon::None:
      break;
  }
  return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons ToQtButtons(MsgButtons buttons) {
  switch (buttons) {
    case MsgButtons::YesNo:
      return QMessageBox::Yes | QMessageBox::No;
    case MsgButtons::YesNoCancel:
      return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case MsgButtons::Ok:
      break;
  }
  return QMessageBox::Ok;
}

MsgAnswer FromQtAnswer(int answer) {
  switch (answer) {
    case QMessageBox::Yes:
      return MsgAnswer::Yes;
    case QMessageBox::No:
      return MsgAnswer::No;
    case QMessageBox::Cancel:
      return MsgAnswer::Cancel;
    default:
      return MsgAnswer::Ok;
  }
}

// A message box wraps its text at half the screen; a text with its own line breaks is shown
// as written, so the box is made wide enough for its longest line.
void WidenForLines(QMessageBox& box, const std::string& text) {
  auto* layout = qobject_cast<QGridLayout*>(box.layout());
  if (layout == nullptr || text.find('\n') == std::string::npos) {
    return;
  }
  int widest = 0;
  for (const QString& line : QString::fromStdString(text).split('\n')) {
    widest = std::max(widest, box.fontMetrics().horizontalAdvance(line));
  }
  const int room = widest + box.iconPixmap().width() + 4 * layout->horizontalSpacing() + 40;
  layout->addItem(new QSpacerItem(room, 0, QSizePolicy::Minimum, QSizePolicy::Minimum),
                  layout->rowCount(), 0, 1, layout->columnCount());
}

}  // namespace

QWidget* CQtPlatformUi::DialogParent(WindowRef owner) const {
  auto* widget = static_cast<QWidget*>(const_cast<void*>(owner));
  if (widget != nullptr && widget->isVisible()) {
    return widget;
  }
  if (QWidget* active = QApplication::activeWindow()) {
    return active;
  }
  return mainWindow_;
}

MsgAnswer CQtPlatformUi::MessageBox(WindowRef owner, const std::string& text, MsgIcon icon,
                                    MsgButtons buttons) {
  QMessageBox box(ToQtIcon(icon), QApplication::applicationName(), QString::fromStdString(text),
                  ToQtButtons(buttons), DialogParent(owner));
  box.setObjectName("MessageBox");
  box.setTextFormat(Qt::PlainText);  // file names may hold "<" or "&"
  if (buttons == MsgButtons::YesNoCancel) {
    box.setEscapeButton(QMessageBox::Cancel);
  }
  WidenForLines(box, text);
  return FromQtAnswer(box.exec());
}

void CQtPlatformUi::Beep(BeepKind) { QApplication::beep(); }

void CQtPlatformUi::BeginWaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }

void CQtPlatformUi::EndWaitCursor() { QApplication::restoreOverrideCursor(); }

void CQtPlatformUi::SetStatusText(int slot, const std::string& text) {
  if (panes_ != nullptr) {
    panes_->SetText(slot, text);
  }
}

void CQtPlatformUi::SetStatusCount(int slot, const std::string& label, int number) {
  if (panes_ != nullptr) {
    panes_->SetCount(slot, label, number);
  }
}

void CQtPlatformUi::SetStatusProgress(int slot, const std::string& label, int done, int total) {
  if (panes_ != nullptr) {
    panes_->ShowNow(slot, label + " " + std::to_string(done) + "/" + std::to_string(total));
  }
}

ScreenSize CQtPlatformUi::GetScreenSize() {
  const QScreen* screen =
      mainWindow_ != nullptr ? mainWindow_->screen() : QGuiApplication::primaryScreen();
  if (screen == nullptr) {
    return {};
  }
  return {screen->geometry().width(), screen->geometry().height()};
}

bool CQtPlatformUi::OpenWithDefaultProgram(const std::string& pathOrAddress) {
  if (openHandler) {
    return openHandler(pathOrAddress);
  }
  const QString target = QString::fromStdString(pathOrAddress);
  const QUrl url = target.contains("://") ? QUrl(target) : QUrl::fromLocalFile(target);
  return QDesktopServices::openUrl(url);
}

int CQtPlatformUi::PictureWindowFactor(int width, int height) {
  return ReductionFactor(QSize(width, height), PictureScreen::Of(mainWindow_).resolution);
}

std::unique_ptr<CWindowObject> CQtPlatformUi::OpenPictureWindow(const std::string& title,
                                                                const CImageWrap& shown,
                                                                int factor) {
  if (album_ == nullptr) {
    return nullptr;
  }
  // The picture opens in the corner of the screen the main window is on.
  auto* window = new CPictureWindow(*album_, PictureScreen::Of(mainWindow_));
  window->ShowReduced(title, QPoint(0, 0), shown, factor);
  return std::make_unique<CPictureWindowHandle>(window);
}

CPictureWindow* CQtPlatformUi::FindWindow(const std::string& title) const {
  const QString wanted = QString::fromStdString(title);
  for (QWidget* widget : QApplication::topLevelWidgets()) {
    auto* window = qobject_cast<CPictureWindow*>(widget);
    if (window != nullptr && !window->IsDiagnostic() && window->isVisible() &&
        window->windowTitle() == wanted) {
      return window;
    }
  }
  return nullptr;
}

bool CQtPlatformUi::FindPictureWindow(const std::string& title) {
  return FindWindow(title) != nullptr;
}

void CQtPlatformUi::ClosePictureWindow(const std::string& title) {
  if (CPictureWindow* window = FindWindow(title)) {
    window->close();
  }
}

int CQtPlatformUi::QueryPictureRect(const std::string& title, Rect& rect) {
  CPictureWindow* window = FindWindow(title);
  return window != nullptr ? window->QueryRect(rect) : -1;
}

namespace {

// Runs a dialog filled from data; data takes the fields back only on OK.
template <class Dialog, class Data>
bool RunFilledDialog(QWidget* parent, Data& data) {
  Dialog dialog(parent);
  dialog.Fill(data);
  if (dialog.exec() != QDialog::Accepted) {
    return false;
  }
  data = dialog.Read();
  return true;
}

}  // namespace

bool CQtPlatformUi::RunCaptionDialog(CaptionDialogData& data) {
  return RunFilledDialog<CDialogCaption>(DialogParent(), data);
}

bool CQtPlatformUi::RunHintDialog(HintDialogData& data) {
  return RunFilledDialog<CDialogWizard>(DialogParent(), data);
}

void CQtPlatformUi::ExitProcess(int code) { std::exit(code); }
