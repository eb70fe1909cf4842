#include "album/AlbumEntry.h"

int CompareOrder(const CAlbumEntry* a, const CAlbumEntry* b) {
  if (a->order < b->order) {
    return -1;
  }
  return a->order > b->order ? 1 : 0;
}
