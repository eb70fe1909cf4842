#include "tests/support/TestAlbum.h"

#include <utility>

void FillAlbum(CPixDir& album, const std::vector<std::string>& fileNames) {
  album.ReleaseEntries();
  for (const std::string& name : fileNames) {
    CAlbumEntry entry;
    entry.fileName = name;
    album.AddPicture(std::move(entry));
  }
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
  for (int p = 0; p < album.Count(); ++p) {
    shown.push_back(album.EntryAtPosition(p).index);
  }
  return shown;
}
