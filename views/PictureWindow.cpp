#include "views/PictureWindow.h"

#include <QMouseEvent>
#include <QPainter>
#include <cmath>
#include <utility>

#include "album/PixDir.h"
#include "views/ImageConversion.h"

namespace {

// The note of the reduction factor starts this far left of and above the bottom-right corner.
constexpr int kNoteInset = 20;
// Besides its title, a title bar holds the window's icon and buttons.
constexpr int kTitleBarRoom = 160;
constexpr int kMinimumHeight = 40;
const QColor kSurround(96, 96, 96);

// The cursors by hit code 0..8; -1 (outside) has the arrow.
constexpr Qt::CursorShape kTrackerCursors[9] = {
    Qt::SizeFDiagCursor, Qt::SizeBDiagCursor, Qt::SizeFDiagCursor,
    Qt::SizeBDiagCursor, Qt::SizeVerCursor,   Qt::SizeHorCursor,
    Qt::SizeVerCursor,   Qt::SizeHorCursor,   Qt::SizeAllCursor};

// The pen tells what made the rectangle: white the margin trim, yellow the busiest regions,
// cyan anything else (a rectangle drawn by hand, too).
QColor OutcomePen(int outcome) {
  switch (outcome) {
    case 1:
      return Qt::white;
    case 2:
      return QColor(255, 255, 0);
    default:
      return QColor(0, 255, 255);
  }
}

// The middle of a rectangle, or of the area when there is none.
QPoint MiddleOf(const Rect& rect, const QRect& area) {
  return rect.IsEmpty() ? area.center()
                        : QPoint((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
}

}  // namespace

CPictureWindow::CPictureWindow(CPixDir& album, const PictureScreen& screen)
    : QWidget(nullptr, Qt::Window), album_(album), screen_(screen), tracker_(NewTracker({})) {
  setObjectName("PictureWindow");
  setAttribute(Qt::WA_DeleteOnClose, false);
  setWindowTitle("PixWindow");
  // Where the window is wider or taller than the picture (its title needs room, a screen
  // scales it), a neutral grey, not a white strip that reads as part of the picture.
  setAutoFillBackground(true);
  setPalette(QPalette(kSurround));
  setMouseTracking(true);
  setFocusPolicy(Qt::StrongFocus);
  CreateOperations();
}

CRectTracker CPictureWindow::NewTracker(const Rect& rect) const {
  return CRectTracker(rect, static_cast<int>(std::lround(tracker::kHandleSize * screen_.ratio)));
}

namespace {

std::shared_ptr<const CImageWrap> CopyOf(const CImageWrap& picture) {
  auto copy = std::make_shared<CImageWrap>();
  picture.CopyTo(*copy);
  return copy;
}

}  // namespace

void CPictureWindow::ShowReduced(const std::string& title, QPoint position,
                                 const CImageWrap& shown, int factor) {
  album_.CloseDiagnosticWindow();
  outcome_ = 0;
  fitFactor_ = factor;
  fitted_ = CopyOf(shown);
  Show(title, position, fitted_, factor);
  if (album_.Settings().AdvancedSettings.AutoCropStrategy > 0) {
    RunAutoCrop({.fit = true});
  }
}

void CPictureWindow::ShowPicture(const std::string& title, QPoint position,
                                 const CImageWrap& picture) {
  const int factor = ReductionFactor(QSize(picture.Width(), picture.Height()), screen_.resolution);
  CImageWrap shown;
  if (factor > 1) {
    picture.Subsample(shown, factor);
    given_ = CopyOf(picture);  // for 100 %
  }
  ShowReduced(title, position, factor > 1 ? shown : picture, factor);
}

void CPictureWindow::ShowImage(const std::string& title, QPoint position, const CImageWrap& image) {
  diagnostic_ = true;
  Show(title, position, CopyOf(image), 1);
}

void CPictureWindow::ReleasePictures() {
  shown_ = std::make_shared<const CImageWrap>();
  fitted_.reset();
  given_.reset();
}

void CPictureWindow::Show(const std::string& title, QPoint position,
                          std::shared_ptr<const CImageWrap> image, int factor) {
  title_ = title;
  setWindowTitle(QString::fromStdString(title));
  factor_ = factor;
  shown_ = std::move(image);
  scroller_.ScrollTo(QPoint());
  wholeRect_.SetEmpty();
  reducedRect_.SetEmpty();
  const QSizeF logical = QSizeF(ShownSize()) / screen_.ratio;
  // However small the picture, the window is wide enough for its title to show.
  setMinimumSize(fontMetrics().horizontalAdvance(windowTitle()) + kTitleBarRoom, kMinimumHeight);
  resize(static_cast<int>(std::ceil(logical.width())),
         static_cast<int>(std::ceil(logical.height())));
  if (screen_.screen != nullptr) {
    setScreen(screen_.screen);
  }
  move(screen_.origin + position);
  scroller_.Fit(ShownSize());
  show();
  raise();
  activateWindow();
  update();
}

int CPictureWindow::QueryRect(Rect& rect) {
  if (rect_.IsEmpty()) {
    return -1;
  }
  // A rectangle drawn at 100 % and not changed since is taken exactly as it was drawn.
  const bool exact = factor_ > 1 && !wholeRect_.IsEmpty() && rect_ == reducedRect_;
  rect = exact ? tracker::PictureRect(wholeRect_, 1) : tracker::PictureRect(rect_, factor_);
  update();
  return 0;
}

// At 100 % a picture reduced to fit shows at its own size, with scroll bars; the rectangle
// goes with it onto the same pixels of the picture.
void CPictureWindow::ShowFullScale() {
  if (factor_ == 1 || diagnostic_) {
    return;
  }
  std::shared_ptr<const CImageWrap> whole = given_ ? given_ : album_.FullSizePicture(title_);
  if (whole == nullptr || !whole->HasBitmap()) {
    return;  // the album has said why
  }
  // Unchanged since it was shown reduced, the rectangle drawn at 100 % comes back exactly.
  const Rect rect = !wholeRect_.IsEmpty() && rect_ == reducedRect_
                        ? wholeRect_
                        : tracker::EnlargedRect(rect_, factor_);
  const QSize visible = scroller_.VisibleArea() * screen_.ratio;
  const QPoint middle = MiddleOf(rect_, QRect(scroller_.Offset(), visible)) * factor_;
  ShowScaled(std::move(whole), 1, rect);
  scroller_.ScrollTo(middle - QPoint(visible.width() / 2, visible.height() / 2));
}

void CPictureWindow::ShowFit() {
  if (factor_ == fitFactor_) {
    return;
  }
  wholeRect_ = rect_;
  reducedRect_ = tracker::ReducedRect(rect_, fitFactor_);
  ShowScaled(fitted_, fitFactor_, reducedRect_);  // the whole picture goes
  scroller_.ScrollTo(QPoint());
}

void CPictureWindow::ShowScaled(std::shared_ptr<const CImageWrap> image, int factor,
                                const Rect& rect) {
  factor_ = factor;
  shown_ = std::move(image);
  rect_ = rect;
  tracker_ = NewTracker(rect_);
  scroller_.Fit(ShownSize());
  update();
}

void CPictureWindow::Paint(QPainter& painter, QSize area, qreal ratio, QPoint offset) const {
  painter.save();
  painter.scale(1 / ratio, 1 / ratio);
  painter.translate(-offset);
  // Only what shows is converted: at 100 % the picture may be far larger than the screen.
  const QRect visible(offset, QSize(static_cast<int>(std::ceil(area.width() * ratio)),
                                    static_cast<int>(std::ceil(area.height() * ratio))));
  const QImage part = ToQImage(*shown_, visible);
  if (!part.isNull()) {
    painter.drawImage(visible.topLeft(), part);
  }
  if (!rect_.IsEmpty() || tracker_.IsTracking()) {
    tracker_.Draw(painter);
  }
  if (!rect_.IsEmpty()) {
    // A dark edge on both sides of the pen, so that a white or yellow outline shows on a
    // light picture too.
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(Qt::black, 4));
    painter.drawRect(ToQRect(rect_));
    painter.setPen(QPen(OutcomePen(outcome_), 2));
    painter.drawRect(ToQRect(rect_));
  }
  painter.restore();
  if (fitFactor_ > 1) {
    const QRect note(area.width() - kNoteInset, area.height() - kNoteInset, 2 * kNoteInset,
                     2 * kNoteInset);
    painter.setPen(Qt::black);
    painter.setBackgroundMode(Qt::OpaqueMode);
    painter.setBackground(Qt::white);
    painter.drawText(note, Qt::AlignLeft | Qt::AlignTop, QString(":%1").arg(factor_));
  }
}

void CPictureWindow::closeEvent(QCloseEvent* event) {
  // The automatic crop's diagnostic picture belongs to the picture it was drawn from.
  if (!diagnostic_) {
    album_.CloseDiagnosticWindow();
  }
  ShowFit();  // a closed window keeps no whole picture in the budget
  QWidget::closeEvent(event);
}

void CPictureWindow::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  Paint(painter, scroller_.VisibleArea(), screen_.ratio, scroller_.Offset());
}

