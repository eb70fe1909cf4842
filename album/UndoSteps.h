#pragma once
// The kinds of change that the album's undo history keeps, each with only what it needs to
// go either way: the places of the pictures, one picture's X-out, caption and date, or thumb
// area, a turn's direction, and the cropped copy's content. Steps of the album's bookkeeping
// show the sheet again; those of files show the picture from its files.

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "album/AlbumEditor.h"
#include "album/AlbumPictures.h"
#include "album/OrderChange.h"
#include "album/PixDir.h"
#include "album/UndoHistory.h"

class CAlbumEditor::OrderStep final : public CUndoCommand {
 public:
  OrderStep(CAlbumEditor& editor, std::string name, COrderChange change)
      : CUndoCommand(std::move(name)), editor_(editor), change_(std::move(change)) {}
  int Undo(WindowRef) override { return Apply(false); }
  int Redo(WindowRef) override { return Apply(true); }

 private:
  int Apply(bool redo) {
    std::vector<int32_t> orders = editor_.Pictures().Orders();
    redo ? change_.Redo(orders) : change_.Undo(orders);
    editor_.Pictures().SetOrders(orders);
    editor_.album_.RepaintSheet();
    return 1;
  }
  CAlbumEditor& editor_;
  COrderChange change_;
};

// An X-out, or the restore of a crossed-out picture by selecting it: the selection goes with it.
class CAlbumEditor::OmitStep final : public CUndoCommand {
 public:
  struct Side {
    int32_t omitted;
    int32_t selection;
  };
  OmitStep(CAlbumEditor& editor, std::string name, int index, Side before, Side after)
      : CUndoCommand(std::move(name)),
        editor_(editor),
        index_(index),
        before_(before),
        after_(after) {}
  int Undo(WindowRef) override { return Apply(before_); }
  int Redo(WindowRef) override { return Apply(after_); }

 private:
  int Apply(Side side) {
    editor_.Pictures().EntryAt(index_).omitted = side.omitted;
    editor_.Pictures().SetSelection(side.selection);
    editor_.album_.RepaintSheet();
    return 1;
  }
  CAlbumEditor& editor_;
  int index_;
  Side before_;
  Side after_;
};

class CAlbumEditor::CaptionStep final : public CUndoCommand {
 public:
  struct Text {
    std::string caption;
    std::string date;
  };
  CaptionStep(CAlbumEditor& editor, int index, Text before, Text after)
      : CUndoCommand("Caption"),
        editor_(editor),
        index_(index),
        before_(std::move(before)),
        after_(std::move(after)) {}
  int Undo(WindowRef) override { return Apply(before_); }
  int Redo(WindowRef) override { return Apply(after_); }

 private:
  int Apply(const Text& text) {
    CAlbumEntry& entry = editor_.Pictures().EntryAt(index_);
    entry.caption = text.caption;
    entry.date = text.date;
    editor_.album_.RepaintSheet();
    return 1;
  }
  CAlbumEditor& editor_;
  int index_;
  Text before_;
  Text after_;
};

// The thumb area of one picture, whose thumb is made anew from it.
class CAlbumEditor::ThumbAreaStep final : public CUndoCommand {
 public:
  ThumbAreaStep(CAlbumEditor& editor, int index, const Rect& before, const Rect& after)
      : CUndoCommand("Thumb Area"),
        editor_(editor),
        index_(index),
        before_(before),
        after_(after) {}
  int Undo(WindowRef) override { return Apply(before_); }
  int Redo(WindowRef) override { return Apply(after_); }

 private:
  int Apply(const Rect& area) {
    CAlbumEntry& entry = editor_.Pictures().EntryAt(index_);
    entry.thumbRect = area;
    editor_.album_.Loader().BuildThumb(entry);
    editor_.album_.RepaintSheet();
    return 1;
  }
  CAlbumEditor& editor_;
  int index_;
  Rect before_;
  Rect after_;
};

// A quarter turn, undone by the opposite turn, which loses nothing.
class CAlbumEditor::TurnStep final : public CUndoCommand {
 public:
  TurnStep(CAlbumEditor& editor, int index, int direction)
      : CUndoCommand(direction == 1 ? "Rotate Right" : "Rotate Left"),
        editor_(editor),
        index_(index),
        direction_(direction) {}
  int Undo(WindowRef owner) override {
    return editor_.TurnEntry(editor_.Pictures().EntryAt(index_), owner, 1 - direction_);
  }
  int Redo(WindowRef owner) override {
    return editor_.TurnEntry(editor_.Pictures().EntryAt(index_), owner, direction_);
  }

 private:
  CAlbumEditor& editor_;
  int index_;
  int direction_;
};

// A crop of the original: the cropped copy as it was (or none) and as the crop wrote it.
class CAlbumEditor::CropStep final : public CUndoCommand {
 public:
  CropStep(CAlbumEditor& editor, int index, CropFiles files)
      : CUndoCommand("Crop Original"), editor_(editor), index_(index), files_(std::move(files)) {}
  int Undo(WindowRef owner) override {
    return editor_.PutCroppedCopy(editor_.Pictures().EntryAt(index_), owner, files_.before,
                                  files_.thumbRectBefore);
  }
  int Redo(WindowRef owner) override {
    return editor_.PutCroppedCopy(editor_.Pictures().EntryAt(index_), owner, files_.after, Rect{});
  }
  size_t KeptBytes() const override {
    return (files_.before ? files_.before->size() : 0) + (files_.after ? files_.after->size() : 0);
  }

 private:
  CAlbumEditor& editor_;
  int index_;
  CropFiles files_;
};
