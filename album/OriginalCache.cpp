#include "album/OriginalCache.h"

#include <algorithm>

namespace {

// A 50-megapixel photograph takes 150 MB decoded: two of them are a few seconds of work saved
// and memory that a desktop has.
constexpr size_t kKept = 2;

}  // namespace

std::shared_ptr<const CImageWrap> COriginalCache::Get(const std::string& path, CPlatformUi& ui) {
  const FileStamp stamp = StampOf(path);
  const auto kept = std::find_if(items_.begin(), items_.end(),
                                 [&](const Item& item) { return item.path == path; });
  if (kept != items_.end()) {
    Item item = std::move(*kept);
    items_.erase(kept);
    if (stamp.taken && item.stamp == stamp) {
      const std::shared_ptr<const CImageWrap> picture = item.picture;
      Keep(std::move(item));
      return picture;
    }
  }
  auto picture = std::make_shared<CImageWrap>();
  if (picture->Load(path, ui) != 1) {
    return nullptr;
  }
  Keep({path, stamp, picture});
  return picture;
}

void COriginalCache::Put(const std::string& path, CImageWrap picture) {
  std::erase_if(items_, [&](const Item& item) { return item.path == path; });
  Keep({path, StampOf(path), std::make_shared<const CImageWrap>(std::move(picture))});
}

void COriginalCache::Keep(Item item) {
  items_.push_front(std::move(item));
  while (items_.size() > kKept) {
    items_.pop_back();
  }
}
