#include "album/MemoryBudget.h"

#include <unistd.h>

#ifdef __GLIBC__
#include <malloc.h>
#endif

#include <algorithm>

void KeepPictureBuffersInTheHeap() {
#ifdef __GLIBC__
  mallopt(M_MMAP_THRESHOLD, 64 << 20);
  mallopt(M_TRIM_THRESHOLD, 256 << 20);
#endif
}

int64_t HalfOfPhysicalMemory() {
  const long pages = ::sysconf(_SC_PHYS_PAGES);
  const long pageSize = ::sysconf(_SC_PAGESIZE);
  return pages > 0 && pageSize > 0 ? static_cast<int64_t>(pages) * pageSize / 2 : INT64_MAX;
}

int64_t PictureMemoryBudget() {
  return std::min<int64_t>(int64_t{768} << 20, HalfOfPhysicalMemory());
}

bool CMemoryBudget::Take(int64_t bytes, bool kept) {
  std::unique_lock lock(mutex_);
  if (bytes > total_ - kept_) {
    return false;
  }
  given_.wait(lock, [&] { return bytes <= total_ - held_; });
  held_ += bytes;
  kept_ += kept ? bytes : 0;
  peak_ = std::max(peak_, held_);
  return true;
}

void CMemoryBudget::Give(int64_t bytes, bool kept) {
  {
    std::lock_guard lock(mutex_);
    held_ -= bytes;
    kept_ -= kept ? bytes : 0;
  }
  given_.notify_all();
}

int64_t CMemoryBudget::Kept() const {
  std::lock_guard lock(mutex_);
  return kept_;
}

int64_t CMemoryBudget::Peak() const {
  std::lock_guard lock(mutex_);
  return peak_;
}

bool CBudgetShare::Take(int64_t bytes) {
  if (!budget_.Take(bytes, kept_)) {
    return false;
  }
  held_ += bytes;
  return true;
}

void CBudgetShare::GiveBack() {
  budget_.Give(held_, kept_);
  held_ = 0;
}
