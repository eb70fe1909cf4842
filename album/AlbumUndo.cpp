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

int CPixDir::Undo(WindowRef owner) {
  if (RefuseWhileLoading(owner) || history_.Undo(owner) == 0) {
    return 0;
  }
  dirty_ = history_.AtSaved() ? 0 : 1;
  return 1;
}

int CPixDir::Redo(WindowRef owner) {
  if (RefuseWhileLoading(owner) || history_.Redo(owner) == 0) {
    return 0;
  }
  dirty_ = history_.AtSaved() ? 0 : 1;
  return 1;
}

void CPixDir::SetUndoByteBudget(size_t bytes) {
  if (history_.SetByteBudget(bytes) > 0) {
    ui_.SetStatusText(2, kOldestStepsDropped);
  }
}

void CPixDir::AddStep(std::unique_ptr<CUndoCommand> step) {
  if (history_.Add(std::move(step)) > 0) {
    ui_.SetStatusText(2, kOldestStepsDropped);
  }
}

std::vector<int32_t> CPixDir::Orders() const {
  std::vector<int32_t> orders(static_cast<size_t>(count_));
  for (size_t i = 0; i < orders.size(); ++i) {
    orders[i] = entries_[i].order;
  }
  return orders;
}

void CPixDir::SetOrders(const std::vector<int32_t>& orders) {
  for (size_t i = 0; i < orders.size(); ++i) {
    entries_[i].order = orders[i];
  }
  SortDisplayOrder();
}

bool CPixDir::RecordOrder(const std::string& name, const std::vector<int32_t>& before) {
  std::optional<COrderChange> change = COrderChange::Between(before, Orders());
  if (!change) {
    return false;
  }
  AddStep(std::make_unique<OrderStep>(*this, name, std::move(*change)));
  return true;
}

void CPixDir::RecordOmit(const std::string& name, int index, int32_t omittedBefore,
                         int32_t selectionBefore) {
  const int32_t omitted = EntryAt(index).omitted;
  // Only a change of the picture is a step; the selection goes with it.
  if (omitted != omittedBefore) {
    AddStep(std::make_unique<OmitStep>(*this, name, index,
                                       OmitStep::Side{omittedBefore, selectionBefore},
                                       OmitStep::Side{omitted, selection_}));
  }
}

void CPixDir::RecordCaption(int index, std::string captionBefore, std::string dateBefore) {
  const CAlbumEntry& entry = EntryAt(index);
  AddStep(std::make_unique<CaptionStep>(
      *this, index, CaptionStep::Text{std::move(captionBefore), std::move(dateBefore)},
      CaptionStep::Text{entry.caption, entry.date}));
}

void CPixDir::RecordThumbArea(int index, const Rect& before) {
  if (EntryAt(index).thumbRect != before) {
    AddStep(std::make_unique<ThumbAreaStep>(*this, index, before, EntryAt(index).thumbRect));
  }
}

void CPixDir::RecordTurn(int index, int direction) {
  AddStep(std::make_unique<TurnStep>(*this, index, direction));
}

void CPixDir::RecordCrop(int index, CropFiles files) {
  if (!files.after || (files.wasCropped && !files.before)) {
    // A copy that could not be read back cannot be put back: neither this crop nor what
    // came before it can be undone.
    history_.Clear();
    return;
  }
  AddStep(std::make_unique<CropStep>(*this, index, std::move(files)));
}

int CPixDir::PutCroppedCopy(CAlbumEntry& entry, WindowRef owner,
                            const std::optional<std::string>& content, const Rect& thumbRect) {
  if (RefuseChangedFile(ui_, owner, entry, dirPath_)) {
    return 0;
  }
  // A copy that turned up while the picture had none is someone else's file.
  const std::string copy = CroppedCopyPath(dirPath_, entry.fileName);
  std::error_code error;
  if (entry.cropped == 0 && std::filesystem::exists(std::filesystem::symlink_status(copy, error))) {
    ReportChangedFile(ui_, owner, copy);
    return 0;
  }
  std::string unsaved;
  if (!RestoreCroppedCopy(dirPath_, entry.fileName, content, &unsaved)) {
    ReportUnsavedPicture(owner, unsaved);
    return 0;
  }
  entry.cropped = content ? 1 : 0;
  ReloadPicture(entry, *this);
  entry.thumbRect = thumbRect;
  ShowChangedPicture(entry, owner);
  return 1;
}
