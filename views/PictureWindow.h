#pragma once
// The full size window of one picture, titled with its file name: the picture at its own
// size, or reduced by a whole factor when it would not fit on the screen.

#include <QImage>
#include <QPointer>
#include <QWidget>
#include <memory>
#include <string>

#include "imaging/Rect.h"
#include "platform/WindowObject.h"

class CImageWrap;

class CPictureWindow : public QWidget {
  Q_OBJECT
 public:
  CPictureWindow();
  // Shows the picture under the title; the screen size decides the reduction factor.
  void ShowPicture(const std::string& title, const CImageWrap& picture, QSize screen);
  int ScaleFactor() const { return factor_; }
  // The rectangle drawn on the picture, in the picture's pixels: 0 and the rectangle, or -1
  // and rect untouched when none is drawn.
  int QueryRect(Rect& rect);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QImage shown_;
  int factor_ = 1;
};

// The album's hold on a picture window. Deleting it closes the window; the widget itself goes
// once the event loop is back, because the album may drop it from inside the window's own
// key or menu handler.
class CPictureWindowHandle : public CWindowObject {
 public:
  explicit CPictureWindowHandle(CPictureWindow* window) : window_(window) {}
  ~CPictureWindowHandle() override;
  void Close() override;
  CPictureWindow* Window() const { return window_; }

 private:
  QPointer<CPictureWindow> window_;
};
