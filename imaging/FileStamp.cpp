#include "imaging/FileStamp.h"

#include <sys/stat.h>

FileStamp StampOf(const std::string& path) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) {
    return {};
  }
  return {true, static_cast<int64_t>(info.st_size),
          static_cast<int64_t>(info.st_mtim.tv_sec) * 1'000'000'000 + info.st_mtim.tv_nsec,
          static_cast<uint64_t>(info.st_dev), static_cast<uint64_t>(info.st_ino)};
}

bool StillTheSame(const std::string& path, const FileStamp& stamp) {
  return stamp.taken && StampOf(path) == stamp;
}
