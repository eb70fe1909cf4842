#pragma once
// The changes made to the album, each with its inverse, so that they can be undone and made
// again in turn. A step that cannot run (its files changed on disk since) says why and stays
// where it is, so that the steps before it are never undone out of order. Opening another
// folder forgets them all.

#include <cstddef>
#include <functional>
#include <string>
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
  std::string UndoName() const { return CanUndo() ? done_.back().name : std::string(); }
  std::string RedoName() const { return CanRedo() ? undone_.back().name : std::string(); }
  // Runs the last step's inverse, or makes the last undone step again; 0 when there was none
  // or it refused.
  int Undo(WindowRef owner);
  int Redo(WindowRef owner);
  void Clear();

 private:
  std::vector<UndoStep> done_;
  std::vector<UndoStep> undone_;
};
