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
// Fraction bits kept between the sum down and the sum across: a summed value is at most
// 255 << 8, so the rows between the two passes hold 16 bits a value.
constexpr int kRowFractionBits = 8;

bool IsWhole(double value) { return value == std::floor(value); }

// The source pixels that each destination pixel of one axis covers, with their weights:
// every destination pixel has the same number of taps (the most any of them needs), those it
// does not need weighing 0, so that the loops over them have a fixed length.
struct Taps {
  int size = 1;                   // taps per destination pixel
  std::vector<int> first;         // per destination pixel: the source pixel of its first tap
  std::vector<uint16_t> weights;  // size per destination pixel
};

Taps MakeTaps(double from, double to, int destinationCount, int sourceCount) {
  const double step = (to - from) / destinationCount;
  // Per destination pixel, the weights of the source pixels from `start` on, by the part of
  // each inside [a, b); rounding is put right on the heaviest, so that a flat area stays
  // exactly flat. Pixels that round to nothing are left out, so that a step that is whole
  // but for the last bits of a double does not cost a tap.
  struct Span {
    int start = 0;
    std::vector<uint32_t> weights;
  };
  std::vector<Span> spans(static_cast<size_t>(destinationCount));
  Taps taps;
  for (int i = 0; i < destinationCount; ++i) {
    Span& span = spans[static_cast<size_t>(i)];
    const double a = std::clamp(from + i * step, 0.0, static_cast<double>(sourceCount));
    const double b = std::clamp(from + (i + 1) * step, 0.0, static_cast<double>(sourceCount));
    const int first = std::min(static_cast<int>(std::floor(a)), sourceCount - 1);
    if (b <= a) {  // an area that lies past the source takes its last pixel
      span.start = first;
      span.weights = {kWholeWeight};
      continue;
    }
    const int last = std::max(first + 1, std::min(static_cast<int>(std::ceil(b)), sourceCount));
    uint32_t sum = 0;
    for (int k = first; k < last; ++k) {
      const double covered = std::min(b, k + 1.0) - std::max(a, static_cast<double>(k));
      span.weights.push_back(static_cast<uint32_t>(std::lround(covered / (b - a) * kWholeWeight)));
      sum += span.weights.back();
    }
    *std::max_element(span.weights.begin(), span.weights.end()) += kWholeWeight - sum;
    const auto used = [](uint32_t weight) { return weight != 0; };
    const auto begin = std::find_if(span.weights.begin(), span.weights.end(), used);
    const auto end = std::find_if(span.weights.rbegin(), span.weights.rend(), used).base();
    span.start = first + static_cast<int>(begin - span.weights.begin());
    span.weights = std::vector<uint32_t>(begin, end);
    taps.size = std::max(taps.size, static_cast<int>(span.weights.size()));
  }
  for (const Span& span : spans) {
    // The taps start early enough that all of them lie inside the source.
    const int first = std::min(span.start, sourceCount - taps.size);
    taps.first.push_back(first);
    const size_t at = taps.weights.size();
    taps.weights.resize(at + static_cast<size_t>(taps.size), 0);
    for (size_t k = 0; k < span.weights.size(); ++k) {
      taps.weights[at + static_cast<size_t>(span.start - first) + k] =
          static_cast<uint16_t>(span.weights[k]);
    }
  }
  return taps;
}

// Division by a fixed number of cells, as a multiplication where that is exact: for every
// total below 256 x cells when cells <= 2^20 (the error of the rounded-up reciprocal stays
// below one part in cells). A division per pixel would cost more than adding up its block.
class CellDivider {
 public:
  explicit CellDivider(uint32_t cells)
      : cells_(cells), multiplier_(cells <= (1u << 20) ? (uint64_t{1} << 48) / cells + 1 : 0) {}
  uint32_t operator()(uint32_t total) const {
    return multiplier_ != 0 ? static_cast<uint32_t>((total * multiplier_) >> 48) : total / cells_;
  }

 private:
  uint32_t cells_;
  uint64_t multiplier_;
};

