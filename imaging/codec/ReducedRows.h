#pragma once
// A picture reduced by a whole factor as its rows are read, each factor x factor block of
// pixels becoming one: the block's mean where pixels can be averaged (24 bits, grey), its
// top-left pixel for colour indexes. The last columns and rows that make no whole block are
// left out, as CImageWrap::Subsample leaves them. For a decoder that reads a picture row by
// row, so that the whole picture is never held.

#include <cstdint>
#include <vector>

class CBitmap;

namespace codec {

class CReducedRows {
 public:
  // The reduced size of a side.
  static int Reduced(int side, int factor) { return side / factor; }
  // The memory that the reduction takes beside its bitmap, for a picture width pixels across.
  static int64_t WorkingBytes(int width, int factor, int bytesPerPixel);

  // Starts the reduction of a picture of width x height into bitmap, already created at the
  // reduced size. averaged: the pixels are values that can be averaged (not indexes).
  CReducedRows(CBitmap& bitmap, int width, int factor, int bytesPerPixel, bool averaged);
  // Takes the next row of the picture, from the top.
  void Add(const uint8_t* row);

 private:
  CBitmap& bitmap_;
  int factor_;
  int bytesPerPixel_;
  bool averaged_;
  int reducedWidth_;
  int y_ = 0;
  std::vector<uint32_t> sums_;  // of the block row under way, a sum for each reduced value
};

}  // namespace codec
