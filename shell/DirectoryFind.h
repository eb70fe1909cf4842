#pragma once
// The last six picture directories opened, most recent first, kept in the profile (section
// "RecentDir") and shown as numbered items in the "Directory" menu between "Open" and "Exit".

#include <array>
#include <string>

#include "album/RecentList.h"

class QMenu;

// Command ids of the recent items: the first is the most recent directory.
constexpr int kRecentDirFirstId = 32791;
constexpr int kRecentDirCount = 6;

class CDirectoryFind : public CRecentList {
 public:
  std::array<std::string, kRecentDirCount> dirs;
  int dirCount = 0;

  void Load(CProfileStore& store) override;
  void Save(CProfileStore& store) override;
  // Puts the path at the front; a path already in the list moves there.
  void Add(const std::string& path);
  void MoveToFront(int position);
  // Entry 0, or the empty text when the list is empty.
  std::string MostRecent() const { return dirCount > 0 ? dirs[0] : std::string(); }
  // Rebuilds the recent items of the menu; with removeOld the previous ones go first. Each
  // item is labelled "%d %s" with its number and the directory's short name. A directory that
  // does not exist now shows disabled; it stays in the list (its drive may be unmounted).
  void InsertIntoMenu(QMenu* menu, int removeOld) const;
  // "Trip/" for "/home/me/Trip/"; "/" for the root; the last component for a path without
  // trailing "/".
  static std::string ShortName(const std::string& path);
};
