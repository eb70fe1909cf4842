// The picture window at 100 %: a picture reduced to fit the screen shown at its own size in
// the same window, with scroll bars, moved by a drag with the middle button or the wheel. The
// rectangle goes with it onto the same pixels of the picture.

#include <QMouseEvent>
#include <QScrollBar>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>
#include <utility>

#include "album/PixDir.h"
#include "views/PictureWindow.h"

namespace {

// The middle of a rectangle, or of the area when there is none.
QPoint MiddleOf(const Rect& rect, const QRect& area) {
  return rect.IsEmpty() ? area.center()
                        : QPoint((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
}

}  // namespace

void CPictureWindow::CreateScrollBars() {
  horizontal_ = new QScrollBar(Qt::Horizontal, this);
  vertical_ = new QScrollBar(Qt::Vertical, this);
  horizontal_->setObjectName("PictureHorizontalScroll");
  vertical_->setObjectName("PictureVerticalScroll");
  for (QScrollBar* bar : {horizontal_, vertical_}) {
    bar->hide();
    // The bars take no keys: the window's letters stay the window's.
    bar->setFocusPolicy(Qt::NoFocus);
    connect(bar, &QScrollBar::valueChanged, this, [this] {
      offset_ = QPoint(horizontal_->value(), vertical_->value());
      update();
    });
  }
}

void CPictureWindow::ShowFullScale() {
  if (factor_ == 1 || diagnostic_) {
    return;
  }
  std::shared_ptr<const CImageWrap> whole = given_ ? given_ : album_.FullSizePicture(title_);
  if (whole == nullptr || !whole->HasBitmap()) {
    return;  // the album has said why
  }
  // Unchanged since it was shown reduced, the rectangle drawn at 100 % comes back exactly.
  const Rect rect = !wholeRect_.IsEmpty() && rect_ == reducedRect_
                        ? wholeRect_
                        : tracker::EnlargedRect(rect_, factor_);
  const QSize visible = VisibleArea() * screen_.ratio;
  const QPoint middle = MiddleOf(rect_, QRect(offset_, visible)) * factor_;
  ShowScaled(std::move(whole), 1, rect);
  ScrollTo(middle - QPoint(visible.width() / 2, visible.height() / 2));
}

void CPictureWindow::ShowFit() {
  if (factor_ == fitFactor_) {
    return;
  }
  wholeRect_ = rect_;
  reducedRect_ = tracker::ReducedRect(rect_, fitFactor_);
  ShowScaled(fitted_, fitFactor_, reducedRect_);  // the whole picture goes
  ScrollTo(QPoint());
}

void CPictureWindow::ShowScaled(std::shared_ptr<const CImageWrap> image, int factor,
                                const Rect& rect) {
  factor_ = factor;
  shown_ = std::move(image);
  rect_ = rect;
  tracker_ = NewTracker(rect_);
  UpdateScrollBars();
  update();
}

QSize CPictureWindow::VisibleArea() const {
  return QSize(width() - (vertical_->isVisibleTo(this) ? vertical_->width() : 0),
               height() - (horizontal_->isVisibleTo(this) ? horizontal_->height() : 0));
}

void CPictureWindow::UpdateScrollBars() {
  const QSize image = ShownSize();
  const int across = vertical_->sizeHint().width();
  const int down = horizontal_->sizeHint().height();
  // A bar for one direction takes room from the other.
  const auto needs = [&](int imageSide, int windowSide, bool otherBar, int room) {
    return imageSide > static_cast<int>((windowSide - (otherBar ? room : 0)) * screen_.ratio);
  };
  bool wide = needs(image.width(), width(), false, 0);
  const bool tall = needs(image.height(), height(), wide, down);
  wide = needs(image.width(), width(), tall, across);
  horizontal_->setVisible(wide);
  vertical_->setVisible(tall);
  horizontal_->setGeometry(0, height() - down, width() - (tall ? across : 0), down);
  vertical_->setGeometry(width() - across, 0, across, height() - (wide ? down : 0));
  const QSize visible = VisibleArea() * screen_.ratio;
  horizontal_->setRange(0, wide ? image.width() - visible.width() : 0);
  vertical_->setRange(0, tall ? image.height() - visible.height() : 0);
  horizontal_->setPageStep(visible.width());
  vertical_->setPageStep(visible.height());
  horizontal_->setSingleStep(std::max(1, visible.width() / 10));
  vertical_->setSingleStep(std::max(1, visible.height() / 10));
  ScrollTo(offset_);
}

void CPictureWindow::ScrollTo(QPoint offset) {
  horizontal_->setValue(offset.x());  // the bars keep the offset within their ranges
  vertical_->setValue(offset.y());
  offset_ = QPoint(horizontal_->value(), vertical_->value());
  update();
}

void CPictureWindow::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  UpdateScrollBars();
}

void CPictureWindow::wheelEvent(QWheelEvent* event) {
  // Shift, or a wheel that turns sideways, moves the picture across.
  const bool across = (event->modifiers() & Qt::ShiftModifier) != 0 ||
                      std::abs(event->angleDelta().x()) > std::abs(event->angleDelta().y());
  QScrollBar* bar = across ? horizontal_ : vertical_;
  const QPoint delta = event->angleDelta();
  const int steps = (across && delta.x() != 0 ? delta.x() : delta.y()) / 120;
  bar->setValue(bar->value() - steps * 3 * bar->singleStep());
  event->accept();
}

bool CPictureWindow::Pan(QMouseEvent* event) {
  if (event->type() == QEvent::MouseButtonPress && event->button() == Qt::MiddleButton) {
    panStart_ = event->position().toPoint();
    panOffset_ = offset_;
    setCursor(Qt::ClosedHandCursor);
    return true;
  }
  if (!panStart_) {
    return false;
  }
  if (event->type() == QEvent::MouseButtonRelease && event->button() == Qt::MiddleButton) {
    panStart_.reset();
    unsetCursor();
  } else if (event->type() == QEvent::MouseMove) {
    const QPointF moved = QPointF(event->position().toPoint() - *panStart_) * screen_.ratio;
    ScrollTo(panOffset_ - moved.toPoint());
  }
  return true;
}
