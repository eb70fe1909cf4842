#include "album/AlbumPass.h"

#include <algorithm>
#include <utility>

#include "album/PictureReader.h"

CAlbumPass::CAlbumPass(Work work)
    : work_(std::move(work)),
      heard_(static_cast<size_t>(std::max(0, work_.count))),
      ran_(heard_.size(), 0) {}

CAlbumPass::~CAlbumPass() { Stop(); }

void CAlbumPass::Start() {
  started_ = true;
  runner_ = std::thread([this] {
    std::exception_ptr failure;
    try {
      ForEachOnThreads(work_.count, work_.threads, [this](int i) {
        {
          std::lock_guard lock(mutex_);
          if (stopping_) {
            return;
          }
        }
        work_.run(i, heard_[static_cast<size_t>(i)]);
        std::lock_guard lock(mutex_);
        ran_[static_cast<size_t>(i)] = 1;
        doneOrder_.push_back(i);
        changed_.notify_all();
      });
    } catch (...) {
      failure = std::current_exception();
    }
    std::lock_guard lock(mutex_);
    failure_ = failure;
    ended_ = true;
    changed_.notify_all();
  });
}

bool CAlbumPass::Continue(CPlatformUi& ui, bool wait) {
  std::vector<int> done;
  bool ended = false;
  {
    std::unique_lock lock(mutex_);
    if (wait) {
      changed_.wait(lock,
                    [this] { return ended_ || static_cast<int>(doneOrder_.size()) > taken_; });
    }
    done.assign(doneOrder_.begin() + taken_, doneOrder_.end());
    taken_ = static_cast<int>(doneOrder_.size());
    ended = ended_;
  }
  if (work_.take && !done.empty()) {
    work_.take(done);
  }
  if (taken_ != shown_ && !work_.progressLabel.empty()) {
    shown_ = taken_;
    ui.SetStatusProgress(2, work_.progressLabel, taken_, work_.count);
  }
  if (ended) {
    Join();
  }
  return !ended;
}

void CAlbumPass::Stop() {
  {
    std::lock_guard lock(mutex_);
    stopping_ = true;
  }
  Join();
}

void CAlbumPass::Join() {
  if (runner_.joinable()) {
    runner_.join();
  }
}

void CAlbumPass::Finish(CPlatformUi& ui) {
  Join();
  // Whatever ended in the meantime is taken before the end.
  Continue(ui, false);
  if (failure_) {
    std::rethrow_exception(failure_);
  }
  for (int i = 0; i < work_.count; ++i) {
    if (ran_[static_cast<size_t>(i)] != 0) {
      heard_[static_cast<size_t>(i)].Replay(ui);
      if (work_.said) {
        work_.said(i);
      }
    }
  }
  if (work_.finish) {
    work_.finish(taken_ < work_.count);
  }
}

void CAlbumPass::RunToEnd(CPlatformUi& ui) {
  if (!started_) {
    Start();
  }
  while (Continue(ui, true)) {
  }
  Finish(ui);
}
