#pragma once
// Decoding pictures on the workers of one pass over a folder, each within the memory budget
// that they share (MemoryBudget.h): the file's bytes are taken before it is read, and what
// the decode and the picture's later work need once its header tells.

#include <cstdint>
#include <functional>
#include <mutex>
#include <string>

#include "album/MemoryBudget.h"
#include "imaging/codec/Codec.h"

class CImageWrap;
class CPlatformUi;

// How a file was decoded: at 1 / shrink of its upright size in the file.
struct DecodedSize {
  int shrink = 1;
  int fileWidth = 0;
  int fileHeight = 0;
  std::string colourIgnored;  // why its colour profile was not used (codec::DecodeOptions)
};

// What a picture takes besides its decode until its work is done, by the decode's cost.
using LaterBytes = std::function<int64_t(const codec::DecodeCost& cost)>;

// What a picture is decoded for: the divisor to decode it at (none: full size), what its work
// takes after the decode, and how a message tells that work ("to be decoded and written").
struct DecodeNeeds {
  codec::ShrinkChoice shrink;
  LaterBytes later;
  const char* work = "to be decoded";
};

class CBudgetedDecoder {
 public:
  // program names the one whose budget a refused picture would pass, in the message.
  CBudgetedDecoder(CMemoryBudget& budget, std::string program)
      : budget_(budget), program_(std::move(program)) {}
  CBudgetedDecoder(const CBudgetedDecoder&) = delete;
  CBudgetedDecoder& operator=(const CBudgetedDecoder&) = delete;

  CMemoryBudget& Budget() const { return budget_; }

  // Decodes file into picture (which must be empty) as needs says, holding what it needs in
  // share. 1 decoded; 0 after the load's message, or the budget's when the picture needs more
  // than all of it. reduce: codec::DecodeOptions::reduce.
  int Decode(const std::string& file, CImageWrap& picture, CPlatformUi& ui, CBudgetShare& share,
             const DecodeNeeds& needs, DecodedSize& size,
             const codec::ShrinkChoice& reduce = {});

  // Takes bytes into share for other work on the picture file (work says what, as
  // DecodeNeeds::work); false, after the message that says so, when they do not fit.
  bool TakeFor(const std::string& file, const char* work, int64_t bytes, CBudgetShare& share,
               CPlatformUi& ui);

 private:
  void SayTooLarge(const std::string& file, int64_t bytes, const char* work, CPlatformUi& ui) const;

  CMemoryBudget& budget_;
  std::string program_;
  // Held by the one picture that is taking its memory: a worker that waits for room then
  // holds nothing that the others wait for, and they give back theirs as they finish.
  std::mutex admission_;
};

// The bytes of a bitmap of width x height at this depth.
int64_t BitmapBytes(int width, int height, int depth);
