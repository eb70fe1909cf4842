// What the user does to the pictures of the album: selecting, dropping one sketch onto
// another, crossing out, the full size window, the thumb area, and cropping or turning the
// original. Every change that the record file keeps marks the record out of date, and can be
// undone (AlbumUndo.cpp).

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "album/PictureFiles.h"
#include "album/PixDir.h"
#include "imaging/OriginalEdit.h"
#include "imaging/PathJoin.h"
#include "imaging/Rotation.h"
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

ClickResult CPixDir::ClickAt(EmptyClick empty, int x, int y) {
  const int caption = CThumbSheet::CaptionAt(displayOrder_, x, y);
  if (caption >= 0) {
    EditCaption(false, &EntryAtPosition(caption));
    RepaintSheet();
    return ClickResult::Caption;
  }
  const int hover = sheet_.HoverIndex();
  if (selection_ == hover) {
    return ClickResult::Nothing;
  }
  if (hover >= 0) {
    // Selecting a crossed-out picture restores it, a change that can be undone, once the
    // record has been merged; a plain selection is none.
    const bool restores = EntryAt(hover).omitted != 0 && !IsBusy();
    const int32_t omittedBefore = EntryAt(hover).omitted;
    const int32_t selectionBefore = selection_;
    Select(hover);
    if (restores) {
      EntryAt(hover).omitted = 0;
      RecordOmit("Restore", hover, omittedBefore, selectionBefore);
    }
    RepaintSheet();
    return ClickResult::Selected;
  }
  if (empty == EmptyClick::ClearSelection && selection_ >= 0) {
    selection_ = -1;
    RepaintSheet();
    return ClickResult::Deselected;
  }
  return ClickResult::Nothing;
}

void CPixDir::Select(int index) {
  if (index < 0 || index >= count_ || index == selection_) {
    return;
  }
  selection_ = index;
  dirty_ = 1;
}

