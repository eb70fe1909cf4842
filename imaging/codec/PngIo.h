#pragma once
// The libpng reader and writer that the PNG codec and the PNG turn share: the reader takes a
// file in memory, the writer fills a ByteSink.

#include <png.h>

#include <cstring>
#include <memory>
#include <optional>

#include "imaging/codec/Formats.h"
#include "imaging/codec/ReducedRows.h"

namespace codec {

// libpng errors jump back to the setjmp of the function that drives the library; warnings
// are dropped, so nothing reaches standard error.
inline void OnPngError(png_structp png, png_const_charp) { png_longjmp(png, 1); }
inline void OnPngWarning(png_structp, png_const_charp) {}

// Owns the reader and its info struct; reads from the file in memory.
class PngReader {
 public:
  explicit PngReader(ByteSpan bytes) : file(bytes) {
    png = png_create_read_struct(PNG_LIBPNG_VER_STRING, this, OnPngError, OnReadWarning);
    info = png != nullptr ? png_create_info_struct(png) : nullptr;
    if (info != nullptr) {
#ifdef FUZZING_BUILD_MODE_UNSAFE_FOR_PRODUCTION
      // Mutated files would almost never get past the checksums.
      png_set_crc_action(png, PNG_CRC_QUIET_USE, PNG_CRC_QUIET_USE);
#ifdef PNG_IGNORE_ADLER32
      png_set_option(png, PNG_IGNORE_ADLER32, PNG_OPTION_ON);
#endif
#endif
      png_set_read_fn(png, this, [](png_structp p, png_bytep out, size_t count) {
        auto* self = static_cast<PngReader*>(png_get_io_ptr(p));
        if (count > self->file.size - self->position) {
          png_error(p, "file truncated");
        }
        std::memcpy(out, self->file.data + self->position, count);
        self->position += count;
      });
    }
  }
  PngReader(const PngReader&) = delete;
  PngReader& operator=(const PngReader&) = delete;
  ~PngReader() { png_destroy_read_struct(&png, info != nullptr ? &info : nullptr, nullptr); }

  // libpng drops an iCCP chunk that it finds damaged, with a warning that names the chunk.
  static void OnReadWarning(png_structp p, png_const_charp message) {
    if (std::strncmp(message, "iCCP", 4) == 0) {
      static_cast<PngReader*>(png_get_error_ptr(p))->profileDropped = true;
    }
  }

  png_structp png = nullptr;
  png_infop info = nullptr;
  ByteSpan file;
  size_t position = 0;
  bool profileDropped = false;
  std::unique_ptr<png_bytep[]> rowPointers;  // for interlaced pictures
  // For a picture reduced as it is read: one row, and the reduction.
  std::unique_ptr<uint8_t[]> row;
  std::optional<CReducedRows> reduced;
};

// Owns the writer and its info struct; writes into the sink.
class PngWriter {
 public:
  explicit PngWriter(ByteSink& out) : sink(out) {
    png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, OnPngError, OnPngWarning);
    info = png != nullptr ? png_create_info_struct(png) : nullptr;
    if (info != nullptr) {
      png_set_write_fn(
          png, this,
          [](png_structp p, png_bytep data, size_t count) {
            if (!static_cast<PngWriter*>(png_get_io_ptr(p))->sink.Append(data, count)) {
              png_error(p, "out of memory");
            }
          },
          [](png_structp) {});
    }
  }
  PngWriter(const PngWriter&) = delete;
  PngWriter& operator=(const PngWriter&) = delete;
  ~PngWriter() { png_destroy_write_struct(&png, info != nullptr ? &info : nullptr); }

  png_structp png = nullptr;
  png_infop info = nullptr;
  ByteSink& sink;
};

}  // namespace codec
