#pragma once
// The changes made to the album, each with its inverse, so that they can be undone and made
// again in turn. A step that cannot run (its files changed on disk since) says why and stays
// where it is, so that the steps before it are never undone out of order. Opening another
// folder forgets them all. The history knows the point at which the album matched its record
// (the last save or load), so that undoing or redoing back to it finds the record current.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "platform/PlatformUi.h"

struct UndoStep {
  std::string name;  // what the user did: "Move", "Caption", "Turn", ...
  // Each takes the window on whose behalf a message is shown; 1 done, 0 refused (said why).
  std::function<int(WindowRef owner)> undo;
  std::function<int(WindowRef owner)> redo;
};

class CUndoHistory {
 public:
  // Steps beyond this many are forgotten, the oldest first.
  static constexpr size_t kMaxSteps = 200;

  // A new change: it can be undone, and what was undone before can no longer be made again.
  void Add(UndoStep step);
  bool CanUndo() const { return !done_.empty(); }
  bool CanRedo() const { return !undone_.empty(); }
  // The name of the step that Undo or Redo would run; empty when there is none.
  std::string UndoName() const { return CanUndo() ? done_.back().step.name : std::string(); }
  std::string RedoName() const { return CanRedo() ? undone_.back().step.name : std::string(); }
  // Runs the last step's inverse, or makes the last undone step again; 0 when there was none
  // or it refused.
  int Undo(WindowRef owner);
  int Redo(WindowRef owner);
  void Clear();
  // Called after every change of the steps above, so that the commands can show them.
  void SetChanged(std::function<void()> changed) { changed_ = std::move(changed); }

  // The album matches its record as it is now (it was just saved or read).
  void MarkSaved() { saved_ = Point(); }
  // The record no longer matches any point of the history (a change that is not undone).
  void ForgetSaved() { saved_ = kNoPoint; }
  // Whether the steps undone and made again lead back to where the album matched its record.
  bool AtSaved() const { return saved_ == Point(); }

 private:
  void Changed() const {
    if (changed_) {
      changed_();
    }
  }
  // Each step done carries a number of its own; the album's point is that of the last step
  // done, or of where the oldest step kept started.
  struct Numbered {
    UndoStep step;
    uint64_t number;
  };
  static constexpr uint64_t kNoPoint = ~uint64_t{0};
  uint64_t Point() const { return done_.empty() ? start_ : done_.back().number; }

  std::vector<Numbered> done_;
  std::vector<Numbered> undone_;
  uint64_t nextNumber_ = 1;
  uint64_t start_ = 0;
  uint64_t saved_ = 0;
  std::function<void()> changed_;
};
