#pragma once
// The decoders and encoders of each format, used by Codec.cpp.

#include <cstdlib>
#include <cstring>
#include <vector>

#include "imaging/codec/Codec.h"

class CBitmap;

namespace codec {

// A growable byte buffer that never throws, so that it can be filled from callbacks of the C
// libraries. Append fails only when memory runs out.
class ByteSink {
 public:
  ByteSink() = default;
  ByteSink(const ByteSink&) = delete;
  ByteSink& operator=(const ByteSink&) = delete;
  ~ByteSink() { std::free(data_); }

  bool Append(const void* bytes, size_t count) {
    if (count > capacity_ - size_) {
      size_t wanted = capacity_ < 4096 ? 4096 : capacity_ * 2;
      while (wanted - size_ < count) {
        wanted *= 2;
      }
      auto* grown = static_cast<uint8_t*>(std::realloc(data_, wanted));
      if (grown == nullptr) {
        return false;
      }
      data_ = grown;
      capacity_ = wanted;
    }
    std::memcpy(data_ + size_, bytes, count);
    size_ += count;
    return true;
  }
  // Takes over a block from malloc.
  void Adopt(uint8_t* block, size_t size) {
    std::free(data_);
    data_ = block;
    size_ = capacity_ = size;
  }
  const uint8_t* Data() const { return data_; }
  size_t Size() const { return size_; }

 private:
  uint8_t* data_ = nullptr;
  size_t size_ = 0;
  size_t capacity_ = 0;
};

DecodeResult DecodeJpeg(ByteSpan file, CBitmap& bitmap, const DecodeOptions& options = {});
DecodeResult DecodePng(ByteSpan file, CBitmap& bitmap, const DecodeOptions& options = {});
DecodeResult DecodeGif(ByteSpan file, CBitmap& bitmap, const DecodeOptions& options = {});
DecodeResult DecodeBmp(ByteSpan file, CBitmap& bitmap, const DecodeOptions& options = {});
DecodeResult DecodeHeif(ByteSpan file, CBitmap& bitmap, const DecodeOptions& options = {});
DecodeResult DecodeWebp(ByteSpan file, CBitmap& bitmap, const DecodeOptions& options = {});
DecodeResult DecodeTiff(ByteSpan file, CBitmap& bitmap, const DecodeOptions& options = {});

// Whether a GIF file holds more than one image; a PNG file an animation control chunk before
// its picture.
bool IsAnimatedGif(ByteSpan file);
bool IsAnimatedPng(ByteSpan file);

// Whether the gate of options, when there is one, lets a decoder make the bitmap of cost
// beside the working bytes that cost already holds; cost.bytes is completed with the bitmap's,
// and a file size of 0 taken as the bitmap's.
bool GateOpens(const DecodeOptions& options, DecodeCost cost);

// Encoders take a bitmap of 8 or 24 bits per pixel; false when encoding failed.
bool EncodeJpeg(const CBitmap& bitmap, const SaveOptions& options, ByteSink& out);
bool EncodePng(const CBitmap& bitmap, ByteSink& out);
bool EncodeGif(const CBitmap& bitmap, ByteSink& out);
bool EncodeBmp(const CBitmap& bitmap, ByteSink& out);

}  // namespace codec
