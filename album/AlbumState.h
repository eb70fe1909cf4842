#pragma once
// What the record keeps of the pictures, and the selection: taken before and after a change
// of the album's bookkeeping (a move, a sort, an X-out, a caption, a thumb area), so that the
// change can be undone and made again by setting the fields back.

#include <cstdint>
#include <string>
#include <vector>

#include "imaging/Rect.h"

class CAlbumEntry;

struct EntryState {
  int32_t order = 0;
  int32_t omitted = 0;
  std::string caption;
  std::string date;
  Rect thumbRect;
  bool operator==(const EntryState&) const = default;
};

struct AlbumState {
  std::vector<EntryState> entries;  // by scan index
  int selection = -1;
};

// One picture whose state a change altered.
struct EntryChange {
  int index = 0;
  EntryState before;
  EntryState after;
};

EntryState StateOf(const CAlbumEntry& entry);
// Sets the entry's fields; true when its thumb area changed, so that its thumb is made anew.
bool SetState(CAlbumEntry& entry, const EntryState& state);
// The pictures whose state differs between the two (of the same album).
std::vector<EntryChange> ChangesBetween(const AlbumState& before, const AlbumState& after);
