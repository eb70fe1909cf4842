#include "album/PictureReader.h"

#include <algorithm>
#include <atomic>

CPictureReader::CPictureReader(std::vector<std::string> paths, ReadOne read, int threads,
                               int lookAhead)
    : paths_(std::move(paths)),
      read_(std::move(read)),
      lookAhead_(std::max(1, lookAhead)),
      results_(paths_.size()),
      done_(paths_.size(), false) {
  const int count = std::max(1, std::min<int>(threads, static_cast<int>(paths_.size())));
  for (int t = 0; t < count; ++t) {
    workers_.emplace_back([this] { Work(); });
  }
}

CPictureReader::~CPictureReader() {
  {
    std::lock_guard lock(mutex_);
    stopping_ = true;
  }
  changed_.notify_all();
  for (std::thread& worker : workers_) {
    worker.join();
  }
}

void CPictureReader::Work() {
  for (;;) {
    int i = 0;
    {
      std::unique_lock lock(mutex_);
      changed_.wait(lock, [this] {
        return stopping_ || (next_ < static_cast<int>(paths_.size()) && next_ < taken_ + lookAhead_);
      });
      if (stopping_) {
        return;
      }
      i = next_++;
    }
    auto result = std::make_unique<Result>();
    try {
      result->ok = read_(i, paths_[static_cast<size_t>(i)], result->entry, result->messages);
    } catch (...) {
      result->failure = std::current_exception();
    }
    {
      std::lock_guard lock(mutex_);
      results_[static_cast<size_t>(i)] = std::move(result);
      done_[static_cast<size_t>(i)] = true;
    }
    changed_.notify_all();
  }
}

std::unique_ptr<CPictureReader::Result> CPictureReader::Take(int i) {
  std::unique_lock lock(mutex_);
  changed_.wait(lock, [&] { return done_[static_cast<size_t>(i)]; });
  taken_ = i + 1;
  changed_.notify_all();
  return std::move(results_[static_cast<size_t>(i)]);
}

bool CPictureReader::Ready(int i) {
  std::lock_guard lock(mutex_);
  return done_[static_cast<size_t>(i)];
}

int PictureReaderThreads() {
  const unsigned cores = std::thread::hardware_concurrency();
  return cores == 0 ? 1 : static_cast<int>(std::min(cores, 8u));
}

void ForEachOnThreads(int count, int threads, const std::function<void(int)>& work) {
  std::atomic<int> next{0};
  std::mutex mutex;
  std::exception_ptr failure;
  auto run = [&] {
    for (int i = next++; i < count; i = next++) {
      try {
        work(i);
      } catch (...) {
        std::lock_guard lock(mutex);
        if (!failure) {
          failure = std::current_exception();
        }
      }
    }
  };
  std::vector<std::thread> helpers;
  for (int t = 1; t < std::min(threads, count); ++t) {
    helpers.emplace_back(run);
  }
  run();
  for (std::thread& helper : helpers) {
    helper.join();
  }
  if (failure) {
    std::rethrow_exception(failure);
  }
}
