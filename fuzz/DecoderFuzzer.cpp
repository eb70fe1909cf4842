// libFuzzer target for one picture decoder, chosen when it is built (QUILLARAN_FUZZ_DECODER),
// and for the lossless turn of its format when it has one (QUILLARAN_FUZZ_TURN):
// any bytes must decode or fail without a fault, and what decodes must be a picture the
// loader accepts as it claims.

#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "imaging/codec/CarriedTurn.h"
#include "imaging/codec/Formats.h"
#include "raster/Bitmap.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  CBitmap bitmap;
#ifdef QUILLARAN_FUZZ_TURN
  // The turn that rewrites the file's own orientation follows its structure as the decoder
  // does; what it writes must decode or fail without a fault too.
  if (const auto turned = codec::QUILLARAN_FUZZ_TURN({data, size}, static_cast<int>(size % 2))) {
    CBitmap turnedBitmap;
    codec::QUILLARAN_FUZZ_DECODER({turned->data(), turned->size()}, turnedBitmap);
  }
#endif
#ifdef QUILLARAN_FUZZ_SHRINK
  // Each divisor that the loader may ask for, 1, 2, 4 or 8, chosen by the input's length.
  const codec::DecodeOptions options{.shrink = [size](int, int) { return 1 << (size % 4); }};
  const codec::DecodeResult result = codec::QUILLARAN_FUZZ_DECODER({data, size}, bitmap, options);
#else
  const codec::DecodeResult result = codec::QUILLARAN_FUZZ_DECODER({data, size}, bitmap);
#endif
  if (result.status != codec::kOk || (result.depth != 8 && result.depth != 24)) {
    return 0;
  }
  if (bitmap.IsNull() || bitmap.BitsPerPixel() != result.depth ||
      !codec::SizeAcceptable(bitmap.Width(), bitmap.Height(), size)) {
    std::abort();
  }
  // The corners, where a row placed wrongly would land outside the bitmap.
  volatile uint8_t touch = bitmap.Row(0)[0];
  touch = bitmap.Row(bitmap.Height() - 1)[bitmap.Width() * result.depth / 8 - 1];
  (void)touch;
  return 0;
}
