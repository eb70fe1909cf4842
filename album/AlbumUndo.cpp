// Undoing and making again the album's changes. The pictures' bookkeeping (order, X-out,
// caption and date, thumb area) goes back by setting the fields as they were; a turn by the
// opposite turn, which loses nothing; a crop of the original by putting the cropped copy back
// as it was, or removing it, with the thumb area the crop cleared. Files that changed on disk
// since the album last read or wrote them are never written over.

#include <filesystem>
#include <memory>
#include <system_error>
#include <utility>

#include "album/PictureFiles.h"
#include "album/PixDir.h"
#include "imaging/OriginalEdit.h"

int CPixDir::Undo(WindowRef owner) {
  if (RefuseWhileLoading(owner) || history_.Undo(owner) == 0) {
    return 0;
  }
  if (history_.AtSaved()) {
    dirty = 0;
  }
  return 1;
}

int CPixDir::Redo(WindowRef owner) {
  if (RefuseWhileLoading(owner) || history_.Redo(owner) == 0) {
    return 0;
  }
  if (history_.AtSaved()) {
    dirty = 0;
  }
  return 1;
}

AlbumState CPixDir::CurrentState() const {
  AlbumState state;
  state.selection = selection;
  state.entries.reserve(static_cast<size_t>(count));
  for (int i = 0; i < count; ++i) {
    state.entries.push_back(StateOf(entries[static_cast<size_t>(i)]));
  }
  return state;
}

bool CPixDir::RecordChange(const std::string& name, const AlbumState& before) {
  const AlbumState after = CurrentState();
  auto changes = std::make_shared<const std::vector<EntryChange>>(ChangesBetween(before, after));
  if (changes->empty()) {
    return false;
  }
  // The selection goes back only when the change moved it (an X-out, a restore).
  std::optional<int> selectionBefore;
  std::optional<int> selectionAfter;
  if (before.selection != after.selection) {
    selectionBefore = before.selection;
    selectionAfter = after.selection;
  }
  history_.Add({name,
                [this, changes, selectionBefore](WindowRef) {
                  ApplyChanges(*changes, true, selectionBefore);
                  return 1;
                },
                [this, changes, selectionAfter](WindowRef) {
                  ApplyChanges(*changes, false, selectionAfter);
                  return 1;
                }});
  return true;
}

void CPixDir::ApplyChanges(const std::vector<EntryChange>& changes, bool undo,
                           std::optional<int> newSelection) {
  bool reordered = false;
  for (const EntryChange& change : changes) {
    CAlbumEntry& entry = EntryAt(change.index);
    const EntryState& state = undo ? change.before : change.after;
    reordered = reordered || entry.order != state.order;
    if (SetState(entry, state)) {
      BuildThumb(entry);
    }
  }
  if (reordered) {
    SortDisplayOrder();
  }
  if (newSelection) {
    selection = *newSelection;
  }
  dirty = 1;
  RepaintSheet();
}

void CPixDir::RecordTurn(int index, int direction) {
  history_.Add({direction == 1 ? "Rotate Right" : "Rotate Left",
                [this, index, direction](WindowRef owner) {
                  return TurnEntry(EntryAt(index), owner, 1 - direction);
                },
                [this, index, direction](WindowRef owner) {
                  return TurnEntry(EntryAt(index), owner, direction);
                }});
}

void CPixDir::RecordCrop(int index, CropFiles files) {
  if (!files.after || (files.wasCropped && !files.before)) {
    // A copy that could not be read back cannot be put back: neither this crop nor what
    // came before it can be undone.
    history_.Clear();
    return;
  }
  auto kept = std::make_shared<const CropFiles>(std::move(files));
  history_.Add({"Crop Original",
                [this, index, kept](WindowRef owner) {
                  return PutCroppedCopy(EntryAt(index), owner, kept->before,
                                        kept->thumbRectBefore);
                },
                [this, index, kept](WindowRef owner) {
                  return PutCroppedCopy(EntryAt(index), owner, kept->after, Rect{});
                }});
}

int CPixDir::PutCroppedCopy(CAlbumEntry& entry, WindowRef owner,
                            const std::optional<std::string>& content, const Rect& thumbRect) {
  if (RefuseChangedFile(ui_, owner, entry, dirPath)) {
    return 0;
  }
  // A copy that turned up while the picture had none is someone else's file.
  const std::string copy = CroppedCopyPath(dirPath, entry.fileName);
  std::error_code error;
  if (entry.cropped == 0 && std::filesystem::exists(std::filesystem::symlink_status(copy, error))) {
    ReportChangedFile(ui_, owner, copy);
    return 0;
  }
  std::string unsaved;
  if (!RestoreCroppedCopy(dirPath, entry.fileName, content, &unsaved)) {
    ReportUnsavedPicture(owner, unsaved);
    return 0;
  }
  entry.cropped = content ? 1 : 0;
  ReloadPicture(entry, *this);
  entry.thumbRect = thumbRect;
  ShowChangedPicture(entry, owner);
  return 1;
}
