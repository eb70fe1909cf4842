#include "album/UndoHistory.h"

#include <utility>

size_t CUndoHistory::Add(std::unique_ptr<CUndoCommand> step) {
  for (const Numbered& undone : undone_) {
    keptBytes_ -= undone.step->KeptBytes();
  }
  undone_.clear();
  keptBytes_ += step->KeptBytes();
  done_.push_back({std::move(step), nextNumber_++});
  if (done_.size() > kMaxSteps) {
    DropOldest();
  }
  const size_t dropped = KeepWithinBudget();
  Changed();
  return dropped;
}

size_t CUndoHistory::SetByteBudget(size_t bytes) {
  byteBudget_ = bytes;
  const size_t dropped = KeepWithinBudget();
  if (dropped > 0) {
    Changed();
  }
  return dropped;
}

size_t CUndoHistory::KeepWithinBudget() {
  size_t dropped = 0;
  while (keptBytes_ > byteBudget_ && !done_.empty()) {
    DropOldest();
    ++dropped;
  }
  return dropped;
}

void CUndoHistory::DropOldest() {
  // The album can no longer go back before this step: its point is where the steps kept start.
  start_ = done_.front().number;
  keptBytes_ -= done_.front().step->KeptBytes();
  done_.pop_front();
}

int CUndoHistory::Undo(WindowRef owner) {
  if (done_.empty()) {
    return 0;
  }
  // The step runs before it moves: a refusal leaves both lists as they were.
  if (done_.back().step->Undo(owner) == 0) {
    return 0;
  }
  undone_.push_back(std::move(done_.back()));
  done_.pop_back();
  Changed();
  return 1;
}

int CUndoHistory::Redo(WindowRef owner) {
  if (undone_.empty() || undone_.back().step->Redo(owner) == 0) {
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
  keptBytes_ = 0;
  // A point of its own, which no save has marked yet.
  start_ = nextNumber_++;
  Changed();
}
