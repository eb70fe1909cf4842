// Reduction to thumb size and for the picture window: by a whole factor, each n x n block
// becoming one pixel (Resample.h: the block's mean where pixels can be averaged).

#include <algorithm>

#include "imaging/ImageWrap.h"
#include "imaging/Resample.h"

int CImageWrap::ScaleToFit(CImageWrap& destination, int longestSide) const {
  if (longestSide <= 0 || Width() <= 0 || Height() <= 0) {
    return 0;
  }
  // The display size stays set even when the reduction below fails.
  const FitPlan plan = PlanFit(Width(), Height(), longestSide);
  destination.displayWidth = plan.displayWidth;
  destination.displayHeight = plan.displayHeight;
  const SourceArea covered{0, 0, static_cast<double>(plan.coveredWidth),
                           static_cast<double>(plan.coveredHeight)};
  return ResampleArea(bitmap, covered, destination.bitmap, plan.width, plan.height);
}

int CImageWrap::Subsample(CImageWrap& destination, int factor) const {
  const int width = Width();
  const int height = Height();
  if (factor < 1 || factor > width || factor > height) {
    return 0;
  }
  // The last width mod n columns and height mod n rows are left out.
  const int reducedWidth = width / factor;
  const int reducedHeight = height / factor;
  const SourceArea blocks{0, 0, static_cast<double>(reducedWidth) * factor,
                          static_cast<double>(reducedHeight) * factor};
  return ResampleArea(bitmap, blocks, destination.bitmap, reducedWidth, reducedHeight);
}

int CImageWrap::SubsampleDecoded(CImageWrap& destination, int factor, int fileWidth,
                                 int fileHeight) const {
  if (factor < 1 || fileWidth < factor || fileHeight < factor || Width() <= 0 || Height() <= 0) {
    return 0;
  }
  const int reducedWidth = fileWidth / factor;
  const int reducedHeight = fileHeight / factor;
  // The whole blocks of the file, in pixels of this picture.
  const double across = static_cast<double>(Width()) / fileWidth;
  const double down = static_cast<double>(Height()) / fileHeight;
  const SourceArea blocks{0, 0, std::min<double>(Width(), reducedWidth * factor * across),
                          std::min<double>(Height(), reducedHeight * factor * down)};
  return ResampleArea(bitmap, blocks, destination.bitmap, reducedWidth, reducedHeight);
}
