#include "album/OriginalCache.h"

#include <algorithm>
#include <utility>

namespace {

// A 50-megapixel photograph takes 150 MB decoded: two of them are a few seconds of work saved.
constexpr size_t kKept = 2;

// A picture with its part of the budget, given back with it.
struct HeldPicture {
  explicit HeldPicture(CMemoryBudget& budget) : share(budget, true) {}
  CBudgetShare share;
  CImageWrap picture;
};

}  // namespace

void COriginalCache::SetDecoder(CBudgetedDecoder* decoder) {
  items_.clear();
  decoder_ = decoder;
}

std::shared_ptr<const CImageWrap> COriginalCache::Get(const std::string& path, CPlatformUi& ui,
                                                      const char* work) {
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
  DropUnused();
  CImageWrap picture;
  {
    CBudgetShare decoding(decoder_->Budget());
    DecodeNeeds needs;
    needs.work = work;
    DecodedSize size;
    if (decoder_->Decode(path, picture, ui, decoding, needs, size) != 1) {
      return nullptr;
    }
  }
  std::shared_ptr<const CImageWrap> held = Held(picture);
  if (held == nullptr) {
    return std::make_shared<const CImageWrap>(std::move(picture));  // used, not kept
  }
  Keep({path, stamp, held});
  return held;
}

void COriginalCache::Put(const std::string& path, CImageWrap picture) {
  std::erase_if(items_, [&](const Item& item) { return item.path == path; });
  DropUnused();
  if (std::shared_ptr<const CImageWrap> held = Held(picture)) {
    Keep({path, StampOf(path), std::move(held)});
  }
}

std::shared_ptr<const CImageWrap> COriginalCache::Held(CImageWrap& picture) {
  auto held = std::make_shared<HeldPicture>(decoder_->Budget());
  if (!held->share.Take(BitmapBytes(picture.Width(), picture.Height(), picture.BitsPerPixel()))) {
    return nullptr;
  }
  held->picture = std::move(picture);
  return std::shared_ptr<const CImageWrap>(held, &held->picture);
}

void COriginalCache::DropUnused() {
  std::erase_if(items_, [](const Item& item) { return item.picture.use_count() == 1; });
}

void COriginalCache::Keep(Item item) {
  items_.push_front(std::move(item));
  while (items_.size() > kKept) {
    items_.pop_back();
  }
}
