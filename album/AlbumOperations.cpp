// What the user does to the pictures of the album: selecting, dropping one sketch onto
// another, crossing out, the full size window, the thumb area, and cropping or turning the
// original. Every change that the record file keeps marks the record out of date, and can be
// undone (AlbumUndo.cpp).

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "album/AlbumEditor.h"
#include "album/AlbumSort.h"
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

CAlbumEditor::CAlbumEditor(CPixDir& album) : album_(album) {
  history_.SetChanged([&album] { album.NotifyCommandsChanged(); });
}

CAlbumEditor::~CAlbumEditor() = default;

CAlbumPictures& CAlbumEditor::Pictures() { return album_.ChangePictures(); }

void CAlbumEditor::StepSelection(SheetStep step) {
  const CAlbumPictures& pictures = Pictures();
  int position = -1;
  for (int p = 0; p < pictures.Count(); ++p) {
    if (pictures.EntryAtPosition(p).index == pictures.Selection()) {
      position = p;
    }
  }
  const int next = album_.Sheet().Step(position, step, pictures.Count());
  if (next >= 0) {
    Select(pictures.EntryAtPosition(next).index);
    album_.RepaintSheet();
  }
}

void CAlbumEditor::EditCaption(bool withTitle, int index) {
  if (index < 0 || index >= Pictures().Count() || album_.Loader().RefuseWhileLoading(nullptr)) {
    return;
  }
  CAlbumEntry& entry = Pictures().EntryAt(index);
  CaptionDialogData data;
  if (withTitle) {
    // "For selected image %s (No. %d)" with the file name and the 1-based display position.
    data.titleLine =
        "For selected image " + entry.fileName + " (No. " + std::to_string(entry.order + 1) + ")";
  }
  data.caption = entry.caption;
  data.date = entry.date;
  if (!album_.Ui().RunCaptionDialog(data)) {
    return;
  }
  if (data.caption != entry.caption || data.date != entry.date) {
    std::string captionBefore = std::move(entry.caption);
    std::string dateBefore = std::move(entry.date);
    entry.caption = data.caption;
    entry.date = data.date;
    RecordCaption(entry.index, std::move(captionBefore), std::move(dateBefore));
    album_.Record().MarkChanged();
  }
  album_.RepaintSheet();
}

void CAlbumEditor::EditSelectedCaption() { EditCaption(true, Pictures().Selection()); }

void CAlbumEditor::SortByDate() { Reorder("Sort by Date", TakenBefore); }

void CAlbumEditor::SortByName() { Reorder("Sort by Name", NameBefore); }

void CAlbumEditor::Reorder(
    const std::string& name,
    const std::function<bool(const CAlbumEntry*, const CAlbumEntry*)>& less) {
  if (album_.Loader().RefuseWhileLoading(nullptr)) {
    return;
  }
  std::vector<CAlbumEntry*> sorted = Pictures().DisplayOrder();
  std::sort(sorted.begin(), sorted.end(), less);
  const std::vector<int32_t> before = Pictures().Orders();
  for (size_t position = 0; position < sorted.size(); ++position) {
    sorted[position]->order = static_cast<int32_t>(position);
  }
  Pictures().DisplayOrderToChange() = std::move(sorted);
  if (RecordOrder(name, before)) {
    album_.Record().MarkChanged();
  }
  album_.RepaintSheet();
}

ClickResult CAlbumEditor::ClickAt(EmptyClick empty, int x, int y) {
  const int caption = CThumbSheet::CaptionAt(Pictures().DisplayOrder(), x, y);
  if (caption >= 0) {
    EditCaption(false, Pictures().EntryAtPosition(caption).index);
    album_.RepaintSheet();
    return ClickResult::Caption;
  }
  const int hover = album_.Sheet().HoverIndex();
  if (Pictures().Selection() == hover) {
    return ClickResult::Nothing;
  }
  if (hover >= 0) {
    // Selecting a crossed-out picture restores it, a change that can be undone, once the
    // record has been merged; a plain selection is none.
    const bool restores = Pictures().EntryAt(hover).omitted != 0 && !album_.Loader().IsBusy();
    const int32_t omittedBefore = Pictures().EntryAt(hover).omitted;
    const int32_t selectionBefore = Pictures().Selection();
    Select(hover);
    if (restores) {
      Pictures().EntryAt(hover).omitted = 0;
      RecordOmit("Restore", hover, omittedBefore, selectionBefore);
    }
    album_.RepaintSheet();
    return ClickResult::Selected;
  }
  if (empty == EmptyClick::ClearSelection && Pictures().Selection() >= 0) {
    Pictures().SetSelection(-1);
    album_.RepaintSheet();
    return ClickResult::Deselected;
  }
  return ClickResult::Nothing;
}

