#include "album/UndoHistory.h"

#include <utility>

void CUndoHistory::Add(UndoStep step) {
  undone_.clear();
  done_.push_back(std::move(step));
  if (done_.size() > kMaxSteps) {
    done_.erase(done_.begin());
  }
}

int CUndoHistory::Undo(WindowRef owner) {
  if (done_.empty()) {
    return 0;
  }
  // The step runs before it moves: a refusal leaves both lists as they were.
  if (done_.back().undo(owner) == 0) {
    return 0;
  }
  undone_.push_back(std::move(done_.back()));
  done_.pop_back();
  return 1;
}

int CUndoHistory::Redo(WindowRef owner) {
  if (undone_.empty() || undone_.back().redo(owner) == 0) {
    return 0;
  }
  done_.push_back(std::move(undone_.back()));
  undone_.pop_back();
  return 1;
}

void CUndoHistory::Clear() {
  done_.clear();
  undone_.clear();
}
