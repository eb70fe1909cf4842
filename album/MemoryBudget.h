#pragma once
// The memory that the workers of one pass over a folder may hold at once for their pictures,
// shared by all of them: a worker takes what its picture will need before it decodes it,
// waiting while the others hold too much, and gives it back once it is done with the pixels.
// So the peak stays within the budget on any folder and with any number of threads; a
// picture that needs more than the whole budget is refused.

#include <condition_variable>
#include <cstdint>
#include <mutex>

// Has the allocator keep the buffers of pictures in its heap rather than map and unmap them
// each time: every picture takes and gives back buffers of the same few sizes, which are then
// not faulted in and zeroed anew by the kernel for every picture. Memory stays that of the
// pictures in flight. For the start of main.
void KeepPictureBuffersInTheHeap();

// Half of the machine's physical memory in bytes.
int64_t HalfOfPhysicalMemory();
// The budget of a pass: 768 MB, or half of the machine's memory when that is less.
int64_t PictureMemoryBudget();

class CMemoryBudget {
 public:
  explicit CMemoryBudget(int64_t bytes) : total_(bytes) {}
  CMemoryBudget(const CMemoryBudget&) = delete;
  CMemoryBudget& operator=(const CMemoryBudget&) = delete;

  // Takes bytes once they fit beside what is held; true then. false at once, with nothing
  // taken, when they exceed the whole budget beside what is kept (below): a worker never
  // waits for memory that the window side may keep for as long as the user looks.
  // kept: the bytes are kept beyond one piece of work (a picture that a window shows, or that
  // is kept for the next operation on it), by the thread of the window side.
  bool Take(int64_t bytes, bool kept = false);
  void Give(int64_t bytes, bool kept = false);
  int64_t Total() const { return total_; }
  // What is kept now.
  int64_t Kept() const;
  // The most that was held at once.
  int64_t Peak() const;

 private:
  const int64_t total_;
  int64_t held_ = 0;
  int64_t kept_ = 0;  // of held_
  int64_t peak_ = 0;
  mutable std::mutex mutex_;
  std::condition_variable given_;
};

// What one picture holds of the budget, given back when it ends.
class CBudgetShare {
 public:
  explicit CBudgetShare(CMemoryBudget& budget, bool kept = false)
      : budget_(budget), kept_(kept) {}
  ~CBudgetShare() { GiveBack(); }
  CBudgetShare(const CBudgetShare&) = delete;
  CBudgetShare& operator=(const CBudgetShare&) = delete;

  // As CMemoryBudget::Take, adding to the share.
  bool Take(int64_t bytes);
  // Gives back all of the share, when what it was taken for is let go early.
  void GiveBack();

 private:
  CMemoryBudget& budget_;
  const bool kept_;
  int64_t held_ = 0;
};
