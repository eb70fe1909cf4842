#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <utility>

#include "imaging/ImageWrap.h"
#include "tests/support/FakePlatformUi.h"
#include "tests/support/TestPictures.h"

namespace {

using enum AspectFit;

CImageWrap BlankPicture(int width, int height) {
  return MakePicture24(width, height, [](int, int) { return Rgb{}; });
}

// All on a 400 x 300 picture.
struct FitCase {
  const char* name;
  Rect rect;
  AspectFit fit;
  int result;
  Rect expected;
};

class FitCropAspectCase : public testing::TestWithParam<FitCase> {};

TEST_P(FitCropAspectCase, GivesTheExpectedRectangle) {
  const FitCase& c = GetParam();
  const CImageWrap picture = BlankPicture(400, 300);
  Rect rect = c.rect;
  EXPECT_EQ(picture.FitCropAspect(rect, c.fit), c.result);
  EXPECT_EQ(rect, c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    AutoCropFit, FitCropAspectCase,
    testing::Values(
        // 134 / 100 lies within 0.01 of 4 / 3.
        FitCase{"MatchingAspectGrow", {10, 10, 144, 110}, Grow, 0, {10, 10, 144, 110}},
        FitCase{"MatchingAspectKeepArea", {10, 10, 144, 110}, KeepArea, 0, {10, 10, 144, 110}},
        // Worked example: w 200, h 50, target 4/3; m = sqrt(7500) = 86.60, h' 87, w' 115;
        // dx = 85 / 2 = 42, dy = -37 / 2 = -18 (toward zero, not -19).
        FitCase{"KeepsAreaWorkedExample", {100, 50, 300, 100}, KeepArea, 1, {142, 32, 257, 119}},
        // Heightened to 150 and centred past the top edge: starts at 0.
        FitCase{"CentredPastTopStartsAtZero", {100, 50, 300, 100}, Grow, 1, {100, 0, 300, 150}},
        // 100 x 200 is nearer the turned aspect 3/4: widened to 150, centred past the left.
        FitCase{"CentredPastLeftStartsAtZero", {10, 100, 110, 300}, Grow, 1, {0, 100, 150, 300}},
        // Widened to 75 from 333 would pass the right edge: pulled back to end at 400.
        FitCase{"PastRightEdgeIsPulledBack", {350, 100, 390, 200}, Grow, 1, {325, 100, 400, 200}},
        // Heightened to 307 it would not fit 300: shrunk to 225 x 300 and kept inside.
        FitCase{"TallerThanThePictureShrinksInside", {0, 60, 230, 300}, Grow, 1, {2, 0, 227, 300}},
        FitCase{"EmptyRectangleIsLeftAlone", {50, 50, 50, 90}, Grow, 0, {50, 50, 50, 90}},
        FitCase{"InvertedRectangleIsLeftAlone", {90, 50, 50, 90}, KeepArea, 0, {90, 50, 50, 90}}),
    [](const testing::TestParamInfo<FitCase>& info) { return std::string(info.param.name); });

TEST(AutoCropFit, PictureWithoutPixelsIsLeftAlone) {
  const CImageWrap empty;
  Rect rect{0, 0, 100, 20};
  EXPECT_EQ(empty.FitCropAspect(rect, Grow), 0);
  EXPECT_EQ(rect, (Rect{0, 0, 100, 20}));
}

bool Inside(const Rect& r, int width, int height) {
  return r.left >= 0 && r.top >= 0 && r.right <= width && r.bottom <= height && !r.IsEmpty();
}

// Sweeps rectangles of many shapes, some reaching past the bottom, over an upright and a
// turned picture. A fitted rectangle that spans a whole side of the picture was stopped by it.
TEST(AutoCropFit, GrowLengthensKeepAreaKeepsTheAreaAndBothStayInside) {
  for (const auto& [pictureWidth, pictureHeight] : {std::pair{400, 300}, std::pair{300, 400}}) {
    const CImageWrap picture = BlankPicture(pictureWidth, pictureHeight);
    for (int width = 21; width <= 300; width += 23) {
      for (int height = 21; height <= 300; height += 29) {
        SCOPED_TRACE(testing::Message()
                     << pictureWidth << "x" << pictureHeight << " rect " << width << "x" << height);
        const Rect start{40, 30, 40 + width, 30 + height};
        Rect enlarged = start;
        const int changed = picture.FitCropAspect(enlarged, Grow);
        const bool stopped =
            enlarged.Width() == pictureWidth || enlarged.Height() == pictureHeight;
        if (changed == 1) {
          EXPECT_TRUE(Inside(enlarged, pictureWidth, pictureHeight));
        }
        if (!stopped) {
          EXPECT_GE(enlarged.Width(), width);
          EXPECT_GE(enlarged.Height(), height);
          EXPECT_TRUE(enlarged.Width() == width || enlarged.Height() == height);
        }
        Rect kept = start;
        EXPECT_EQ(picture.FitCropAspect(kept, KeepArea), changed);
        if (changed == 1) {
          EXPECT_TRUE(Inside(kept, pictureWidth, pictureHeight));
        }
        // Each side is rounded by at most half a pixel.
        const long area = static_cast<long>(kept.Width()) * kept.Height();
        if (kept.Width() < pictureWidth && kept.Height() < pictureHeight) {
          EXPECT_LE(std::labs(area - static_cast<long>(width) * height),
                    (kept.Width() + kept.Height()) / 2 + 1);
        }
        if (changed == 1) {
          // The result matches the picture's aspect, upright or turned, within rounding.
          const double aspect = static_cast<double>(enlarged.Width()) / enlarged.Height();
          const double picture = static_cast<double>(pictureWidth) / pictureHeight;
          const double nearest =
              std::min(std::abs(aspect - picture), std::abs(aspect - 1 / picture));
          EXPECT_LT(nearest, 0.05);
        }
      }
    }
  }
}

// The proposals on real photographs, fitted as the picture window asks and in both modes.
TEST(AutoCropFit, ProposalsOnTheSamplesStayInsideThePicture) {
  int proposals = 0;
  for (const auto& file : std::filesystem::directory_iterator(QUILLARAN_SAMPLES_DIR)) {
    CImageWrap picture;
    FakePlatformUi ui;
    if (file.path().extension() == ".txt" || picture.Load(file.path().string(), ui) != 1) {
      continue;
    }
    const int w = picture.Width();
    const int h = picture.Height();
    for (int strategy : {1, 2}) {
      SCOPED_TRACE(file.path().filename().string() + " strategy " + std::to_string(strategy));
      Rect fitted;
      if (picture.FindAutoCrop(fitted, strategy, 1, 0) == 0) {
        continue;
      }
      ++proposals;
      EXPECT_TRUE(Inside(fitted, w, h))
          << fitted.left << " " << fitted.top << " " << fitted.right << " " << fitted.bottom;
      Rect proposal;
      ASSERT_EQ(picture.FindAutoCrop(proposal, strategy, 0, 0), strategy);
      for (AspectFit fit : {Grow, KeepArea}) {
        Rect r = proposal;
        picture.FitCropAspect(r, fit);
        EXPECT_TRUE(Inside(r, w, h)) << (fit == Grow ? "grow: " : "keep area: ") << r.left << " "
                                     << r.top << " " << r.right << " " << r.bottom;
      }
    }
  }
  EXPECT_GT(proposals, 10);
}

}  // namespace
