#pragma once
// Albums of named entries without pictures, for tests of the album's bookkeeping.

#include <functional>
#include <string>
#include <vector>

#include "album/AlbumObserver.h"
#include "album/PixDir.h"
#include "appcore/DirectoryFind.h"

// The tests' door to the album's pictures, for what a test arranges before it checks an
// operation; the program changes them only through the album's operations.
class CAlbumTestPeer {
 public:
  static CAlbumPictures& Pictures(CPixDir& album) { return album.ChangePictures(); }
};
inline CAlbumPictures& Arrange(CPixDir& album) { return CAlbumTestPeer::Pictures(album); }

// Replaces the album's entries by one per name, in scan order: index = order = position,
// caption "?", no date, no thumb rectangle; shape gives each entry more before it is added.
void FillAlbum(CPixDir& album, const std::vector<std::string>& fileNames,
               const std::function<void(int index, CAlbumEntry& entry)>& shape = {});

// A recent-directory list holding these paths, the most recent first.
CDirectoryFind RecentListOf(const std::vector<std::string>& paths);

// Scan indexes of the album's entries in display order.
std::vector<int> DisplayedIndexes(CPixDir& album);

// A sheet view that counts its repaints and the loads it was told of.
class CountingSheetView : public CAlbumObserver {
 public:
  int repaints = 0;
  int loadsStarted = 0;
  int loadsEnded = 0;
  void Repaint() override { ++repaints; }
  void LoadingStarted() override { ++loadsStarted; }
  void LoadingEnded(int) override { ++loadsEnded; }
};