void CPictureWindow::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  scroller_.Fit(ShownSize());
}

void CPictureWindow::wheelEvent(QWheelEvent* event) { scroller_.Wheel(event); }

QPoint CPictureWindow::ImagePoint(const QPointF& position) const {
  return scroller_.Offset() + QPoint(static_cast<int>(std::floor(position.x() * screen_.ratio)),
                          static_cast<int>(std::floor(position.y() * screen_.ratio)));
}

// With no rectangle a press pulls out a rubber band; with one it moves or resizes the
// tracker, and a press that hits nothing takes the tracker as it stands.
void CPictureWindow::mousePressEvent(QMouseEvent* event) {
  if (scroller_.Pan(event) || event->button() != Qt::LeftButton) {
    return;
  }
  const QPoint point = ImagePoint(event->position());
  if (rect_.IsEmpty()) {
    tracker_.BeginRubberBand(point);
  } else if (!tracker_.BeginTrack(point)) {
    TakeTrackedRect();
    return;
  }
  update();
}

void CPictureWindow::mouseMoveEvent(QMouseEvent* event) {
  if (scroller_.Pan(event)) {
    return;
  }
  if (tracker_.IsTracking()) {
    tracker_.TrackTo(ImagePoint(event->position()));
    update();
  } else {
    UpdateCursor(event->position());
  }
}

