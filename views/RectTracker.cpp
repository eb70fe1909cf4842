#include "views/RectTracker.h"

#include <QBrush>
#include <QPainter>

#include "views/ImageConversion.h"

namespace {

// Black diagonal lines four pixels apart on white, the border of a selected rectangle.
QBrush HatchBrush() {
  QImage pattern(8, 8, QImage::Format_RGB32);
  for (int y = 0; y < 8; ++y) {
    for (int x = 0; x < 8; ++x) {
      pattern.setPixel(x, y, (x + y) % 4 == 0 ? qRgb(0, 0, 0) : qRgb(255, 255, 255));
    }
  }
  return QBrush(pattern);
}

}  // namespace

int CRectTracker::HitTest(QPoint point) const {
  return tracker::HitTest(rect_, point.x(), point.y(), handleSize_);
}

bool CRectTracker::BeginTrack(QPoint press) {
  const int hit = HitTest(press);
  if (hit == tracker::kNothing) {
    return false;
  }
  rect_ = tracker::Normalized(rect_);
  hit_ = hit;
  press_ = press;
  start_ = rect_;
  moved_ = false;
  return true;
}

void CRectTracker::BeginRubberBand(QPoint press) {
  rect_ = {press.x(), press.y(), press.x(), press.y()};
  hit_ = tracker::kBottomRight;
  press_ = press;
  start_ = rect_;
  moved_ = false;
}

void CRectTracker::TrackTo(QPoint point) {
  if (!IsTracking()) {
    return;
  }
  rect_ = tracker::Drag(start_, hit_, point.x() - press_.x(), point.y() - press_.y());
  moved_ = true;
}

void CRectTracker::EndTrack(QPoint release) {
  if (moved_) {
    TrackTo(release);
  } else {
    rect_ = start_;
  }
  hit_ = tracker::kNothing;
}

void CRectTracker::Draw(QPainter& painter) const {
  const Rect own = tracker::Normalized(rect_);
  const Rect outer = TrueRect();
  static const QBrush hatch = HatchBrush();
  // The four bands between the rectangle and the true rectangle.
  painter.fillRect(QRect(outer.left, outer.top, outer.Width(), own.top - outer.top), hatch);
  painter.fillRect(QRect(outer.left, own.bottom, outer.Width(), outer.bottom - own.bottom), hatch);
  painter.fillRect(QRect(outer.left, own.top, own.left - outer.left, own.Height()), hatch);
  painter.fillRect(QRect(own.right, own.top, outer.right - own.right, own.Height()), hatch);
  const unsigned mask = tracker::HandleMask(rect_, handleSize_);
  for (int handle = tracker::kTopLeft; handle <= tracker::kLeft; ++handle) {
    if ((mask & (1u << handle)) != 0) {
      // Black in a white edge, so that a handle shows on dark pictures and on light ones.
      const QRect box = ToQRect(tracker::HandleRect(rect_, handle, handleSize_));
      painter.fillRect(box.adjusted(-1, -1, 1, 1), Qt::white);
      painter.fillRect(box, Qt::black);
    }
  }
}
