// Fitting a crop rectangle to the picture's aspect ratio, upright or turned.

#include <algorithm>
#include <cmath>

#include "imaging/ImageOperations.h"
#include "imaging/ImageWrap.h"

namespace {

int RoundHalfUp(double value) { return static_cast<int>(value + 0.5); }

// Centres a span of newSize (at most limit) on the old span [low, high) of oldSize, never
// starting before 0, and pulls it back from the far edge: the span lies inside [0, limit).
void PlaceSpan(int32_t& low, int32_t& high, int oldSize, int newSize, int limit) {
  const int shift = (oldSize - newSize) / 2;  // truncates toward zero
  low = std::clamp(low + shift, 0, limit - newSize);
  high = low + newSize;
}

// A fitted size larger than the picture shrinks, keeping its aspect, until it fits.
void ShrinkToFit(int& width, int& height, double aspect, int pictureWidth, int pictureHeight) {
  if (width > pictureWidth) {
    width = pictureWidth;
    height = RoundHalfUp(pictureWidth / aspect);
  }
  if (height > pictureHeight) {
    height = pictureHeight;
    width = std::min(RoundHalfUp(pictureHeight * aspect), pictureWidth);
  }
  width = std::max(width, 1);
  height = std::max(height, 1);
}

}  // namespace

int FitImageCropAspect(const CImageWrap& image, Rect& rect, AspectFit fit) {
  const int pictureWidth = image.Width();
  const int pictureHeight = image.Height();
  const int width = rect.Width();
  const int height = rect.Height();
  // Without a picture or a rectangle there is no aspect to fit.
  if (pictureWidth <= 0 || pictureHeight <= 0 || width <= 0 || height <= 0) {
    return 0;
  }
  const double picture = static_cast<double>(pictureWidth) / pictureHeight;
  const double current = static_cast<double>(width) / height;
  if (std::fabs(picture - current) < 0.01) {
    return 0;
  }
  const double target =
      std::fabs(1 / picture - current) < std::fabs(picture - current) ? 1 / picture : picture;
  int newWidth = width;
  int newHeight = height;
  if (fit == AspectFit::KeepArea) {
    const double side = std::sqrt(static_cast<double>(width) * height / target);
    newHeight = RoundHalfUp(side);
    newWidth = RoundHalfUp(side * target);
  } else if (current < target) {
    newWidth = RoundHalfUp(height * target);
  } else {
    newHeight = RoundHalfUp(width / target);
  }
  ShrinkToFit(newWidth, newHeight, target, pictureWidth, pictureHeight);
  PlaceSpan(rect.left, rect.right, width, newWidth, pictureWidth);
  PlaceSpan(rect.top, rect.bottom, height, newHeight, pictureHeight);
  return 1;
}
