#include "album/AlbumPath.h"

#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

bool AlbumDirectoryOf(const std::string& path, std::string& dirPath, std::string& dirName) {
  if (path.empty()) {
    return false;
  }
  std::error_code error;
  fs::path directory = path;
  if (!fs::is_directory(directory, error)) {
    if (path.find('/') == std::string::npos) {
      return false;
    }
    directory = directory.parent_path();  // a file inside the directory
  }
  const fs::path absolute = fs::absolute(directory, error);
  if (error) {
    return false;
  }
  std::string normal = absolute.lexically_normal().string();
  while (normal.size() > 1 && normal.back() == '/') {
    normal.pop_back();
  }
  dirPath = normal;
  dirName = normal == "/" ? normal : normal.substr(normal.rfind('/') + 1);
  return true;
}
