#include <gtest/gtest.h>

#include <cstdint>
#include <deque>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "imaging/CropRegions.h"

namespace {

struct Grid {
  int rows = 0;
  int columns = 0;
  std::vector<int> cells;
};

// '#' marks a cell; every row must be as long as the first.
Grid GridFromRows(const std::vector<std::string>& rows) {
  Grid grid{static_cast<int>(rows.size()), static_cast<int>(rows[0].size()), {}};
  for (const std::string& row : rows) {
    for (char ch : row) {
      grid.cells.push_back(ch == '#' ? 1 : 0);
    }
  }
  return grid;
}

// Reference labelling: a breadth-first flood fill started from each unlabelled marked cell in
// scan order, so regions are numbered in the order of their first cell.
std::vector<int> FloodFillLabels(const Grid& grid, int& regions) {
  std::vector<int> labels(grid.cells.size(), 0);
  regions = 0;
  for (size_t start = 0; start < grid.cells.size(); ++start) {
    if (grid.cells[start] == 0 || labels[start] != 0) {
      continue;
    }
    labels[start] = ++regions;
    std::deque<size_t> queue{start};
    while (!queue.empty()) {
      const int r = static_cast<int>(queue.front()) / grid.columns;
      const int c = static_cast<int>(queue.front()) % grid.columns;
      queue.pop_front();
      const std::pair<int, int> steps[] = {{-1, 0}, {1, 0}, {0, -1}, {0, 1}};
      for (auto [dr, dc] : steps) {
        const int nr = r + dr;
        const int nc = c + dc;
        if (nr < 0 || nr >= grid.rows || nc < 0 || nc >= grid.columns) {
          continue;
        }
        const size_t n = static_cast<size_t>(nr) * grid.columns + nc;
        if (grid.cells[n] != 0 && labels[n] == 0) {
          labels[n] = regions;
          queue.push_back(n);
        }
      }
    }
  }
  return labels;
}

void ExpectSameAsFloodFill(const Grid& grid) {
  int expectedRegions = 0;
  const std::vector<int> expected = FloodFillLabels(grid, expectedRegions);
  std::vector<int> labels = grid.cells;
  std::vector<int> counts;
  ASSERT_EQ(LabelRegions(labels, grid.rows, grid.columns, counts), expectedRegions);
  EXPECT_EQ(labels, expected);
  std::vector<int> expectedCounts(expectedRegions, 0);
  for (int label : expected) {
    if (label > 0) {
      ++expectedCounts[label - 1];
    }
  }
  EXPECT_EQ(counts, expectedCounts);
}

struct Shape {
  const char* name;
  std::vector<std::string> rows;
  int regions;
};

class LabelRegionsShape : public testing::TestWithParam<Shape> {};

TEST_P(LabelRegionsShape, MatchesFloodFill) {
  const Grid grid = GridFromRows(GetParam().rows);
  int regions = 0;
  FloodFillLabels(grid, regions);
  EXPECT_EQ(regions, GetParam().regions);
  ExpectSameAsFloodFill(grid);
}

INSTANTIATE_TEST_SUITE_P(
    AutoCropRegions, LabelRegionsShape,
    testing::Values(Shape{"U", {"#...#", "#...#", "#...#", "#####"}, 1},
                    Shape{
                        "W", {"#...#...#", "#...#...#", "##.###.##", ".#.#.#.#.", ".###.###."}, 1},
                    Shape{"Spiral",
                          {"#########", "#.......#", "#.#####.#", "#.#...#.#", "#.#.#.#.#",
                           "#.#.###.#", "#.#.....#", "#.#######"},
                          1},
                    // The right arm takes a label before the blob does; once the bar joins the
                    // arms, the blob is the second region.
                    Shape{"Joined arms around a blob",
                          {"..#.....#", "..#.##..#", "..#.....#", "..#######", "#........"},
                          3},
                    Shape{"Diagonal cells stay apart", {"#.#", ".#.", "#.#"}, 5},
                    Shape{"Nothing marked", {"....", "...."}, 0}),
    [](const testing::TestParamInfo<Shape>& info) {
      std::string name;
      for (const char* p = info.param.name; *p != '\0'; ++p) {
        if (*p != ' ') {
          name += *p;
        }
      }
      return name;
    });

TEST(AutoCropRegions, LabelRegionsMatchesFloodFillOnRandomMasks) {
  std::mt19937 random(20240611);
  for (int round = 0; round < 40; ++round) {
    Grid grid{7 + round % 13, 5 + round % 17, {}};
    const uint32_t density = 96 + (round % 5) * 24;  // out of 256
    for (int i = 0; i < grid.rows * grid.columns; ++i) {
      grid.cells.push_back((random() & 0xFF) < density ? 1 : 0);
    }
    SCOPED_TRACE(round);
    ExpectSameAsFloodFill(grid);
  }
}

TEST(AutoCropRegions, RegionsPastTheLimitAreDropped) {
  // A checkerboard of 64 x 64 cells holds 2048 single-cell regions.
  Grid grid{64, 64, {}};
  for (int r = 0; r < 64; ++r) {
    for (int c = 0; c < 64; ++c) {
      grid.cells.push_back((r + c) % 2 == 0 ? 1 : 0);
    }
  }
  std::vector<int> labels = grid.cells;
  std::vector<int> counts;
  ASSERT_EQ(LabelRegions(labels, 64, 64, counts), kMaxLabelledRegions);
  EXPECT_EQ(counts, std::vector<int>(kMaxLabelledRegions, 1));
  // 999 = 31 full rows of 32 cells and 7 cells of row 31 (columns 1, 3, ..., 13).
  EXPECT_EQ(labels[31 * 64 + 13], 999);
  EXPECT_EQ(labels[31 * 64 + 15], 0);
  EXPECT_EQ(labels[63 * 64 + 63], 0);
}

TEST(AutoCropRegions, RegionBoundsAreInclusiveBlockBoxes) {
  Grid grid = GridFromRows({"......", ".##...", "..#..#", "..##.#", "......"});
  std::vector<int> counts;
  const int regions = LabelRegions(grid.cells, grid.rows, grid.columns, counts);
  ASSERT_EQ(regions, 2);
  const std::vector<BlockBox> bounds = RegionBounds(grid.cells, grid.rows, grid.columns, regions);
  ASSERT_EQ(bounds.size(), 2u);
  EXPECT_EQ(bounds[0], (BlockBox{1, 1, 3, 3}));
  EXPECT_EQ(bounds[1], (BlockBox{5, 2, 5, 3}));
  EXPECT_EQ(bounds[0].Width(), 3);
  EXPECT_EQ(bounds[1].Height(), 2);
  EXPECT_EQ(counts, (std::vector<int>{5, 2}));
}

// An isolated cell has no set neighbour, so taking it out can never isolate another: judging
// every cell against the mask as the pass found it is the same as judging it with the cells
// removed so far still counted as set.
TEST(AutoCropRegions, MarkIsolatedDropsLoneCellsOnly) {
  const Grid grid = GridFromRows({
      "#....#",  // both corners alone
      "..#...",  // diagonal pair
      "...#..",  //
      "##....",  // side by side
      "....#.",  // alone
  });
  std::vector<uint8_t> mask(grid.cells.begin(), grid.cells.end());
  std::vector<int> scores(mask.size());
  for (size_t i = 0; i < scores.size(); ++i) {
    scores[i] = 10 + static_cast<int>(i);
  }
  EXPECT_EQ(MarkIsolated(mask, scores, grid.rows, grid.columns), 3);
  const Grid kept = GridFromRows({"......", "..#...", "...#..", "##....", "......"});
  EXPECT_EQ(std::vector<int>(mask.begin(), mask.end()), kept.cells);
  for (size_t i = 0; i < scores.size(); ++i) {
    const bool removed = i == 0 || i == 5 || i == 4 * 6 + 4;
    EXPECT_EQ(scores[i], removed ? -1 : 10 + static_cast<int>(i)) << i;
  }
}

TEST(AutoCropRegions, MarkIsolatedOnTinyGrids) {
  std::vector<uint8_t> single{1};
  std::vector<int> singleScore{50};
  EXPECT_EQ(MarkIsolated(single, singleScore, 1, 1), 1);
  EXPECT_EQ(single[0], 0);
  EXPECT_EQ(singleScore[0], -1);

  std::vector<uint8_t> full(4, 1);
  std::vector<int> fullScores(4, 96);
  EXPECT_EQ(MarkIsolated(full, fullScores, 2, 2), 0);
  EXPECT_EQ(full, std::vector<uint8_t>(4, 1));
  EXPECT_EQ(fullScores, std::vector<int>(4, 96));
}

}  // namespace