DropResult CPixDir::DropAt(int x, int y, bool wasDragging) {
  const int position = sheet_.DropTargetAt(displayOrder_, x, y);
  if (position >= 0) {
    const int target = EntryAtPosition(position).index;
    if (target == selection_ || selection_ < 0 || RefuseWhileLoading(nullptr)) {
      return DropResult::Nothing;
    }
    const std::vector<int32_t> before = Orders();
    MoveAfter(selection_, target);
    RecordOrder("Move", before);
    dirty_ = 1;
    ui_.Beep(BeepKind::Exclamation);
    RepaintSheet();
    return DropResult::Moved;
  }
  if (selection_ == -1) {
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
  if (CAlbumEntry* selected = SelectedEntry()) {
    OpenFullSize(*selected);
  }
}

void CPixDir::ReopenFullSize(CAlbumEntry& entry) {
  if (pictureWindow_ != nullptr && ui_.FindPictureWindow(entry.fileName)) {
    ui_.ClosePictureWindow(entry.fileName);
    OpenFullSize(entry);
  }
}

void CPixDir::MarkOmitted(CWindowObject* window) {
  CAlbumEntry* selected = SelectedEntry();
  if (selected == nullptr || RefuseWhileLoading(nullptr)) {
    return;
  }
  if (window != nullptr) {
    window->Close();
  } else if (ui_.FindPictureWindow(selected->fileName)) {
    ui_.ClosePictureWindow(selected->fileName);
  }
  const int32_t omittedBefore = selected->omitted;
  const int32_t selectionBefore = selection_;
  selected->omitted = 1;
  selection_ = -1;
  RecordOmit("X-out", selected->index, omittedBefore, selectionBefore);
  dirty_ = 1;
  RepaintSheet();
  ui_.Beep(BeepKind::Information);
}

int CPixDir::CropForThumb(WindowRef owner) {
  if (RefuseWhileLoading(owner)) {
    return 0;
  }
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
  // The rectangle was drawn on the pixels the window shows, not on a file put there since.
  if (RefuseChangedFile(ui_, owner, *selected, dirPath_)) {
    return 0;
  }
  const std::shared_ptr<const CImageWrap> picture = ShownPicture(*selected);
  if (picture == nullptr) {
    return 0;
  }
  // A rectangle that gives no thumb leaves the entry as it was; one message tells the user.
  const Rect before = selected->thumbRect;
  selected->thumbRect = rect;
  if (!SketchFromShown(*selected, *picture)) {
    selected->thumbRect = before;
    SketchFromShown(*selected, *picture);
    return ShowNotice(owner, kNoRectangle);
  }
  RecordThumbArea(selection_, before);
  dirty_ = 1;
  RepaintSheet();
  ui_.MessageBox(owner, "Area for Thumbsketch redefined", MsgIcon::None, MsgButtons::Ok);
  return 1;
}

int CPixDir::ShowChangedPicture(CAlbumEntry& entry, WindowRef owner) {
  dirty_ = 1;
  ReopenFullSize(entry);
  // The thumb as the next opening of the folder makes it.
  const std::shared_ptr<const CImageWrap> picture = ShownPicture(entry);
  if (picture == nullptr || !SketchFromShown(entry, *picture)) {
    ui_.MessageBox(owner, kFailedThumb, MsgIcon::Error, MsgButtons::Ok);
    return 0;
  }
  // A turn or a crop changes the size that the panes tell of the picture under the mouse.
  if (sheet_.HoverIndex() == entry.index) {
    ShowPanesOf(entry);
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
  if (selected == nullptr || RefuseWhileLoading(owner)) {
    return 0;
  }
  if (!HasFullSizeWindow()) {
    return ShowNotice(owner, kNoFullSize);
  }
  Rect rect;
  if (ui_.QueryPictureRect(selected->fileName, rect) < 0) {
    return ShowNotice(owner, "Cannot redefine picture\nNo rectangle?");
  }
  if (RefuseChangedFile(ui_, owner, *selected, dirPath_)) {
    return 0;
  }
  // The copy is written first: the album shows the crop only once the folder holds it, and
  // the original stays as it is. The thumb area of the whole picture means nothing on the crop.
  const std::shared_ptr<const CImageWrap> picture = ShownPicture(*selected);
  CImageWrap cropped;
  if (picture == nullptr || !picture->CropTo(rect, cropped)) {
    return 0;
  }
  const std::string copy = CroppedCopyPath(dirPath_, selected->fileName);
  CropFiles files;
  files.wasCropped = selected->cropped != 0;
  if (files.wasCropped) {
    files.before = ReadCroppedCopy(dirPath_, selected->fileName);
  }
  files.thumbRectBefore = selected->thumbRect;
  std::string unsaved;
  if (!SaveCroppedOriginal(cropped, dirPath_, selected->fileName, selected->fullPath, &unsaved)) {
    ReportUnsavedPicture(owner, unsaved);
    return 0;
  }
  originals_.Put(copy, std::move(cropped));  // what the window and the sketch show next
  selected->cropped = 1;
  selected->cropMarkKept = false;
  selected->croppedStamp = StampOf(copy);
  selected->thumbRect.SetEmpty();
  files.after = ReadCroppedCopy(dirPath_, selected->fileName);
  RecordCrop(selection_, std::move(files));
  return ShowChangedPicture(*selected, owner);
}

// The files are turned on disk as they are (a crop and its original both); the window and the
// sketch then show the turned file.
int CPixDir::RotatePicture(WindowRef owner, QuarterTurn turn) {
  // The turning of files and rectangles counts 1 clockwise and 0 counter-clockwise.
  const int direction = turn == QuarterTurn::Right ? 1 : 0;
  CAlbumEntry* selected = SelectedEntry();
  if (selected == nullptr || RefuseWhileLoading(owner) ||
      TurnEntry(*selected, owner, direction) == 0) {
    return 0;
  }
  RecordTurn(selection_, direction);
  return 1;
}

int CPixDir::TurnEntry(CAlbumEntry& entry, WindowRef owner, int direction) {
  if (RefuseChangedFile(ui_, owner, entry, dirPath_)) {
    return 0;
  }
  if (const std::string why = WhyNotTurnable(InDirectory(dirPath_, entry.fileName)); !why.empty()) {
    ui_.MessageBox(owner, entry.fileName + " was not turned: " + why + ".\nNothing was changed.",
                   MsgIcon::Error, MsgButtons::Ok);
    return 0;
  }
  const int width = entry.pictureWidth;
  const int height = entry.pictureHeight;
  const std::string unturned = TurnPictureFiles(entry, dirPath_, direction);
  if (!unturned.empty()) {
    ReportUnsavedPicture(owner, unturned);
    return 0;
  }
  entry.thumbRect = TurnedRect(entry.thumbRect, width, height, direction);
  // The files are turned: a thumb that cannot be made is said, and the turn stays done.
  ShowChangedPicture(entry, owner);
  return 1;
}
