#pragma once
// A directory load whose files from a given scan position on are held back until the test
// lets them go, so that a test sees the album half loaded, or files finished out of order.
// Each file is read as the album reads it: dated, and sketched from its own file.

#include <condition_variable>
#include <mutex>

#include "album/PixDir.h"

class HeldLoad {
 public:
  // Files at scan positions from first on wait, but those below until.
  HeldLoad(CPixDir& album, int first, int until = 1 << 30)
      : album_(album), first_(first), until_(until) {}
  ~HeldLoad() { LetGo(); }
  HeldLoad(const HeldLoad&) = delete;
  HeldLoad& operator=(const HeldLoad&) = delete;

  CAlbumLoader::DirectoryLoad How(int threads = 2);
  void LetGo();
  // Waits until this many files have been read (the album may not have been handed them yet).
  void WaitUntilRead(int count);

 private:
  CPixDir& album_;
  const int first_;
  const int until_;
  bool goneOn_ = false;
  int read_ = 0;
  std::mutex mutex_;
  std::condition_variable changed_;
};
