// The orders of a sort of the album: by the time each picture was taken, so that the photos
// of two cameras merge into one story, or by file name as a file manager lists them.

#include "album/AlbumSort.h"

#include <algorithm>
#include <cctype>
#include <string>
#include <string_view>

namespace {

size_t DigitRunEnd(const std::string& text, size_t i) {
  while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])) != 0) {
    ++i;
  }
  return i;
}

// Two runs of digits by their value: without leading zeros, the shorter is the smaller.
int CompareNumbers(std::string_view a, std::string_view b) {
  a.remove_prefix(std::min(a.find_first_not_of('0'), a.size()));
  b.remove_prefix(std::min(b.find_first_not_of('0'), b.size()));
  if (a.size() != b.size()) {
    return a.size() < b.size() ? -1 : 1;
  }
  return (a > b) - (a < b);
}

// File names as file managers list them: "IMG_2" before "IMG_10", letters without regard to
// case; names that are still equal then go byte for byte.
int CompareNames(const std::string& a, const std::string& b) {
  size_t i = 0;
  size_t j = 0;
  while (i < a.size() && j < b.size()) {
    const bool digitA = std::isdigit(static_cast<unsigned char>(a[i])) != 0;
    const bool digitB = std::isdigit(static_cast<unsigned char>(b[j])) != 0;
    if (digitA && digitB) {
      const size_t endA = DigitRunEnd(a, i);
      const size_t endB = DigitRunEnd(b, j);
      if (const int order = CompareNumbers(std::string_view(a).substr(i, endA - i),
                                           std::string_view(b).substr(j, endB - j));
          order != 0) {
        return order;
      }
      i = endA;
      j = endB;
      continue;
    }
    const int ca = std::tolower(static_cast<unsigned char>(a[i]));
    const int cb = std::tolower(static_cast<unsigned char>(b[j]));
    if (ca != cb) {
      return ca < cb ? -1 : 1;
    }
    ++i;
    ++j;
  }
  if (i < a.size() || j < b.size()) {
    return j < b.size() ? -1 : 1;
  }
  return (a > b) - (a < b);
}

}  // namespace

bool NameBefore(const CAlbumEntry* a, const CAlbumEntry* b) {
  const int order = CompareNames(a->fileName, b->fileName);
  return order != 0 ? order < 0 : a->index < b->index;
}

bool TakenBefore(const CAlbumEntry* a, const CAlbumEntry* b) {
  return a->takenAt != b->takenAt ? a->takenAt < b->takenAt : NameBefore(a, b);
}
