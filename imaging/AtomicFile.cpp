#include "imaging/AtomicFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <filesystem>
#include <system_error>

namespace {

// 0, or the error number of the failed write.
int WriteAll(int fd, std::string_view content) {
  while (!content.empty()) {
    const ssize_t written = ::write(fd, content.data(), content.size());
    if (written < 0) {
      if (errno == EINTR) {
        continue;
      }
      return errno;
    }
    content.remove_prefix(static_cast<size_t>(written));
  }
  return 0;
}

// A new file beside path, created exclusively; -1 with errno set on failure.
int CreateTemporary(const std::string& path, std::string& temporary) {
  static std::atomic<unsigned> counter{0};
  const size_t slash = path.find_last_of('/');
  const std::string directory = slash == std::string::npos ? "" : path.substr(0, slash + 1);
  for (int attempt = 0; attempt < 100; ++attempt) {
    temporary = directory + ".quillaran-" + std::to_string(::getpid()) + "-" +
                std::to_string(counter++) + ".tmp";
    const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0 || errno != EEXIST) {
      return fd;
    }
  }
  return -1;
}

// The file that path finally names, through any symbolic links (a dangling link names the
// file it would point to), so that the file is replaced and the link kept. 0 or ELOOP.
int FollowLinks(const std::string& path, std::string& target) {
  constexpr int kMaxLinks = 40;  // as the kernel allows
  target = path;
  for (int hop = 0; hop < kMaxLinks; ++hop) {
    std::error_code error;
    if (!std::filesystem::is_symlink(std::filesystem::symlink_status(target, error))) {
      return 0;
    }
    const std::filesystem::path link = std::filesystem::read_symlink(target, error);
    if (error) {
      return error.value();
    }
    target = link.is_absolute() ? link.string()
                                : (std::filesystem::path(target).parent_path() / link).string();
  }
  return ELOOP;
}

// A file the user cannot write stays as it is, although the directory would allow the rename.
// A file without any write bit counts as locked by its owner even for root, who may write
// anything. 0, or the error number writing into the file would give.
int WriteProtection(const std::string& path, const struct stat& info) {
  if (::faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) != 0) {
    return errno;
  }
  return (info.st_mode & 0222) == 0 ? EACCES : 0;
}

}  // namespace

int ReplaceFileAtomically(const std::string& path, std::string_view content, bool durable,
                          LinkAtPath link) {
  std::string target = path;
  if (link == LinkAtPath::Follow) {
    if (const int error = FollowLinks(path, target); error != 0) {
      return error;
    }
  }
  // A link that is replaced is not looked through: the new file gets the usual permissions.
  struct stat old {};
  const bool replacing = ::lstat(target.c_str(), &old) == 0 && S_ISREG(old.st_mode);
  if (replacing) {
    if (const int error = WriteProtection(target, old); error != 0) {
      return error;
    }
  }
  std::string temporary;
  const int fd = CreateTemporary(target, temporary);
  if (fd < 0) {
    return errno;
  }
  if (replacing) {
    ::fchmod(fd, old.st_mode & 07777);
  }
  int error = WriteAll(fd, content);
  if (error == 0 && durable && ::fsync(fd) != 0) {
    error = errno;
  }
  if (::close(fd) != 0 && error == 0) {
    error = errno;
  }
  if (error == 0 && ::rename(temporary.c_str(), target.c_str()) != 0) {
    error = errno;
  }
  if (error != 0) {
    ::unlink(temporary.c_str());
  }
  return error;
}
