// libFuzzer target for the conversion of pictures to sRGB: any bytes as an ICC profile (or,
// after a "C", as CICP primaries and transfer) on a colour and a palette picture must convert
// them or be refused with a reason, without a fault.

#include <cstddef>
#include <cstdint>

#include "imaging/codec/ColourConvert.h"
#include "raster/Bitmap.h"

namespace {

void Convert(const codec::ColourTag& tag, int depth) {
  CBitmap bitmap;
  if (CreateBitmap(bitmap, 17, 3, depth) == 0) {
    return;
  }
  for (int y = 0; y < bitmap.Height(); ++y) {
    for (int x = 0; x < bitmap.Width() * depth / 8; ++x) {
      bitmap.Row(y)[x] = static_cast<uint8_t>(x * 37 + y * 91);
    }
  }
  for (int i = 0; i < 256; ++i) {
    const auto v = static_cast<uint8_t>(i);
    bitmap.ColorTable()[static_cast<size_t>(i)] = RgbQuad{v, static_cast<uint8_t>(255 - v), v, 0};
  }
  codec::ConvertToSrgb(tag, bitmap);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  codec::ColourTag tag;
  if (size == 3 && data[0] == 'C') {
    tag.cicpPrimaries = data[1];
    tag.cicpTransfer = data[2];
  } else {
    tag.icc.assign(data, data + size);
  }
  Convert(tag, 24);
  Convert(tag, 8);
  return 0;
}
