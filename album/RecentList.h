#pragma once
// The recent-directory list as start-up and shut-down see it: read from the profile once at
// start, written back once at the end. The list itself lives with the directory commands.

class CProfileStore;

class CRecentList {
 public:
  virtual ~CRecentList() = default;
  virtual void Load(CProfileStore& store) = 0;
  virtual void Save(CProfileStore& store) = 0;
};
