#pragma once
// The screen a picture window opens on, and the whole-number factor by which a picture is
// reduced to fit on it. Sizes are in device pixels, so that on a high-density screen a
// picture is measured against the pixels the screen really has.

#include <QPoint>
#include <QSize>

class QScreen;
class QWidget;

struct PictureScreen {
  QSize resolution;  // the whole screen, in device pixels
  qreal ratio = 1;   // device pixels per logical pixel
  QPoint origin;     // logical top-left corner of the area windows may use
  QScreen* screen = nullptr;

  // The screen the widget is on; the primary screen when there is no widget.
  static PictureScreen Of(const QWidget* widget);
};

// 1 when the picture is below 95 percent of the screen on both sides; otherwise the integer
// part of the larger of the two ratios to that size, plus 1 (so a picture exactly that wide
// gets 2). A screen of no size reduces nothing.
int ReductionFactor(QSize picture, QSize resolution);
