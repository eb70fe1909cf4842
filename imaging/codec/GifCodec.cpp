// GIF decoding (first frame, 8 bits with its colour table) and encoding with giflib. 24-bit
// pictures are reduced to a fixed 6 x 7 x 6 colour cube when written.

#include <gif_lib.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <new>

#include "imaging/codec/Formats.h"
#include "raster/Bitmap.h"

namespace codec {
namespace {

// Owns the giflib decoder; reads from the file in memory.
class GifReader {
 public:
  explicit GifReader(ByteSpan bytes) : file(bytes) {
    int error = 0;
    gif = DGifOpen(this, &Read, &error);
  }
  GifReader(const GifReader&) = delete;
  GifReader& operator=(const GifReader&) = delete;
  ~GifReader() {
    int error = 0;
    if (gif != nullptr) {
      DGifCloseFile(gif, &error);
    }
  }

  static int Read(GifFileType* g, GifByteType* out, int count) {
    auto* self = static_cast<GifReader*>(g->UserData);
    const size_t n =
        std::min(static_cast<size_t>(std::max(count, 0)), self->file.size - self->position);
    std::memcpy(out, self->file.data + self->position, n);
    self->position += n;
    return static_cast<int>(n);
  }

  GifFileType* gif = nullptr;
  ByteSpan file;
  size_t position = 0;
};

// Moves to the next image, skipping extensions. false when there is none.
bool FindNextImage(GifFileType* gif) {
  for (;;) {
    GifRecordType type = UNDEFINED_RECORD_TYPE;
    if (DGifGetRecordType(gif, &type) == GIF_ERROR) {
      return false;
    }
    if (type == IMAGE_DESC_RECORD_TYPE) {
      return DGifGetImageDesc(gif) != GIF_ERROR;
    }
    if (type != EXTENSION_RECORD_TYPE) {
      return false;  // the trailer came first
    }
    int code = 0;
    GifByteType* block = nullptr;
    if (DGifGetExtension(gif, &code, &block) == GIF_ERROR) {
      return false;
    }
    while (block != nullptr) {
      if (DGifGetExtensionNext(gif, &block) == GIF_ERROR) {
        return false;
      }
    }
  }
}

void FillColourTable(const ColorMapObject* map, CBitmap& bitmap) {
  for (int i = 0; i < 256; ++i) {
    const auto v = static_cast<uint8_t>(i);
    bitmap.ColorTable()[static_cast<size_t>(i)] = RgbQuad{v, v, v, 0};  // no map: grey
  }
  if (map == nullptr) {
    return;
  }
  for (int i = 0; i < map->ColorCount && i < 256; ++i) {
    const GifColorType& c = map->Colors[i];
    bitmap.ColorTable()[static_cast<size_t>(i)] = RgbQuad{c.Blue, c.Green, c.Red, 0};
  }
}

// Owns the giflib encoder and writes into the sink.
class GifWriter {
 public:
  explicit GifWriter(ByteSink& out) : sink(out) {
    int error = 0;
    gif = EGifOpen(this, &Write, &error);
  }
  GifWriter(const GifWriter&) = delete;
  GifWriter& operator=(const GifWriter&) = delete;
  ~GifWriter() { Close(); }

  static int Write(GifFileType* g, const GifByteType* data, int count) {
    auto* self = static_cast<GifWriter*>(g->UserData);
    return count >= 0 && self->sink.Append(data, static_cast<size_t>(count)) ? count : 0;
  }
  // Writes the trailer and frees the encoder; false when the trailer could not be written.
  bool Close() {
    int error = 0;
    const bool ok = gif == nullptr || EGifCloseFile(gif, &error) == GIF_OK;
    gif = nullptr;
    return ok;
  }

