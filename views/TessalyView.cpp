#include "views/TessalyView.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QScrollBar>

#include "album/PixDir.h"
#include "views/SheetPainter.h"

namespace {

// While a picture is dragged this close to the top or bottom edge, the sheet scrolls.
constexpr int kAutoScrollMargin = 32;
constexpr int kAutoScrollInterval = 30;  // milliseconds
// How often the sheet takes the pictures read while a directory loads.
constexpr int kLoadingInterval = 40;  // milliseconds

QCursor MakePixCursor() {
  return QCursor(QPixmap(":/cursors/pix.xpm"), 16, 15);
}

}  // namespace

CTessalyView::CTessalyView(CPixDir& album, QWidget* parent)
    : QAbstractScrollArea(parent), album_(album), pixCursor_(MakePixCursor()) {
  setObjectName("SheetView");
  viewport()->setObjectName("SheetViewport");
  viewport()->setMouseTracking(true);
  viewport()->setAutoFillBackground(false);
  viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setFocusPolicy(Qt::StrongFocus);
  autoScroll_.setInterval(kAutoScrollInterval);
  connect(&autoScroll_, &QTimer::timeout, this, &CTessalyView::AutoScroll);
  loading_.setInterval(kLoadingInterval);
  connect(&loading_, &QTimer::timeout, this, &CTessalyView::ContinueLoading);
  pass_.setInterval(kLoadingInterval);
  connect(&pass_, &QTimer::timeout, this, &CTessalyView::ContinuePass);
  connect(&signals_, &CAlbumSignals::repaintAsked, this, &CTessalyView::Repaint);
  connect(&signals_, &CAlbumSignals::loadingStarted, this, &CTessalyView::LoadingStarted);
  connect(&signals_, &CAlbumSignals::loadingEnded, this, &CTessalyView::LoadingEnded);
  connect(&signals_, &CAlbumSignals::passStarted, this, &CTessalyView::PassStarted);
  connect(&signals_, &CAlbumSignals::passEnded, this, &CTessalyView::PassEnded);
  connect(&signals_, &CAlbumSignals::commandsChanged, this, &CTessalyView::albumChanged);
}

void CTessalyView::LoadingStarted() {
  verticalScrollBar()->setValue(0);  // a new album starts at its top
  loading_.start();
}

void CTessalyView::ContinueLoading() {
  if (!album_.Loader().ContinueLoading()) {
    loading_.stop();
  }
}

void CTessalyView::LoadingEnded(int opened) {
  loading_.stop();
  emit loadEnded(opened);
}

void CTessalyView::PassStarted() {
  pass_.start();
  emit albumChanged();  // the commands that change the album wait
}

void CTessalyView::ContinuePass() {
  // PassEnded stops the timer; the end of one pass may begin another.
  album_.Loader().ContinuePass();
}

void CTessalyView::PassEnded() {
  pass_.stop();
  emit albumChanged();
}

void CTessalyView::Repaint() {
  LayOut();
  viewport()->update();
  emit albumChanged();
}

void CTessalyView::LayOut() {
  // Sketches made from now on have the pixels of the screen that shows them.
  album_.Loader().SetSketchRatio(viewport()->devicePixelRatioF());
  album_.SheetControl().LayOut(viewport()->width());
  QScrollBar* bar = verticalScrollBar();
  bar->setRange(0, std::max(0, album_.Sheet().Height() - viewport()->height()));
  bar->setPageStep(viewport()->height());
  bar->setSingleStep(std::max(1, album_.Sheet().Layout().RowPitch() / 4));
}

QPoint CTessalyView::SheetPoint(const QPoint& viewportPoint) const {
  return viewportPoint + QPoint(0, verticalScrollBar()->value());
}

void CTessalyView::resizeEvent(QResizeEvent* event) {
  QAbstractScrollArea::resizeEvent(event);
  LayOut();
}

void CTessalyView::paintEvent(QPaintEvent* event) {
  QPainter painter(viewport());
  painter.fillRect(event->rect(), Qt::white);
  if (album_.Pictures().Count() == 0) {
    PaintWelcome(painter, viewport()->rect(), welcome_);
  } else {
    const int top = verticalScrollBar()->value();
    painter.translate(0, -top);
    PaintSheet(painter, album_, event->rect().translated(0, top), sketches_);
  }
  ShowAfterPaint();
}

void CTessalyView::ShowAfterPaint() {
  // Dialogs never open from inside painting: they wait until the paint has returned.
  if (album_.Sheet().FitWarningDue()) {
    QTimer::singleShot(0, this, [this] {
      if (album_.Sheet().FitWarningDue()) {
        album_.SheetControl().ShowFitWarning();
      }
    });
  }
  if (album_.SheetControl().WelcomeHintDue()) {
    QTimer::singleShot(0, this, &CTessalyView::ShowWelcomeHintWhenFree);
  }
}

void CTessalyView::ShowWelcomeHintWhenFree() {
  if (!album_.SheetControl().WelcomeHintDue()) {
    return;
  }
  // Never over another question, such as the picture limit of a folder given at start: the
  // hint waits until that is answered, and is not shown at all once pictures load.
  if (QApplication::activeModalWidget() != nullptr) {
    QTimer::singleShot(kWelcomeRetryMs, this, &CTessalyView::ShowWelcomeHintWhenFree);
    return;
  }
  album_.SheetControl().ShowWelcomeHint();
  emit albumChanged();
}

