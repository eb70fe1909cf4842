#pragma once
// The full size window of one picture, titled with its file name: the picture at its own
// size, or reduced by a whole factor when it would not fit on the screen. On it the user
// draws the rectangle that the album's crops use, or has the automatic crop propose one; the
// window carries the picture operations on its keys and its "Operations" popup. A second
// window of the same kind shows the automatic crop's diagnostic view.

#include <QImage>
#include <QPointer>
#include <QWidget>
#include <string>

#include "imaging/ImageWrap.h"
#include "imaging/Rect.h"
#include "platform/WindowObject.h"
#include "views/PictureScreen.h"
#include "views/RectTracker.h"

class CPixDir;
class QMenu;
struct CCropReport;

class CPictureWindow : public QWidget {
  Q_OBJECT
 public:
  CPictureWindow(CPixDir& album, const PictureScreen& screen);

  // Shows the picture at the position on the screen, reduced when it does not fit, and runs
  // the automatic crop when the album's AutoCropStrategy is above 0.
  void ShowPicture(const std::string& title, QPoint position, const CImageWrap& picture);
  // Shows the image as it is, without an automatic crop; for the diagnostic view.
  void ShowImage(const std::string& title, QPoint position, const CImageWrap& image);

  // The rectangle in pixels of the whole picture: 0 and rect filled, or -1 and rect untouched
  // when none is drawn. An odd width first loses its rightmost column here.
  int QueryRect(Rect& rect);

  const std::string& Title() const { return title_; }
  int ScaleFactor() const { return factor_; }
  // The rectangle in pixels of the shown image; empty when there is none.
  const Rect& Rectangle() const { return rect_; }
  const CRectTracker& Tracker() const { return tracker_; }
  // The last automatic crop's result in this window (1 or 2), 0 when it found nothing or
  // none ran since the picture was shown.
  int AutoCropOutcome() const { return outcome_; }
  bool IsDiagnostic() const { return diagnostic_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;

 private:
  // Display (PictureWindow.cpp).
  void Show(const std::string& title, QPoint position, CImageWrap image, int factor);
  // Paints the image, the tracker, the rectangle and, with a reduced picture, the factor note
  // in the corner of an area of this logical size; ratio is device pixels per logical pixel,
  // and the image, the tracker and the rectangle are drawn one image pixel per device pixel.
  void Paint(QPainter& painter, QSize area, qreal ratio) const;
  QPoint ImagePoint(const QPointF& position) const;
  CRectTracker NewTracker(const Rect& rect) const;
  // Makes the tracked rectangle the window's when it is one to take; false when it is not.
  bool TakeTrackedRect();
  void UpdateCursor(const QPointF& position);
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
    int fitMode = 0;
  };
  // The automatic crop on the shown image; 1 when it proposed a rectangle.
  int RunAutoCrop(AutoCropRun run);
  void ShowDiagnostic(const CCropReport& report);
  void FitRectangle(int mode);
  void SaveScreenDump();

  CPixDir& album_;
  PictureScreen screen_;
  Rect rect_;
  CImageWrap shown_;
  QImage shownImage_;
  int factor_ = 1;
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