// Each destination pixel is the mean of its nx x ny block, the blocks starting at (left, top):
// the block's rows are added down first, a whole row at a time, then across.
template <int Channels, typename Sum>
void BlockMeans(const CBitmap& source, int left, int top, int nx, int ny, CBitmap& out) {
  const int width = out.Width();
  const uint32_t cells = static_cast<uint32_t>(nx) * static_cast<uint32_t>(ny);
  const CellDivider mean(cells);
  const size_t values = static_cast<size_t>(width) * static_cast<size_t>(nx) * Channels;
  std::vector<Sum> column(values);
  for (int y = 0; y < out.Height(); ++y) {
    const uint8_t* in = source.Row(top + y * ny) + static_cast<ptrdiff_t>(left) * Channels;
    Sum* sum = column.data();
    for (size_t i = 0; i < values; ++i) {
      sum[i] = in[i];
    }
    for (int j = 1; j < ny; ++j) {
      in = source.Row(top + y * ny + j) + static_cast<ptrdiff_t>(left) * Channels;
      for (size_t i = 0; i < values; ++i) {
        sum[i] = static_cast<Sum>(sum[i] + in[i]);
      }
    }
    uint8_t* row = out.Row(y);
    for (int x = 0; x < width; ++x, row += Channels) {
      if constexpr (Channels == 3) {
        uint32_t blue = cells / 2;
        uint32_t green = cells / 2;
        uint32_t red = cells / 2;
        for (int k = 0; k < nx; ++k, sum += 3) {
          blue += sum[0];
          green += sum[1];
          red += sum[2];
        }
        row[0] = static_cast<uint8_t>(mean(blue));
        row[1] = static_cast<uint8_t>(mean(green));
        row[2] = static_cast<uint8_t>(mean(red));
      } else {
        uint32_t grey = cells / 2;
        for (int k = 0; k < nx; ++k, ++sum) {
          grey += sum[0];
        }
        row[0] = static_cast<uint8_t>(mean(grey));
      }
    }
  }
}

// One destination row across: each pixel is the weighted sum of its taps in values (Channels
// values a pixel, 8 bits of fraction), rounded. Size is the number of taps, fixed where it is
// small so that the loops unroll.
template <int Channels, int Size>
void SumAcross(const Taps& across, const uint16_t* values, uint8_t* out, int width) {
  const int taps = Size > 0 ? Size : across.size;
  constexpr int kShift = kWeightBits + kRowFractionBits;
  constexpr uint32_t kHalf = 1u << (kShift - 1);
  if constexpr (Size == 1) {
    // A single tap weighs a whole pixel: the value is only rounded back to 8 bits, and where
    // the columns run on one by one, a whole row at a time.
    const int first = across.first.front();
    const bool contiguous = across.first.back() - first == width - 1;
    const uint16_t* from = values + static_cast<ptrdiff_t>(first) * Channels;
    for (int x = 0; x < width; ++x, out += Channels) {
      if (!contiguous) {
        from = values + static_cast<ptrdiff_t>(across.first[x]) * Channels;
      }
      for (int c = 0; c < Channels; ++c) {
        out[c] = static_cast<uint8_t>((from[c] + (1u << (kRowFractionBits - 1))) >> kRowFractionBits);
      }
      if (contiguous) {
        from += Channels;
      }
    }
    return;
  }
  const uint16_t* weight = across.weights.data();
  for (int x = 0; x < width; ++x, weight += taps, out += Channels) {
    const uint16_t* pixel = values + static_cast<ptrdiff_t>(across.first[x]) * Channels;
    // Plain locals, not an array, so that the sums stay in registers. The weights of each
    // axis add up to a whole pixel, so no sum exceeds 255 once shifted.
    if constexpr (Channels == 3) {
      uint32_t blue = kHalf;
      uint32_t green = kHalf;
      uint32_t red = kHalf;
      for (int k = 0; k < taps; ++k, pixel += 3) {
        blue += uint32_t{weight[k]} * pixel[0];
        green += uint32_t{weight[k]} * pixel[1];
        red += uint32_t{weight[k]} * pixel[2];
      }
      out[0] = static_cast<uint8_t>(blue >> kShift);
      out[1] = static_cast<uint8_t>(green >> kShift);
      out[2] = static_cast<uint8_t>(red >> kShift);
    } else {
      uint32_t grey = kHalf;
      for (int k = 0; k < taps; ++k) {
        grey += uint32_t{weight[k]} * pixel[k];
      }
      out[0] = static_cast<uint8_t>(grey >> kShift);
    }
  }
}

