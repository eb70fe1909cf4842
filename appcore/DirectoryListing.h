#pragma once
// What the directory dialog reads from the disk, without any widget: the sub-directories of a
// directory with its picture count, the favourite root found in a path, and the directory
// names along a path.

#include <string>
#include <vector>

struct DirectoryListing {
  bool readable = false;
  // Sub-directory names in the loader's order (by name, ignoring case); names that start with
  // "." are left out, as Linux file choosers do.
  std::vector<std::string> subdirs;
  int pictures = 0;  // files the loader would open
};

DirectoryListing ListDirectory(const std::string& path);

// The leading part of path up to and including the first whole-component occurrence of
// favourite, with the "/" that follows it when there is one; empty when the favourite is
// shorter than 2 characters or does not occur.
std::string FavouriteRoot(const std::string& path, const std::string& favourite);

// The directory names of path after the first occurrence of root, each one followed by "/"
// in path (text after the last "/" is not a directory name); empty components are skipped.
// Empty when root does not occur.
std::vector<std::string> ComponentsAfter(const std::string& path, const std::string& root);
