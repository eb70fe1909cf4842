#include "imaging/codec/PngTurn.h"

#include <png.h>
#include <zlib.h>

#include <cstring>
#include <memory>
#include <new>
#include <string_view>

#include "imaging/codec/Formats.h"
#include "imaging/codec/PngIo.h"

namespace codec {
namespace {

constexpr uint8_t kSignature[8] = {137, 'P', 'N', 'G', 13, 10, 26, 10};

// A chunk of the file: start is the offset of its length field; its data follows the type.
struct Chunk {
  std::string_view type;
  size_t start = 0;
  size_t length = 0;
  size_t Data() const { return start + 8; }
  size_t End() const { return start + 12 + length; }
};

uint32_t BigEndian32(const uint8_t* p) {
  return uint32_t{p[0]} << 24 | uint32_t{p[1]} << 16 | uint32_t{p[2]} << 8 | p[3];
}

void PutBigEndian32(std::vector<uint8_t>& out, uint32_t value) {
  out.insert(out.end(), {static_cast<uint8_t>(value >> 24), static_cast<uint8_t>(value >> 16),
                         static_cast<uint8_t>(value >> 8), static_cast<uint8_t>(value)});
}

// The chunks of the file through IEND. false when it is no PNG or is cut short before IEND;
// chunks then holds those read before.
bool ReadChunks(ByteSpan file, std::vector<Chunk>& chunks) {
  chunks.clear();
  if (file.size < sizeof kSignature || std::memcmp(file.data, kSignature, sizeof kSignature) != 0) {
    return false;
  }
  size_t at = sizeof kSignature;
  while (file.size - at >= 12) {
    const size_t length = BigEndian32(file.data + at);
    if (length > file.size - at - 12) {
      return false;
    }
    chunks.push_back({{reinterpret_cast<const char*>(file.data + at + 4), 4}, at, length});
    at = chunks.back().End();
    if (chunks.back().type == "IEND") {
      return true;
    }
  }
  return false;
}

void AppendChunk(std::vector<uint8_t>& out, std::string_view type, const uint8_t* data,
                 size_t length) {
  PutBigEndian32(out, static_cast<uint32_t>(length));
  const size_t typeAt = out.size();
  out.insert(out.end(), type.begin(), type.end());
  out.insert(out.end(), data, data + length);
  PutBigEndian32(
      out, static_cast<uint32_t>(crc32(0, out.data() + typeAt, static_cast<uInt>(4 + length))));
}

// Chunks that hold whatever the layout of the pixels, although the format marks them as
// unsafe to copy for editors that do not know them.
bool LayoutFree(std::string_view type) {
  for (const std::string_view known : {"tRNS", "cHRM", "gAMA", "iCCP", "sBIT", "sRGB", "bKGD",
                                       "hIST", "pCAL", "tIME", "sPLT", "cICP", "mDCV", "cLLI"}) {
    if (type == known) {
      return true;
    }
  }
  return false;
}

// The chunk as it is for the turned picture: copied, its axes swapped (the physical pixel size
// and the scale), or left out (empty) when it would describe the old layout.
std::vector<uint8_t> TurnedChunk(const uint8_t* file, const Chunk& chunk) {
  const uint8_t* data = file + chunk.Data();
  std::vector<uint8_t> out;
  if (chunk.type == "pHYs" && chunk.length == 9) {
    uint8_t swapped[9];
    std::memcpy(swapped, data + 4, 4);
    std::memcpy(swapped + 4, data, 4);
    swapped[8] = data[8];
    AppendChunk(out, chunk.type, swapped, sizeof swapped);
  } else if (chunk.type == "sCAL") {
    // The unit, then the width and height of a pixel as text, separated by a zero byte.
    const auto* zero =
        chunk.length < 4 ? nullptr
                         : static_cast<const uint8_t*>(std::memchr(data + 1, 0, chunk.length - 1));
    if (zero != nullptr) {
      std::vector<uint8_t> swapped{data[0]};
      swapped.insert(swapped.end(), zero + 1, data + chunk.length);
      swapped.push_back(0);
      swapped.insert(swapped.end(), data + 1, zero);
      AppendChunk(out, chunk.type, swapped.data(), swapped.size());
    }
  } else if ((chunk.type[0] & 0x20) == 0 || (chunk.type[3] & 0x20) != 0 || LayoutFree(chunk.type)) {
    // Critical chunks (the palette, the end), those safe to copy, and the known ones.
    out.assign(file + chunk.start, file + chunk.End());
  }
  return out;
}

// The samples of a PNG as its file stores them: bit depths below 8 one sample a byte, 16-bit
// samples as two bytes, big-endian.
struct Samples {
  png_uint_32 width = 0;
  png_uint_32 height = 0;
  int bitDepth = 0;
  int colourType = 0;
  int interlace = 0;
  size_t pixelBytes = 0;
  png_colorp palette = nullptr;  // owned by the reader
  int paletteSize = 0;
  std::unique_ptr<uint8_t[]> pixels;
  std::unique_ptr<png_bytep[]> rows;

