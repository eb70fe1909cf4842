#include "album/AlbumState.h"

#include "album/AlbumEntry.h"

EntryState StateOf(const CAlbumEntry& entry) {
  return {entry.order, entry.omitted, entry.caption, entry.date, entry.thumbRect};
}

bool SetState(CAlbumEntry& entry, const EntryState& state) {
  const bool newArea = entry.thumbRect != state.thumbRect;
  entry.order = state.order;
  entry.omitted = state.omitted;
  entry.caption = state.caption;
  entry.date = state.date;
  entry.thumbRect = state.thumbRect;
  return newArea;
}

std::vector<EntryChange> ChangesBetween(const AlbumState& before, const AlbumState& after) {
  std::vector<EntryChange> changes;
  for (size_t i = 0; i < before.entries.size() && i < after.entries.size(); ++i) {
    if (!(before.entries[i] == after.entries[i])) {
      changes.push_back({static_cast<int>(i), before.entries[i], after.entries[i]});
    }
  }
  return changes;
}
