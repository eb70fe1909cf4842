// WebP decoding with libwebp: lossy and lossless pictures, with or without transparency, and
// the first frame of an animation as the browser shows it first. The picture is turned upright
// by the Exif Orientation of its EXIF chunk; its ICCP chunk names its colours.

#include <webp/decode.h>
#include <webp/demux.h>

#include <memory>
#include <new>

#include "imaging/codec/EmbeddedExif.h"
#include "imaging/codec/ExifSegment.h"
#include "imaging/codec/Formats.h"
#include "imaging/codec/PixelRows.h"
#include "raster/Bitmap.h"

namespace codec {
namespace {

struct DemuxDeleter {
  void operator()(WebPDemuxer* demux) const { WebPDemuxDelete(demux); }
};
struct AnimDecoderDeleter {
  void operator()(WebPAnimDecoder* decoder) const { WebPAnimDecoderDelete(decoder); }
};

std::vector<uint8_t> ChunkOf(WebPDemuxer* demux, const char fourcc[4]) {
  WebPChunkIterator chunk;
  std::vector<uint8_t> bytes;
  if (WebPDemuxGetChunk(demux, fourcc, 1, &chunk)) {
    bytes.assign(chunk.chunk.bytes, chunk.chunk.bytes + chunk.chunk.size);
    WebPDemuxReleaseChunkIterator(&chunk);
  }
  return bytes;
}

// The first frame of an animation, composed on its canvas; false when it cannot be decoded.
bool FirstFrame(ByteSpan file, int width, int height, int orientation, CBitmap& bitmap) {
  const WebPData data{file.data, file.size};
  WebPAnimDecoderOptions animOptions;
  if (!WebPAnimDecoderOptionsInit(&animOptions)) {
    return false;
  }
  animOptions.color_mode = MODE_RGBA;
  animOptions.use_threads = 0;
  const std::unique_ptr<WebPAnimDecoder, AnimDecoderDeleter> decoder(
      WebPAnimDecoderNew(&data, &animOptions));
  uint8_t* canvas = nullptr;
  int timestamp = 0;
  if (!decoder || !WebPAnimDecoderGetNext(decoder.get(), &canvas, &timestamp)) {
    return false;
  }
  PlaceRgbRows(canvas, static_cast<ptrdiff_t>(width) * 4, width, height, 4, orientation, bitmap);
  return true;
}

bool StillPicture(ByteSpan file, int width, int height, bool alpha, int orientation,
                  CBitmap& bitmap) {
  const int channels = alpha ? 4 : 3;
  const size_t stride = static_cast<size_t>(width) * channels;
  const size_t bytes = stride * static_cast<size_t>(height);
  const std::unique_ptr<uint8_t[]> pixels(new (std::nothrow) uint8_t[bytes]);
  if (!pixels) {
    return false;
  }
  const uint8_t* decoded =
      alpha ? WebPDecodeRGBAInto(file.data, file.size, pixels.get(), bytes, static_cast<int>(stride))
            : WebPDecodeRGBInto(file.data, file.size, pixels.get(), bytes, static_cast<int>(stride));
  if (decoded == nullptr) {
    return false;
  }
  PlaceRgbRows(pixels.get(), static_cast<ptrdiff_t>(stride), width, height, channels, orientation,
               bitmap);
  return true;
}

}  // namespace

DecodeResult DecodeWebp(ByteSpan file, CBitmap& bitmap, const DecodeOptions& options) {
  const WebPData data{file.data, file.size};
  const std::unique_ptr<WebPDemuxer, DemuxDeleter> demux(WebPDemux(&data));
  if (!demux) {
    return Failed();
  }
  const int width = static_cast<int>(WebPDemuxGetI(demux.get(), WEBP_FF_CANVAS_WIDTH));
  const int height = static_cast<int>(WebPDemuxGetI(demux.get(), WEBP_FF_CANVAS_HEIGHT));
  const uint32_t flags = WebPDemuxGetI(demux.get(), WEBP_FF_FORMAT_FLAGS);
  if (!SizeAcceptable(width, height, file.size)) {
    return Failed();
  }
  WebPBitstreamFeatures features;
  const bool animated = (flags & ANIMATION_FLAG) != 0;
  if (!animated && WebPGetFeatures(file.data, file.size, &features) != VP8_STATUS_OK) {
    return Failed();
  }
  const bool alpha = animated || features.has_alpha;
  const std::vector<uint8_t> exif = ExifPayloadOf(ChunkOf(demux.get(), "EXIF"));
  const int orientation = ReadExifOrientation(exif.data(), exif.size());
  const bool swap = OrientedRows::SwapsSides(orientation);
  const int uprightWidth = swap ? height : width;
  const int uprightHeight = swap ? width : height;
  // The library's own picture (RGBA for an animation's canvas) beside the bitmap.
  DecodeCost cost{uprightWidth, uprightHeight, 24,
                  int64_t{width} * height * (alpha ? 4 : 3)};
  if (!GateOpens(options, cost)) {
    return Failed(kOutOfMemory);
  }
  if (!CreateBitmap(bitmap, uprightWidth, uprightHeight, 24)) {
    return Failed(kOutOfMemory);
  }
  const bool decoded = animated
                           ? FirstFrame(file, width, height, orientation, bitmap)
                           : StillPicture(file, width, height, alpha, orientation, bitmap);
  if (!decoded) {
    DestroyBitmap(bitmap);
    return Failed();
  }
  DecodeResult result = Decoded(24);
  result.colour.icc = ChunkOf(demux.get(), "ICCP");
  return result;
}

}  // namespace codec
