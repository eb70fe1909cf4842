#pragma once
// The files of an album folder that the program reads and replaces itself: the record and
// the run log. A folder may come from anyone (an archive, a shared drive), so a name there
// may be a FIFO, a device, a huge file, or a symbolic link that leads elsewhere; none of them
// may hang the program or have it read or write another file of the user.

#include <cstdint>
#include <cstdio>
#include <string>

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};

// The file that path (inside folder) stands for: path itself, or the file its symbolic links
// lead to when that lies inside folder too. false, with why naming the link and where it
// leads, when the links lead out of the folder or do not end.
bool TargetInsideFolder(const std::string& folder, const std::string& path, std::string& target,
                        std::string& why);

enum class FolderFileRead { kRead, kMissing, kRefused };

// Reads the file at path (inside folder) whole into text. Only a regular file of at most
// maxBytes is read, and opening it never blocks. kMissing when there is no such file;
// kRefused, with why ("path: reason"), for a link out of the folder, anything but a regular
// file, a larger file, or a file that cannot be read.
FolderFileRead ReadFolderFile(const std::string& folder, const std::string& path, int64_t maxBytes,
                              std::string& text, std::string& why);

// Opens the file at path (inside folder) for appending, made when it is missing; null, with
// why, for a link out of the folder or anything but a regular file.
std::FILE* AppendToFolderFile(const std::string& folder, const std::string& path, std::string& why);
