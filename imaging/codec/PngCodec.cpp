// PNG decoding and encoding with libpng. 8-bit palette and grey pictures stay 8-bit, RGB stays
// 24-bit; other kinds are recognised far enough to be refused with their depth.

#include <png.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <new>
#include <optional>

#include "imaging/codec/Formats.h"
#include "imaging/codec/PngIo.h"
#include "imaging/codec/ReducedRows.h"
#include "raster/Bitmap.h"

namespace codec {
namespace {

ColourTag ColourTagOf(PngReader& r) {
  ColourTag tag;
  png_charp name = nullptr;
  int compression = 0;
  png_bytep profile = nullptr;
  png_uint_32 length = 0;
  if (png_get_iCCP(r.png, r.info, &name, &compression, &profile, &length) == PNG_INFO_iCCP) {
    tag.icc.assign(profile, profile + length);
  }
  tag.unreadable = tag.icc.empty() && r.profileDropped;
  return tag;
}

// The depth at which the picture would be held. Transparency makes any picture 32 bits with
// alpha, except that 16-bit colour keeps 16 bits per channel (RGB 48, RGBA 64). Indexed and
// grey pictures below 8 bits keep their depth; 2 bits are held as 4, the nearest depth a
// bitmap has.
int DepthOf(int colourType, int bitDepth, bool transparency) {
  const bool alpha = transparency || (colourType & PNG_COLOR_MASK_ALPHA) != 0;
  const bool colour =
      (colourType & PNG_COLOR_MASK_COLOR) != 0 && colourType != PNG_COLOR_TYPE_PALETTE;
  if (bitDepth == 16) {
    return (colour ? 3 : 1) * 16 + (alpha ? 16 : 0);
  }
  if (alpha) {
    return 32;
  }
  if (bitDepth < 8) {
    return bitDepth == 1 ? 1 : 4;
  }
  return colour ? 24 : 8;
}

void FillColourTable(PngReader& r, CBitmap& bitmap, int colourType) {
  png_colorp palette = nullptr;
  int count = 0;
  if (colourType == PNG_COLOR_TYPE_PALETTE &&
      png_get_PLTE(r.png, r.info, &palette, &count) == PNG_INFO_PLTE) {
    for (int i = 0; i < count && i < 256; ++i) {
      bitmap.ColorTable()[static_cast<size_t>(i)] =
          RgbQuad{palette[i].blue, palette[i].green, palette[i].red, 0};
    }
    return;
  }
  for (int i = 0; i < 256; ++i) {
    const auto v = static_cast<uint8_t>(i);
    bitmap.ColorTable()[static_cast<size_t>(i)] = RgbQuad{v, v, v, 0};
  }
}

// Drives libpng. The only function with setjmp: its locals are all trivially destructible.
DecodeResult RunDecode(PngReader& r, CBitmap& bitmap, const DecodeOptions& options) {
  if (setjmp(png_jmpbuf(r.png)) != 0) {
    return Failed();
  }
  png_read_info(r.png, r.info);
  const png_uint_32 width = png_get_image_width(r.png, r.info);
  const png_uint_32 height = png_get_image_height(r.png, r.info);
  const int colourType = png_get_color_type(r.png, r.info);
  if (!SizeAcceptable(width, height, r.file.size)) {
    return Failed();
  }
  const int depth = DepthOf(colourType, png_get_bit_depth(r.png, r.info),
                            png_get_valid(r.png, r.info, PNG_INFO_tRNS) != 0);
  if (depth != 8 && depth != 24) {
    return Refused(depth);
  }
  // Only a picture read row by row can be reduced as it is read.
  const bool interlaced = png_get_interlace_type(r.png, r.info) != PNG_INTERLACE_NONE;
  const int factor = options.reduce && !interlaced
                         ? std::max(1, options.reduce(static_cast<int>(width),
                                                       static_cast<int>(height)))
                         : 1;
  const int bytesPerPixel = depth / 8;
  const int reducedWidth = CReducedRows::Reduced(static_cast<int>(width), factor);
  const int reducedHeight = CReducedRows::Reduced(static_cast<int>(height), factor);
  if (reducedWidth < 1 || reducedHeight < 1) {
    return Failed();
  }
  const int64_t working =
      factor == 1 ? 0
                  : int64_t{width} * bytesPerPixel +
                        CReducedRows::WorkingBytes(static_cast<int>(width), factor, bytesPerPixel);
  if (!GateOpens(options, {reducedWidth, reducedHeight, depth, working, static_cast<int>(width),
                           static_cast<int>(height)})) {
    return Failed(kOutOfMemory);
  }
  if (!CreateBitmap(bitmap, reducedWidth, reducedHeight, depth)) {
    return Failed();
  }
  if (depth == 8) {
    FillColourTable(r, bitmap, colourType);
  } else {
    png_set_bgr(r.png);
  }
  const int passes = png_set_interlace_handling(r.png);
  png_read_update_info(r.png, r.info);
  if (png_get_rowbytes(r.png, r.info) != static_cast<size_t>(width) * (depth / 8)) {
    return Failed();
  }
  if (passes > 1) {
    r.rowPointers.reset(new (std::nothrow) png_bytep[height]);
    if (!r.rowPointers) {
      return Failed(kOutOfMemory);
    }
    for (png_uint_32 y = 0; y < height; ++y) {
      r.rowPointers[y] = bitmap.Row(static_cast<int>(y));
    }
    png_read_image(r.png, r.rowPointers.get());
  } else if (factor > 1) {
    r.row.reset(new (std::nothrow) uint8_t[static_cast<size_t>(width) * bytesPerPixel]);
    if (!r.row) {
      return Failed(kOutOfMemory);
    }
    // Colour indexes are not averaged; grey values are.
    r.reduced.emplace(bitmap, static_cast<int>(width), factor, bytesPerPixel,
                      colourType != PNG_COLOR_TYPE_PALETTE);
    for (png_uint_32 y = 0; y < height; ++y) {
      png_read_row(r.png, r.row.get(), nullptr);
      r.reduced->Add(r.row.get());
    }
  } else {
    for (png_uint_32 y = 0; y < height; ++y) {
      png_read_row(r.png, bitmap.Row(static_cast<int>(y)), nullptr);
    }
  }
  png_read_end(r.png, nullptr);
  return Decoded(depth);
}

// The decode, with the colours the file names.
DecodeResult DecodeWithColours(PngReader& r, CBitmap& bitmap, const DecodeOptions& options) {
  DecodeResult result = RunDecode(r, bitmap, options);
  if (result.status == kOk) {
    result.colour = ColourTagOf(r);
    // The size in the file, which a reduced decode does not show.
    result.fileWidth = static_cast<int>(png_get_image_width(r.png, r.info));
    result.fileHeight = static_cast<int>(png_get_image_height(r.png, r.info));
  }
  return result;
}

bool RunEncode(PngWriter& w, const CBitmap& bitmap) {
  if (setjmp(png_jmpbuf(w.png)) != 0) {
    return false;
  }
  const bool indexed = bitmap.BitsPerPixel() == 8;
  png_set_IHDR(w.png, w.info, static_cast<png_uint_32>(bitmap.Width()),
               static_cast<png_uint_32>(bitmap.Height()), 8,
               indexed ? PNG_COLOR_TYPE_PALETTE : PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_color palette[256];
  if (indexed) {
    for (size_t i = 0; i < 256; ++i) {
      const RgbQuad& q = bitmap.ColorTable()[i];
      palette[i] = png_color{q.red, q.green, q.blue};
    }
    png_set_PLTE(w.png, w.info, palette, 256);
  }
  png_write_info(w.png, w.info);
  if (!indexed) {
    png_set_bgr(w.png);
  }
  for (int y = 0; y < bitmap.Height(); ++y) {
    png_write_row(w.png, bitmap.Row(y));
  }
  png_write_end(w.png, w.info);
  return true;
}

}  // namespace

DecodeResult DecodePng(ByteSpan file, CBitmap& bitmap, const DecodeOptions& options) {
  PngReader reader(file);
  return reader.info != nullptr ? DecodeWithColours(reader, bitmap, options)
                                 : Failed(kOutOfMemory);
}

bool EncodePng(const CBitmap& bitmap, ByteSink& out) {
  PngWriter writer(out);
  return writer.info != nullptr && RunEncode(writer, bitmap);
}

}  // namespace codec
