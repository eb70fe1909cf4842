#include "imaging/Resample.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <utility>
#include <vector>

namespace {

// Weights are fixed point: 1 << kWeightBits is the whole pixel.
constexpr int kWeightBits = 14;
constexpr uint32_t kWholeWeight = 1u << kWeightBits;
// A row reduced across keeps 8 bits of fraction, so that the reduction down cannot overflow.
constexpr int kRowFractionBits = 8;

bool IsWhole(double value) { return value == std::floor(value); }

// The source pixels that each destination pixel of one axis covers, with their weights.
struct Taps {
  std::vector<int> first;       // per destination pixel: the first source pixel it covers
  std::vector<int> start;       // per destination pixel: its first weight in weights
  std::vector<int> count;       // per destination pixel: how many source pixels it covers
  std::vector<uint32_t> weights;
};

Taps MakeTaps(double from, double to, int destinationCount, int sourceCount) {
  Taps taps;
  const double step = (to - from) / destinationCount;
  for (int i = 0; i < destinationCount; ++i) {
    const double a = std::clamp(from + i * step, 0.0, static_cast<double>(sourceCount));
    const double b = std::clamp(from + (i + 1) * step, 0.0, static_cast<double>(sourceCount));
    const int first = std::min(static_cast<int>(std::floor(a)), sourceCount - 1);
    const int last = std::max(first + 1, std::min(static_cast<int>(std::ceil(b)), sourceCount));
    taps.first.push_back(first);
    taps.start.push_back(static_cast<int>(taps.weights.size()));
    if (b <= a) {  // an area that lies past the source takes its last pixel
      taps.count.push_back(1);
      taps.weights.push_back(kWholeWeight);
      continue;
    }
    // Weights by the part of each source pixel inside [a, b); rounding is put right on the
    // heaviest, so that a flat area stays exactly flat.
    const auto start = taps.weights.end() - taps.weights.begin();
    uint32_t sum = 0;
    for (int k = first; k < last; ++k) {
      const double covered = std::min(b, k + 1.0) - std::max(a, static_cast<double>(k));
      const auto weight = static_cast<uint32_t>(std::lround(covered / (b - a) * kWholeWeight));
      taps.weights.push_back(weight);
      sum += weight;
    }
    *std::max_element(taps.weights.begin() + start, taps.weights.end()) += kWholeWeight - sum;
    taps.count.push_back(last - first);
  }
  return taps;
}

// Each destination pixel is the mean of its nx x ny block, the blocks starting at (left, top).
template <int Channels>
void BlockMeans(const CBitmap& source, int left, int top, int nx, int ny, CBitmap& out) {
  const int width = out.Width();
  const uint32_t cells = static_cast<uint32_t>(nx) * static_cast<uint32_t>(ny);
  std::vector<uint32_t> sums(static_cast<size_t>(width) * Channels);
  for (int y = 0; y < out.Height(); ++y) {
    std::fill(sums.begin(), sums.end(), 0u);
    for (int j = 0; j < ny; ++j) {
      const uint8_t* in = source.Row(top + y * ny + j) + static_cast<ptrdiff_t>(left) * Channels;
      uint32_t* sum = sums.data();
      for (int x = 0; x < width; ++x, sum += Channels) {
        for (int k = 0; k < nx; ++k, in += Channels) {
          for (int c = 0; c < Channels; ++c) {
            sum[c] += in[c];
          }
        }
      }
    }
    uint8_t* row = out.Row(y);
    for (size_t i = 0; i < sums.size(); ++i) {
      row[i] = static_cast<uint8_t>((sums[i] + cells / 2) / cells);
    }
  }
}

// Each destination pixel is the area-weighted mean of the source under it.
template <int Channels>
void AreaMeans(const CBitmap& source, const SourceArea& area, CBitmap& out) {
  const int width = out.Width();
  const Taps across = MakeTaps(area.left, area.right, width, source.Width());
  const Taps down = MakeTaps(area.top, area.bottom, out.Height(), source.Height());
  const size_t rowValues = static_cast<size_t>(width) * Channels;

  // One source row reduced across; the last two are kept, since a row on the border of two
  // destination rows serves both.
  std::vector<uint32_t> reduced[2] = {std::vector<uint32_t>(rowValues),
                                      std::vector<uint32_t>(rowValues)};
  int reducedRow[2] = {-1, -1};
  auto reduceAcross = [&](int y) -> const std::vector<uint32_t>& {
    for (int slot = 0; slot < 2; ++slot) {
      if (reducedRow[slot] == y) {
        return reduced[slot];
      }
    }
    const int slot = reducedRow[0] < reducedRow[1] ? 0 : 1;
    reducedRow[slot] = y;
    const uint8_t* in = source.Row(y);
    uint32_t* value = reduced[slot].data();
    for (int x = 0; x < width; ++x, value += Channels) {
      const uint8_t* pixel = in + static_cast<ptrdiff_t>(across.first[x]) * Channels;
      const uint32_t* weight = &across.weights[static_cast<size_t>(across.start[x])];
      uint32_t sum[Channels] = {};
      for (int k = 0; k < across.count[x]; ++k, pixel += Channels) {
        for (int c = 0; c < Channels; ++c) {
          sum[c] += weight[k] * pixel[c];
        }
      }
      for (int c = 0; c < Channels; ++c) {
        value[c] = (sum[c] + (1u << (kWeightBits - kRowFractionBits - 1))) >>
                   (kWeightBits - kRowFractionBits);
      }
    }
    return reduced[slot];
  };

  std::vector<uint32_t> sums(rowValues);
  constexpr int kShift = kWeightBits + kRowFractionBits;
  for (int y = 0; y < out.Height(); ++y) {
    std::fill(sums.begin(), sums.end(), 0u);
    const uint32_t* weight = &down.weights[static_cast<size_t>(down.start[y])];
    for (int k = 0; k < down.count[y]; ++k) {
      const std::vector<uint32_t>& row = reduceAcross(down.first[y] + k);
      for (size_t i = 0; i < rowValues; ++i) {
        sums[i] += weight[k] * row[i];
      }
    }
    uint8_t* row = out.Row(y);
    for (size_t i = 0; i < rowValues; ++i) {
      row[i] = static_cast<uint8_t>(std::min<uint32_t>(255, (sums[i] + (1u << (kShift - 1))) >> kShift));
    }
  }
}

// Each destination pixel is the source pixel at the top-left of its area.
void PickPixels(const CBitmap& source, const SourceArea& area, CBitmap& out) {
  const int bytes = source.BitsPerPixel() / 8;
  const double stepX = (area.right - area.left) / out.Width();
  const double stepY = (area.bottom - area.top) / out.Height();
  std::vector<int> columns(static_cast<size_t>(out.Width()));
  for (int x = 0; x < out.Width(); ++x) {
    columns[static_cast<size_t>(x)] =
        std::clamp(static_cast<int>(std::floor(area.left + x * stepX)), 0, source.Width() - 1);
  }
  for (int y = 0; y < out.Height(); ++y) {
    const int sourceY =
        std::clamp(static_cast<int>(std::floor(area.top + y * stepY)), 0, source.Height() - 1);
    const uint8_t* in = source.Row(sourceY);
    uint8_t* row = out.Row(y);
    for (int x = 0; x < out.Width(); ++x, row += bytes) {
      std::memcpy(row, in + static_cast<ptrdiff_t>(columns[static_cast<size_t>(x)]) * bytes,
                  static_cast<size_t>(bytes));
    }
  }
}

template <int Channels>
void Means(const CBitmap& source, const SourceArea& area, CBitmap& out) {
  const double nx = (area.right - area.left) / out.Width();
  const double ny = (area.bottom - area.top) / out.Height();
  if (IsWhole(area.left) && IsWhole(area.top) && IsWhole(nx) && IsWhole(ny) && nx >= 1 &&
      ny >= 1 && area.right <= source.Width() && area.bottom <= source.Height()) {
    BlockMeans<Channels>(source, static_cast<int>(area.left), static_cast<int>(area.top),
                         static_cast<int>(nx), static_cast<int>(ny), out);
  } else {
    AreaMeans<Channels>(source, area, out);
  }
}

}  // namespace

