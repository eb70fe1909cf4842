#include "appcore/DirectoryListing.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "album/ImageFind.h"

namespace fs = std::filesystem;

DirectoryListing ListDirectory(const std::string& path) {
  DirectoryListing listing;
  std::error_code error;
  fs::directory_iterator it(path, error);
  if (error) {
    return listing;
  }
  listing.readable = true;
  const CImageFind pictures;
  for (const fs::directory_iterator end; !error && it != end; it.increment(error)) {
    const std::string name = it->path().filename().string();
    std::error_code typeError;
    if (it->is_directory(typeError)) {
      if (name.front() != '.') {
        listing.subdirs.push_back(name);
      }
    } else if (pictures.HasPictureExtension(name)) {
      ++listing.pictures;
    }
  }
  std::sort(listing.subdirs.begin(), listing.subdirs.end(), PictureNameLess);
  return listing;
}

std::string FavouriteRoot(const std::string& path, const std::string& favourite) {
  if (favourite.size() < 2) {
    return {};
  }
  // Only whole names count: "Pictures" is not found in "/home/me/Pictures-old".
  for (size_t at = path.find(favourite); at != std::string::npos;
       at = path.find(favourite, at + 1)) {
    const size_t end = at + favourite.size();
    const bool startsName = at == 0 || path[at - 1] == '/' || favourite.front() == '/';
    const bool endsName = end == path.size() || path[end] == '/' || favourite.back() == '/';
    if (startsName && endsName) {
      return path.substr(0, std::min(end + 1, path.size()));
    }
  }
  return {};
}

std::vector<std::string> ComponentsAfter(const std::string& path, const std::string& root) {
  std::vector<std::string> components;
  const size_t at = root.empty() ? std::string::npos : path.find(root);
  if (at == std::string::npos) {
    return components;
  }
  size_t start = at + root.size();
  for (size_t slash = path.find('/', start); slash != std::string::npos;
       slash = path.find('/', start)) {
    if (slash > start) {
      components.push_back(path.substr(start, slash - start));
    }
    start = slash + 1;
  }
  return components;
}
