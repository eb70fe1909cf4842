#pragma once
// The last six picture directories opened, most recent first, kept in the profile (section
// "RecentDir"). The window shows them as numbered items in the "Directory" menu between "Open"
// and "Exit" (shell/RecentMenu.h).

#include <array>
#include <string>

class CProfileStore;

// Command ids of the recent items: the first is the most recent directory.
constexpr int kRecentDirFirstId = 32791;
constexpr int kRecentDirCount = 6;

class CDirectoryFind {
 public:
  std::array<std::string, kRecentDirCount> dirs;
  int dirCount = 0;

  void Load(CProfileStore& store);
  void Save(CProfileStore& store) const;
  // Puts the path at the front; a path already in the list moves there.
  void Add(const std::string& path);
  void MoveToFront(int position);
  // Takes the entry out of the list; the ones after it move up.
  void Remove(int position);
  // Entry 0, or the empty text when the list is empty.
  std::string MostRecent() const { return dirCount > 0 ? dirs[0] : std::string(); }
  // The menu label of the entry at this position: "%d %s" with its number and short name.
  std::string Label(int position) const;
  // Whether the entry's directory exists now; a missing one stays in the list (its drive may
  // be unmounted).
  bool Exists(int position) const;
  // "Trip/" for "/home/me/Trip/"; "/" for the root; the last component for a path without
  // trailing "/".
  static std::string ShortName(const std::string& path);
};
