#include "raster/AtomicFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <charconv>
#include <csignal>
#include <filesystem>
#include <string_view>
#include <system_error>

namespace {

// Temporary files are named ".quillaran-<pid>-<n>.tmp", after the process that writes them.
const char kTemporaryPrefix[] = ".quillaran-";
const char kTemporarySuffix[] = ".tmp";

// The process id of a temporary file's name, or 0 when the name is not one.
pid_t TemporaryOwner(std::string_view name) {
  const std::string_view prefix = kTemporaryPrefix;
  const std::string_view suffix = kTemporarySuffix;
  if (name.size() <= prefix.size() + suffix.size() || !name.starts_with(prefix) ||
      !name.ends_with(suffix)) {
    return 0;
  }
  name = name.substr(prefix.size(), name.size() - prefix.size() - suffix.size());
  const size_t dash = name.find('-');
  if (dash == 0 || dash == std::string_view::npos || dash + 1 == name.size() ||
      name.find_first_not_of("0123456789-") != std::string_view::npos ||
      name.find('-', dash + 1) != std::string_view::npos) {
    return 0;
  }
  pid_t pid = 0;
  const auto [end, error] = std::from_chars(name.data(), name.data() + dash, pid);
  return error == std::errc() && end == name.data() + dash ? pid : 0;
}

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
    temporary = directory + kTemporaryPrefix + std::to_string(::getpid()) + "-" +
                std::to_string(counter++) + kTemporarySuffix;
    const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0 || errno != EEXIST) {
      return fd;
    }
  }
  return -1;
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

// Flushes the directory that holds path, so that a rename in it survives a power cut. A
// directory that cannot be opened for it, or a file system that cannot flush one (EINVAL),
// leaves the rename as safe as the system makes it: 0 then too.
int FlushDirectoryOf(const std::string& path) {
  const size_t slash = path.find_last_of('/');
  const std::string directory =
      slash == std::string::npos ? "." : (slash == 0 ? "/" : path.substr(0, slash));
  const int fd = ::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) {
    return 0;
  }
  const int error = ::fsync(fd) != 0 && errno != EINVAL ? errno : 0;
  ::close(fd);
  return error;
}

}  // namespace

std::optional<FileTimes> TimesOf(const std::string& path) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) {
    return std::nullopt;
  }
  return FileTimes{info.st_atim, info.st_mtim};
}

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

int ReplaceFileAtomically(const std::string& path, std::string_view content, Flush flush,
                          LinkAtPath link, const FileTimes* times) {
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
  if (error == 0 && times != nullptr) {
    const struct timespec given[2] = {times->access, times->modified};
    error = ::futimens(fd, given) != 0 ? errno : 0;
  }
  if (error == 0 && flush == Flush::ToDisk && ::fsync(fd) != 0) {
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
    return error;
  }
  return flush == Flush::ToDisk ? FlushDirectoryOf(target) : 0;
}

int RemoveDeadTemporaries(const std::string& directory) {
  int removed = 0;
  std::error_code error;
  for (std::filesystem::directory_iterator it(directory, error), end; !error && it != end;
       it.increment(error)) {
    const pid_t owner = TemporaryOwner(it->path().filename().string());
    std::error_code typeError;
    // A process that runs, or that we may not signal, may still be writing its file.
    if (owner <= 0 || !it->is_regular_file(typeError) || it->is_symlink(typeError) ||
        ::kill(owner, 0) == 0 || errno != ESRCH) {
      continue;
    }
    removed += ::unlink(it->path().c_str()) == 0 ? 1 : 0;
  }
  return removed;
}
