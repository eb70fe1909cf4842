// Undoing and making again the album's changes, each kept as a step of its own kind
// (UndoSteps.h). Files that changed on disk since the album last read or wrote them are never
// written over. The record counts as current exactly when the steps lead back to the point at
// which it was read or written.

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <system_error>
#include <utility>
#include <vector>

#include "album/PictureFiles.h"
#include "album/UndoSteps.h"
#include "imaging/OriginalEdit.h"

namespace {

const char kOldestStepsDropped[] = "Oldest undo steps dropped to stay within memory";

}  // namespace

int CAlbumEditor::Undo(WindowRef owner) {
  if (album_.Loader().RefuseWhileLoading(owner) || history_.Undo(owner) == 0) {
    return 0;
  }
  album_.Record().FollowHistory();
  return 1;
}

int CAlbumEditor::Redo(WindowRef owner) {
  if (album_.Loader().RefuseWhileLoading(owner) || history_.Redo(owner) == 0) {
    return 0;
  }
  album_.Record().FollowHistory();
  return 1;
}

void CAlbumEditor::SetUndoByteBudget(size_t bytes) {
  if (history_.SetByteBudget(bytes) > 0) {
    album_.Ui().SetStatusText(2, kOldestStepsDropped);
  }
}

void CAlbumEditor::AddStep(std::unique_ptr<CUndoCommand> step) {
  if (history_.Add(std::move(step)) > 0) {
    album_.Ui().SetStatusText(2, kOldestStepsDropped);
  }
}

bool CAlbumEditor::RecordOrder(const std::string& name, const std::vector<int32_t>& before) {
  std::optional<COrderChange> change = COrderChange::Between(before, Pictures().Orders());
  if (!change) {
    return false;
  }
  AddStep(std::make_unique<OrderStep>(*this, name, std::move(*change)));
  return true;
}

void CAlbumEditor::RecordOmit(const std::string& name, int index, int32_t omittedBefore,
                              int32_t selectionBefore) {
  const int32_t omitted = Pictures().EntryAt(index).omitted;
  // Only a change of the picture is a step; the selection goes with it.
  if (omitted != omittedBefore) {
    AddStep(std::make_unique<OmitStep>(*this, name, index,
                                       OmitStep::Side{omittedBefore, selectionBefore},
                                       OmitStep::Side{omitted, Pictures().Selection()}));
  }
}

void CAlbumEditor::RecordCaption(int index, std::string captionBefore, std::string dateBefore) {
  const CAlbumEntry& entry = Pictures().EntryAt(index);
  AddStep(std::make_unique<CaptionStep>(
      *this, index, CaptionStep::Text{std::move(captionBefore), std::move(dateBefore)},
      CaptionStep::Text{entry.caption, entry.date}));
}

void CAlbumEditor::RecordThumbArea(int index, const Rect& before) {
  if (Pictures().EntryAt(index).thumbRect != before) {
    AddStep(
        std::make_unique<ThumbAreaStep>(*this, index, before, Pictures().EntryAt(index).thumbRect));
  }
}

void CAlbumEditor::RecordTurn(int index, int direction) {
  AddStep(std::make_unique<TurnStep>(*this, index, direction));
}

void CAlbumEditor::RecordCrop(int index, CropFiles files) {
  if (!files.after || (files.wasCropped && !files.before)) {
    // A copy that could not be read back cannot be put back: neither this crop nor what
    // came before it can be undone.
    history_.Clear();
    return;
  }
  AddStep(std::make_unique<CropStep>(*this, index, std::move(files)));
}

int CAlbumEditor::PutCroppedCopy(CAlbumEntry& entry, WindowRef owner,
                                 const std::optional<std::string>& content, const Rect& thumbRect) {
  if (RefuseChangedFile(album_.Ui(), owner, entry, album_.Record().DirPath())) {
    return 0;
  }
  // A copy that turned up while the picture had none is someone else's file.
  const std::string copy = CroppedCopyPath(album_.Record().DirPath(), entry.fileName);
  std::error_code error;
  if (entry.cropped == 0 && std::filesystem::exists(std::filesystem::symlink_status(copy, error))) {
    ReportChangedFile(album_.Ui(), owner, copy);
    return 0;
  }
  std::string unsaved;
  if (!RestoreCroppedCopy(album_.Record().DirPath(), entry.fileName, content, &unsaved)) {
    ReportUnsavedPicture(owner, unsaved);
    return 0;
  }
  entry.cropped = content ? 1 : 0;
  ReloadPicture(entry, album_);
  entry.thumbRect = thumbRect;
  ShowChangedPicture(entry, owner);
  return 1;
}
