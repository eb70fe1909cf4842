#pragma once
// The pictures of the album: their entries in scan order, the display order and the selection.
// Everyone reads them; only the album's own parts change them (PixDir.h), so that every change
// goes through an operation that the record and the undo history know of.

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "album/AlbumEntry.h"

class CAlbumPictures {
 public:
  // The number of pictures, and the display order: pointers to every entry, by ascending order.
  int32_t Count() const { return count_; }
  const std::vector<CAlbumEntry*>& DisplayOrder() const { return displayOrder_; }
  // Entry by scan index, and by display position.
  const CAlbumEntry& EntryAt(int index) const { return entries_[static_cast<size_t>(index)]; }
  const CAlbumEntry& EntryAtPosition(int position) const {
    return *displayOrder_[static_cast<size_t>(position)];
  }
  std::span<const CAlbumEntry> Entries() const { return {entries_.data(), entries_.size()}; }
  // The scan index of the selected entry, -1 for none, and the entry itself or null.
  int32_t Selection() const { return selection_; }
  const CAlbumEntry* SelectedEntry() const;
  // The place of every picture, by scan index.
  std::vector<int32_t> Orders() const;

  // What the album's parts change.
  CAlbumEntry& EntryAt(int index) { return entries_[static_cast<size_t>(index)]; }
  CAlbumEntry& EntryAtPosition(int position) {
    return *displayOrder_[static_cast<size_t>(position)];
  }
  std::span<CAlbumEntry> Entries() { return {entries_.data(), entries_.size()}; }
  std::vector<CAlbumEntry*>& DisplayOrderToChange() { return displayOrder_; }
  CAlbumEntry* SelectedEntry();
  // Sets the selection (-1: none), whatever it was.
  void SetSelection(int32_t index) { selection_ = index; }
  // Adds a picture last in scan and display order; its index and order become its position.
  // The entries stay in place while the room reserved lasts (the sheet points at them during
  // a load); beyond it the display order follows them.
  CAlbumEntry& Add(CAlbumEntry entry);
  void ReserveRoom(size_t pictures) { entries_.reserve(pictures); }
  // Reorders so that the dragged entry shows right after the target.
  void MoveAfter(int dragged, int target);
  // Sorts the display order by ascending order.
  void SortDisplayOrder();
  // Gives every picture its place, by scan index, and sorts the display order.
  void SetOrders(const std::vector<int32_t>& orders);
  // No pictures, no selection.
  void Clear();

 private:
  int32_t selection_ = -1;
  int32_t count_ = 0;
  std::vector<CAlbumEntry> entries_;        // scan order
  std::vector<CAlbumEntry*> displayOrder_;  // pointers into entries_, by ascending order
};
