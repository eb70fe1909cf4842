#include "album/UndoHistory.h"

#include <utility>

void CUndoHistory::Add(UndoStep step) {
  undone_.clear();
  done_.push_back({std::move(step), nextNumber_++});
  if (done_.size() > kMaxSteps) {
    start_ = done_.front().number;
    done_.erase(done_.begin());
  }
  Changed();
}

int CUndoHistory::Undo(WindowRef owner) {
  if (done_.empty()) {
    return 0;
  }
  // The step runs before it moves: a refusal leaves both lists as they were.
  if (done_.back().step.undo(owner) == 0) {
    return 0;
  }
  undone_.push_back(std::move(done_.back()));
  done_.pop_back();
  Changed();
  return 1;
}

int CUndoHistory::Redo(WindowRef owner) {
  if (undone_.empty() || undone_.back().step.redo(owner) == 0) {
    return 0;
  }
  done_.push_back(std::move(undone_.back()));
  undone_.pop_back();
  Changed();
  return 1;
}

void CUndoHistory::Clear() {
  done_.clear();
  undone_.clear();
  // A point of its own, which no save has marked yet.
  start_ = nextNumber_++;
  Changed();
}
