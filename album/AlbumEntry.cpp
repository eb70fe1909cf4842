#include "album/AlbumEntry.h"

#include "imaging/PictureDate.h"

int CompareOrder(const CAlbumEntry* a, const CAlbumEntry* b) {
  if (a->order < b->order) {
    return -1;
  }
  return a->order > b->order ? 1 : 0;
}

int ReadPictureDate(const std::string& path, CAlbumEntry& entry, CPlatformUi& ui) {
  return ReadPictureDate(path, entry.date, ui, &entry.takenAt);
}
