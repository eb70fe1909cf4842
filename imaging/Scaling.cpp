// Reduction to thumb size and for the picture window: by a whole factor, each n x n block
// becoming one pixel (Resample.h: the block's mean where pixels can be averaged).

#include <algorithm>

#include "imaging/ImageOperations.h"
#include "imaging/ImageWrap.h"
#include "imaging/Resample.h"

int ScaleImageToFit(const CImageWrap& image, CImageWrap& destination, int longestSide) {
  if (longestSide <= 0 || image.Width() <= 0 || image.Height() <= 0) {
    return 0;
  }
  // The display size stays set even when the reduction below fails.
  const FitPlan plan = PlanFit(image.Width(), image.Height(), longestSide);
  destination.displayWidth = plan.displayWidth;
  destination.displayHeight = plan.displayHeight;
  const SourceArea covered{0, 0, static_cast<double>(plan.coveredWidth),
                           static_cast<double>(plan.coveredHeight)};
  return ResampleArea(image.bitmap, covered, destination.bitmap, plan.width, plan.height);
}

int SubsampleImage(const CImageWrap& image, CImageWrap& destination, int factor) {
  const int width = image.Width();
  const int height = image.Height();
  if (factor < 1 || factor > width || factor > height) {
    return 0;
  }
  // The last width mod n columns and height mod n rows are left out.
  const int reducedWidth = width / factor;
  const int reducedHeight = height / factor;
  const SourceArea blocks{0, 0, static_cast<double>(reducedWidth) * factor,
                          static_cast<double>(reducedHeight) * factor};
  return ResampleArea(image.bitmap, blocks, destination.bitmap, reducedWidth, reducedHeight);
}

int SubsampleDecodedImage(const CImageWrap& image, CImageWrap& destination, int factor,
                          int fileWidth, int fileHeight) {
  if (factor < 1 || fileWidth < factor || fileHeight < factor || image.Width() <= 0 ||
      image.Height() <= 0) {
    return 0;
  }
  const int reducedWidth = fileWidth / factor;
  const int reducedHeight = fileHeight / factor;
  // The whole blocks of the file, in pixels of &image picture.
  const double across = static_cast<double>(image.Width()) / fileWidth;
  const double down = static_cast<double>(image.Height()) / fileHeight;
  const SourceArea blocks{0, 0, std::min<double>(image.Width(), reducedWidth * factor * across),
                          std::min<double>(image.Height(), reducedHeight * factor * down)};
  return ResampleArea(image.bitmap, blocks, destination.bitmap, reducedWidth, reducedHeight);
}
