// What the user does to the pictures of the album: selecting, dropping one sketch onto
// another, crossing out, the full size window, the thumb area, and cropping or turning the
// original. Every change that the record file keeps marks the record out of date.

#include <string>

#include "album/PixDir.h"
#include "imaging/OriginalEdit.h"
#include "imaging/PathJoin.h"
#include "imaging/ThumbBuild.h"
#include "platform/PlatformUi.h"

namespace {

const char kFailedThumb[] = "Failed to Create Thumbsketch";
const char kNoFullSize[] = "No Full Size Display";

}  // namespace

int CPixDir::ShowNotice(WindowRef owner, const std::string& text) {
  ui_.Beep(BeepKind::Simple);
  ui_.MessageBox(owner, text, MsgIcon::None, MsgButtons::Ok);
  return 0;
}

void CPixDir::ClickAt(int clear, int x, int y) {
  for (int position = 0; position < count; ++position) {
    CAlbumEntry& entry = EntryAtPosition(position);
    if (entry.captionRect.Contains(x, y)) {
      EditCaption(false, &entry);
      RepaintSheet();
      return;
    }
  }
  if (selection == hoverIndex) {
    return;
  }
  if (hoverIndex >= 0) {
    Select(hoverIndex);
    EntryAt(hoverIndex).omitted = 0;  // selecting a crossed-out picture restores it
    RepaintSheet();
  } else if (clear != 0 && selection >= 0) {
    selection = -1;
    RepaintSheet();
  }
}

void CPixDir::Select(int index) {
  if (index < 0 || index >= count || index == selection) {
    return;
  }
  selection = index;
  dirty = 1;
}

void CPixDir::DropAt(int x, int y, int wasDragging) {
  for (int position = 0; position < count; ++position) {
    const CAlbumEntry& target = EntryAtPosition(position);
    Rect near = target.sketchRect;
    near.Inflate(sheetSpacing);
    if (!near.Contains(x, y)) {
      continue;
    }
    if (target.index != selection && selection >= 0) {
      MoveAfter(selection, target.index);
      dirty = 1;
      ui_.Beep(BeepKind::Exclamation);
      RepaintSheet();
    }
    return;
  }
  if (selection == -1) {
    ui_.Beep(BeepKind::Simple);
  } else if (wasDragging != 0) {
    MarkOmitted(nullptr);
  }
}

bool CPixDir::HasFullSizeWindow() {
  const CAlbumEntry* selected = SelectedEntry();
  return selected != nullptr && pictureWindow != nullptr &&
         ui_.FindPictureWindow(selected->fileName);
}

void CPixDir::ShowFullSize() {
  CAlbumEntry* selected = SelectedEntry();
  if (selected == nullptr) {
    return;
  }
  pictureWindow.reset();
  pictureWindow = ui_.OpenPictureWindow(selected->fileName, selected->picture);
}

void CPixDir::ReopenFullSize() {
  if (HasFullSizeWindow()) {
    ui_.ClosePictureWindow(SelectedEntry()->fileName);
    ShowFullSize();
  }
}

void CPixDir::MarkOmitted(CWindowObject* window) {
  CAlbumEntry* selected = SelectedEntry();
  if (selected == nullptr) {
    return;
  }
  if (window != nullptr) {
    window->Close();
  } else if (ui_.FindPictureWindow(selected->fileName)) {
    ui_.ClosePictureWindow(selected->fileName);
  }
  selected->omitted = 1;
  selection = -1;
  dirty = 1;
  RepaintSheet();
  ui_.Beep(BeepKind::Information);
}

int CPixDir::CropForThumb(WindowRef owner) {
  CAlbumEntry* selected = SelectedEntry();
  if (selected == nullptr) {
    return ShowNotice(owner, "No Selection");
  }
  if (!HasFullSizeWindow()) {
    return ShowNotice(owner, kNoFullSize);
  }
  const char kNoRectangle[] = "Could not redefine Thumbsketch area\nNo rectangle?";
  Rect rect = selected->thumbRect;
  if (ui_.QueryPictureRect(selected->fileName, rect) < 0) {
    return ShowNotice(owner, kNoRectangle);
  }
  // A rectangle that gives no thumb leaves the entry as it was; one message tells the user.
  const Rect before = selected->thumbRect;
  selected->thumbRect = rect;
  if (!ThumbFromPicture(*selected)) {
    selected->thumbRect = before;
    ThumbFromPicture(*selected);
    return ShowNotice(owner, kNoRectangle);
  }
  dirty = 1;
  RepaintSheet();
  ui_.MessageBox(owner, "Area for Thumbsketch redefined", MsgIcon::None, MsgButtons::Ok);
  return 1;
}

int CPixDir::ShowChangedPicture(CAlbumEntry& entry, WindowRef owner) {
  dirty = 1;
  ReopenFullSize();
  // The thumb shows the whole changed picture until the thumbs are rebuilt.
  if (!entry.picture.ScaleToFit(entry.thumb, GeneralSettings.ThumbSize)) {
    ui_.MessageBox(owner, kFailedThumb, MsgIcon::Error, MsgButtons::Ok);
    return 0;
  }
  RepaintSheet();
  return 1;
}

void CPixDir::ReportUnsavedPicture(WindowRef owner, const std::string& path) {
  ui_.MessageBox(owner, "Could not write " + path + "\nThe picture is changed in Quillaran only.",
                 MsgIcon::Error, MsgButtons::Ok);
}

int CPixDir::CropOriginal(WindowRef owner) {
  CAlbumEntry* selected = SelectedEntry();
  if (selected == nullptr) {
    return 0;
  }
  if (!HasFullSizeWindow()) {
    return ShowNotice(owner, kNoFullSize);
  }
  Rect rect;
  if (ui_.QueryPictureRect(selected->fileName, rect) < 0) {
    return ShowNotice(owner, "Cannot redefine picture\nNo rectangle?");
  }
  CImageWrap whole;
  if (!selected->picture.CopyTo(whole) || !whole.CropTo(rect, selected->picture)) {
    return 0;
  }
  if (!ShowChangedPicture(*selected, owner)) {
    return 0;
  }
  if (!SaveCroppedOriginal(selected->picture, dirPath, selected->fileName, selected->fullPath)) {
    ReportUnsavedPicture(owner, InDirectory(InDirectory(dirPath, "Cropped"), selected->fileName));
    return 0;
  }
  return 1;
}

int CPixDir::RotatePicture(WindowRef owner, int direction) {
  CAlbumEntry* selected = SelectedEntry();
  if (selected == nullptr || !selected->picture.Rotate(direction)) {
    return 0;
  }
  if (!ShowChangedPicture(*selected, owner)) {
    return 0;
  }
  if (!ReplaceOriginalFile(selected->picture, dirPath, selected->fileName)) {
    ReportUnsavedPicture(owner, selected->fullPath);
    return 0;
  }
  return 1;
}
