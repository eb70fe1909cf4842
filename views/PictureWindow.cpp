#include "views/PictureWindow.h"

#include <QPainter>

#include "imaging/ImageWrap.h"
#include "views/ImageConversion.h"

CPictureWindow::CPictureWindow() : QWidget(nullptr, Qt::Window) {
  setObjectName("PictureWindow");
  setAttribute(Qt::WA_DeleteOnClose, false);
  setWindowTitle("PixWindow");
  setAutoFillBackground(true);
  setPalette(QPalette(Qt::white));
}

void CPictureWindow::ShowPicture(const std::string& title, const CImageWrap& picture, QSize screen) {
  const int maxWidth = screen.width() * 95 / 100;
  const int maxHeight = screen.height() * 95 / 100;
  const int width = picture.Width();
  const int height = picture.Height();
  setWindowTitle(QString::fromStdString(title));
  if (width < maxWidth && height < maxHeight) {
    factor_ = 1;
    shown_ = ToQImage(picture);
  } else {
    const double ratio = std::max(static_cast<double>(width) / maxWidth,
                                  static_cast<double>(height) / maxHeight);
    factor_ = static_cast<int>(ratio) + 1;
    CImageWrap reduced;
    picture.Subsample(reduced, factor_);
    shown_ = ToQImage(reduced);
  }
  resize(shown_.size());
  show();
  raise();
  activateWindow();
}

int CPictureWindow::QueryRect(Rect&) { return -1; }

void CPictureWindow::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.drawImage(0, 0, shown_);
  if (factor_ > 1) {
    painter.drawText(width() - 20, height() - 20, 20, 20, Qt::AlignLeft | Qt::AlignTop,
                     QString(":%1").arg(factor_));
  }
}

CPictureWindowHandle::~CPictureWindowHandle() {
  if (window_ != nullptr) {
    window_->hide();
    window_->deleteLater();
  }
}

void CPictureWindowHandle::Close() {
  if (window_ != nullptr) {
    window_->close();
  }
}
