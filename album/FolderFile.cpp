#include "album/FolderFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <system_error>

#include "imaging/OutputFolder.h"
#include "raster/AtomicFile.h"

namespace fs = std::filesystem;

namespace {

// Whether path lies in folder or below it; both without symbolic links.
bool LiesBelow(const fs::path& path, const fs::path& folder) {
  const fs::path relative = path.lexically_relative(folder);
  return !relative.empty() && *relative.begin() != ".." && relative != ".";
}

// The open file at path, which is a regular file; -1 with why set otherwise, and missing when
// there is no such file. Anything else is not even opened, and should it have been put there
// since, O_NONBLOCK keeps a FIFO from blocking the open and O_NOFOLLOW refuses a link.
int OpenRegular(const std::string& path, int flags, std::string& why, bool& missing) {
  const std::string notRegular = path + ": it is not a regular file";
  struct stat info {};
  if (::lstat(path.c_str(), &info) == 0 && !S_ISREG(info.st_mode)) {
    missing = false;
    why = notRegular;
    return -1;
  }
  const int fd = ::open(path.c_str(), flags | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC, 0666);
  missing = fd < 0 && errno == ENOENT;
  if (fd < 0) {
    why = path + ": " + ErrorReason(errno);
    return -1;
  }
  if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    ::close(fd);
    why = notRegular;
    return -1;
  }
  return fd;
}

}  // namespace

bool TargetInsideFolder(const std::string& folder, const std::string& path, std::string& target,
                        std::string& why) {
  if (const int error = FollowLinks(path, target); error != 0) {
    why = path + ": " + ErrorReason(error);
    return false;
  }
  if (target == path) {
    return true;
  }
  std::error_code error;
  const fs::path inside = fs::weakly_canonical(folder, error);
  const fs::path resolved = fs::weakly_canonical(target, error);
  if (error || !LiesBelow(resolved, inside)) {
    why = path + ": it is a symbolic link to " + resolved.string() + ", outside the album folder";
    return false;
  }
  return true;
}

FolderFileRead ReadFolderFile(const std::string& folder, const std::string& path, int64_t maxBytes,
                              std::string& text, std::string& why) {
  text.clear();
  std::string target;
  if (!TargetInsideFolder(folder, path, target, why)) {
    return FolderFileRead::kRefused;
  }
  bool missing = false;
  const int fd = OpenRegular(target, O_RDONLY, why, missing);
  if (fd < 0) {
    return missing ? FolderFileRead::kMissing : FolderFileRead::kRefused;
  }
  // One byte more than allowed tells a file that is too large, also one that grows.
  char buffer[65536];
  ssize_t got = 0;
  while ((got = ::read(fd, buffer, sizeof buffer)) != 0) {
    if (got < 0 && errno == EINTR) {
      continue;
    }
    if (got < 0 || static_cast<int64_t>(text.size()) + got > maxBytes) {
      why = path + (got < 0 ? ": " + ErrorReason(errno)
                            : ": it is larger than " + std::to_string(maxBytes >> 20) + " MB");
      ::close(fd);
      text.clear();
      return FolderFileRead::kRefused;
    }
    text.append(buffer, static_cast<size_t>(got));
  }
  ::close(fd);
  return FolderFileRead::kRead;
}

std::FILE* AppendToFolderFile(const std::string& folder, const std::string& path,
                              std::string& why) {
  std::string target;
  if (!TargetInsideFolder(folder, path, target, why)) {
    return nullptr;
  }
  bool missing = false;
  const int fd = OpenRegular(target, O_WRONLY | O_APPEND | O_CREAT, why, missing);
  if (fd < 0) {
    return nullptr;
  }
  std::FILE* file = ::fdopen(fd, "a");
  if (file == nullptr) {
    ::close(fd);
  }
  return file;
}
