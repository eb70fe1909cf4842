#include "views/PictureScreen.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <algorithm>

PictureScreen PictureScreen::Of(const QWidget* widget) {
  QScreen* screen = widget != nullptr ? widget->screen() : QGuiApplication::primaryScreen();
  if (screen == nullptr) {
    return {};
  }
  const qreal ratio = screen->devicePixelRatio();
  return {screen->geometry().size() * ratio, ratio, screen->availableGeometry().topLeft(), screen};
}

int ReductionFactor(QSize picture, QSize resolution) {
  const int maxWidth = resolution.width() * 95 / 100;
  const int maxHeight = resolution.height() * 95 / 100;
  if (maxWidth <= 0 || maxHeight <= 0 ||
      (picture.width() < maxWidth && picture.height() < maxHeight)) {
    return 1;
  }
  const double ratio = std::max(static_cast<double>(picture.width()) / maxWidth,
                                static_cast<double>(picture.height()) / maxHeight);
  return static_cast<int>(ratio) + 1;
}
