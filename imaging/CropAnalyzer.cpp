#include "imaging/CropAnalyzer.h"

#include <algorithm>
#include <cstdint>

#include "imaging/CropRegions.h"

int CCropAnalyzer::Analyze(const CBitmap& bitmap) {
  if (bitmap.IsNull() || bitmap.Width() < kMinSide || bitmap.Height() < kMinSide ||
      bitmap.BitsPerPixel() != 24) {
    return 0;
  }
  width_ = bitmap.Width();
  height_ = bitmap.Height();
  blockRows_ = (height_ + kBlockSize - 1) / kBlockSize;
  blockColumns_ = (width_ + kBlockSize - 1) / kBlockSize;
  regionRows_ = blockRows_ / kRegionFactor;
  regionColumns_ = blockColumns_ / kRegionFactor;
  threshold_ = kNoThreshold;
  ComputeBlockMeans(bitmap);
  CompareBlocks();
  ScoreRegions();
  FindCandidates();
  ScoreFaces();
  return 1;
}

int CCropAnalyzer::Level(int difference) const {
  return (difference >= unit_ ? 1 : 0) + (difference >= 2 * unit_ ? 1 : 0) +
         (difference >= 3 * unit_ ? 1 : 0);
}

namespace {

// Adds a row's bytes to the column sums. The pointers never overlap and the loop runs in
// chunks of a fixed length, which lets the compiler vectorise it at -O2.
void AddRowBytes(uint16_t* __restrict sums, const uint8_t* __restrict row, size_t count) {
  constexpr size_t kChunk = 32;
  size_t i = 0;
  for (; i + kChunk <= count; i += kChunk) {
    for (size_t k = 0; k < kChunk; ++k) {
      sums[i + k] = static_cast<uint16_t>(sums[i + k] + row[i + k]);
    }
  }
  for (; i < count; ++i) {
    sums[i] = static_cast<uint16_t>(sums[i] + row[i]);
  }
}

}  // namespace

// The only pass over the pixels. The bytes of the rows of one block row are first added
// column by column (a loop the compiler vectorises; 8 x 255 fits 16 bits), then each block
// adds up its columns.
void CCropAnalyzer::ComputeBlockMeans(const CBitmap& bitmap) {
  means_.assign(static_cast<size_t>(blockRows_) * blockColumns_, BlockRgb{});
  const size_t rowBytes = static_cast<size_t>(width_) * 3;
  std::vector<uint16_t> columnSums(rowBytes);
  for (int r = 0; r < blockRows_; ++r) {
    std::fill(columnSums.begin(), columnSums.end(), uint16_t{0});
    const int top = r * kBlockSize;
    const int bottom = std::min(top + kBlockSize, height_);
    for (int y = top; y < bottom; ++y) {
      AddRowBytes(columnSums.data(), bitmap.Row(y), rowBytes);
    }
    BlockRgb* mean = means_.data() + static_cast<size_t>(r) * blockColumns_;
    for (int c = 0; c < blockColumns_; ++c) {
      const int left = c * kBlockSize;
      const int right = std::min(left + kBlockSize, width_);
      uint32_t blue = 0, green = 0, red = 0;
      for (const uint16_t* sum = columnSums.data() + 3 * left; sum < columnSums.data() + 3 * right;
           sum += 3) {
        blue += sum[0];
        green += sum[1];
        red += sum[2];
      }
      const uint32_t count = static_cast<uint32_t>((bottom - top) * (right - left));
      mean[c] = {static_cast<int>(red / count), static_cast<int>(green / count),
                 static_cast<int>(blue / count)};
    }
  }
}