FitPlan PlanFit(int width, int height, int longestSide) {
  FitPlan plan;
  if (longestSide <= 0 || width <= 0 || height <= 0) {
    return plan;
  }
  plan.factor = (std::max(width, height) - 1) / longestSide + 1;
  if (width > height) {
    plan.displayWidth = longestSide;
    plan.displayHeight = static_cast<int>(static_cast<int64_t>(height) * longestSide / width);
  } else {
    plan.displayHeight = longestSide;
    plan.displayWidth = static_cast<int>(static_cast<int64_t>(width) * longestSide / height);
  }
  return plan;
}

bool Averageable(const CBitmap& bitmap) {
  if (bitmap.BitsPerPixel() == 24) {
    return true;
  }
  if (bitmap.BitsPerPixel() != 8) {
    return false;
  }
  for (int i = 0; i < 256; ++i) {
    const RgbQuad& entry = bitmap.ColorTable()[static_cast<size_t>(i)];
    if (entry.red != i || entry.green != i || entry.blue != i) {
      return false;
    }
  }
  return true;
}

int ResampleArea(const CBitmap& source, const SourceArea& area, CBitmap& destination, int width,
                 int height) {
  CBitmap out;
  if (source.IsNull() || !(area.right > area.left) || !(area.bottom > area.top) ||
      !CreateBitmap(out, width, height, source.BitsPerPixel())) {
    if (&destination != &source) {
      DestroyBitmap(destination);
    }
    return 0;
  }
  if (source.BitsPerPixel() <= 8) {
    CopyColorTable(source, out);
  }
  if (!Averageable(source)) {
    PickPixels(source, area, out);
  } else if (source.BitsPerPixel() == 24) {
    Means<3>(source, area, out);
  } else {
    Means<1>(source, area, out);
  }
  destination = std::move(out);
  return 1;
}
