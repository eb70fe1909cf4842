#include "appcore/DirectoryFind.h"

#include <filesystem>
#include <system_error>

#include "platform/ProfileStore.h"

namespace {

const char kSection[] = "RecentDir";

std::string EntryName(int i) { return "DirEx" + std::to_string(i); }

}  // namespace

void CDirectoryFind::Load(CProfileStore& store) {
  const int n = store.GetProfileInt(kSection, "NDirEx", 0);
  dirCount = n < 1 || n > kRecentDirCount ? 0 : n;
  for (int i = 0; i < dirCount; ++i) {
    dirs[static_cast<size_t>(i)] = store.GetProfileString(kSection, EntryName(i), "");
  }
}

void CDirectoryFind::Save(CProfileStore& store) const {
  store.WriteProfileInt(kSection, "NDirEx", dirCount);
  for (int i = 0; i < dirCount; ++i) {
    store.WriteProfileString(kSection, EntryName(i), dirs[static_cast<size_t>(i)]);
  }
}

void CDirectoryFind::Add(const std::string& path) {
  for (int i = 0; i < dirCount; ++i) {
    if (dirs[static_cast<size_t>(i)] == path) {
      MoveToFront(i);
      return;
    }
  }
  // A full list loses its oldest entry.
  const int last = dirCount < kRecentDirCount ? dirCount : kRecentDirCount - 1;
  for (int j = last; j >= 1; --j) {
    dirs[static_cast<size_t>(j)] = dirs[static_cast<size_t>(j - 1)];
  }
  dirs[0] = path;
  if (dirCount < kRecentDirCount) {
    ++dirCount;
  }
}

void CDirectoryFind::MoveToFront(int position) {
  if (position <= 0 || position >= dirCount) {
    return;
  }
  const std::string kept = dirs[static_cast<size_t>(position)];
  for (int j = position; j >= 1; --j) {
    dirs[static_cast<size_t>(j)] = dirs[static_cast<size_t>(j - 1)];
  }
  dirs[0] = kept;
}

void CDirectoryFind::Remove(int position) {
  if (position < 0 || position >= dirCount) {
    return;
  }
  for (int j = position; j + 1 < dirCount; ++j) {
    dirs[static_cast<size_t>(j)] = dirs[static_cast<size_t>(j + 1)];
  }
  dirs[static_cast<size_t>(--dirCount)].clear();
}

std::string CDirectoryFind::ShortName(const std::string& path) {
  if (path.empty()) {
    return path;
  }
  // With a trailing "/" the short name keeps it: the last directory name and its "/".
  const size_t searchEnd = path.back() == '/' ? path.size() - 1 : path.size();
  if (searchEnd == 0) {
    return path;
  }
  const size_t slash = path.rfind('/', searchEnd - 1);
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string CDirectoryFind::Label(int position) const {
  return std::to_string(position + 1) + " " + ShortName(dirs[static_cast<size_t>(position)]);
}

bool CDirectoryFind::Exists(int position) const {
  std::error_code error;
  return std::filesystem::is_directory(dirs[static_cast<size_t>(position)], error);
}