// The source rows under one destination row summed down from value offset on, with 8 bits of
// fraction kept. The loop over the values is the long one, so it is the inner one, for the
// vector unit. Sums holds count values when Size is 0 (any number of taps).
template <int Size>
void SumDown(const CBitmap& source, const Taps& down, int y, uint16_t* out, size_t count,
             int offset, uint32_t* sums) {
  const int taps = Size > 0 ? Size : down.size;
  const uint16_t* weight = &down.weights[static_cast<size_t>(y) * static_cast<size_t>(taps)];
  constexpr uint32_t kHalf = 1u << (kWeightBits - kRowFractionBits - 1);
  constexpr int kShift = kWeightBits - kRowFractionBits;
  if constexpr (Size > 0) {
    const uint8_t* rows[Size];
    uint16_t weights[Size];
    for (int k = 0; k < Size; ++k) {
      rows[k] = source.Row(down.first[y] + k) + offset;
      weights[k] = weight[k];
    }
    for (size_t i = 0; i < count; ++i) {
      uint32_t sum = kHalf;
      for (int k = 0; k < Size; ++k) {
        sum += uint32_t{weights[k]} * uint16_t{rows[k][i]};
      }
      out[i] = static_cast<uint16_t>(sum >> kShift);
    }
  } else {
    std::fill(sums, sums + count, kHalf);
    for (int k = 0; k < taps; ++k) {
      const uint8_t* in = source.Row(down.first[y] + k) + offset;
      const uint32_t w = weight[k];
      for (size_t i = 0; i < count; ++i) {
        sums[i] += w * uint16_t{in[i]};
      }
    }
    for (size_t i = 0; i < count; ++i) {
      out[i] = static_cast<uint16_t>(sums[i] >> kShift);
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
  // Only the source columns that some tap reads are summed down.
  const int firstColumn = across.first.front();
  const size_t columns = static_cast<size_t>(across.first.back() + across.size - firstColumn);
  Taps shifted = across;
  for (int& first : shifted.first) {
    first -= firstColumn;
  }
  const size_t values = columns * Channels;
  std::vector<uint16_t> column(values);
  std::vector<uint32_t> sums(down.size > 3 ? values : 0);
  // The loops with a fixed number of taps, chosen once for the picture.
  using SumDownLoop = void (*)(const CBitmap&, const Taps&, int, uint16_t*, size_t, int, uint32_t*);
  using SumAcrossLoop = void (*)(const Taps&, const uint16_t*, uint8_t*, int);
  const SumDownLoop sumDown = down.size == 1   ? SumDown<1>
                              : down.size == 2 ? SumDown<2>
                              : down.size == 3 ? SumDown<3>
                                               : SumDown<0>;
  const SumAcrossLoop sumAcross = shifted.size == 1   ? SumAcross<Channels, 1>
                                  : shifted.size == 2 ? SumAcross<Channels, 2>
                                  : shifted.size == 3 ? SumAcross<Channels, 3>
                                                      : SumAcross<Channels, 0>;
  for (int y = 0; y < out.Height(); ++y) {
    sumDown(source, down, y, column.data(), values, firstColumn * Channels, sums.data());
    sumAcross(shifted, column.data(), out.Row(y), width);
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

// The destination's pixels are the source's from (left value, top) on.
void CopyRows(const CBitmap& source, int leftValue, int top, CBitmap& out) {
  const size_t bytes = static_cast<size_t>(out.Width()) * static_cast<size_t>(out.BitsPerPixel() / 8);
  for (int y = 0; y < out.Height(); ++y) {
    std::memcpy(out.Row(y), source.Row(top + y) + leftValue, bytes);
  }
}

template <int Channels>
void Means(const CBitmap& source, const SourceArea& area, CBitmap& out) {
  const double nx = (area.right - area.left) / out.Width();
  const double ny = (area.bottom - area.top) / out.Height();
  if (IsWhole(area.left) && IsWhole(area.top) && IsWhole(nx) && IsWhole(ny) && nx >= 1 &&
      ny >= 1 && area.right <= source.Width() && area.bottom <= source.Height()) {
    const int left = static_cast<int>(area.left);
    const int top = static_cast<int>(area.top);
    if (nx == 1 && ny == 1) {
      CopyRows(source, left * Channels, top, out);
      return;
    }
    // A column of up to 257 rows of bytes adds up within 16 bits.
    if (ny <= 257) {
      BlockMeans<Channels, uint16_t>(source, left, top, static_cast<int>(nx), static_cast<int>(ny),
                                     out);
    } else {
      BlockMeans<Channels, uint32_t>(source, left, top, static_cast<int>(nx), static_cast<int>(ny),
                                     out);
    }
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
    plan.displayHeight = std::max(1, static_cast<int>(int64_t{height} * longestSide / width));
  } else {
    plan.displayHeight = longestSide;
    plan.displayWidth = std::max(1, static_cast<int>(int64_t{width} * longestSide / height));
  }
  plan.width = std::max(1, width / plan.factor);
  plan.height = std::max(1, height / plan.factor);
  plan.coveredWidth = std::min(width, plan.width * plan.factor);
  plan.coveredHeight = std::min(height, plan.height * plan.factor);
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
