#pragma once
// A rectangle of four signed 32-bit integers; right and bottom are exclusive. A rectangle
// whose right is not above its left, or whose bottom is not above its top, means none.

#include <cstdint>

struct Rect {
  int32_t left = 0;
  int32_t top = 0;
  int32_t right = 0;
  int32_t bottom = 0;

  bool IsEmpty() const { return right <= left || bottom <= top; }
  int32_t Width() const { return right - left; }
  int32_t Height() const { return bottom - top; }
  bool Contains(int32_t x, int32_t y) const { return x >= left && x < right && y >= top && y < bottom; }
  void Inflate(int32_t d) { left -= d; top -= d; right += d; bottom += d; }
  void SetEmpty() { left = top = right = bottom = 0; }
  // Cuts off what lies outside a picture of width x height.
  void ClampTo(int32_t width, int32_t height) {
    left = left < 0 ? 0 : left;
    top = top < 0 ? 0 : top;
    right = right > width ? width : right;
    bottom = bottom > height ? height : bottom;
  }
  bool operator==(const Rect&) const = default;
};
