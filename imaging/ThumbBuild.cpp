#include "imaging/ThumbBuild.h"

#include <algorithm>
#include <cmath>

int BuildThumbFromPicture(const CImageWrap& picture, Rect& thumbRect, CImageWrap& cropArea,
                          CImageWrap& thumb, int thumbSize) {
  if (thumbRect.IsEmpty()) {
    return picture.ScaleToFit(thumb, thumbSize);
  }
  // A rectangle that lies wholly outside the picture leaves nothing to show; scaling a stale
  // cropArea instead would show another part of the picture.
  if (!picture.CropTo(thumbRect, cropArea)) {
    return 0;
  }
  return cropArea.ScaleToFit(thumb, thumbSize);
}

bool NeedsWebImage(int width, int height, int maxOsize) {
  return maxOsize < 2000 && (width >= maxOsize || height >= maxOsize);
}

bool NeedsWebImage(const CImageWrap& picture, int maxOsize) {
  return NeedsWebImage(picture.Width(), picture.Height(), maxOsize);
}

bool HoldsDoubleSize(int width, int height, int displayWidth, int displayHeight) {
  return displayWidth > 0 && displayHeight > 0 && width >= 2 * displayWidth &&
         height >= 2 * displayHeight;
}

bool PlanThumb(int width, int height, const Rect& thumbRect, int thumbSize, ThumbPlan& plan) {
  plan.part = thumbRect;
  if (plan.part.IsEmpty()) {
    plan.part = Rect{0, 0, width, height};
  }
  plan.part.ClampTo(width, height);
  if (plan.part.IsEmpty() || thumbSize <= 0) {
    return false;
  }
  plan.fit = PlanFit(plan.part.Width(), plan.part.Height(), thumbSize);
  return true;
}

namespace {

// The bitmap size of the sketch at this ratio.
void SketchSize(const ThumbPlan& plan, double ratio, int& width, int& height) {
  if (ratio <= 1) {
    width = plan.fit.width;
    height = plan.fit.height;
    return;
  }
  width = std::max(1, static_cast<int>(std::lround(plan.fit.displayWidth * ratio)));
  height = std::max(1, static_cast<int>(std::lround(plan.fit.displayHeight * ratio)));
}

// Whether a decode at 1 / divisor still holds a pixel for every pixel of the sketch: for the
// thumb itself, whether its whole reduction factor reaches the divisor.
bool SketchKept(const ThumbPlan& plan, double ratio, int divisor) {
  if (ratio <= 1) {
    return plan.fit.factor >= divisor;
  }
  int width = 0;
  int height = 0;
  SketchSize(plan, ratio, width, height);
  return plan.fit.coveredWidth >= int64_t{width} * divisor &&
         plan.fit.coveredHeight >= int64_t{height} * divisor;
}

}  // namespace

bool HoldsDoubleSketch(int width, int height, const Rect& thumbRect, int thumbSize) {
  ThumbPlan plan;
  return PlanThumb(width, height, thumbRect, thumbSize, plan) && SketchKept(plan, 2, 1);
}

int SketchReduction(int fileWidth, int fileHeight, const Rect& thumbRect, int thumbSize,
                    double ratio) {
  ThumbPlan plan;
  if (!PlanThumb(fileWidth, fileHeight, thumbRect, thumbSize, plan)) {
    return 8;  // nothing is made of it: a small decode tells the picture's size
  }
  if (ratio <= 1) {
    return std::max(1, plan.fit.factor);
  }
  int width = 0;
  int height = 0;
  SketchSize(plan, ratio, width, height);
  return std::max(1, std::min(plan.fit.coveredWidth / width, plan.fit.coveredHeight / height));
}

int DctShrink(int factor) {
  for (int divisor : {8, 4, 2}) {
    if (factor >= divisor) {
      return divisor;
    }
  }
  return 1;
}

int SketchShrink(int fileWidth, int fileHeight, const Rect& thumbRect, int thumbSize, double ratio) {
  return DctShrink(SketchReduction(fileWidth, fileHeight, thumbRect, thumbSize, ratio));
}

int ShrinkFor(int fileWidth, int fileHeight, const Rect& thumbRect, int thumbSize, int maxOsize,
              bool withLarge, bool withDouble) {
  FitPlan large;
  if (withLarge) {
    if (!NeedsWebImage(fileWidth, fileHeight, maxOsize)) {
      return 1;  // the large file is the picture at full size
    }
    large = PlanFit(fileWidth, fileHeight, maxOsize);
    if (large.displayWidth == 0 || large.displayHeight == 0) {
      return 1;  // no copy can be made of it: the large file is the picture
    }
    if (withDouble &&
        HoldsDoubleSize(fileWidth, fileHeight, large.displayWidth, large.displayHeight)) {
      large.displayWidth *= 2;
      large.displayHeight *= 2;
    }
  }
  ThumbPlan thumb;
  const bool thumbMade = PlanThumb(fileWidth, fileHeight, thumbRect, thumbSize, thumb);
  const double thumbRatio = withDouble && thumbMade && SketchKept(thumb, 2, 1) ? 2 : 1;
  for (int divisor = 8; divisor > 1; divisor /= 2) {
    // The decoder rounds each side up.
    const bool largeKept = (fileWidth + divisor - 1) / divisor >= large.displayWidth &&
                           (fileHeight + divisor - 1) / divisor >= large.displayHeight;
    const bool thumbKept = !thumbMade || SketchKept(thumb, thumbRatio, divisor);
    if (largeKept && thumbKept) {
      return divisor;
    }
  }
  return 1;
}

int BuildThumbFromDecoded(const DecodedPicture& picture, Rect& thumbRect, CImageWrap& thumb,
                          int thumbSize) {
  return BuildSketch(picture, thumbRect, thumbSize, 1, thumb);
}

int BuildSketch(const DecodedPicture& picture, Rect& thumbRect, int thumbSize, double ratio,
                CImageWrap& sketch) {
  ThumbPlan plan;
  const bool made = PlanThumb(picture.fileWidth, picture.fileHeight, thumbRect, thumbSize, plan);
  if (!thumbRect.IsEmpty()) {
    thumbRect.ClampTo(picture.fileWidth, picture.fileHeight);
  }
  if (plan.fit.factor > 0) {
    sketch.displayWidth = plan.fit.displayWidth;
    sketch.displayHeight = plan.fit.displayHeight;
  }
  if (!made) {
    return 0;
  }
  int width = 0;
  int height = 0;
  SketchSize(plan, ratio, width, height);
  const double scale = 1.0 / picture.shrink;
  const SourceArea area{plan.part.left * scale, plan.part.top * scale,
                        (plan.part.left + plan.fit.coveredWidth) * scale,
                        (plan.part.top + plan.fit.coveredHeight) * scale};
  return ResampleArea(picture.image.bitmap, area, sketch.bitmap, width, height);
}

int BuildWebImage(const DecodedPicture& picture, int maxOsize, CImageWrap& webImage, int times) {
  const FitPlan plan = PlanFit(picture.fileWidth, picture.fileHeight, maxOsize);
  webImage.displayWidth = plan.displayWidth * times;
  webImage.displayHeight = plan.displayHeight * times;
  const double scale = 1.0 / picture.shrink;
  const SourceArea whole{0, 0, picture.fileWidth * scale, picture.fileHeight * scale};
  return ResampleArea(picture.image.bitmap, whole, webImage.bitmap, webImage.displayWidth,
                      webImage.displayHeight);
}
