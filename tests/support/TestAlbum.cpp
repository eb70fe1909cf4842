#include "tests/support/TestAlbum.h"

#include <utility>

void FillAlbum(CPixDir& album, const std::vector<std::string>& fileNames,
               const std::function<void(int index, CAlbumEntry& entry)>& shape) {
  album.Loader().ReleaseEntries();
  for (const std::string& name : fileNames) {
    CAlbumEntry entry;
    entry.fileName = name;
    if (shape) {
      shape(album.Pictures().Count(), entry);
    }
    album.Loader().AddPicture(std::move(entry));
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
  for (int p = 0; p < album.Pictures().Count(); ++p) {
    shown.push_back(album.Pictures().EntryAtPosition(p).index);
  }
  return shown;
}
