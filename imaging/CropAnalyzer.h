#pragma once
// The working state of one automatic-crop analysis. The picture is cut into 8 x 8-pixel
// blocks; neighbouring blocks are compared to find where the picture is busy, the block
// levels are summed over 32-pixel regions, and skin-coloured face-like blobs make their
// regions count as busy. A strategy then frames the busy regions.

#include <vector>

#include "imaging/CropColor.h"
#include "imaging/CropReport.h"
#include "imaging/Rect.h"
#include "raster/Bitmap.h"

class CCropAnalyzer {
 public:
  static constexpr int kBlockSize = 8;
  static constexpr int kRegionFactor = 4;  // blocks per region side
  static constexpr int kRegionSize = kBlockSize * kRegionFactor;
  static constexpr int kMinSide = 64;
  static constexpr int kFaceScore = 64;
  static constexpr int kNoThreshold = 256;

  // Block means, differences, region scores, skin candidates and face scores. 0 when the
  // picture is under 64 pixels on a side or not 24 bits per pixel. Throws std::bad_alloc.
  int Analyze(const CBitmap& bitmap);
  // Frames the busy regions with strategy 1 (trim quiet margins) or 2 (bounding box of the
  // busiest regions). Returns the strategy and sets rect, or returns 0 and leaves rect alone.
  int ApplyStrategy(int strategy, Rect& rect);
  // Hands the analysis over to a report; the analyser is spent afterwards.
  void MoveIntoReport(CCropReport& report);

  // For tests of the block means; the rest of the analysis is read from the report.
  int BlockRows() const { return blockRows_; }
  int BlockColumns() const { return blockColumns_; }
  int RegionRows() const { return regionRows_; }
  int RegionColumns() const { return regionColumns_; }
  const std::vector<BlockRgb>& Means() const { return means_; }

 private:
  // How many of the thresholds u, 2u and 3u a block difference reaches.
  int Level(int difference) const;
  void ComputeBlockMeans(const CBitmap& bitmap);
  void CompareBlocks();
  void ScoreRegions();
  void FindCandidates();
  void ScoreFaces();
  int TrimQuietMargins(Rect& rect) const;
  int BoundBusiestRegions(Rect& rect);
  int BusyInRegionRow(int row) const;
  int BusyInRegionColumn(int column) const;

  int width_ = 0;
  int height_ = 0;
  int blockRows_ = 0;
  int blockColumns_ = 0;
  int regionRows_ = 0;
  int regionColumns_ = 0;
  int unit_ = 0;
  int threshold_ = kNoThreshold;
  std::vector<BlockRgb> means_;
  std::vector<int> horizontal_;
  std::vector<int> vertical_;
  std::vector<int> scores_;
  std::vector<int> skinMap_;  // 1 skin, 0 not; then region labels
  std::vector<CropCandidate> candidates_;
};
