#pragma once
// The kinds of change that the album's undo history keeps, each with only what it needs to
// go either way: the places of the pictures, one picture's X-out, caption and date, or thumb
// area, a turn's direction, and the cropped copy's content. Steps of the album's bookkeeping
// show the sheet again; those of files show the picture from its files.

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "album/OrderChange.h"
#include "album/PixDir.h"
#include "album/UndoHistory.h"

class CPixDir::OrderStep final : public CUndoCommand {
 public:
  OrderStep(CPixDir& album, std::string name, COrderChange change)
      : CUndoCommand(std::move(name)), album_(album), change_(std::move(change)) {}
  int Undo(WindowRef) override { return Apply(false); }
  int Redo(WindowRef) override { return Apply(true); }

 private:
  int Apply(bool redo) {
    std::vector<int32_t> orders = album_.Orders();
    redo ? change_.Redo(orders) : change_.Undo(orders);
    album_.SetOrders(orders);
    album_.RepaintSheet();
    return 1;
  }
  CPixDir& album_;
  COrderChange change_;
};

// An X-out, or the restore of a crossed-out picture by selecting it: the selection goes with it.
class CPixDir::OmitStep final : public CUndoCommand {
 public:
  struct Side {
    int32_t omitted;
    int32_t selection;
  };
  OmitStep(CPixDir& album, std::string name, int index, Side before, Side after)
      : CUndoCommand(std::move(name)),
        album_(album),
        index_(index),
        before_(before),
        after_(after) {}
  int Undo(WindowRef) override { return Apply(before_); }
  int Redo(WindowRef) override { return Apply(after_); }

 private:
  int Apply(Side side) {
    album_.EntryAt(index_).omitted = side.omitted;
    album_.selection_ = side.selection;
    album_.RepaintSheet();
    return 1;
  }
  CPixDir& album_;
  int index_;
  Side before_;
  Side after_;
};

class CPixDir::CaptionStep final : public CUndoCommand {
 public:
  struct Text {
    std::string caption;
    std::string date;
  };
  CaptionStep(CPixDir& album, int index, Text before, Text after)
      : CUndoCommand("Caption"),
        album_(album),
        index_(index),
        before_(std::move(before)),
        after_(std::move(after)) {}
  int Undo(WindowRef) override { return Apply(before_); }
  int Redo(WindowRef) override { return Apply(after_); }

 private:
  int Apply(const Text& text) {
    CAlbumEntry& entry = album_.EntryAt(index_);
    entry.caption = text.caption;
    entry.date = text.date;
    album_.RepaintSheet();
    return 1;
  }
  CPixDir& album_;
  int index_;
  Text before_;
  Text after_;
};

// The thumb area of one picture, whose thumb is made anew from it.
class CPixDir::ThumbAreaStep final : public CUndoCommand {
 public:
  ThumbAreaStep(CPixDir& album, int index, const Rect& before, const Rect& after)
      : CUndoCommand("Thumb Area"), album_(album), index_(index), before_(before), after_(after) {}
  int Undo(WindowRef) override { return Apply(before_); }
  int Redo(WindowRef) override { return Apply(after_); }

 private:
  int Apply(const Rect& area) {
    CAlbumEntry& entry = album_.EntryAt(index_);
    entry.thumbRect = area;
    album_.BuildThumb(entry);
    album_.RepaintSheet();
    return 1;
  }
  CPixDir& album_;
  int index_;
  Rect before_;
  Rect after_;
};

// A quarter turn, undone by the opposite turn, which loses nothing.
class CPixDir::TurnStep final : public CUndoCommand {
 public:
  TurnStep(CPixDir& album, int index, int direction)
      : CUndoCommand(direction == 1 ? "Rotate Right" : "Rotate Left"),
        album_(album),
        index_(index),
        direction_(direction) {}
  int Undo(WindowRef owner) override {
    return album_.TurnEntry(album_.EntryAt(index_), owner, 1 - direction_);
  }
  int Redo(WindowRef owner) override {
    return album_.TurnEntry(album_.EntryAt(index_), owner, direction_);
  }

 private:
  CPixDir& album_;
  int index_;
  int direction_;
};

// A crop of the original: the cropped copy as it was (or none) and as the crop wrote it.
class CPixDir::CropStep final : public CUndoCommand {
 public:
  CropStep(CPixDir& album, int index, CropFiles files)
      : CUndoCommand("Crop Original"), album_(album), index_(index), files_(std::move(files)) {}
  int Undo(WindowRef owner) override {
    return album_.PutCroppedCopy(album_.EntryAt(index_), owner, files_.before,
                                 files_.thumbRectBefore);
  }
  int Redo(WindowRef owner) override {
    return album_.PutCroppedCopy(album_.EntryAt(index_), owner, files_.after, Rect{});
  }
  size_t KeptBytes() const override {
    return (files_.before ? files_.before->size() : 0) + (files_.after ? files_.after->size() : 0);
  }

 private:
  CPixDir& album_;
  int index_;
  CropFiles files_;
};
