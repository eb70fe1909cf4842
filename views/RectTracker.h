#pragma once
// The rectangle tracker of the picture window: its own rectangle, drawn with a hatched border
// and eight handles outside it, moved or resized by a drag on a handle or the inside, or
// pulled out as a rubber band from a press. Coordinates are pixels of the shown picture.

#include <QPoint>

#include "imaging/Rect.h"
#include "imaging/TrackerGeometry.h"

class QPainter;

class CRectTracker {
 public:
  explicit CRectTracker(const Rect& rect = {}, int handleSize = tracker::kHandleSize)
      : rect_(rect), handleSize_(handleSize) {}

  const Rect& OwnRect() const { return rect_; }
  Rect TrueRect() const { return tracker::TrueRect(rect_, handleSize_); }
  int HitTest(QPoint point) const;

  // A drag from a press on the tracker; false when the press hits nothing and nothing moves.
  bool BeginTrack(QPoint press);
  // A rubber band from the press, pulled by its bottom-right corner.
  void BeginRubberBand(QPoint press);
  bool IsTracking() const { return hit_ != tracker::kNothing; }
  // The hit code the running drag holds.
  int TrackedHit() const { return hit_; }
  void TrackTo(QPoint point);
  // Ends the drag at the release point; a press without a move in between leaves the
  // rectangle as it was before the press.
  void EndTrack(QPoint release);
  // Puts the rectangle back as it was when the last drag began.
  void Restore() { rect_ = start_; }

  void Draw(QPainter& painter) const;

 private:
  Rect rect_;
  int handleSize_;
  int hit_ = tracker::kNothing;
  QPoint press_;
  Rect start_;
  bool moved_ = false;
};
