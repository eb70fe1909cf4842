#pragma once
// The changes made to the album, each a command that can be undone and made again in turn. A
// step that cannot run (its files changed on disk since) says why and stays where it is, so
// that the steps before it are never undone out of order. Opening another folder forgets them
// all. The history knows the point at which the album matched its record (the last save or
// load), so that undoing or redoing back to it finds the record current. It keeps at most
// kMaxSteps steps, and the file content that steps keep within a byte budget: beyond either,
// the oldest steps go first.

#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <utility>

#include "platform/PlatformUi.h"

// One change that the history keeps: only what it needs to go either way.
class CUndoCommand {
 public:
  explicit CUndoCommand(std::string name) : name_(std::move(name)) {}
  virtual ~CUndoCommand() = default;
  CUndoCommand(const CUndoCommand&) = delete;
  CUndoCommand& operator=(const CUndoCommand&) = delete;

  // What the user did: "Move", "Caption", "Rotate Right", ...
  const std::string& Name() const { return name_; }
  // Each takes the window on whose behalf a message is shown; 1 done, 0 refused (said why).
  virtual int Undo(WindowRef owner) = 0;
  virtual int Redo(WindowRef owner) = 0;
  // The bytes of file content kept to put files back, which the byte budget counts.
  virtual size_t KeptBytes() const { return 0; }

 private:
  std::string name_;
};

class CUndoHistory {
 public:
  static constexpr size_t kMaxSteps = 200;
  static constexpr size_t kDefaultByteBudget = size_t{256} << 20;

  // A new change: it can be undone, and what was undone before can no longer be made again.
  // Returns how many of the oldest steps went to keep within the byte budget (the new one
  // too, when it alone is over).
  size_t Add(std::unique_ptr<CUndoCommand> step);
  bool CanUndo() const { return !done_.empty(); }
  bool CanRedo() const { return !undone_.empty(); }
  // The name of the step that Undo or Redo would run; empty when there is none.
  std::string UndoName() const { return CanUndo() ? done_.back().step->Name() : std::string(); }
  std::string RedoName() const { return CanRedo() ? undone_.back().step->Name() : std::string(); }
  // Runs the last step's inverse, or makes the last undone step again; 0 when there was none
  // or it refused.
  int Undo(WindowRef owner);
  int Redo(WindowRef owner);
  void Clear();
  // Called after every change of the steps above, so that the commands can show them.
  void SetChanged(std::function<void()> changed) { changed_ = std::move(changed); }

  // The file content that the steps kept (done and undone), and the most they may keep; a
  // lower budget drops the oldest steps done at once, and says how many.
  size_t KeptBytes() const { return keptBytes_; }
  size_t SetByteBudget(size_t bytes);

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
  void DropOldest();
  size_t KeepWithinBudget();
  // Each step done carries a number of its own; the album's point is that of the last step
  // done, or of where the oldest step kept started.
  struct Numbered {
    std::unique_ptr<CUndoCommand> step;
    uint64_t number;
  };
  static constexpr uint64_t kNoPoint = ~uint64_t{0};
  uint64_t Point() const { return done_.empty() ? start_ : done_.back().number; }

  std::deque<Numbered> done_;
  std::deque<Numbered> undone_;
  uint64_t nextNumber_ = 1;
  uint64_t start_ = 0;
  uint64_t saved_ = 0;
  size_t keptBytes_ = 0;
  size_t byteBudget_ = kDefaultByteBudget;
  std::function<void()> changed_;
};
