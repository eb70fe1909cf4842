#pragma once
// Every change the user makes to the pictures of the album: selecting and dropping on the
// sheet, crossing out, captions and dates, sorting, the thumb area, and cropping or turning
// the original. Each change that the record keeps marks it out of date and is kept in the
// undo history as a command of its own kind (UndoSteps.h), which Undo and Redo run in turn.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "album/AlbumEntry.h"
#include "album/ThumbSheet.h"
#include "album/UndoHistory.h"
#include "platform/PlatformUi.h"
#include "platform/WindowObject.h"

class CAlbumPictures;
class CImageWrap;
class CPixDir;

// What a click on the sheet did: opened a caption box's dialog, selected the picture under
// the mouse, removed the selection, or nothing. A click on empty sheet removes the selection
// for the left button and keeps it for the context menu.
enum class ClickResult { Nothing, Caption, Selected, Deselected };
enum class EmptyClick { KeepSelection, ClearSelection };
// What a drop of the selected picture did.
enum class DropResult { Nothing, Moved, CrossedOut };
// Which way RotatePicture turns the selected picture as it shows: a quarter turn.
enum class QuarterTurn { Left, Right };

class CAlbumEditor {
 public:
  explicit CAlbumEditor(CPixDir& album);
  ~CAlbumEditor();
  CAlbumEditor(const CAlbumEditor&) = delete;
  CAlbumEditor& operator=(const CAlbumEditor&) = delete;

  // Owners are the windows on whose behalf a message is shown.
  ClickResult ClickAt(EmptyClick empty, int x, int y);
  DropResult DropAt(int x, int y, bool wasDragging);
  // Makes the entry of this index the selected one (the record then counts as changed).
  void Select(int index);
  // Selects as an arrow key asks.
  void StepSelection(SheetStep step);
  // X-out of the selected picture; the window given is closed, else its full size window.
  void MarkOmitted(CWindowObject* window);
  int CropForThumb(WindowRef owner);
  int CropOriginal(WindowRef owner);
  int RotatePicture(WindowRef owner, QuarterTurn turn);
  // The caption dialog for the picture of this scan index, titled "For selected image ..."
  // when asked.
  void EditCaption(bool withTitle, int index);
  void EditSelectedCaption();
  // Orders the pictures by the time they were taken, oldest first, or by file name, as one
  // change; an album already in that order is left as it is.
  void SortByDate();
  void SortByName();

  // Every change above can be undone and made again, in turn (AlbumUndo.cpp); the record is
  // current after one exactly when it leads back to where the record was read or written.
  // 1 done; 0 nothing to do, or refused with a message (a turned or cropped picture whose
  // files changed on disk since).
  const CUndoHistory& History() const { return history_; }
  int Undo(WindowRef owner);
  int Redo(WindowRef owner);
  // The most file content that the steps may keep (CUndoHistory::kDefaultByteBudget unless
  // set); the oldest steps beyond it go, and the status bar says so.
  void SetUndoByteBudget(size_t bytes);
  // The history's point where the record was read or written: now, or none.
  void MarkSaved() { history_.MarkSaved(); }
  void ForgetSaved() { history_.ForgetSaved(); }
  // Nothing before now can be undone (another folder, a record edited by hand).
  void ForgetSteps() { history_.Clear(); }

 private:
  class OrderStep;
  class OmitStep;
  class CaptionStep;
  class ThumbAreaStep;
  class TurnStep;
  class CropStep;
  CAlbumPictures& Pictures();
  // After a turn or a crop of the original: the record is out of date, the full size window
  // shows the new picture, and so does the thumb. 0 when the thumb could not be made.
  int ShowChangedPicture(CAlbumEntry& entry, WindowRef owner);
  void ReportUnsavedPicture(WindowRef owner, const std::string& path);
  // A quarter turn of the entry's picture and files; 0 when nothing was turned (refused when
  // they changed on disk, or not written: said).
  int TurnEntry(CAlbumEntry& entry, WindowRef owner, int direction);
  // Each Record... adds the step of a change just made to the picture of this scan index,
  // given what it was before.
  void AddStep(std::unique_ptr<CUndoCommand> step);
  // true when some picture's place changed, which is then a step.
  bool RecordOrder(const std::string& name, const std::vector<int32_t>& before);
  // An X-out or a restore: the picture's mark and the selection before.
  void RecordOmit(const std::string& name, int index, int32_t omittedBefore,
                  int32_t selectionBefore);
  void RecordCaption(int index, std::string captionBefore, std::string dateBefore);
  void RecordThumbArea(int index, const Rect& before);
  void RecordTurn(int index, int direction);
  // What Crop Original changed: the cropped copy's content before (none when there was no
  // copy) and after, and the thumb area, which the crop cleared.
  struct CropFiles {
    bool wasCropped = false;
    std::optional<std::string> before;
    std::optional<std::string> after;
    Rect thumbRectBefore;
  };
  void RecordCrop(int index, CropFiles files);
  // Puts the cropped copy back to content (none: removes it) with the thumb area, and shows
  // the entry's picture from its files; refused when they changed on disk since.
  int PutCroppedCopy(CAlbumEntry& entry, WindowRef owner, const std::optional<std::string>& content,
                     const Rect& thumbRect);
  // Gives the pictures the display order that sorts them by less, as one change.
  void Reorder(const std::string& name,
               const std::function<bool(const CAlbumEntry*, const CAlbumEntry*)>& less);

  CPixDir& album_;
  CUndoHistory history_;
};
