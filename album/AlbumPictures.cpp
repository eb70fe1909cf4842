#include "album/AlbumPictures.h"

#include <algorithm>
#include <utility>

const CAlbumEntry* CAlbumPictures::SelectedEntry() const {
  return selection_ < 0 || selection_ >= count_ ? nullptr : &EntryAt(selection_);
}

CAlbumEntry* CAlbumPictures::SelectedEntry() {
  return selection_ < 0 || selection_ >= count_ ? nullptr : &EntryAt(selection_);
}

std::vector<int32_t> CAlbumPictures::Orders() const {
  std::vector<int32_t> orders(static_cast<size_t>(count_));
  for (size_t i = 0; i < orders.size(); ++i) {
    orders[i] = entries_[i].order;
  }
  return orders;
}

void CAlbumPictures::SetOrders(const std::vector<int32_t>& orders) {
  for (size_t i = 0; i < orders.size(); ++i) {
    entries_[i].order = orders[i];
  }
  SortDisplayOrder();
}

CAlbumEntry& CAlbumPictures::Add(CAlbumEntry entry) {
  entry.index = entry.order = count_;
  if (entries_.size() < entries_.capacity()) {
    CAlbumEntry& added = entries_.emplace_back(std::move(entry));
    displayOrder_.push_back(&added);
    count_ = static_cast<int32_t>(entries_.size());
    return added;
  }
  // The entries move: the display order points at them again by their scan indexes.
  std::vector<size_t> shown;
  for (const CAlbumEntry* e : displayOrder_) {
    shown.push_back(static_cast<size_t>(e->index));
  }
  entries_.push_back(std::move(entry));
  shown.push_back(entries_.size() - 1);
  displayOrder_.clear();
  for (const size_t index : shown) {
    displayOrder_.push_back(&entries_[index]);
  }
  count_ = static_cast<int32_t>(entries_.size());
  return entries_.back();
}

void CAlbumPictures::SortDisplayOrder() {
  std::sort(displayOrder_.begin(), displayOrder_.end(),
            [](const CAlbumEntry* a, const CAlbumEntry* b) { return CompareOrder(a, b) < 0; });
}

void CAlbumPictures::Clear() {
  selection_ = -1;
  displayOrder_.clear();
  entries_.clear();
  entries_.shrink_to_fit();
  count_ = 0;
}

void CAlbumPictures::MoveAfter(int dragged, int target) {
  if (dragged == target || dragged < 0 || target < 0 || dragged >= count_ || target >= count_) {
    return;
  }
  CAlbumEntry& moving = EntryAt(dragged);
  CAlbumEntry& onto = EntryAt(target);
  const int os = moving.order;
  const int ot = onto.order;
  if (os == ot + 1) {
    return;  // already right after the target: not even a re-sort
  }
  if (os == ot - 1) {
    moving.order = os + 1;
    onto.order = ot - 1;
  } else if (ot > os) {
    // Towards the end: everything between closes the gap.
    for (int i = 0; i < count_; ++i) {
      CAlbumEntry& e = EntryAt(i);
      if (i != dragged && e.order > os && e.order <= ot) {
        --e.order;
      }
    }
    moving.order = ot;
  } else {
    // Towards the start: everything between moves one place on.
    for (int i = 0; i < count_; ++i) {
      CAlbumEntry& e = EntryAt(i);
      if (i != dragged && e.order > ot && e.order < os) {
        ++e.order;
      }
    }
    moving.order = ot + 1;
  }
  SortDisplayOrder();
}
