#pragma once
// Places decoded rows into a bitmap so that the picture comes out upright, for the eight EXIF
// orientations. The decoder delivers rows of the picture as stored (stored width x stored
// height); orientations 5 to 8 swap the sides.

#include <cstdint>
#include <cstring>

#include "raster/Bitmap.h"

namespace codec {

class OrientedRows {
 public:
  OrientedRows() = default;
  OrientedRows(CBitmap& bitmap, int orientation, int storedWidth, int storedHeight,
               int bytesPerPixel)
      : bitmap_(&bitmap),
        orientation_(orientation),
        width_(storedWidth),
        height_(storedHeight),
        bytes_(bytesPerPixel) {}

  static bool SwapsSides(int orientation) { return orientation >= 5 && orientation <= 8; }

  // The bitmap row that stored row y can be decoded into directly; null when the row has to
  // go through Place.
  uint8_t* DirectRow(int y) const { return orientation_ == 1 ? bitmap_->Row(y) : nullptr; }

  // Copies stored row y (packed pixels) to where it belongs in the upright picture.
  void Place(int y, const uint8_t* pixels) const {
    switch (orientation_) {
      case 2:  // mirrored left to right
        Reversed(bitmap_->Row(y), pixels);
        break;
      case 3:  // upside down
        Reversed(bitmap_->Row(height_ - 1 - y), pixels);
        break;
      case 4:  // mirrored top to bottom
        std::memcpy(bitmap_->Row(height_ - 1 - y), pixels, RowSize());
        break;
      case 5:  // transposed: stored rows become columns, top down
        AsColumn(y, pixels, false);
        break;
      case 6:  // stored turned a quarter left; the first stored row is the right column
        AsColumn(height_ - 1 - y, pixels, false);
        break;
      case 7:  // transposed the other way
        AsColumn(height_ - 1 - y, pixels, true);
        break;
      case 8:  // stored turned a quarter right; the first stored row is the left column
        AsColumn(y, pixels, true);
        break;
      default:
        std::memcpy(bitmap_->Row(y), pixels, RowSize());
        break;
    }
  }

 private:
  size_t RowSize() const { return static_cast<size_t>(width_) * bytes_; }

  void Reversed(uint8_t* out, const uint8_t* in) const {
    for (int x = 0; x < width_; ++x) {
      std::memcpy(out + static_cast<size_t>(width_ - 1 - x) * bytes_,
                  in + static_cast<size_t>(x) * bytes_, static_cast<size_t>(bytes_));
    }
  }

  // Writes the stored row down column `column` of the upright picture; bottomUp starts the
  // row at the bottom.
  void AsColumn(int column, const uint8_t* in, bool bottomUp) const {
    const size_t offset = static_cast<size_t>(column) * bytes_;
    for (int x = 0; x < width_; ++x) {
      uint8_t* out = bitmap_->Row(bottomUp ? width_ - 1 - x : x) + offset;
      for (int b = 0; b < bytes_; ++b) {
        out[b] = in[x * bytes_ + b];
      }
    }
  }

  CBitmap* bitmap_ = nullptr;
  int orientation_ = 1;
  int width_ = 0;
  int height_ = 0;
  int bytes_ = 3;
};

}  // namespace codec
