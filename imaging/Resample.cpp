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
// Fraction bits kept between the sum down and the sum across.
constexpr int kRowFractionBits = 8;

bool IsWhole(double value) { return value == std::floor(value); }

// The source pixels that each destination pixel of one axis covers, with their weights:
// every destination pixel has the same number of taps (the most any of them needs), those it
// does not need weighing 0, so that the loops over them have a fixed length.
struct Taps {
  int size = 1;                 // taps per destination pixel
  std::vector<int> first;       // per destination pixel: the source pixel of its first tap
  std::vector<uint32_t> weights;  // size per destination pixel
};

Taps MakeTaps(double from, double to, int destinationCount, int sourceCount) {
  const double step = (to - from) / destinationCount;
  struct Span {
    double a, b;
    int first, last;
  };
  std::vector<Span> spans;
  Taps taps;
  for (int i = 0; i < destinationCount; ++i) {
    Span span;
    span.a = std::clamp(from + i * step, 0.0, static_cast<double>(sourceCount));
    span.b = std::clamp(from + (i + 1) * step, 0.0, static_cast<double>(sourceCount));
    span.first = std::min(static_cast<int>(std::floor(span.a)), sourceCount - 1);
    span.last = std::max(span.first + 1, std::min(static_cast<int>(std::ceil(span.b)), sourceCount));
    taps.size = std::max(taps.size, span.last - span.first);
    spans.push_back(span);
  }
  taps.size = std::min(taps.size, sourceCount);
  for (const Span& span : spans) {
    // The taps start early enough that all of them lie inside the source.
    const int first = std::min(span.first, sourceCount - taps.size);
    taps.first.push_back(first);
    const size_t start = taps.weights.size();
    taps.weights.resize(start + static_cast<size_t>(taps.size), 0);
    uint32_t* weight = &taps.weights[start];
    if (span.b <= span.a) {  // an area that lies past the source takes its last pixel
      weight[span.first - first] = kWholeWeight;
      continue;
    }
    // Weights by the part of each source pixel inside [a, b); rounding is put right on the
    // heaviest, so that a flat area stays exactly flat.
    uint32_t sum = 0;
    for (int k = span.first; k < span.last; ++k) {
      const double covered = std::min(span.b, k + 1.0) - std::max(span.a, static_cast<double>(k));
      weight[k - first] =
          static_cast<uint32_t>(std::lround(covered / (span.b - span.a) * kWholeWeight));
      sum += weight[k - first];
    }
    *std::max_element(weight, weight + taps.size) += kWholeWeight - sum;
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
        if constexpr (Channels == 3) {
          uint32_t blue = 0;
          uint32_t green = 0;
          uint32_t red = 0;
          for (int k = 0; k < nx; ++k, in += 3) {
            blue += in[0];
            green += in[1];
            red += in[2];
          }
          sum[0] += blue;
          sum[1] += green;
          sum[2] += red;
        } else {
          uint32_t grey = 0;
          for (int k = 0; k < nx; ++k, ++in) {
            grey += in[0];
          }
          sum[0] += grey;
        }
      }
    }
    uint8_t* row = out.Row(y);
    for (size_t i = 0; i < sums.size(); ++i) {
      row[i] = static_cast<uint8_t>((sums[i] + cells / 2) / cells);
    }
  }
}

// One destination row across: each pixel is the weighted sum of its taps in values (Channels
// values a pixel, 8 bits of fraction), rounded. Size is the number of taps, fixed where it is
// small so that the loops unroll.
template <int Channels, int Size>
void SumAcross(const Taps& across, const uint32_t* values, uint8_t* out, int width) {
  const int taps = Size > 0 ? Size : across.size;
  constexpr int kShift = kWeightBits + kRowFractionBits;
  constexpr uint32_t kHalf = 1u << (kShift - 1);
  const uint32_t* weight = across.weights.data();
  for (int x = 0; x < width; ++x, weight += taps, out += Channels) {
    const uint32_t* pixel = values + static_cast<ptrdiff_t>(across.first[x]) * Channels;
    // Plain locals, not an array, so that the sums stay in registers. The weights of each
    // axis add up to a whole pixel, so no sum exceeds 255 once shifted.
    if constexpr (Channels == 3) {
      uint32_t blue = kHalf;
      uint32_t green = kHalf;
      uint32_t red = kHalf;
      for (int k = 0; k < taps; ++k, pixel += 3) {
        blue += weight[k] * pixel[0];
        green += weight[k] * pixel[1];
        red += weight[k] * pixel[2];
      }
      out[0] = static_cast<uint8_t>(blue >> kShift);
      out[1] = static_cast<uint8_t>(green >> kShift);
      out[2] = static_cast<uint8_t>(red >> kShift);
    } else {
      uint32_t grey = kHalf;
      for (int k = 0; k < taps; ++k) {
        grey += weight[k] * pixel[k];
      }
      out[0] = static_cast<uint8_t>(grey >> kShift);
    }
  }
}

// The source rows under one destination row summed down, with 8 bits of fraction kept.
template <int Size>
void SumDown(const CBitmap& source, const Taps& down, int y, uint32_t* out, size_t count) {
  const int taps = Size > 0 ? Size : down.size;
  const uint32_t* weight = &down.weights[static_cast<size_t>(y) * static_cast<size_t>(taps)];
  const uint8_t* rows[Size > 0 ? Size : 1];
  constexpr uint32_t kHalf = 1u << (kWeightBits - kRowFractionBits - 1);
  constexpr int kShift = kWeightBits - kRowFractionBits;
  if constexpr (Size > 0) {
    for (int k = 0; k < Size; ++k) {
      rows[k] = source.Row(down.first[y] + k);
    }
    for (size_t i = 0; i < count; ++i) {
      uint32_t sum = kHalf;
      for (int k = 0; k < Size; ++k) {
        sum += weight[k] * rows[k][i];
      }
      out[i] = sum >> kShift;
    }
  } else {
    std::fill(out, out + count, kHalf);
    for (int k = 0; k < taps; ++k) {
      const uint8_t* in = source.Row(down.first[y] + k);
      for (size_t i = 0; i < count; ++i) {
        out[i] += weight[k] * in[i];
      }
    }
    for (size_t i = 0; i < count; ++i) {
      out[i] >>= kShift;
    }
  }
}

// Each destination pixel is the area-weighted mean of the source under it: the source rows
// under a destination row are summed down first, whole rows at a time, then across.
template <int Channels>
void AreaMeans(const CBitmap& source, const SourceArea& area, CBitmap& out) {
  const int width = out.Width();
  const Taps across = MakeTaps(area.left, area.right, width, source.Width());
  const Taps down = MakeTaps(area.top, area.bottom, out.Height(), source.Height());
  const size_t sourceValues = static_cast<size_t>(source.Width()) * Channels;
  std::vector<uint32_t> column(sourceValues);
  for (int y = 0; y < out.Height(); ++y) {
    switch (down.size) {
      case 2:
        SumDown<2>(source, down, y, column.data(), sourceValues);
        break;
      case 3:
        SumDown<3>(source, down, y, column.data(), sourceValues);
        break;
      default:
        SumDown<0>(source, down, y, column.data(), sourceValues);
        break;
    }
    uint8_t* row = out.Row(y);
    switch (across.size) {
      case 2:
        SumAcross<Channels, 2>(across, column.data(), row, width);
        break;
      case 3:
        SumAcross<Channels, 3>(across, column.data(), row, width);
        break;
      default:
        SumAcross<Channels, 0>(across, column.data(), row, width);
        break;
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