// Each mean is converted once, a block row at a time, keeping the row above for the vertical
// differences; the skin marks are taken from the same conversion.
void CCropAnalyzer::CompareBlocks() {
  const size_t blocks = means_.size();
  horizontal_.assign(blocks, 0);
  vertical_.assign(blocks, 0);
  skinMap_.assign(blocks, 0);
  std::vector<YCbCrColor> above(blockColumns_);
  std::vector<YCbCrColor> current(blockColumns_);
  int64_t total = 0;
  for (int r = 0; r < blockRows_; ++r) {
    for (int c = 0; c < blockColumns_; ++c) {
      const size_t i = static_cast<size_t>(r) * blockColumns_ + c;
      current[c] = RgbToYCbCr(means_[i]);
      if (c > 0) {
        horizontal_[i] = ColorDistance(current[c - 1], current[c]);
      }
      if (r > 0) {
        vertical_[i] = ColorDistance(above[c], current[c]);
      }
      skinMap_[i] = IsSkinTone(current[c]) ? 1 : 0;
      total += horizontal_[i] + vertical_[i];
    }
    std::swap(above, current);
  }
  // The mean horizontal plus the mean vertical difference, truncated.
  unit_ = static_cast<int>(total / static_cast<int64_t>(blocks));
}

// Blocks beyond the last whole region row or column add to no region.
void CCropAnalyzer::ScoreRegions() {
  scores_.assign(static_cast<size_t>(regionRows_) * regionColumns_, 0);
  for (int r = 0; r < regionRows_ * kRegionFactor; ++r) {
    for (int c = 0; c < regionColumns_ * kRegionFactor; ++c) {
      const size_t i = static_cast<size_t>(r) * blockColumns_ + c;
      scores_[static_cast<size_t>(r / kRegionFactor) * regionColumns_ + c / kRegionFactor] +=
          Level(horizontal_[i]) + Level(vertical_[i]);
    }
  }
}

// A skin region is face-like when its box is at least 2 x 2 blocks, keeps off the borders of
// the grid, is between 0.6 and 2.1 times as high as wide and is at least a third filled.
void CCropAnalyzer::FindCandidates() {
  std::vector<int> counts;
  const int regions = LabelRegions(skinMap_, blockRows_, blockColumns_, counts);
  const std::vector<BlockBox> bounds = RegionBounds(skinMap_, blockRows_, blockColumns_, regions);
  candidates_.clear();
  for (int i = 0; i < regions; ++i) {
    const BlockBox& box = bounds[i];
    const int width = box.Width();
    const int height = box.Height();
    if (width < 2 || height < 2) {
      continue;
    }
    if (box.left < 1 || box.top < 1 || box.right > blockColumns_ - 2 ||
        box.bottom > blockRows_ - 2) {
      continue;
    }
    const double aspect = static_cast<double>(height) / width;
    if (aspect < 0.6 || aspect > 2.1) {
      continue;
    }
    if (width * height > 3 * counts[i]) {
      continue;
    }
    candidates_.push_back({box, counts[i]});
  }
}

// Every region that a candidate's box reaches scores as a face, whatever its edges gave.
void CCropAnalyzer::ScoreFaces() {
  for (const CropCandidate& candidate : candidates_) {
    const BlockBox& box = candidate.box;
    const int lastRow = std::min(box.bottom / kRegionFactor, regionRows_ - 1);
    const int lastColumn = std::min(box.right / kRegionFactor, regionColumns_ - 1);
    for (int row = box.top / kRegionFactor; row <= lastRow; ++row) {
      for (int column = box.left / kRegionFactor; column <= lastColumn; ++column) {
        scores_[static_cast<size_t>(row) * regionColumns_ + column] = kFaceScore;
      }
    }
  }
}

void CCropAnalyzer::MoveIntoReport(CCropReport& report) {
  report.blockRows = blockRows_;
  report.blockColumns = blockColumns_;
  report.regionRows = regionRows_;
  report.regionColumns = regionColumns_;
  report.unit = unit_;
  report.threshold = threshold_;
  report.horizontalLevels.resize(horizontal_.size());
  report.verticalLevels.resize(vertical_.size());
  for (size_t i = 0; i < horizontal_.size(); ++i) {
    report.horizontalLevels[i] = static_cast<uint8_t>(Level(horizontal_[i]));
    report.verticalLevels[i] = static_cast<uint8_t>(Level(vertical_[i]));
  }
  report.horizontalDifferences = std::move(horizontal_);
  report.verticalDifferences = std::move(vertical_);
  report.candidates = std::move(candidates_);
  report.regionScores = std::move(scores_);
}
