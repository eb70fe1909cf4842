#include "tests/support/TestAlbum.h"

void FillAlbum(CPixDir& album, const std::vector<std::string>& fileNames) {
  const int n = static_cast<int>(fileNames.size());
  album.entries.clear();
  album.entries.resize(fileNames.size());
  album.displayOrder.clear();
  for (int i = 0; i < n; ++i) {
    CAlbumEntry& e = album.EntryAt(i);
    e.fileName = fileNames[static_cast<size_t>(i)];
    e.index = i;
    e.order = i;
    album.displayOrder.push_back(&e);
  }
  album.count = n;
}

CDirectoryFind RecentListOf(const std::vector<std::string>& paths) {
  CDirectoryFind recent;
  for (auto it = paths.rbegin(); it != paths.rend(); ++it) {
    recent.Add(*it);
  }
  return recent;
}

std::vector<int> DisplayedIndexes(CPixDir& album) {
  std::vector<int> shown;
  for (int p = 0; p < album.count; ++p) {
    shown.push_back(album.EntryAtPosition(p).index);
  }
  return shown;
}
