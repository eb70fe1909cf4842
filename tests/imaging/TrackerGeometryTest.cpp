#include <gtest/gtest.h>

#include "imaging/TrackerGeometry.h"

namespace {

using namespace tracker;

TEST(TrackerGeometry, HitCodesCoverTheHandlesTheBorderAndTheInside) {
  const Rect rect{100, 100, 200, 160};  // true rectangle (97, 97, 203, 163)
  struct Case {
    int x, y, hit;
  };
  const Case cases[] = {
      {97, 97, kTopLeft},   {202, 97, kTopRight}, {202, 162, kBottomRight}, {97, 162, kBottomLeft},
      {149, 98, kTop},      {201, 129, kRight},   {150, 161, kBottom},      {98, 130, kLeft},
      {150, 130, kMiddle},  {120, 98, kMiddle},   {96, 130, kNothing},      {203, 130, kNothing},
      {150, 163, kNothing},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(HitTest(rect, c.x, c.y, kHandleSize), c.hit) << c.x << ", " << c.y;
  }
  // A rectangle too short for side handles has border where they would be.
  EXPECT_EQ(HitTest(Rect{100, 100, 116, 116}, 106, 97, kHandleSize), kMiddle);
}

TEST(TrackerGeometry, DraggingAnEdgePastTheOtherNeverInverts) {
  EXPECT_EQ(Drag(Rect{100, 100, 200, 160}, kLeft, 150, 30), (Rect{200, 100, 250, 160}));
  EXPECT_EQ(Drag(Rect{100, 100, 200, 160}, kMiddle, -10, 5), (Rect{90, 105, 190, 165}));
}

TEST(TrackerGeometry, PictureRectTrimsAnOddWidthAndScalesUpByTheFactor) {
  struct Case {
    Rect shown;
    int factor;
    Rect kept, answer;
  };
  const Case cases[] = {
      {{80, 100, 181, 252}, 2, {80, 100, 180, 252}, {160, 200, 360, 504}},
      {{10, 10, 32, 40}, 1, {10, 10, 32, 40}, {10, 10, 32, 40}},
      {{5, 6, 28, 29}, 3, {5, 6, 27, 29}, {15, 18, 81, 87}},
  };
  for (Case c : cases) {
    EXPECT_EQ(PictureRect(c.shown, c.factor), c.answer);
    EXPECT_EQ(c.shown, c.kept);
  }
}

}  // namespace
