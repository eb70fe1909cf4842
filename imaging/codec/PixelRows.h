#pragma once
// Rows of 8-bit RGB or RGBA pixels, as the HEIF, WebP and TIFF libraries deliver them, placed
// into a 24-bit bitmap (blue, green, red) the right way up. Transparent pixels are laid over
// white, as a browser shows them on a white page.

#include <cstdint>
#include <vector>

#include "imaging/codec/OrientedRows.h"

namespace codec {

// Converts one row of width pixels of channels bytes each (3: RGB, 4: RGBA) into BGR.
inline void RgbRowToBgr(const uint8_t* in, int width, int channels, uint8_t* out) {
  for (int x = 0; x < width; ++x, in += channels, out += 3) {
    if (channels == 4 && in[3] != 255) {
      const int alpha = in[3];
      const auto over = [alpha](int c) {
        return static_cast<uint8_t>((c * alpha + 255 * (255 - alpha) + 127) / 255);
      };
      out[0] = over(in[2]);
      out[1] = over(in[1]);
      out[2] = over(in[0]);
    } else {
      out[0] = in[2];
      out[1] = in[1];
      out[2] = in[0];
    }
  }
}

// Places the stored rows (storedWidth x storedHeight, rows stride bytes apart) into bitmap,
// which is already made at the upright size for orientation (1 to 8).
inline void PlaceRgbRows(const uint8_t* pixels, ptrdiff_t stride, int storedWidth,
                         int storedHeight, int channels, int orientation, CBitmap& bitmap) {
  const OrientedRows rows(bitmap, orientation, storedWidth, storedHeight, 3);
  std::vector<uint8_t> row(static_cast<size_t>(storedWidth) * 3);
  for (int y = 0; y < storedHeight; ++y) {
    const uint8_t* in = pixels + y * stride;
    if (uint8_t* direct = rows.DirectRow(y)) {
      RgbRowToBgr(in, storedWidth, channels, direct);
    } else {
      RgbRowToBgr(in, storedWidth, channels, row.data());
      rows.Place(y, row.data());
    }
  }
}

}  // namespace codec
