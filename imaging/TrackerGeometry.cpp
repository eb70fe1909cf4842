#include "imaging/TrackerGeometry.h"

#include <cstdlib>
#include <utility>

namespace tracker {

namespace {

constexpr int kMinimumSide = 20;

// Where each handle sits on the true rectangle: x and y as 0 (left, top), 1 (middle) or
// 2 (right, bottom).
struct Place {
  int x;
  int y;
};
constexpr Place kPlaces[8] = {{0, 0}, {2, 0}, {2, 2}, {0, 2}, {1, 0}, {2, 1}, {1, 2}, {0, 1}};

int HandleOffset(int place, int from, int length, int size) {
  switch (place) {
    case 0:
      return from;
    case 1:
      return from + (length - size) / 2;
    default:
      return from + length - size;
  }
}

// Which edges each hit 0..8 moves: left, top, right, bottom.
struct Edges {
  bool left, top, right, bottom;
};
constexpr Edges kMovedEdges[9] = {
    {true, true, false, false},  {false, true, true, false},  {false, false, true, true},
    {true, false, false, true},  {false, true, false, false}, {false, false, true, false},
    {false, false, false, true}, {true, false, false, false}, {true, true, true, true}};

}  // namespace

Rect Normalized(const Rect& rect) {
  Rect r = rect;
  if (r.left > r.right) {
    std::swap(r.left, r.right);
  }
  if (r.top > r.bottom) {
    std::swap(r.top, r.bottom);
  }
  return r;
}

Rect TrueRect(const Rect& rect, int handleSize) {
  Rect r = Normalized(rect);
  r.Inflate(handleSize - 1);
  return r;
}

unsigned HandleMask(const Rect& rect, int handleSize) {
  unsigned mask = 0x0F;
  const int size = 3 * handleSize;
  if (std::abs(rect.Width()) - size > 4) {
    mask |= (1u << kTop) | (1u << kBottom);
  }
  if (std::abs(rect.Height()) - size > 4) {
    mask |= (1u << kRight) | (1u << kLeft);
  }
  return mask;
}

Rect HandleRect(const Rect& rect, int handle, int handleSize) {
  const Rect t = TrueRect(rect, handleSize);
  const Place place = kPlaces[handle];
  const int left = HandleOffset(place.x, t.left, t.Width(), handleSize);
  const int top = HandleOffset(place.y, t.top, t.Height(), handleSize);
  return {left, top, left + handleSize, top + handleSize};
}

int HitTest(const Rect& rect, int x, int y, int handleSize) {
  if (!TrueRect(rect, handleSize).Contains(x, y)) {
    return kNothing;
  }
  const unsigned mask = HandleMask(rect, handleSize);
  for (int handle = kTopLeft; handle <= kLeft; ++handle) {
    if ((mask & (1u << handle)) != 0 && HandleRect(rect, handle, handleSize).Contains(x, y)) {
      return handle;
    }
  }
  return kMiddle;  // inside, or on the hatched border between the handles
}

Rect Drag(const Rect& start, int hit, int dx, int dy) {
  if (hit < kTopLeft || hit > kMiddle) {
    return Normalized(start);
  }
  const Edges moved = kMovedEdges[hit];
  Rect r = start;
  r.left += moved.left ? dx : 0;
  r.right += moved.right ? dx : 0;
  r.top += moved.top ? dy : 0;
  r.bottom += moved.bottom ? dy : 0;
  return Normalized(r);
}

std::optional<Rect> Accept(const Rect& current, const Rect& trueRect) {
  const int change = std::abs(trueRect.left - current.left) + std::abs(trueRect.top - current.top) +
                     std::abs(trueRect.right - current.right) +
                     std::abs(trueRect.bottom - current.bottom);
  if (change <= 1 || trueRect.Width() <= kMinimumSide || trueRect.Height() <= kMinimumSide) {
    return std::nullopt;
  }
  Rect taken = trueRect;
  if (taken.Width() % 2 != 0) {
    ++taken.right;
  }
  return taken;
}

Rect PictureRect(Rect& shown, int factor) {
  if (shown.Width() % 2 != 0) {
    --shown.right;
  }
  return EnlargedRect(shown, factor);
}

Rect EnlargedRect(const Rect& reduced, int factor) {
  return {reduced.left * factor, reduced.top * factor, reduced.right * factor,
          reduced.bottom * factor};
}

Rect ReducedRect(const Rect& whole, int factor) {
  const auto down = [factor](int v) { return v >= 0 ? v / factor : -((-v + factor - 1) / factor); };
  const auto up = [factor](int v) { return v >= 0 ? (v + factor - 1) / factor : -(-v / factor); };
  return {down(whole.left), down(whole.top), up(whole.right), up(whole.bottom)};
}

}  // namespace tracker
