// What the user does to the pictures of the album: selecting, dropping one sketch onto
// another, crossing out, the full size window, the thumb area, and cropping or turning the
// original. Every change that the record file keeps marks the record out of date.

#include <string>
#include <utility>

#include "album/PictureFiles.h"
#include "album/PixDir.h"
#include "imaging/OriginalEdit.h"
#include "imaging/Rotation.h"
#include "imaging/ThumbBuild.h"
#include "platform/PlatformUi.h"

namespace {

const char kFailedThumb[] = "Failed to Create Thumbsketch";
const char kNoFullSize[] = "No Full Size Display";

// A file that changed on disk since the album read it is someone's newer work: it is neither
// written over nor made again. true (after the message) when that is so.
bool RefuseChangedFile(CPlatformUi& ui, WindowRef owner, const CAlbumEntry& entry,
                       const std::string& albumDir) {
  const std::string changed = ChangedFileOf(entry, albumDir);
  if (changed.empty()) {
    return false;
  }
  ui.MessageBox(owner,
                changed + "\nhas been changed or removed since Quillaran read it, so nothing "
                          "was written.\nOpen the folder again to work on it as it is now.",
                MsgIcon::Error, MsgButtons::Ok);
  return true;
}

}  // namespace

int CPixDir::ShowNotice(WindowRef owner, const std::string& text) {
  ui_.Beep(BeepKind::Simple);
  ui_.MessageBox(owner, text, MsgIcon::None, MsgButtons::Ok);
  return 0;
}

ClickResult CPixDir::ClickAt(EmptyClick empty, int x, int y) {
  const int caption = CThumbSheet::CaptionAt(displayOrder, x, y);
  if (caption >= 0) {
    EditCaption(false, &EntryAtPosition(caption));
    RepaintSheet();
    return ClickResult::Caption;
  }
  const int hover = sheet_.HoverIndex();
  if (selection == hover) {
    return ClickResult::Nothing;
  }
  if (hover >= 0) {
    Select(hover);
    EntryAt(hover).omitted = 0;  // selecting a crossed-out picture restores it
    RepaintSheet();
    return ClickResult::Selected;
  }
  if (empty == EmptyClick::ClearSelection && selection >= 0) {
    selection = -1;
    RepaintSheet();
    return ClickResult::Deselected;
  }
  return ClickResult::Nothing;
}

void CPixDir::Select(int index) {
  if (index < 0 || index >= count || index == selection) {
    return;
  }
  selection = index;
  dirty = 1;
}

DropResult CPixDir::DropAt(int x, int y, bool wasDragging) {
  const int position = sheet_.DropTargetAt(displayOrder, x, y);
  if (position >= 0) {
    const int target = EntryAtPosition(position).index;
    if (target == selection || selection < 0) {
      return DropResult::Nothing;
    }
    MoveAfter(selection, target);
    dirty = 1;
    ui_.Beep(BeepKind::Exclamation);
    RepaintSheet();
    return DropResult::Moved;
  }
  if (selection == -1) {
    ui_.Beep(BeepKind::Simple);
    return DropResult::Nothing;
  }
  if (!wasDragging) {
    return DropResult::Nothing;
  }
  MarkOmitted(nullptr);
  return DropResult::CrossedOut;
}

bool CPixDir::HasFullSizeWindow() {
  const CAlbumEntry* selected = SelectedEntry();
  return selected != nullptr && pictureWindow_ != nullptr &&
         ui_.FindPictureWindow(selected->fileName);
}

void CPixDir::ShowFullSize() {
  CAlbumEntry* selected = SelectedEntry();
  if (selected == nullptr) {
    return;
  }
  pictureWindow_.reset();
  pictureWindow_ = ui_.OpenPictureWindow(selected->fileName, selected->picture);
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
  // The thumb as the next opening of the folder makes it.
  if (!ThumbFromPicture(entry)) {
    ui_.MessageBox(owner, kFailedThumb, MsgIcon::Error, MsgButtons::Ok);
    return 0;
  }
  RepaintSheet();
  return 1;
}

void CPixDir::ReportUnsavedPicture(WindowRef owner, const std::string& path) {
  ui_.MessageBox(owner, "Could not write " + path + "\nNothing was changed.", MsgIcon::Error,
                 MsgButtons::Ok);
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
  if (RefuseChangedFile(ui_, owner, *selected, dirPath)) {
    return 0;
  }
  // The copy is written first: the album shows the crop only once the folder holds it, and
  // the original stays as it is. The thumb area of the whole picture means nothing on the crop.
  CImageWrap cropped;
  if (!selected->picture.CropTo(rect, cropped)) {
    return 0;
  }
  const std::string copy = CroppedCopyPath(dirPath, selected->fileName);
  std::string unsaved;
  if (!SaveCroppedOriginal(cropped, dirPath, selected->fileName, selected->fullPath, &unsaved)) {
    ReportUnsavedPicture(owner, unsaved);
    return 0;
  }
  selected->picture = std::move(cropped);
  selected->cropped = 1;
  selected->croppedStamp = StampOf(copy);
  selected->thumbRect.SetEmpty();
  return ShowChangedPicture(*selected, owner);
}

// The files are turned on disk as they are (a crop and its original both), not written from
// the picture in memory, which may be the crop.
int CPixDir::RotatePicture(WindowRef owner, int direction) {
  CAlbumEntry* selected = SelectedEntry();
  if (selected == nullptr || RefuseChangedFile(ui_, owner, *selected, dirPath)) {
    return 0;
  }
  const int width = selected->picture.Width();
  const int height = selected->picture.Height();
  if (!selected->picture.Rotate(direction)) {
    return 0;
  }
  const std::string unturned = TurnPictureFiles(*selected, dirPath, direction);
  if (!unturned.empty()) {
    selected->picture.Rotate(1 - direction);
    ReportUnsavedPicture(owner, unturned);
    return 0;
  }
  selected->thumbRect = TurnedRect(selected->thumbRect, width, height, direction);
  return ShowChangedPicture(*selected, owner);
}
