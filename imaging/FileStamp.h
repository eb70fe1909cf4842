#pragma once
// What tells one version of a file from another without reading it: its size, its time of
// last modification and its inode, and the inode of a symbolic link at its path. A file
// replaced (even by a copy of the same size, or by a link to the same file) or deleted since
// its stamp was taken has another stamp.

#include <cstdint>
#include <string>

struct FileStamp {
  bool taken = false;  // false: no file was there, or no stamp was ever taken
  int64_t size = 0;
  int64_t modifiedNs = 0;
  uint64_t device = 0;
  uint64_t inode = 0;
  uint64_t linkInode = 0;  // of the symbolic link at the path; 0 when there is none
  bool operator==(const FileStamp&) const = default;
};

// The stamp of the file at path as it is now: of the path itself and, when that is a symbolic
// link, of the file it leads to besides.
FileStamp StampOf(const std::string& path);

// Whether the file at path is the one of the stamp: there is one, and it has not changed.
bool StillTheSame(const std::string& path, const FileStamp& stamp);
