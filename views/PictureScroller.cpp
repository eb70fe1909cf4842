#include "views/PictureScroller.h"

#include <QMouseEvent>
#include <QScrollBar>
#include <QWheelEvent>
#include <QWidget>
#include <algorithm>
#include <cmath>

CPictureScroller::CPictureScroller(QWidget& window, qreal ratio)
    : window_(window),
      ratio_(ratio),
      horizontal_(new QScrollBar(Qt::Horizontal, &window)),
      vertical_(new QScrollBar(Qt::Vertical, &window)) {
  horizontal_->setObjectName("PictureHorizontalScroll");
  vertical_->setObjectName("PictureVerticalScroll");
  for (QScrollBar* bar : {horizontal_, vertical_}) {
    bar->hide();
    // The bars take no keys: the window's letters stay the window's.
    bar->setFocusPolicy(Qt::NoFocus);
    QObject::connect(bar, &QScrollBar::valueChanged, &window, [this] {
      offset_ = QPoint(horizontal_->value(), vertical_->value());
      window_.update();
    });
  }
}

QSize CPictureScroller::VisibleArea() const {
  return QSize(window_.width() - (vertical_->isVisibleTo(&window_) ? vertical_->width() : 0),
               window_.height() - (horizontal_->isVisibleTo(&window_) ? horizontal_->height() : 0));
}

void CPictureScroller::Fit(QSize image) {
  const int width = window_.width();
  const int height = window_.height();
  const int across = vertical_->sizeHint().width();
  const int down = horizontal_->sizeHint().height();
  // A bar for one direction takes room from the other.
  const auto needs = [&](int imageSide, int windowSide, bool otherBar, int room) {
    return imageSide > static_cast<int>((windowSide - (otherBar ? room : 0)) * ratio_);
  };
  bool wide = needs(image.width(), width, false, 0);
  const bool tall = needs(image.height(), height, wide, down);
  wide = needs(image.width(), width, tall, across);
  horizontal_->setVisible(wide);
  vertical_->setVisible(tall);
  horizontal_->setGeometry(0, height - down, width - (tall ? across : 0), down);
  vertical_->setGeometry(width - across, 0, across, height - (wide ? down : 0));
  const QSize visible = VisibleArea() * ratio_;
  horizontal_->setRange(0, wide ? image.width() - visible.width() : 0);
  vertical_->setRange(0, tall ? image.height() - visible.height() : 0);
  horizontal_->setPageStep(visible.width());
  vertical_->setPageStep(visible.height());
  horizontal_->setSingleStep(std::max(1, visible.width() / 10));
  vertical_->setSingleStep(std::max(1, visible.height() / 10));
  ScrollTo(offset_);
}

void CPictureScroller::ScrollTo(QPoint offset) {
  horizontal_->setValue(offset.x());  // the bars keep the offset within their ranges
  vertical_->setValue(offset.y());
  offset_ = QPoint(horizontal_->value(), vertical_->value());
  window_.update();
}

void CPictureScroller::Wheel(QWheelEvent* event) {
  // Shift, or a wheel that turns sideways, moves the picture across.
  const bool across = (event->modifiers() & Qt::ShiftModifier) != 0 ||
                      std::abs(event->angleDelta().x()) > std::abs(event->angleDelta().y());
  QScrollBar* bar = across ? horizontal_ : vertical_;
  const QPoint delta = event->angleDelta();
  const int steps = (across && delta.x() != 0 ? delta.x() : delta.y()) / 120;
  bar->setValue(bar->value() - steps * 3 * bar->singleStep());
  event->accept();
}

bool CPictureScroller::Pan(QMouseEvent* event) {
  if (event->type() == QEvent::MouseButtonPress && event->button() == Qt::MiddleButton) {
    panStart_ = event->position().toPoint();
    panOffset_ = offset_;
    window_.setCursor(Qt::ClosedHandCursor);
    return true;
  }
  if (!panStart_) {
    return false;
  }
  if (event->type() == QEvent::MouseButtonRelease && event->button() == Qt::MiddleButton) {
    panStart_.reset();
    window_.unsetCursor();
  } else if (event->type() == QEvent::MouseMove) {
    const QPointF moved = QPointF(event->position().toPoint() - *panStart_) * ratio_;
    ScrollTo(panOffset_ - moved.toPoint());
  }
  return true;
}
