#pragma once
// An open file descriptor, closed at the end of its scope, and reading from one without
// stopping at a short read.

#include <unistd.h>

#include <cerrno>
#include <cstddef>

class FileHandle {
 public:
  explicit FileHandle(int fd) : fd_(fd) {}
  FileHandle(const FileHandle&) = delete;
  FileHandle& operator=(const FileHandle&) = delete;
  ~FileHandle() { Close(); }
  int Get() const { return fd_; }
  // Closes it now; false when the close failed (a write that did not reach the file).
  bool Close() {
    const bool ok = fd_ < 0 || ::close(fd_) == 0;
    fd_ = -1;
    return ok;
  }

 private:
  int fd_;
};

// Reads up to size bytes, going on after short and interrupted reads: how many were read
// (fewer only at the end of the file), or -1 on a read error.
inline ptrdiff_t ReadFully(int fd, char* buffer, size_t size) {
  size_t total = 0;
  while (total < size) {
    const ssize_t got = ::read(fd, buffer + total, size - total);
    if (got < 0 && errno == EINTR) {
      continue;
    }
    if (got < 0) {
      return -1;
    }
    if (got == 0) {
      break;
    }
    total += static_cast<size_t>(got);
  }
  return static_cast<ptrdiff_t>(total);
}
