#include "views/ScreenFit.h"

#include <QApplication>
#include <QEvent>
#include <QScreen>
#include <QWidget>
#include <algorithm>
#include <cmath>

namespace {

// Before a window is first mapped the window manager has not framed it yet; its frame is
// then taken to be as large as that of a window that shows, or as this, in device pixels.
const QMargins kUsualFrame(6, 36, 6, 6);

QMargins FrameOf(const QWidget* window) {
  const QRect outer = window->frameGeometry();
  const QRect inner = window->geometry();
  return {inner.left() - outer.left(), inner.top() - outer.top(), outer.right() - inner.right(),
          outer.bottom() - inner.bottom()};
}

QMargins ExpectedFrame(const QWidget* window, qreal ratio) {
  const QMargins own = FrameOf(window);
  if (!own.isNull()) {
    return own;
  }
  for (const QWidget* other : QApplication::topLevelWidgets()) {
    if (other != window && other->isVisible() && !FrameOf(other).isNull() &&
        other->windowType() == Qt::Window) {
      return FrameOf(other);
    }
  }
  const auto logical = [ratio](int pixels) { return static_cast<int>(std::ceil(pixels / ratio)); };
  return {logical(kUsualFrame.left()), logical(kUsualFrame.top()), logical(kUsualFrame.right()),
          logical(kUsualFrame.bottom())};
}

bool IsFitted(const QWidget* widget) {
  if (!widget->isWindow()) {
    return false;
  }
  const Qt::WindowType type = widget->windowType();
  return type == Qt::Window || type == Qt::Dialog || type == Qt::Sheet;
}

// Sees every window of the application just before it shows.
class CScreenFitter : public QObject {
 public:
  using QObject::QObject;
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Show && watched->isWidgetType()) {
      auto* widget = static_cast<QWidget*>(watched);
      if (IsFitted(widget)) {
        FitToScreen(widget);
      }
    }
    return false;
  }
};

}  // namespace

QRect FitOnScreen(const QRect& wanted, const QMargins& frame, const QRect& available,
                  const QSize& minimum) {
  const QRect inside = available.marginsRemoved(frame);
  const QSize size(std::max(std::min(wanted.width(), inside.width()), minimum.width()),
                   std::max(std::min(wanted.height(), inside.height()), minimum.height()));
  // Moved in from the right and the bottom first, so that a window too big for the screen
  // even at its minimum keeps its title bar and its left edge on the screen.
  const int x = std::max(std::min(wanted.x(), inside.right() + 1 - size.width()), inside.left());
  const int y = std::max(std::min(wanted.y(), inside.bottom() + 1 - size.height()), inside.top());
  return {QPoint(x, y), size};
}

void FitToScreen(QWidget* window) {
  const QRect wanted = window->geometry();
  QScreen* screen = QGuiApplication::screenAt(wanted.center());
  if (screen == nullptr) {
    screen = window->screen();
  }
  if (screen == nullptr) {
    return;
  }
  const QRect fitted = FitOnScreen(wanted, ExpectedFrame(window, screen->devicePixelRatio()),
                                   screen->availableGeometry(), window->minimumSize());
  // A window that no one placed is left to the window manager, which places it on the screen.
  if (window->testAttribute(Qt::WA_Moved)) {
    if (fitted != wanted) {
      window->setGeometry(fitted);
    }
  } else if (fitted.size() != wanted.size()) {
    window->resize(fitted.size());
  }
}

void FitEveryWindowAsItShows() {
  static CScreenFitter* fitter = nullptr;
  if (fitter == nullptr) {
    fitter = new CScreenFitter(QApplication::instance());
    QApplication::instance()->installEventFilter(fitter);
  }
}