  // Room for width x height pixels, with the row pointers.
  bool Allocate() {
    const size_t rowBytes = pixelBytes * width;
    pixels.reset(new (std::nothrow) uint8_t[rowBytes * height]);
    rows.reset(new (std::nothrow) png_bytep[height]);
    for (png_uint_32 y = 0; pixels && rows && y < height; ++y) {
      rows[y] = pixels.get() + rowBytes * y;
    }
    return pixels && rows;
  }
};

// Drives libpng's reader; the only function of the read with setjmp.
bool ReadSamples(PngReader& r, Samples& s) {
  if (setjmp(png_jmpbuf(r.png)) != 0) {
    return false;
  }
  png_read_info(r.png, r.info);
  s.width = png_get_image_width(r.png, r.info);
  s.height = png_get_image_height(r.png, r.info);
  s.bitDepth = png_get_bit_depth(r.png, r.info);
  s.colourType = png_get_color_type(r.png, r.info);
  s.interlace = png_get_interlace_type(r.png, r.info);
  if (!SizeAcceptable(s.width, s.height, r.file.size)) {
    return false;
  }
  if (s.bitDepth < 8) {
    png_set_packing(r.png);
  }
  png_set_interlace_handling(r.png);
  png_read_update_info(r.png, r.info);
  const size_t rowBytes = png_get_rowbytes(r.png, r.info);
  s.pixelBytes = rowBytes / s.width;
  if (s.pixelBytes == 0 || s.pixelBytes * s.width != rowBytes || !s.Allocate()) {
    return false;
  }
  png_read_image(r.png, s.rows.get());
  png_read_end(r.png, nullptr);
  if (s.colourType == PNG_COLOR_TYPE_PALETTE) {
    png_get_PLTE(r.png, r.info, &s.palette, &s.paletteSize);
  }
  return true;
}

// The samples a quarter turn on; false when memory ran out.
bool TurnSamples(const Samples& from, int direction, Samples& to) {
  to = Samples{};
  to.width = from.height;
  to.height = from.width;
  to.pixelBytes = from.pixelBytes;
  if (!to.Allocate()) {
    return false;
  }
  const size_t n = from.pixelBytes;
  for (png_uint_32 y = 0; y < from.height; ++y) {
    const uint8_t* row = from.rows[y];
    for (png_uint_32 x = 0; x < from.width; ++x) {
      // Clockwise the left column becomes the top row, read upwards; counter-clockwise the
      // top row becomes the left column, read upwards.
      uint8_t* target = direction == 1 ? to.rows[x] + (from.height - 1 - y) * n
                                       : to.rows[from.width - 1 - x] + y * n;
      std::memcpy(target, row + x * n, n);
    }
  }
  return true;
}

// Drives libpng's writer: a file of the turned samples with the header and palette of the
// original; the only function of the write with setjmp.
bool WriteSamples(PngWriter& w, const Samples& original, const Samples& turned) {
  if (setjmp(png_jmpbuf(w.png)) != 0) {
    return false;
  }
  png_set_IHDR(w.png, w.info, turned.width, turned.height, original.bitDepth, original.colourType,
               original.interlace, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  if (original.palette != nullptr) {
    png_set_PLTE(w.png, w.info, original.palette, original.paletteSize);
  }
  png_write_info(w.png, w.info);
  if (original.bitDepth < 8) {
    png_set_packing(w.png);
  }
  png_write_image(w.png, turned.rows.get());
  png_write_end(w.png, nullptr);
  return true;
}

// The original's chunks in their order with the turned header and picture data in the place
// of its own, then whatever followed its end.
std::vector<uint8_t> Spliced(ByteSpan file, const std::vector<Chunk>& chunks, ByteSpan encoded,
                             const std::vector<Chunk>& encodedChunks) {
  std::vector<uint8_t> out(kSignature, kSignature + sizeof kSignature);
  const auto copyEncoded = [&](std::string_view type) {
    for (const Chunk& c : encodedChunks) {
      if (c.type == type) {
        out.insert(out.end(), encoded.data + c.start, encoded.data + c.End());
      }
    }
  };
  bool pictureWritten = false;
  for (const Chunk& chunk : chunks) {
    if (chunk.type == "IHDR") {
      copyEncoded("IHDR");
    } else if (chunk.type == "IDAT") {
      if (!pictureWritten) {
        copyEncoded("IDAT");
      }
      pictureWritten = true;
    } else {
      const std::vector<uint8_t> turned = TurnedChunk(file.data, chunk);
      out.insert(out.end(), turned.begin(), turned.end());
    }
  }
  out.insert(out.end(), file.data + chunks.back().End(), file.data + file.size);
  return out;
}

}  // namespace

std::optional<std::vector<uint8_t>> TurnPng(ByteSpan file, int direction) {
  std::vector<Chunk> chunks;
  if ((direction != 0 && direction != 1) || !ReadChunks(file, chunks) ||
      chunks.front().type != "IHDR") {
    return std::nullopt;
  }
  PngReader reader(file);
  Samples original;
  Samples turned;
  if (reader.info == nullptr || !ReadSamples(reader, original) ||
      !TurnSamples(original, direction, turned)) {
    return std::nullopt;
  }
  ByteSink sink;
  PngWriter writer(sink);
  std::vector<Chunk> encodedChunks;
  if (writer.info == nullptr || !WriteSamples(writer, original, turned) ||
      !ReadChunks({sink.Data(), sink.Size()}, encodedChunks)) {
    return std::nullopt;
  }
  return Spliced(file, chunks, {sink.Data(), sink.Size()}, encodedChunks);
}

bool IsAnimatedPng(ByteSpan file) {
  std::vector<Chunk> chunks;
  ReadChunks(file, chunks);
  for (const Chunk& chunk : chunks) {
    if (chunk.type == "IDAT") {
      return false;
    }
    if (chunk.type == "acTL") {
      return true;
    }
  }
  return false;
}

}  // namespace codec