  GifFileType* gif = nullptr;
  ByteSink& sink;
};

struct MapDeleter {
  void operator()(ColorMapObject* map) const { GifFreeMapObject(map); }
};

// The fixed colour cube: 6 levels of red, 7 of green, 6 of blue.
uint8_t CubeIndex(uint8_t blue, uint8_t green, uint8_t red) {
  return static_cast<uint8_t>((red * 5 + 127) / 255 * 42 + (green * 6 + 127) / 255 * 6 +
                              (blue * 5 + 127) / 255);
}

void FillCubeColours(GifColorType* colours) {
  for (int r = 0; r < 6; ++r) {
    for (int g = 0; g < 7; ++g) {
      for (int b = 0; b < 6; ++b) {
        colours[r * 42 + g * 6 + b] = GifColorType{static_cast<GifByteType>((r * 255 + 2) / 5),
                                                   static_cast<GifByteType>((g * 255 + 3) / 6),
                                                   static_cast<GifByteType>((b * 255 + 2) / 5)};
      }
    }
  }
}

}  // namespace

DecodeResult DecodeGif(ByteSpan file, CBitmap& bitmap, const DecodeOptions& options) {
  GifReader reader(file);
  GifFileType* gif = reader.gif;
  if (gif == nullptr || !FindNextImage(gif)) {
    return Failed();
  }
  const GifImageDesc& frame = gif->Image;
  // A frame reaching beyond the logical screen widens the picture.
  const int64_t width = std::max<int64_t>(gif->SWidth, int64_t{frame.Left} + frame.Width);
  const int64_t height = std::max<int64_t>(gif->SHeight, int64_t{frame.Top} + frame.Height);
  if (frame.Left < 0 || frame.Top < 0 || frame.Width <= 0 || frame.Height <= 0 ||
      !SizeAcceptable(width, height, file.size)) {
    return Failed();
  }
  if (!GateOpens(options, {static_cast<int>(width), static_cast<int>(height), 8})) {
    return Failed(kOutOfMemory);
  }
  if (!CreateBitmap(bitmap, static_cast<int>(width), static_cast<int>(height), 8)) {
    return Failed();
  }
  FillColourTable(frame.ColorMap != nullptr ? frame.ColorMap : gif->SColorMap, bitmap);
  if (frame.Width != width || frame.Height != height) {
    for (int y = 0; y < height; ++y) {
      std::memset(bitmap.Row(y), gif->SBackGroundColor & 0xFF, static_cast<size_t>(width));
    }
  }
  // Interlaced frames arrive in four passes: every 8th row from 0, from 4, every 4th from 2,
  // every 2nd from 1.
  static const int kStart[4] = {0, 4, 2, 1};
  static const int kStep[4] = {8, 8, 4, 2};
  const int passes = frame.Interlace ? 4 : 1;
  for (int pass = 0; pass < passes; ++pass) {
    const int step = frame.Interlace ? kStep[pass] : 1;
    for (int y = frame.Interlace ? kStart[pass] : 0; y < frame.Height; y += step) {
      if (DGifGetLine(gif, bitmap.Row(frame.Top + y) + frame.Left, frame.Width) == GIF_ERROR) {
        return Failed();
      }
    }
  }
  return Decoded(8);
}

bool IsAnimatedGif(ByteSpan file) {
  GifReader reader(file);
  GifFileType* gif = reader.gif;
  if (gif == nullptr || !FindNextImage(gif)) {
    return false;
  }
  int codeSize = 0;
  GifByteType* block = nullptr;
  if (DGifGetCode(gif, &codeSize, &block) == GIF_ERROR) {
    return false;
  }
  while (block != nullptr) {
    if (DGifGetCodeNext(gif, &block) == GIF_ERROR) {
      return false;
    }
  }
  return FindNextImage(gif);  // a second image
}

bool EncodeGif(const CBitmap& bitmap, ByteSink& out) {
  const int width = bitmap.Width();
  const int height = bitmap.Height();
  if (width > 65535 || height > 65535) {
    return false;
  }
  GifColorType colours[256] = {};
  const bool indexed = bitmap.BitsPerPixel() == 8;
  if (indexed) {
    for (size_t i = 0; i < 256; ++i) {
      const RgbQuad& q = bitmap.ColorTable()[i];
      colours[i] = GifColorType{q.red, q.green, q.blue};
    }
  } else {
    FillCubeColours(colours);
  }
  std::unique_ptr<ColorMapObject, MapDeleter> map(GifMakeMapObject(256, colours));
  std::unique_ptr<GifPixelType[]> line(new (std::nothrow) GifPixelType[static_cast<size_t>(width)]);
  GifWriter writer(out);
  if (!map || !line || writer.gif == nullptr ||
      EGifPutScreenDesc(writer.gif, width, height, 8, 0, map.get()) == GIF_ERROR ||
      EGifPutImageDesc(writer.gif, 0, 0, width, height, false, nullptr) == GIF_ERROR) {
    return false;
  }
  for (int y = 0; y < height; ++y) {
    const uint8_t* row = bitmap.Row(y);
    for (int x = 0; x < width; ++x) {
      // giflib masks the line in place, so even 8-bit rows go through the copy.
      line[x] = indexed ? row[x] : CubeIndex(row[3 * x], row[3 * x + 1], row[3 * x + 2]);
    }
    if (EGifPutLine(writer.gif, line.get(), width) == GIF_ERROR) {
      return false;
    }
  }
  return writer.Close();
}

}  // namespace codec
