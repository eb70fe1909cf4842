#pragma once
// The preview of the web page's text colour: the colour's name, its value and its luminance
// ("maroon #800000 Lum=15%") written in that colour, on white for dark colours and on black
// for light ones. Blank until a colour is shown.

#include <QColor>
#include <QFrame>
#include <QString>
#include <string>

class CWebColors;

struct ColorPreviewText {
  QString text;
  QColor color;
  bool onBlack = false;  // the luminance is above 50%
};

ColorPreviewText PreviewOf(const std::string& name, const CWebColors& colors);

class CColorPreview : public QFrame {
  Q_OBJECT
 public:
  explicit CColorPreview(QWidget* parent = nullptr);
  void ShowColor(const std::string& name, const CWebColors& colors);
  QString Text() const { return preview_.text; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  ColorPreviewText preview_;
  bool shown_ = false;
};
