#include "album/ImageFind.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <system_error>

#include "imaging/PathJoin.h"

namespace fs = std::filesystem;

namespace {

unsigned char FoldCase(char c) {
  return static_cast<unsigned char>(std::tolower(static_cast<unsigned char>(c)));
}

}  // namespace

bool PictureNameLess(const std::string& a, const std::string& b) {
  const bool less = std::lexicographical_compare(
      a.begin(), a.end(), b.begin(), b.end(),
      [](char x, char y) { return FoldCase(x) < FoldCase(y); });
  const bool greater = std::lexicographical_compare(
      b.begin(), b.end(), a.begin(), a.end(),
      [](char x, char y) { return FoldCase(x) < FoldCase(y); });
  if (less || greater) {
    return less;
  }
  return a < b;
}

CImageFind::CImageFind()
    : extensions_{".jpg", ".bmp",  ".gif",  ".png", ".heic",
                  ".heif", ".avif", ".webp", ".tif", ".tiff"} {}

bool CImageFind::HasPictureExtension(const std::string& path) const {
  return std::any_of(extensions_.begin(), extensions_.end(), [&](const std::string& ext) {
    return path.size() >= ext.size() &&
           std::equal(ext.begin(), ext.end(), path.end() - static_cast<ptrdiff_t>(ext.size()),
                      [](char x, char y) { return x == static_cast<char>(FoldCase(y)); });
  });
}

int CImageFind::Find(const std::string& dir) {
  paths_.clear();
  std::error_code error;
  fs::current_path(dir, error);
  if (error) {
    return 0;
  }
  std::vector<std::string> names;
  for (fs::directory_iterator it(dir, error), end; !error && it != end; it.increment(error)) {
    std::error_code typeError;
    if (it->is_directory(typeError)) {
      continue;
    }
    std::string name = it->path().filename().string();
    if (HasPictureExtension(name)) {
      names.push_back(std::move(name));
    }
  }
  std::sort(names.begin(), names.end(), PictureNameLess);
  for (const std::string& name : names) {
    paths_.push_back(InDirectory(dir, name));
  }
  return Count();
}

std::string CImageFind::GetAt(int index) const {
  if (index < 0 || index >= Count()) {
    return {};
  }
  return paths_[static_cast<size_t>(index)];
}
