#pragma once
// The scrolling view of thumb sketches. It paints what the album laid out and turns the mouse
// and the keyboard into the album's operations: hover information, selection, the caption
// box, dragging one sketch onto another or off the sheet, the full size window and the
// "Operations" popup. While a directory loads it has the album take the pictures read so
// far, several times a second, so that the sheet fills in while it answers the user; Escape
// stops the load. A pass over the pictures (the web album's pictures written, the sketches
// made again) is driven and stopped the same way.

#include <QAbstractScrollArea>
#include <QCursor>
#include <QTimer>

#include "album/ThumbSheet.h"
#include "views/AlbumSignals.h"
#include "views/SketchCache.h"

class CPixDir;
class QMenu;

class CTessalyView : public QAbstractScrollArea {
  Q_OBJECT
 public:
  CTessalyView(CPixDir& album, QWidget* parent = nullptr);

  // What the album tells of its changes (CPixDir::AttachView), which this view follows.
  CAlbumObserver& Observer() { return signals_; }
  void SetOperationsMenu(QMenu* menu) { operations_ = menu; }
  void SetWelcomeText(const QString& text) { welcome_ = text; }
  CSketchCache& Sketches() { return sketches_; }
  // The sheet point under a point of the viewport.
  QPoint SheetPoint(const QPoint& viewportPoint) const;
  int DragState() const { return dragging_; }

 signals:
  // The album changed in a way the window's commands may depend on.
  void albumChanged();
  // A load ended; opened as CAlbumLoader::OpenDirectory's result.
  void loadEnded(int opened);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  // Lays the sheet out again and repaints it; the album asks for this after every change.
  void Repaint();
  void LoadingStarted();
  void LoadingEnded(int opened);
  void PassStarted();
  void PassEnded();
  void LayOut();
  // Puts the cursor back after a drag and stops its scrolling.
  void EndDrag();
  void ShowAfterPaint();
  void ShowWelcomeHintWhenFree();
  static constexpr int kWelcomeRetryMs = 250;
  void StepSelection(SheetStep step);
  void ScrollToSelection();
  void AutoScroll();
  void ContinueLoading();
  void ContinuePass();

  CPixDir& album_;
  CAlbumSignals signals_;
  CSketchCache sketches_;
  QCursor pixCursor_;
  QMenu* operations_ = nullptr;
  QString welcome_;
  int dragging_ = 0;
  // The press opened the caption dialog, or Escape gave the drag up: the release that follows
  // does nothing, and no drag starts before it.
  bool ignoreRelease_ = false;
  QTimer autoScroll_;
  int autoScrollStep_ = 0;
  QTimer loading_;
  QTimer pass_;
};
