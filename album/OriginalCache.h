#pragma once
// The full size pictures that the album's operations decode when they need pixels (the
// picture window, the crops, the turns), kept for the next operation on the same picture: the
// two used last, for as long as their files stay the same.

#include <deque>
#include <memory>
#include <string>

#include "imaging/FileStamp.h"
#include "imaging/ImageWrap.h"

class CPlatformUi;

class COriginalCache {
 public:
  // The picture in the file at path as it is now: kept, or decoded now (and kept). Null after
  // the load's message.
  std::shared_ptr<const CImageWrap> Get(const std::string& path, CPlatformUi& ui);
  // Keeps picture as the content of the file at path as it is now (a file just written).
  void Put(const std::string& path, CImageWrap picture);
  void Clear() { items_.clear(); }

 private:
  struct Item {
    std::string path;
    FileStamp stamp;
    std::shared_ptr<const CImageWrap> picture;
  };
  void Keep(Item item);

  std::deque<Item> items_;  // the one used last first
};
