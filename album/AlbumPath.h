#pragma once
// Which directory a path given to OpenDirectory opens, and the album's name for it.

#include <string>

// The path itself when it names a directory, else the directory of the file it names. A
// relative path is taken from the current directory; ".", "..", doubled and trailing "/" are
// resolved, so every spelling of a directory gives the same dirPath: absolute, without a
// trailing "/" except for the root "/". dirName is its last component, "/" for the root.
// false, with both untouched, for the empty path and for a bare name that is no directory.
bool AlbumDirectoryOf(const std::string& path, std::string& dirPath, std::string& dirName);
