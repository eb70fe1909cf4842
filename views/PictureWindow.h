#pragma once
// The full size window of one picture, titled with its file name: the picture at its own
// size, or reduced by a whole factor when it would not fit on the screen; key 1 shows a
// reduced picture at 100 % with scroll bars (the whole picture, which the album keeps in its
// memory budget while it shows, and of which only what shows is converted for painting), key 0
// reduced again. On it the user
// draws the rectangle that the album's crops use, or has the automatic crop propose one; the
// window carries the picture operations on its keys and its "Operations" popup. A second
// window of the same kind shows the automatic crop's diagnostic view.

#include <QImage>
#include <QPointer>
#include <QWidget>
#include <memory>
#include <optional>
#include <string>

#include "imaging/ImageWrap.h"
#include "imaging/Rect.h"
#include "platform/WindowObject.h"
#include "views/PictureScreen.h"
#include "views/PictureScroller.h"
#include "views/RectTracker.h"

class CPixDir;
class QMenu;
struct CCropReport;

class CPictureWindow : public QWidget {
  Q_OBJECT
 public:
  CPictureWindow(CPixDir& album, const PictureScreen& screen);

  // Shows shown, the picture reduced by factor to fit the screen (1: the picture itself), at
  // the position on the screen, and runs the automatic crop when the album's AutoCropStrategy
  // is above 0. At 100 % the window shows the album's FullSizePicture.
  void ShowReduced(const std::string& title, QPoint position, const CImageWrap& shown,
                   int factor);
  // The same for a whole picture, reduced here when it does not fit; 100 % shows it.
  void ShowPicture(const std::string& title, QPoint position, const CImageWrap& picture);
  // Shows the image as it is, without an automatic crop; for the diagnostic view.
  void ShowImage(const std::string& title, QPoint position, const CImageWrap& image);

  // The rectangle in pixels of the whole picture: 0 and rect filled, or -1 and rect untouched
  // when none is drawn. An odd width first loses its rightmost column here.
  int QueryRect(Rect& rect);

  const std::string& Title() const { return title_; }
  // The factor of what is shown: 1 at 100 %.
  int ScaleFactor() const { return factor_; }
  // Shows the picture at 100 %, or reduced to fit the screen again (keys 1 and 0); the
  // rectangle stays on the same pixels of the picture.
  void ShowFullScale();
  void ShowFit();
  // Lets go of the pictures the window holds, for the album's budget: the window shows nothing
  // from then on.
  void ReleasePictures();
  // The shown image's pixel at the window's top-left corner.
  QPoint ScrollOffset() const { return scroller_.Offset(); }
  // The rectangle in pixels of the shown image; empty when there is none.
  const Rect& Rectangle() const { return rect_; }
  const CRectTracker& Tracker() const { return tracker_; }
  // The last automatic crop's result in this window (1 or 2), 0 when it found nothing or
  // none ran since the picture was shown.
  int AutoCropOutcome() const { return outcome_; }
  bool IsDiagnostic() const { return diagnostic_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  // Display, and 100 % and back (PictureWindow.cpp).
  void Show(const std::string& title, QPoint position, std::shared_ptr<const CImageWrap> image,
            int factor);
  // Paints the image from the offset on, the tracker, the rectangle and, for a picture that
  // is reduced to fit, the factor note in the corner of an area of this logical size; ratio is
  // device pixels per logical pixel, and the image, the tracker and the rectangle are drawn
  // one image pixel per device pixel.
  void Paint(QPainter& painter, QSize area, qreal ratio, QPoint offset) const;
  QPoint ImagePoint(const QPointF& position) const;
  CRectTracker NewTracker(const Rect& rect) const;
  // Makes the tracked rectangle the window's when it is one to take; false when it is not.
  bool TakeTrackedRect();
  void UpdateCursor(const QPointF& position);
  void ShowScaled(std::shared_ptr<const CImageWrap> image, int factor, const Rect& rect);
  QSize ShownSize() const { return QSize(shown_->Width(), shown_->Height()); }
  // Operations (PictureWindowActions.cpp).
  void CreateOperations();
  void RunOperation(int id);
  bool SelectShownPicture();
  void OnCharacter(QChar character);
  // How the automatic crop runs: whether it fits its rectangle to the picture's shape itself
  // (as on opening), or the window fits it afterwards with the fit mode (b, and d after b).
  struct AutoCropRun {
    bool fit = false;
    bool fitAfter = false;
    AspectFit fitMode = AspectFit::Grow;
  };
  // The automatic crop on the shown image; 1 when it proposed a rectangle.
  int RunAutoCrop(AutoCropRun run);
  void ShowDiagnostic(const CCropReport& report);
  void FitRectangle(AspectFit fit);
  void SaveScreenDump();

  CPixDir& album_;
  PictureScreen screen_;
  Rect rect_;
  // What shows: the picture reduced to fit, or the whole picture at 100 %.
  std::shared_ptr<const CImageWrap> shown_ = std::make_shared<const CImageWrap>();
  int factor_ = 1;
  // The picture reduced to fit (fitFactor_ above 1), which key 0 shows again, and the whole
  // picture when it was given (ShowPicture); otherwise key 1 asks the album for it.
  std::shared_ptr<const CImageWrap> fitted_;
  std::shared_ptr<const CImageWrap> given_;
  int fitFactor_ = 1;
  // The rectangle as it was at 100 % and as it was then shown reduced: while the reduced one
  // is unchanged, it stands for the exact one.
  Rect wholeRect_;
  Rect reducedRect_;
  CPictureScroller scroller_{*this, screen_.ratio};
  int outcome_ = 0;
  AutoCropRun lastRun_;  // the fit-after flag and mode that d runs the crop with again
  CRectTracker tracker_;
  std::string title_;
  bool diagnostic_ = false;
  QMenu* operations_ = nullptr;
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
