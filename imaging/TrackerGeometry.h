#pragma once
// The geometry of the rectangle tracker, as plain functions of rectangles and points: where
// its eight handles lie, what a point hits, how a drag moves its edges, and which tracked
// rectangles the picture window takes. The tracker draws a hatched border and its handles
// outside its own rectangle, within the "true rectangle" that is larger by the handle size
// minus 1 on every side.

#include <optional>

#include "imaging/Rect.h"

namespace tracker {

// Hit codes: the four corners clockwise from the top left, the four sides clockwise from the
// top, the inside (with the hatched border), and nothing.
enum Hit {
  kNothing = -1,
  kTopLeft = 0,
  kTopRight = 1,
  kBottomRight = 2,
  kBottomLeft = 3,
  kTop = 4,
  kRight = 5,
  kBottom = 6,
  kLeft = 7,
  kMiddle = 8,
};

constexpr int kHandleSize = 4;

// The rectangle with its left above its right and its top above its bottom.
Rect Normalized(const Rect& rect);
// The rectangle enlarged by the handle size minus 1 on every side: all the tracker covers.
Rect TrueRect(const Rect& rect, int handleSize);
// Bit n set when handle n shows: the corners always, the sides when the rectangle is long
// enough for them to stand apart from the corners.
unsigned HandleMask(const Rect& rect, int handleSize);
Rect HandleRect(const Rect& rect, int handle, int handleSize);
// What the point hits: a shown handle, else the inside or the border (kMiddle), else nothing.
int HitTest(const Rect& rect, int x, int y, int handleSize);
// The rectangle after the mouse moved by (dx, dy) from the press on the hit; never inverted.
Rect Drag(const Rect& start, int hit, int dx, int dy);
// What a tracked true rectangle makes of the current one: none when it differs from it by 1
// pixel or less in total, or when it is not more than 20 pixels wide and high; otherwise the
// true rectangle with an even width (its right edge moved out by one when the width is odd).
std::optional<Rect> Accept(const Rect& current, const Rect& trueRect);
// What the picture window answers when asked for its rectangle: a rectangle of odd width first
// loses its rightmost column (in place, so the window keeps the even one), and the answer is
// in pixels of the whole picture that the window shows reduced by factor.
Rect PictureRect(Rect& shown, int factor);
// A rectangle on the picture reduced by factor, in pixels of the whole picture; and a
// rectangle on the whole picture on the reduced one, covering every pixel it touches.
Rect EnlargedRect(const Rect& reduced, int factor);
Rect ReducedRect(const Rect& whole, int factor);

}  // namespace tracker