// A drag that the window does not take leaves the hatched frame where it was, on the
// rectangle kept.
void CPictureWindow::mouseReleaseEvent(QMouseEvent* event) {
  if (scroller_.Pan(event) || event->button() != Qt::LeftButton || !tracker_.IsTracking()) {
    return;
  }
  tracker_.EndTrack(ImagePoint(event->position()));
  if (!TakeTrackedRect()) {
    tracker_.Restore();
  }
}

// A rectangle pulled out where there was none is the user's own and shows in the pen of a
// hand-drawn one; an adjusted one keeps the pen of what proposed it.
bool CPictureWindow::TakeTrackedRect() {
  const std::optional<Rect> taken = tracker::Accept(rect_, tracker_.TrueRect());
  if (taken) {
    if (rect_.IsEmpty()) {
      outcome_ = 0;
    }
    rect_ = *taken;
  }
  update();
  return taken.has_value();
}

void CPictureWindow::UpdateCursor(const QPointF& position) {
  const int hit = rect_.IsEmpty() ? tracker::kNothing : tracker_.HitTest(ImagePoint(position));
  setCursor(hit == tracker::kNothing ? Qt::ArrowCursor : kTrackerCursors[hit]);
}

CPictureWindowHandle::~CPictureWindowHandle() {
  if (window_ != nullptr) {
    // The pictures go now, the widget once the event loop is back.
    window_->ReleasePictures();
    window_->hide();
    window_->deleteLater();
  }
}

void CPictureWindowHandle::Close() {
  if (window_ != nullptr) {
    window_->close();
  }
}
