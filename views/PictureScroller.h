#pragma once
// The scrolling of a picture window whose image is larger than the window (100 %): the two
// scroll bars, the image pixel at the window's top-left corner, and the wheel and the drag
// with the middle button that move it. Image pixels are device pixels: ratio of them make one
// logical pixel of the window.

#include <QPoint>
#include <QSize>
#include <optional>

class QMouseEvent;
class QScrollBar;
class QWheelEvent;
class QWidget;

class CPictureScroller {
 public:
  // The bars are children of the window, hidden until an image needs them; the window is
  // repainted whenever the offset changes.
  CPictureScroller(QWidget& window, qreal ratio);

  // The image pixel at the window's top-left corner.
  QPoint Offset() const { return offset_; }
  // The logical size of the window without its scroll bars.
  QSize VisibleArea() const;
  // Shows the bars that an image of this size needs in the window as it is now, with their
  // ranges, and keeps the offset within them.
  void Fit(QSize image);
  // Moves the image so that this pixel is at the top-left corner, as far as the bars allow.
  void ScrollTo(QPoint offset);
  // Takes the middle button's press, its moves and its release: true for an event it took.
  bool Pan(QMouseEvent* event);
  // Moves the image by the wheel's turn: down, or across with Shift or a sideways wheel.
  void Wheel(QWheelEvent* event);

 private:
  QWidget& window_;
  qreal ratio_;
  QScrollBar* horizontal_;
  QScrollBar* vertical_;
  QPoint offset_;
  // A drag with the middle button moves the picture: where it started, and the offset then.
  std::optional<QPoint> panStart_;
  QPoint panOffset_;
};
