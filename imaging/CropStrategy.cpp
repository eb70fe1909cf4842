// The two ways of framing the busy regions of an analysed picture.

#include <algorithm>
#include <cstddef>
#include <cstdint>

#include "imaging/CropAnalyzer.h"
#include "imaging/CropRegions.h"

namespace {

// A region is busy for the margin trim when its score is above 2R + 1.
constexpr int kBusyScore = 2 * CCropAnalyzer::kRegionFactor + 1;
// A line is kept once a fifth of the measure is busy.
constexpr int kBusyShare = 5;
// At least one side must lose more than this share of its lines.
constexpr double kWorthTrimming = 0.1;

}  // namespace

int CCropAnalyzer::ApplyStrategy(int strategy, Rect& rect) {
  if (strategy == 1) {
    return TrimQuietMargins(rect);
  }
  if (strategy == 2) {
    return BoundBusiestRegions(rect);
  }
  return 0;
}

int CCropAnalyzer::BusyInRegionRow(int row) const {
  const auto first = scores_.begin() + static_cast<ptrdiff_t>(row) * regionColumns_;
  return static_cast<int>(
      std::count_if(first, first + regionColumns_, [](int s) { return s > kBusyScore; }));
}

int CCropAnalyzer::BusyInRegionColumn(int column) const {
  int busy = 0;
  for (int row = 0; row < regionRows_; ++row) {
    busy += scores_[static_cast<size_t>(row) * regionColumns_ + column] > kBusyScore ? 1 : 0;
  }
  return busy;
}

// Trims quiet region lines from the four sides in steps of one region. A row is measured
// against the number of region rows and a column against the number of region columns (not
// against their own lengths), and the bottom and right edges move from the picture's own
// edges, which may lie beyond the last whole region.
int CCropAnalyzer::TrimQuietMargins(Rect& rect) const {
  Rect trimmed{0, 0, width_, height_};
  int topRows = 0;
  for (int i = 0; i < regionRows_ && kBusyShare * BusyInRegionRow(i) < regionRows_; ++i) {
    trimmed.top += kRegionSize;
    ++topRows;
  }
  int bottomRows = 0;
  for (int j = regionRows_ - 1; j >= 1 && kBusyShare * BusyInRegionRow(j) < regionRows_; --j) {
    trimmed.bottom -= kRegionSize;
    ++bottomRows;
  }
  int leftColumns = 0;
  for (int k = 0; k < regionColumns_ && kBusyShare * BusyInRegionColumn(k) < regionColumns_; ++k) {
    trimmed.left += kRegionSize;
    ++leftColumns;
  }
  int rightColumns = 0;
  for (int l = regionColumns_ - 1; l >= 1 && kBusyShare * BusyInRegionColumn(l) < regionColumns_;
       --l) {
    trimmed.right -= kRegionSize;
    ++rightColumns;
  }
  if (topRows + bottomRows + leftColumns + rightColumns == 0 || trimmed.left > trimmed.right ||
      trimmed.top > trimmed.bottom) {
    return 0;
  }
  const double rows = regionRows_;
  const double columns = regionColumns_;
  if (topRows / rows <= kWorthTrimming && bottomRows / rows <= kWorthTrimming &&
      leftColumns / columns <= kWorthTrimming && rightColumns / columns <= kWorthTrimming) {
    return 0;
  }
  rect = trimmed;
  return 1;
}

// Keeps the regions above a threshold taken from the highest ordinary score, drops the
// isolated ones and bounds the rest. With no region left there is nothing to propose.
int CCropAnalyzer::BoundBusiestRegions(Rect& rect) {
  const size_t regions = scores_.size();
  int highest = scores_[0];
  bool anyFace = false;
  for (size_t i = 1; i < regions; ++i) {
    if (scores_[i] >= kFaceScore) {
      anyFace = true;
    } else {
      highest = std::max(highest, scores_[i]);
    }
  }
  threshold_ = anyFace ? 3 * highest / 4 : highest / 2;
  std::vector<uint8_t> mask(regions);
  std::transform(scores_.begin(), scores_.end(), mask.begin(),
                 [this](int s) { return s > threshold_ ? 1 : 0; });
  MarkIsolated(mask, scores_, regionRows_, regionColumns_);

  int firstRow = regionRows_, lastRow = -1, firstColumn = regionColumns_, lastColumn = -1;
  for (int row = 0; row < regionRows_; ++row) {
    for (int column = 0; column < regionColumns_; ++column) {
      if (mask[static_cast<size_t>(row) * regionColumns_ + column] != 0) {
        firstRow = std::min(firstRow, row);
        lastRow = std::max(lastRow, row);
        firstColumn = std::min(firstColumn, column);
        lastColumn = std::max(lastColumn, column);
      }
    }
  }
  if (lastRow < 0) {
    return 0;
  }
  rect = {kRegionSize * firstColumn, kRegionSize * firstRow, kRegionSize * (lastColumn + 1),
          kRegionSize * (lastRow + 1)};
  return 2;
}
