// TIFF decoding with libtiff: 8 or 16 bits a channel, RGB, grey, palette, CMYK and the other
// photometric kinds that libtiff's RGBA reader knows, from the first page of the file. The
// picture is turned upright by its Orientation tag; an RGB ICC profile names its colours.

#include <tiffio.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <mutex>
#include <new>

#include "imaging/codec/Formats.h"
#include "imaging/codec/PixelRows.h"
#include "raster/Bitmap.h"

namespace codec {
namespace {

// The file in memory, read through libtiff's client procedures.
struct MemoryFile {
  ByteSpan bytes;
  toff_t position = 0;
};

tmsize_t ReadProc(thandle_t handle, void* out, tmsize_t size) {
  auto* file = static_cast<MemoryFile*>(handle);
  if (size < 0 || file->position > file->bytes.size) {
    return 0;
  }
  const auto count = std::min<toff_t>(static_cast<toff_t>(size), file->bytes.size - file->position);
  std::memcpy(out, file->bytes.data + file->position, count);
  file->position += count;
  return static_cast<tmsize_t>(count);
}
tmsize_t WriteProc(thandle_t, void*, tmsize_t) { return 0; }
toff_t SeekProc(thandle_t handle, toff_t offset, int whence) {
  auto* file = static_cast<MemoryFile*>(handle);
  const toff_t base = whence == SEEK_CUR   ? file->position
                      : whence == SEEK_END ? file->bytes.size
                                           : 0;
  file->position = base + offset;
  return file->position;
}
int CloseProc(thandle_t) { return 0; }
toff_t SizeProc(thandle_t handle) { return static_cast<MemoryFile*>(handle)->bytes.size; }

struct TiffCloser {
  void operator()(TIFF* tiff) const { TIFFClose(tiff); }
};
struct OpenOptionsFree {
  void operator()(TIFFOpenOptions* options) const { TIFFOpenOptionsFree(options); }
};
struct RgbaCloser {
  void operator()(TIFFRGBAImage* image) const { TIFFRGBAImageEnd(image); }
};

// libtiff reports to standard error unless told otherwise; a damaged file is our message.
void SilenceLibtiff() {
  static std::once_flag once;
  std::call_once(once, [] {
    TIFFSetErrorHandler(nullptr);
    TIFFSetWarningHandler(nullptr);
  });
}

ColourTag ColoursOf(TIFF* tiff) {
  ColourTag tag;
  uint32_t size = 0;
  void* profile = nullptr;
  // Only a profile of RGB colours describes the RGB pixels the reader makes.
  if (TIFFGetField(tiff, TIFFTAG_ICCPROFILE, &size, &profile) == 1 && profile != nullptr &&
      size > 20 && std::memcmp(static_cast<const uint8_t*>(profile) + 16, "RGB ", 4) == 0) {
    const auto* bytes = static_cast<const uint8_t*>(profile);
    tag.icc.assign(bytes, bytes + size);
  }
  return tag;
}

}  // namespace

DecodeResult DecodeTiff(ByteSpan file, CBitmap& bitmap, const DecodeOptions& options) {
  SilenceLibtiff();
  MemoryFile memory{file};
  // No buffer of libtiff's may outgrow the largest picture this file may hold at 16 bits for
  // each of four channels: a damaged strip or tile size would otherwise ask for gigabytes.
  const std::unique_ptr<TIFFOpenOptions, OpenOptionsFree> limits(TIFFOpenOptionsAlloc());
  if (!limits) {
    return Failed(kOutOfMemory);
  }
  const int64_t mostPixels = std::min<int64_t>(
      kMaxPixels,
      static_cast<int64_t>(std::min<size_t>(file.size, kMaxFileBytes)) * kMaxPixelsPerFileByte);
  TIFFOpenOptionsSetMaxSingleMemAlloc(limits.get(),
                                      static_cast<tmsize_t>(mostPixels * 8 + (1 << 20)));
  const std::unique_ptr<TIFF, TiffCloser> tiff(
      TIFFClientOpenExt("picture", "rm", &memory, ReadProc, WriteProc, SeekProc, CloseProc,
                        SizeProc, nullptr, nullptr, limits.get()));
  if (!tiff) {
    return Failed();
  }
  uint32_t width = 0;
  uint32_t height = 0;
  uint16_t orientation = ORIENTATION_TOPLEFT;
  TIFFGetField(tiff.get(), TIFFTAG_IMAGEWIDTH, &width);
  TIFFGetField(tiff.get(), TIFFTAG_IMAGELENGTH, &height);
  TIFFGetFieldDefaulted(tiff.get(), TIFFTAG_ORIENTATION, &orientation);
  if (!SizeAcceptable(width, height, file.size)) {
    return Failed();
  }
  orientation = orientation >= 1 && orientation <= 8 ? orientation : 1;
  char why[1024] = {};
  if (TIFFRGBAImageOK(tiff.get(), why) != 1) {
    return Failed();
  }
  const bool swap = OrientedRows::SwapsSides(orientation);
  const auto w = static_cast<int>(width);
  const auto h = static_cast<int>(height);
  // The reader's RGBA raster beside the bitmap.
  if (!GateOpens(options, {swap ? h : w, swap ? w : h, 24, int64_t{w} * h * 4})) {
    return Failed(kOutOfMemory);
  }
  TIFFRGBAImage reader{};
  if (TIFFRGBAImageBegin(&reader, tiff.get(), 0, why) != 1) {
    return Failed();
  }
  const std::unique_ptr<TIFFRGBAImage, RgbaCloser> closer(&reader);
  // Rows as stored, top first; the orientation is applied as they are placed.
  reader.req_orientation = ORIENTATION_TOPLEFT;
  reader.orientation = ORIENTATION_TOPLEFT;
  const std::unique_ptr<uint32_t[]> raster(new (std::nothrow) uint32_t[size_t{width} * height]);
  if (!raster || TIFFRGBAImageGet(&reader, raster.get(), width, height) != 1) {
    return Failed(raster ? kFail : kOutOfMemory);
  }
  if (!CreateBitmap(bitmap, swap ? h : w, swap ? w : h, 24)) {
    return Failed(kOutOfMemory);
  }
  // The raster packs each pixel as R, G, B, A from the low byte up.
  std::vector<uint8_t> rgba(size_t{width} * 4);
  const OrientedRows rows(bitmap, orientation, w, h, 3);
  std::vector<uint8_t> row(size_t{width} * 3);
  for (int y = 0; y < h; ++y) {
    const uint32_t* in = raster.get() + size_t{width} * static_cast<size_t>(y);
    for (uint32_t x = 0; x < width; ++x) {
      rgba[4 * x] = static_cast<uint8_t>(TIFFGetR(in[x]));
      rgba[4 * x + 1] = static_cast<uint8_t>(TIFFGetG(in[x]));
      rgba[4 * x + 2] = static_cast<uint8_t>(TIFFGetB(in[x]));
      rgba[4 * x + 3] = static_cast<uint8_t>(TIFFGetA(in[x]));
    }
    RgbRowToBgr(rgba.data(), w, 4, row.data());
    rows.Place(y, row.data());
  }
  DecodeResult result = Decoded(24);
  result.colour = ColoursOf(tiff.get());
  return result;
}

}  // namespace codec
