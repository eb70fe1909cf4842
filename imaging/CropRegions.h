#pragma once
// Grid routines of the automatic crop: grouping marked blocks into 4-connected regions, the
// box of each region, and dropping set regions that have no set neighbour.

#include <cstdint>
#include <vector>

#include "imaging/CropReport.h"

// Regions beyond this many, in order of their first block, are not considered.
inline constexpr int kMaxLabelledRegions = 999;

// map holds rows x columns cells, row-major, non-zero for a marked cell. On return every
// marked cell carries the number of its 4-connected region (1, 2, ... in the order of the
// region's first cell, rows scanned from the top and each row from the left) and every other
// cell 0; cells of regions past kMaxLabelledRegions are cleared to 0 as well. counts[i] is the
// number of cells of region i + 1. Returns the number of regions.
int LabelRegions(std::vector<int>& map, int rows, int columns, std::vector<int>& counts);

// The box of each region of a labelled map; entry i belongs to region i + 1.
std::vector<BlockBox> RegionBounds(const std::vector<int>& labels, int rows, int columns,
                                   int regionCount);

// Clears every set cell of mask (rows x columns, row-major) none of whose eight neighbours
// inside the grid is set, and gives it the score -1. Each cell is judged against the mask as
// it was when the pass began. Returns the number of cells cleared.
int MarkIsolated(std::vector<uint8_t>& mask, std::vector<int>& scores, int rows, int columns);
