#pragma once
// A HEIF or AVIF file in memory, opened with libheif: its context and primary picture, let go
// together on every path.

#include <cstdint>
#include <vector>

#include "imaging/codec/Codec.h"

struct heif_context;
struct heif_image_handle;

namespace codec {

class HeifFile {
 public:
  // Reads the file's structure (not its pixels); PrimaryHandle is null when that fails.
  explicit HeifFile(ByteSpan file);
  HeifFile(const HeifFile&) = delete;
  HeifFile& operator=(const HeifFile&) = delete;
  ~HeifFile();

  heif_image_handle* PrimaryHandle() const { return handle_; }
  // The primary picture's Exif as a JPEG's Exif payload; empty when it has none.
  std::vector<uint8_t> ExifPayload() const;
  // What the file says of the primary picture's colours: its ICC profile, else its CICP codes.
  ColourTag Colours() const;

 private:
  heif_context* context_ = nullptr;
  heif_image_handle* handle_ = nullptr;
};

}  // namespace codec
