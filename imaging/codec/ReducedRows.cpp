#include "imaging/codec/ReducedRows.h"

#include <algorithm>

#include "raster/Bitmap.h"

namespace codec {

int64_t CReducedRows::WorkingBytes(int width, int factor, int bytesPerPixel) {
  return int64_t{Reduced(width, factor)} * bytesPerPixel * int64_t{sizeof(uint32_t)};
}

CReducedRows::CReducedRows(CBitmap& bitmap, int width, int factor, int bytesPerPixel, bool averaged)
    : bitmap_(bitmap),
      factor_(factor),
      bytesPerPixel_(bytesPerPixel),
      averaged_(averaged),
      reducedWidth_(Reduced(width, factor)),
      sums_(static_cast<size_t>(reducedWidth_) * bytesPerPixel, 0) {}

void CReducedRows::Add(const uint8_t* row) {
  const int blockRow = y_ / factor_;
  const int within = y_ % factor_;
  ++y_;
  if (blockRow >= bitmap_.Height()) {
    return;  // rows that make no whole block
  }
  const auto values = static_cast<size_t>(reducedWidth_) * bytesPerPixel_;
  if (!averaged_) {
    if (within == 0) {
      uint8_t* out = bitmap_.Row(blockRow);
      for (int x = 0; x < reducedWidth_; ++x) {
        std::copy_n(row + static_cast<size_t>(x) * factor_ * bytesPerPixel_, bytesPerPixel_,
                    out + static_cast<size_t>(x) * bytesPerPixel_);
      }
    }
    return;
  }
  const size_t step = static_cast<size_t>(factor_) * bytesPerPixel_;
  for (size_t v = 0; v < values; ++v) {
    const size_t x = v / bytesPerPixel_;
    const uint8_t* in = row + x * step + v % bytesPerPixel_;
    uint32_t sum = 0;
    for (int i = 0; i < factor_; ++i) {
      sum += in[static_cast<size_t>(i) * bytesPerPixel_];
    }
    sums_[v] += sum;
  }
  if (within == factor_ - 1) {
    const uint32_t count = static_cast<uint32_t>(factor_) * factor_;
    uint8_t* out = bitmap_.Row(blockRow);
    for (size_t v = 0; v < values; ++v) {
      out[v] = static_cast<uint8_t>((sums_[v] + count / 2) / count);
      sums_[v] = 0;
    }
  }
}

}  // namespace codec
