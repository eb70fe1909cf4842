#pragma once
// The orders that Sort by Name and Sort by Date give the pictures.

#include "album/AlbumEntry.h"

// File names as file managers list them: "IMG_2" before "IMG_10", letters without regard to
// case; names that are still equal then go byte for byte, then by scan index.
bool NameBefore(const CAlbumEntry* a, const CAlbumEntry* b);
// By the time the picture was taken; pictures taken at the same second go by name, so that a
// sort gives one order whatever the order before it.
bool TakenBefore(const CAlbumEntry* a, const CAlbumEntry* b);
