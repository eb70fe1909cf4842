#pragma once
// The home-made widgets of the quick help window, drawn straight onto the window: a link
// (underlined text whose right edge is the anchor) and a mini button (text on a rounded
// rectangle whose top-left corner is the anchor). Each keeps where it was drawn last, for
// hit tests, and has two colours: state 0 and state 1 (the mouse over it).

#include <QColor>
#include <QPoint>
#include <QRect>
#include <QString>
#include <array>

class QPainter;

class CTxtWidget {
 public:
  CTxtWidget(QString label, int state, QColor color0, QColor color1)
      : text(std::move(label)), state(state), colors{color0, color1} {}
  virtual ~CTxtWidget() = default;

  // Draws at the anchor in the painter's font, keeps the rectangle and returns its size.
  virtual QSize Draw(QPainter& painter, QPoint anchor) = 0;
  QColor Color() const { return colors[state == 1 ? 1 : 0]; }

  QString text;
  QRect rect;
  int state = 0;
  std::array<QColor, 2> colors;
};

class CTxtLink : public CTxtWidget {
 public:
  using CTxtWidget::CTxtWidget;
  QSize Draw(QPainter& painter, QPoint anchor) override;
};

class CMiniButton : public CTxtWidget {
 public:
  using CTxtWidget::CTxtWidget;
  QSize Draw(QPainter& painter, QPoint anchor) override;
};
