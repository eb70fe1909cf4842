#include "web/PageNames.h"

#include <set>

#include "album/AlbumEntry.h"

std::string PageNameOf(const std::string& fileName) {
  std::string name;
  name.reserve(fileName.size() + 4);
  for (const char c : fileName) {
    const char mapped = c == '.' ? '_' : c;
    if (mapped == '_' && !name.empty() && name.back() == '_') {
      continue;
    }
    name += mapped;
  }
  return name + ".htm";
}

std::vector<std::string> MakePageNames(const std::vector<CAlbumEntry*>& displayOrder, int count) {
  const size_t n = std::min(displayOrder.size(), static_cast<size_t>(std::max(count, 0)));
  std::vector<std::string> names(n);
  // Every plain name is reserved first, so that a suffixed name never takes the plain name of
  // an entry further on.
  std::set<std::string> plain;
  for (size_t i = 0; i < n; ++i) {
    if (displayOrder[i]->omitted == 0) {
      plain.insert(PageNameOf(displayOrder[i]->fileName));
    }
  }
  std::set<std::string> taken;
  for (size_t i = 0; i < n; ++i) {
    if (displayOrder[i]->omitted != 0) {
      continue;
    }
    const std::string base = PageNameOf(displayOrder[i]->fileName);
    std::string name = base;
    const std::string stem = base.substr(0, base.size() - 4);
    for (int suffix = 2; taken.count(name) != 0 || (name != base && plain.count(name) != 0);
         ++suffix) {
      name = stem + "_" + std::to_string(suffix) + ".htm";
    }
    taken.insert(name);
    names[i] = name;
  }
  return names;
}