void CAlbumEditor::Select(int index) {
  if (index < 0 || index >= Pictures().Count() || index == Pictures().Selection()) {
    return;
  }
  Pictures().SetSelection(index);
  album_.Record().MarkChanged();
}

DropResult CAlbumEditor::DropAt(int x, int y, bool wasDragging) {
  const int position = album_.Sheet().DropTargetAt(Pictures().DisplayOrder(), x, y);
  if (position >= 0) {
    const int target = Pictures().EntryAtPosition(position).index;
    if (target == Pictures().Selection() || Pictures().Selection() < 0 ||
        album_.Loader().RefuseWhileLoading(nullptr)) {
      return DropResult::Nothing;
    }
    const std::vector<int32_t> before = Pictures().Orders();
    Pictures().MoveAfter(Pictures().Selection(), target);
    RecordOrder("Move", before);
    album_.Record().MarkChanged();
    album_.Ui().Beep(BeepKind::Exclamation);
    album_.RepaintSheet();
    return DropResult::Moved;
  }
  if (Pictures().Selection() == -1) {
    album_.Ui().Beep(BeepKind::Simple);
    return DropResult::Nothing;
  }
  if (!wasDragging) {
    return DropResult::Nothing;
  }
  MarkOmitted(nullptr);
  return DropResult::CrossedOut;
}

void CAlbumEditor::MarkOmitted(CWindowObject* window) {
  CAlbumEntry* selected = Pictures().SelectedEntry();
  if (selected == nullptr || album_.Loader().RefuseWhileLoading(nullptr)) {
    return;
  }
  if (window != nullptr) {
    window->Close();
  } else if (album_.Ui().FindPictureWindow(selected->fileName)) {
    album_.Ui().ClosePictureWindow(selected->fileName);
  }
  const int32_t omittedBefore = selected->omitted;
  const int32_t selectionBefore = Pictures().Selection();
  selected->omitted = 1;
  Pictures().SetSelection(-1);
  RecordOmit("X-out", selected->index, omittedBefore, selectionBefore);
  album_.Record().MarkChanged();
  album_.RepaintSheet();
  album_.Ui().Beep(BeepKind::Information);
}

int CAlbumEditor::CropForThumb(WindowRef owner) {
  if (album_.Loader().RefuseWhileLoading(owner)) {
    return 0;
  }
  CAlbumEntry* selected = Pictures().SelectedEntry();
  if (selected == nullptr) {
    return album_.ShowNotice(owner, "No Selection");
  }
  if (!album_.HasFullSizeWindow()) {
    return album_.ShowNotice(owner, kNoFullSize);
  }
  const char kNoRectangle[] = "Could not redefine Thumbsketch area\nNo rectangle?";
  Rect rect = selected->thumbRect;
  if (album_.Ui().QueryPictureRect(selected->fileName, rect) < 0) {
    return album_.ShowNotice(owner, kNoRectangle);
  }
  // The rectangle was drawn on the pixels the window shows, not on a file put there since.
  if (RefuseChangedFile(album_.Ui(), owner, *selected, album_.Record().DirPath())) {
    return 0;
  }
  const std::shared_ptr<const CImageWrap> picture = album_.ShownPicture(*selected);
  if (picture == nullptr) {
    return 0;
  }
  // A rectangle that gives no thumb leaves the entry as it was; one message tells the user.
  const Rect before = selected->thumbRect;
  selected->thumbRect = rect;
  if (!album_.Loader().SketchFromShown(*selected, *picture)) {
    selected->thumbRect = before;
    album_.Loader().SketchFromShown(*selected, *picture);
    return album_.ShowNotice(owner, kNoRectangle);
  }
  RecordThumbArea(Pictures().Selection(), before);
  album_.Record().MarkChanged();
  album_.RepaintSheet();
  album_.Ui().MessageBox(owner, "Area for Thumbsketch redefined", MsgIcon::None, MsgButtons::Ok);
  return 1;
}

int CAlbumEditor::ShowChangedPicture(CAlbumEntry& entry, WindowRef owner) {
  album_.Record().MarkChanged();
  album_.ReopenFullSize(entry);
  // The thumb as the next opening of the folder makes it.
  const std::shared_ptr<const CImageWrap> picture = album_.ShownPicture(entry);
  if (picture == nullptr || !album_.Loader().SketchFromShown(entry, *picture)) {
    album_.Ui().MessageBox(owner, kFailedThumb, MsgIcon::Error, MsgButtons::Ok);
    return 0;
  }
  // A turn or a crop changes the size that the panes tell of the picture under the mouse.
  if (album_.Sheet().HoverIndex() == entry.index) {
    album_.SheetControl().ShowPanesOf(entry);
  }
  album_.RepaintSheet();
  return 1;
}

