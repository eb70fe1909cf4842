// HEIF (HEIC from phones) and AVIF decoding with libheif. The library turns the picture upright
// by the file's own rotation and mirroring, which take the place of any Exif Orientation; its
// ICC profile or CICP codes name its colours.

#include <libheif/heif.h>

#include <memory>

#include "imaging/codec/Formats.h"
#include "imaging/codec/HeifFile.h"
#include "imaging/codec/PixelRows.h"
#include "raster/Bitmap.h"

namespace codec {
namespace {

struct ImageDeleter {
  void operator()(heif_image* image) const { heif_image_release(image); }
};
struct OptionsDeleter {
  void operator()(heif_decoding_options* options) const { heif_decoding_options_free(options); }
};

}  // namespace

DecodeResult DecodeHeif(ByteSpan file, CBitmap& bitmap, const DecodeOptions& options) {
  const HeifFile heif(file);
  heif_image_handle* handle = heif.PrimaryHandle();
  if (handle == nullptr) {
    return Failed();
  }
  const int width = heif_image_handle_get_width(handle);
  const int height = heif_image_handle_get_height(handle);
  if (!SizeAcceptable(width, height, file.size)) {
    return Failed();
  }
  const bool alpha = heif_image_handle_has_alpha_channel(handle) != 0;
  const int channels = alpha ? 4 : 3;
  // The decoded planes, then the interleaved picture the library converts them to.
  const DecodeCost cost{width, height, 24, int64_t{width} * height * (3 + channels)};
  if (!GateOpens(options, cost)) {
    return Failed(kOutOfMemory);
  }
  const std::unique_ptr<heif_decoding_options, OptionsDeleter> decoding(
      heif_decoding_options_alloc());
  heif_image* decoded = nullptr;
  if (heif_decode_image(handle, &decoded, heif_colorspace_RGB,
                        alpha ? heif_chroma_interleaved_RGBA : heif_chroma_interleaved_RGB,
                        decoding.get())
          .code != heif_error_Ok) {
    return Failed();
  }
  const std::unique_ptr<heif_image, ImageDeleter> image(decoded);
  int stride = 0;
  const uint8_t* pixels = heif_image_get_plane_readonly(image.get(), heif_channel_interleaved, &stride);
  const int shownWidth = heif_image_get_width(image.get(), heif_channel_interleaved);
  const int shownHeight = heif_image_get_height(image.get(), heif_channel_interleaved);
  if (pixels == nullptr || heif_image_get_bits_per_pixel_range(image.get(), heif_channel_interleaved) != 8 ||
      !SizeAcceptable(shownWidth, shownHeight, file.size)) {
    return Failed();
  }
  if (!CreateBitmap(bitmap, shownWidth, shownHeight, 24)) {
    return Failed(kOutOfMemory);
  }
  PlaceRgbRows(pixels, stride, shownWidth, shownHeight, channels, 1, bitmap);
  DecodeResult result = Decoded(24);
  result.colour = heif.Colours();
  return result;
}

}  // namespace codec
