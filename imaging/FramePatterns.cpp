#include "imaging/FramePatterns.h"

#include <string_view>

namespace {

// Colours of the standard 16-colour table that the patterns use, as 0x00BBGGRR.
uint32_t ColourOfLetter(char letter) {
  switch (letter) {
    case 'R':
      return 0x0000FF;
    case 'Y':
      return 0x00FFFF;
    case 'M':
      return 0xFF00FF;
    case 'S':
      return 0xC0C0C0;
    case 'C':
      return 0xFFFF00;
    default:
      return 0xFFFFFF;  // 'W'
  }
}

// Eight rows of eight letters each.
FramePattern FromLetters(std::string_view letters) {
  FramePattern pattern{};
  for (size_t y = 0; y < 8; ++y) {
    for (size_t x = 0; x < 8; ++x) {
      pattern[y][x] = ColourOfLetter(letters[y * 8 + x]);
    }
  }
  return pattern;
}

}  // namespace

const FramePattern& StarsPattern() {
  static const FramePattern pattern = FromLetters(
      "WWWWWWWW"
      "WRWWWWRW"
      "WWRYYRWW"
      "WWYMMYWW"
      "WWYMMYWW"
      "WWRYYRWW"
      "WRWWWWRW"
      "WWWWWWWW");
  return pattern;
}

const FramePattern& DotsPattern() {
  static const FramePattern pattern = FromLetters(
      "WWWWWWWW"
      "WWWWWWWW"
      "WWWSSWWW"
      "WWSCCSWW"
      "WWSCCSWW"
      "WWWSSWWW"
      "WWWWWWWW"
      "WWWWWWWW");
  return pattern;
}
