#pragma once
// What one automatic-crop analysis found, handed back to the caller so that the picture window
// can draw the diagnostic view: block differences and their levels, the face-like candidates,
// the region scores, the threshold, the grid sizes and the proposed rectangle.

#include <cstdint>
#include <vector>

#include "imaging/Rect.h"

// A box of blocks; all four edges are inclusive block columns and rows.
struct BlockBox {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  int Width() const { return right - left + 1; }
  int Height() const { return bottom - top + 1; }
  bool operator==(const BlockBox&) const = default;
};

// A skin-coloured region that looks like a face: its box in blocks and its number of blocks.
struct CropCandidate {
  BlockBox box;
  int count = 0;
  bool operator==(const CropCandidate&) const = default;
};

struct CCropReport {
  // Grid sizes: 8-pixel blocks and whole 32-pixel regions.
  int blockRows = 0;
  int blockColumns = 0;
  int regionRows = 0;
  int regionColumns = 0;
  // u, the first of the three difference thresholds u, 2u and 3u.
  int unit = 0;
  // Per block, row-major: the colour distance to the block on the left (horizontal) and to
  // the block above (vertical), and how many of the thresholds each reaches (0 to 3).
  std::vector<int> horizontalDifferences;
  std::vector<int> verticalDifferences;
  std::vector<uint8_t> horizontalLevels;
  std::vector<uint8_t> verticalLevels;
  std::vector<CropCandidate> candidates;
  // Per region, row-major, after faces and after isolated regions were dropped (-1).
  std::vector<int> regionScores;
  // The score a region must exceed to count for the busiest-regions strategy; 256 when that
  // strategy did not run.
  int threshold = 256;
  // The proposal when result is above 0, else empty.
  Rect rect;
  int result = 0;
};
