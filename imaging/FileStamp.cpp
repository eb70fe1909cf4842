#include "imaging/FileStamp.h"

#include <sys/stat.h>

FileStamp StampOf(const std::string& path) {
  struct stat link {};
  struct stat info {};
  if (::lstat(path.c_str(), &link) != 0 || ::stat(path.c_str(), &info) != 0) {
    return {};
  }
  return {true,
          static_cast<int64_t>(info.st_size),
          static_cast<int64_t>(info.st_mtim.tv_sec) * 1'000'000'000 + info.st_mtim.tv_nsec,
          static_cast<uint64_t>(info.st_dev),
          static_cast<uint64_t>(info.st_ino),
          S_ISLNK(link.st_mode) ? static_cast<uint64_t>(link.st_ino) : 0};
}

bool StillTheSame(const std::string& path, const FileStamp& stamp) {
  return stamp.taken && StampOf(path) == stamp;
}
