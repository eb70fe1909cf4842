#pragma once
// The full size pictures that the album's operations decode when they need pixels (100 % in
// the picture window, the crops, the turns), kept for the next operation on the same picture:
// the two used last, for as long as their files stay the same. What they hold is kept in the
// album's memory budget until the last of their users lets them go, so that they count beside
// the pictures that the workers decode; the kept ones that no one else uses make room before
// another is decoded.

#include <deque>
#include <memory>
#include <string>

#include "album/BudgetedDecode.h"
#include "imaging/FileStamp.h"
#include "imaging/ImageWrap.h"

class CPlatformUi;

class COriginalCache {
 public:
  // The decoder whose budget the pictures are decoded and kept in; the cache is empty then.
  void SetDecoder(CBudgetedDecoder* decoder);
  // The picture in the file at path as it is now: kept, or decoded now (and kept). Null after
  // the load's message, or the budget's (work says what the picture is decoded for).
  std::shared_ptr<const CImageWrap> Get(const std::string& path, CPlatformUi& ui,
                                        const char* work = "to be decoded");
  // Keeps picture as the content of the file at path as it is now (a file just written),
  // when the budget has room for it.
  void Put(const std::string& path, CImageWrap picture);
  void Clear() { items_.clear(); }

 private:
  struct Item {
    std::string path;
    FileStamp stamp;
    std::shared_ptr<const CImageWrap> picture;
  };
  void Keep(Item item);
  // The picture, taken over, held in the budget for as long as it is used; null, and the
  // picture left as it is, when the budget has no room for it.
  std::shared_ptr<const CImageWrap> Held(CImageWrap& picture);
  // Lets go of the kept pictures that no one else uses.
  void DropUnused();

  CBudgetedDecoder* decoder_ = nullptr;
  std::deque<Item> items_;  // the one used last first
};
