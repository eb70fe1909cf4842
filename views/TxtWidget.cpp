#include "views/TxtWidget.h"

#include <QFontMetrics>
#include <QPainter>

QSize CTxtLink::Draw(QPainter& painter, QPoint anchor) {
  const QFontMetrics metrics = painter.fontMetrics();
  const QSize size(metrics.horizontalAdvance(text), metrics.height());
  rect = QRect(QPoint(anchor.x() - size.width(), anchor.y()), size);
  painter.setPen(Color());
  painter.drawText(rect, Qt::AlignCenter, text);
  // Underscores under every character underline the text.
  painter.drawText(rect, Qt::AlignCenter, QString(text.size(), QChar('_')));
  return size;
}

QSize CMiniButton::Draw(QPainter& painter, QPoint anchor) {
  const QFontMetrics metrics = painter.fontMetrics();
  const QSize size(metrics.horizontalAdvance(text) + 10, metrics.height() + 5);
  rect = QRect(anchor, size);
  painter.setPen(Qt::black);
  painter.setBrush(Color());
  painter.drawRoundedRect(rect.adjusted(0, 0, -1, -1), 2.5, 2.5);
  painter.drawText(rect, Qt::AlignHCenter | Qt::AlignTop, text);
  return size;
}
