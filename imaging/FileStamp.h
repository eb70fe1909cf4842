#pragma once
// What tells one version of a file from another without reading it: its size, its time of
// last modification and its inode. A file replaced (even by a copy of the same size) or
// deleted since its stamp was taken has another stamp.

#include <cstdint>
#include <string>

struct FileStamp {
  bool taken = false;  // false: no file was there, or no stamp was ever taken
  int64_t size = 0;
  int64_t modifiedNs = 0;
  uint64_t device = 0;
  uint64_t inode = 0;
  bool operator==(const FileStamp&) const = default;
};

// The stamp of the file at path as it is now (through symbolic links).
FileStamp StampOf(const std::string& path);

// Whether the file at path is the one of the stamp: there is one, and it has not changed.
bool StillTheSame(const std::string& path, const FileStamp& stamp);
