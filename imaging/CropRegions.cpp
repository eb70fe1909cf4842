#include "imaging/CropRegions.h"

#include <algorithm>
#include <cstddef>

namespace {

// Provisional labels joined while scanning; each set is known by its root label.
class CLabelJoins {
 public:
  CLabelJoins() : parent_{0} {}
  int Add() {
    parent_.push_back(static_cast<int>(parent_.size()));
    return parent_.back();
  }
  int Root(int label) {
    while (parent_[label] != label) {
      parent_[label] = parent_[parent_[label]];
      label = parent_[label];
    }
    return label;
  }
  // Joins the sets of two roots; returns the root of the joined set.
  int Join(int first, int second) {
    if (first == second) {
      return first;
    }
    const int low = std::min(first, second);
    parent_[std::max(first, second)] = low;
    return low;
  }
  size_t Size() const { return parent_.size(); }

 private:
  std::vector<int> parent_;
};

}  // namespace

int LabelRegions(std::vector<int>& map, int rows, int columns, std::vector<int>& counts) {
  CLabelJoins joins;
  // First pass: each run of marked cells takes the label of the marked cells above it,
  // joining their labels when there are several, or a new label.
  for (int r = 0; r < rows; ++r) {
    int* row = map.data() + static_cast<ptrdiff_t>(r) * columns;
    const int* above = r > 0 ? row - columns : nullptr;
    for (int c = 0; c < columns;) {
      if (row[c] == 0) {
        ++c;
        continue;
      }
      const int start = c;
      while (c < columns && row[c] != 0) {
        ++c;
      }
      int label = 0;
      if (above != nullptr) {
        for (int k = start; k < c; ++k) {
          if (above[k] != 0) {
            const int root = joins.Root(above[k]);
            label = label == 0 ? root : joins.Join(label, root);
          }
        }
      }
      if (label == 0) {
        label = joins.Add();
      }
      std::fill(row + start, row + c, label);
    }
  }
  // Second pass: number the joined sets in the order of their first cell.
  std::vector<int> number(joins.Size(), 0);
  int regions = 0;
  counts.clear();
  for (int& cell : map) {
    if (cell == 0) {
      continue;
    }
    const int root = joins.Root(cell);
    if (number[root] == 0) {
      number[root] = regions < kMaxLabelledRegions ? ++regions : -1;
      if (number[root] > 0) {
        counts.push_back(0);
      }
    }
    cell = std::max(number[root], 0);
    if (cell > 0) {
      ++counts[cell - 1];
    }
  }
  return regions;
}

std::vector<BlockBox> RegionBounds(const std::vector<int>& labels, int rows, int columns,
                                   int regionCount) {
  std::vector<BlockBox> bounds(regionCount, BlockBox{columns, rows, -1, -1});
  for (int r = 0; r < rows; ++r) {
    for (int c = 0; c < columns; ++c) {
      const int label = labels[static_cast<size_t>(r) * columns + c];
      if (label <= 0 || label > regionCount) {
        continue;
      }
      BlockBox& box = bounds[label - 1];
      box.left = std::min(box.left, c);
      box.right = std::max(box.right, c);
      box.top = std::min(box.top, r);
      box.bottom = std::max(box.bottom, r);
    }
  }
  return bounds;
}

namespace {

bool HasSetNeighbour(const std::vector<uint8_t>& mask, int rows, int columns, int r, int c) {
  for (int nr = std::max(r - 1, 0); nr <= std::min(r + 1, rows - 1); ++nr) {
    for (int nc = std::max(c - 1, 0); nc <= std::min(c + 1, columns - 1); ++nc) {
      if ((nr != r || nc != c) && mask[static_cast<size_t>(nr) * columns + nc] != 0) {
        return true;
      }
    }
  }
  return false;
}

}  // namespace

int MarkIsolated(std::vector<uint8_t>& mask, std::vector<int>& scores, int rows, int columns) {
  // A cell removed earlier in the pass still counts as set for its neighbours, so the
  // decisions are taken first and carried out afterwards.
  std::vector<size_t> isolated;
  for (int r = 0; r < rows; ++r) {
    for (int c = 0; c < columns; ++c) {
      const size_t i = static_cast<size_t>(r) * columns + c;
      if (mask[i] != 0 && !HasSetNeighbour(mask, rows, columns, r, c)) {
        isolated.push_back(i);
      }
    }
  }
  for (size_t i : isolated) {
    mask[i] = 0;
    scores[i] = -1;
  }
  return static_cast<int>(isolated.size());
}
