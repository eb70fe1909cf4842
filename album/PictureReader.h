#pragma once
// Reads the pictures of a directory ahead of the loader on worker threads: each file is dated
// and decoded into an album entry of its own while the loader takes the finished ones in file
// order. At most a few files are read ahead, so memory stays that of the pictures kept.

#include <condition_variable>
#include <exception>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "album/AlbumEntry.h"
#include "album/DeferredUi.h"

// What reading one file gave.
enum PictureRead { kPictureNotDated = 0, kPictureLoaded = 1, kPictureNotDecoded = 2 };

class CPictureReader {
 public:
  // Reads the file at this position of the list into an entry; returns a PictureRead,
  // kPictureLoaded when the entry holds a dated, decoded picture.
  using ReadOne =
      std::function<int(int index, const std::string& path, CAlbumEntry& entry, CPlatformUi& ui)>;

  struct Result {
    CAlbumEntry entry;
    int ok = 0;
    CDeferredUi messages;
    std::exception_ptr failure;  // std::bad_alloc and the like, rethrown to the loader
  };

  CPictureReader(std::vector<std::string> paths, ReadOne read, int threads, int lookAhead);
  ~CPictureReader();
  CPictureReader(const CPictureReader&) = delete;
  CPictureReader& operator=(const CPictureReader&) = delete;

  // Waits for file i (taken in increasing order, each once) and hands over its result.
  std::unique_ptr<Result> Take(int i);
  // Whether file i has been read, so that Take(i) returns at once.
  bool Ready(int i);

 private:
  void Work();

  std::vector<std::string> paths_;
  ReadOne read_;
  int lookAhead_;
  std::vector<std::unique_ptr<Result>> results_;
  std::vector<bool> done_;
  int next_ = 0;   // next file to hand to a worker
  int taken_ = 0;  // files the loader has taken
  bool stopping_ = false;
  std::mutex mutex_;
  std::condition_variable changed_;
  std::vector<std::thread> workers_;
};

// Threads worth using for decoding on this machine.
int PictureReaderThreads();

// Runs work(0) .. work(count - 1) on up to threads threads and returns when all are done; an
// exception from work is passed on then (the first one; the other items still run).
void ForEachOnThreads(int count, int threads, const std::function<void(int)>& work);