void CTessalyView::mouseMoveEvent(QMouseEvent* event) {
  const QPoint point = SheetPoint(event->position().toPoint());
  const bool overSketch = album_.SheetControl().HoverAt(point.x(), point.y()) == 1;
  const bool keysOrButtons = event->buttons() != Qt::NoButton ||
                             (event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier));
  if (overSketch && keysOrButtons && dragging_ == 0 && !ignoreRelease_) {
    dragging_ = 1;
    viewport()->setCursor(pixCursor_);
  }
  if (dragging_ == 1) {
    const int y = event->position().toPoint().y();
    autoScrollStep_ = y < kAutoScrollMargin ? -verticalScrollBar()->singleStep()
                      : y > viewport()->height() - kAutoScrollMargin ? verticalScrollBar()->singleStep()
                                                                     : 0;
    if (autoScrollStep_ != 0 && !autoScroll_.isActive()) {
      autoScroll_.start();
    }
  }
}

void CTessalyView::AutoScroll() {
  if (dragging_ == 0 || autoScrollStep_ == 0) {
    autoScroll_.stop();
    return;
  }
  verticalScrollBar()->setValue(verticalScrollBar()->value() + autoScrollStep_);
  viewport()->update();
}

void CTessalyView::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) {
    return;
  }
  const QPoint point = SheetPoint(event->position().toPoint());
  // The press decides by what is under it now, not by the last mouse move.
  album_.SheetControl().HoverAt(point.x(), point.y());
  // The release after the caption dialog belongs to the dialog's click, not to a drop.
  ignoreRelease_ = album_.Editor().ClickAt(EmptyClick::ClearSelection, point.x(), point.y()) ==
                   ClickResult::Caption;
}

void CTessalyView::EndDrag() {
  if (dragging_ == 1) {
    viewport()->unsetCursor();
    dragging_ = 0;
    autoScroll_.stop();
  }
}

void CTessalyView::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) {
    return;
  }
  const int wasDragging = dragging_;
  EndDrag();
  const bool ignored = ignoreRelease_;
  ignoreRelease_ = false;
  // A drag let go outside the sheet is given up, not a drop beside the sketches.
  const QPoint released = event->position().toPoint();
  if (ignored || (wasDragging == 1 && !viewport()->rect().contains(released))) {
    return;
  }
  const QPoint point = SheetPoint(released);
  album_.Editor().DropAt(point.x(), point.y(), wasDragging == 1);
}

void CTessalyView::mouseDoubleClickEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) {
    album_.ShowFullSize();
  }
}

void CTessalyView::contextMenuEvent(QContextMenuEvent* event) {
  QPoint global = event->globalPos();
  if (event->reason() == QContextMenuEvent::Mouse) {
    const QPoint point = SheetPoint(event->pos());
    album_.SheetControl().HoverAt(point.x(), point.y());
    if (album_.Editor().ClickAt(EmptyClick::KeepSelection, point.x(), point.y()) ==
        ClickResult::Caption) {
      return;  // the caption dialog has had its turn
    }
  } else if (const CAlbumEntry* selected = album_.Pictures().SelectedEntry()) {
    const Rect& r = selected->sketchRect;
    global = viewport()->mapToGlobal(
        QPoint((r.left + r.right) / 2, (r.top + r.bottom) / 2 - verticalScrollBar()->value()));
  }
  if (operations_ != nullptr) {
    emit albumChanged();  // the enabling rules see the new selection
    operations_->exec(global);
  }
}

void CTessalyView::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape && dragging_ == 1) {
    EndDrag();
    ignoreRelease_ = true;  // Escape gives the drag up
    return;
  }
  if (event->key() == Qt::Key_Escape && album_.Loader().IsLoading()) {
    album_.Loader().StopLoading();  // the album keeps the pictures read so far
    return;
  }
  if (event->key() == Qt::Key_Escape && album_.Loader().IsBusy()) {
    album_.Loader().StopPass();  // every file written so far is whole
    return;
  }
  switch (event->key()) {
    case Qt::Key_Left:
      return StepSelection(SheetStep::Left);
    case Qt::Key_Right:
      return StepSelection(SheetStep::Right);
    case Qt::Key_Up:
      return StepSelection(SheetStep::Up);
    case Qt::Key_Down:
      return StepSelection(SheetStep::Down);
    case Qt::Key_Home:
      return StepSelection(SheetStep::First);
    case Qt::Key_End:
      return StepSelection(SheetStep::Last);
    case Qt::Key_Return:
    case Qt::Key_Enter:
      album_.ShowFullSize();
      return;
    default:
      QAbstractScrollArea::keyPressEvent(event);
  }
}

void CTessalyView::StepSelection(SheetStep step) {
  album_.Editor().StepSelection(step);
  ScrollToSelection();
}

void CTessalyView::ScrollToSelection() {
  const CAlbumEntry* selected = album_.Pictures().SelectedEntry();
  if (selected == nullptr || selected->sketchRect.IsEmpty()) {
    return;
  }
  QScrollBar* bar = verticalScrollBar();
  const int top = selected->sketchRect.top - kSheetSpacing;
  const int bottom = (selected->captionRect.IsEmpty() ? selected->sketchRect.bottom
                                                      : selected->captionRect.bottom) +
                     kSheetSpacing;
  if (top < bar->value()) {
    bar->setValue(top);
  } else if (bottom > bar->value() + viewport()->height()) {
    bar->setValue(bottom - viewport()->height());
  }
  viewport()->update();
}
