#include "shell/ColorPreview.h"

#include <QPainter>

#include "album/WebColors.h"

ColorPreviewText PreviewOf(const std::string& name, const CWebColors& colors) {
  uint32_t rgb = 0;
  colors.ValueOf(name, rgb);
  const int red = (rgb >> 16) & 0xFF;
  const int green = (rgb >> 8) & 0xFF;
  const int blue = rgb & 0xFF;
  const int lum = static_cast<int>((0.299 * red + 0.587 * green + 0.114 * blue) / 2.55 + 0.5);
  const QString hex = QString::asprintf("#%06x", rgb).toUpper();
  return ColorPreviewText{QString("%1 %2 Lum=%3%").arg(QString::fromStdString(name), hex).arg(lum),
                          QColor(red, green, blue), lum > 50};
}

CColorPreview::CColorPreview(QWidget* parent) : QFrame(parent) {
  setObjectName("ColorPreview");
  setFrameStyle(QFrame::Panel | QFrame::Raised);
  setLineWidth(2);
  setFixedSize(200, 30);
}

void CColorPreview::ShowColor(const std::string& name, const CWebColors& colors) {
  preview_ = PreviewOf(name, colors);
  shown_ = true;
  update();
}

void CColorPreview::paintEvent(QPaintEvent* event) {
  QFrame::paintEvent(event);
  if (!shown_) {
    return;
  }
  QPainter painter(this);
  const QRect field = contentsRect();
  painter.fillRect(field, preview_.onBlack ? Qt::black : Qt::white);
  painter.setPen(preview_.color);
  painter.drawText(field.adjusted(5, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter, preview_.text);
}
