#pragma once
// The pixels of an in-memory picture: an uncompressed bitmap of 8 bits per pixel (indexes
// into a 256-entry colour table) or 24 bits per pixel (blue, green, red). Rows are padded to
// four bytes and stored bottom-up, so the stride from one row to the one below is negative.

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>

struct RgbQuad {
  uint8_t blue = 0;
  uint8_t green = 0;
  uint8_t red = 0;
  uint8_t reserved = 0;
  bool operator==(const RgbQuad&) const = default;
};

class CBitmap {
 public:
  CBitmap() = default;
  CBitmap(const CBitmap&) = delete;
  CBitmap& operator=(const CBitmap&) = delete;
  CBitmap(CBitmap&&) noexcept = default;
  CBitmap& operator=(CBitmap&&) noexcept = default;

  bool IsNull() const { return memory_ == nullptr; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  int BitsPerPixel() const { return bpp_; }
  // Signed distance in bytes from one row to the next row down.
  ptrdiff_t Stride() const { return stride_; }
  bool IsDibSection() const { return isDibSection_; }
  bool HasAlpha() const { return hasAlpha_; }
  int TransparentIndex() const { return transparentIndex_; }
  // A number no other bitmap made in this run has had: a window caching what it drew from
  // these pixels can tell a rebuilt bitmap from the one it knows, whatever its address.
  uint64_t Serial() const { return serial_; }
  // Number of colour-table entries: 2^bpp for 8 bits or fewer, else 0.
  int ColorCount() const { return bpp_ > 0 && bpp_ <= 8 ? 1 << bpp_ : 0; }

  // Row y, 0 being the top row of the picture.
  uint8_t* Row(int y) { return topRow_ + static_cast<ptrdiff_t>(y) * stride_; }
  const uint8_t* Row(int y) const { return topRow_ + static_cast<ptrdiff_t>(y) * stride_; }
  // Magnitude of the stride: the row length rounded up to four bytes.
  static ptrdiff_t RowBytes(int width, int bpp) {
    return ((static_cast<ptrdiff_t>(width) * bpp + 31) / 32) * 4;
  }

  std::array<RgbQuad, 256>& ColorTable() { return colorTable_; }
  const std::array<RgbQuad, 256>& ColorTable() const { return colorTable_; }

 private:
  friend int CreateBitmap(CBitmap& bitmap, int width, int height, int bpp);
  friend void DestroyBitmap(CBitmap& bitmap);

  struct FreeDeleter {
    void operator()(uint8_t* p) const { std::free(p); }
  };

  int width_ = 0;
  int height_ = 0;
  int bpp_ = 0;
  ptrdiff_t stride_ = 0;
  uint8_t* topRow_ = nullptr;
  bool isDibSection_ = false;
  bool hasAlpha_ = false;
  int transparentIndex_ = -1;
  uint64_t serial_ = 0;
  std::array<RgbQuad, 256> colorTable_{};
  std::unique_ptr<uint8_t, FreeDeleter> memory_;
};

class CPixelBuffer;

// Creates an uncompressed bottom-up bitmap with zeroed pixels and, for 8 bits or fewer, a
// colour table of zeros. 1 created; 0 failed (size not positive, no memory) and the bitmap
// stays empty.
int CreateBitmap(CBitmap& bitmap, int width, int height, int bpp);
// Releases the pixels and resets every field to those of an empty bitmap.
void DestroyBitmap(CBitmap& bitmap);
// recreate 1: the destination is made anew with the source's size and depth (0 if that
// fails). Copies the colour table for 8 bits or fewer, then the pixels row by row. 1 done.
int CopyImage(const CBitmap& source, CBitmap& destination, int recreate);
// Copies the source's 2^bpp colour-table entries.
void CopyColorTable(const CBitmap& source, CBitmap& destination);
// 8-bit source: writes the colour-table colours into a new 24-bit destination. Deeper
// sources are copied as they are. 1 done, 0 no memory.
int ExpandToTrueColor(const CBitmap& source, CBitmap& destination);
// Packs the pixels top row first, 24-bit pixels turned to red, green, blue. 0 no memory.
int ImageToPixelBuffer(const CBitmap& bitmap, CPixelBuffer& buffer);
// The reverse of ImageToPixelBuffer; recreate 1 makes the bitmap anew in the buffer's size
// and keeps an 8-bit bitmap's colour table. 0 no memory.
int PixelBufferToImage(const CPixelBuffer& buffer, CBitmap& bitmap, int recreate);