void CAlbumEditor::ReportUnsavedPicture(WindowRef owner, const std::string& path) {
  album_.Ui().MessageBox(owner, "Could not write " + path + "\nNothing was changed.",
                         MsgIcon::Error, MsgButtons::Ok);
}

int CAlbumEditor::CropOriginal(WindowRef owner) {
  CAlbumEntry* selected = Pictures().SelectedEntry();
  if (selected == nullptr || album_.Loader().RefuseWhileLoading(owner)) {
    return 0;
  }
  if (!album_.HasFullSizeWindow()) {
    return album_.ShowNotice(owner, kNoFullSize);
  }
  Rect rect;
  if (album_.Ui().QueryPictureRect(selected->fileName, rect) < 0) {
    return album_.ShowNotice(owner, "Cannot redefine picture\nNo rectangle?");
  }
  if (RefuseChangedFile(album_.Ui(), owner, *selected, album_.Record().DirPath())) {
    return 0;
  }
  // The copy is written first: the album shows the crop only once the folder holds it, and
  // the original stays as it is. The thumb area of the whole picture means nothing on the crop.
  const std::shared_ptr<const CImageWrap> picture = album_.ShownPicture(*selected);
  CImageWrap cropped;
  if (picture == nullptr || !picture->CropTo(rect, cropped)) {
    return 0;
  }
  const std::string copy = CroppedCopyPath(album_.Record().DirPath(), selected->fileName);
  CropFiles files;
  files.wasCropped = selected->cropped != 0;
  if (files.wasCropped) {
    files.before = ReadCroppedCopy(album_.Record().DirPath(), selected->fileName);
  }
  files.thumbRectBefore = selected->thumbRect;
  std::string unsaved;
  if (!SaveCroppedOriginal(cropped, album_.Record().DirPath(), selected->fileName,
                           selected->fullPath, &unsaved)) {
    ReportUnsavedPicture(owner, unsaved);
    return 0;
  }
  album_.KeepPicture(copy, std::move(cropped));  // what the window and the sketch show next
  selected->cropped = 1;
  selected->cropMarkKept = false;
  selected->croppedStamp = StampOf(copy);
  selected->thumbRect.SetEmpty();
  files.after = ReadCroppedCopy(album_.Record().DirPath(), selected->fileName);
  RecordCrop(Pictures().Selection(), std::move(files));
  return ShowChangedPicture(*selected, owner);
}

// The files are turned on disk as they are (a crop and its original both); the window and the
// sketch then show the turned file.
int CAlbumEditor::RotatePicture(WindowRef owner, QuarterTurn turn) {
  // The turning of files and rectangles counts 1 clockwise and 0 counter-clockwise.
  const int direction = turn == QuarterTurn::Right ? 1 : 0;
  CAlbumEntry* selected = Pictures().SelectedEntry();
  if (selected == nullptr || album_.Loader().RefuseWhileLoading(owner) ||
      TurnEntry(*selected, owner, direction) == 0) {
    return 0;
  }
  RecordTurn(Pictures().Selection(), direction);
  return 1;
}

int CAlbumEditor::TurnEntry(CAlbumEntry& entry, WindowRef owner, int direction) {
  if (RefuseChangedFile(album_.Ui(), owner, entry, album_.Record().DirPath())) {
    return 0;
  }
  if (const std::string why =
          WhyNotTurnable(InDirectory(album_.Record().DirPath(), entry.fileName));
      !why.empty()) {
    album_.Ui().MessageBox(owner,
                           entry.fileName + " was not turned: " + why + ".\nNothing was changed.",
                           MsgIcon::Error, MsgButtons::Ok);
    return 0;
  }
  const int width = entry.pictureWidth;
  const int height = entry.pictureHeight;
  const std::string unturned = TurnPictureFiles(entry, album_.Record().DirPath(), direction);
  if (!unturned.empty()) {
    ReportUnsavedPicture(owner, unturned);
    return 0;
  }
  entry.thumbRect = TurnedRect(entry.thumbRect, width, height, direction);
  // The files are turned: a thumb that cannot be made is said, and the turn stays done.
  ShowChangedPicture(entry, owner);
  return 1;
}
