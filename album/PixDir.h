#pragma once
// The album of one directory: its entries, the display order and the selection, which the
// whole program reads, and the operations on them. It owns the parts that keep state of their
// own: the settings with the web colours (CAlbumSettings, a value it holds), the thumb sheet
// (CThumbSheet), the record file (CRecordFile), the run log (CRunLog), the changes that can be
// undone (CUndoHistory), and its windows. One lives for the whole run; opening a directory
// replaces its entries.

#include <cstdint>
#include <cstdio>
#include <ctime>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "album/AlbumEntry.h"
#include "album/AlbumSettings.h"
#include "album/BudgetedDecode.h"
#include "album/OriginalCache.h"
#include "album/PictureReader.h"
#include "album/PictureSketch.h"
#include "album/RecordFile.h"
#include "album/RunLog.h"
#include "album/ThumbSheet.h"
#include "album/UndoHistory.h"
#include "platform/PlatformUi.h"
#include "platform/WindowObject.h"

class CAlbumLoad;
class CAlbumPass;
class CPlatformUi;
class CProfileStore;
class CSheetView;

// Makes the thumb of one entry; 1 done, 0 failed (the caller reports it).
using ThumbMaker = std::function<int(CAlbumEntry& entry)>;

// What a click on the sheet did: opened a caption box's dialog, selected the picture under
// the mouse, removed the selection, or nothing. A click on empty sheet removes the selection
// for the left button and keeps it for the context menu.
enum class ClickResult { Nothing, Caption, Selected, Deselected };
enum class EmptyClick { KeepSelection, ClearSelection };
// What a drop of the selected picture did.
enum class DropResult { Nothing, Moved, CrossedOut };
// Which way RotatePicture turns the selected picture as it shows: a quarter turn.
enum class QuarterTurn { Left, Right };

class CPixDir {
 public:
  explicit CPixDir(CPlatformUi& ui);
  virtual ~CPixDir();
  CPixDir(const CPixDir&) = delete;
  CPixDir& operator=(const CPixDir&) = delete;

  CPlatformUi& Ui() const { return ui_; }

  // The album directory, absolute, without a trailing "/" but for the root, and its last
  // component ("/" for the root). SetFolder names another (a load as it takes the first
  // picture of the new folder).
  const std::string& DirPath() const { return dirPath_; }
  const std::string& DirName() const { return dirName_; }
  void SetFolder(std::string path, std::string name);
  // The scan index of the selected entry, -1 for none; Select changes it.
  int32_t Selection() const { return selection_; }
  // 1 when the record file is out of date (MarkRecordCurrent, MarkChangedBeyondUndo).
  int32_t Dirty() const { return dirty_; }
  // Whether the automatic crop shows its diagnostic: 1 on, 0 off.
  int32_t AutoCropDiagnostic() const { return autoCropDiagnostic_; }
  void SetAutoCropDiagnostic(int32_t on) { autoCropDiagnostic_ = on; }

  // The settings, read by every part; they change only through ChangeSettings, which hands
  // them to change (the options sheet, the profile, quillaran-web's --set).
  const CAlbumSettings& Settings() const { return settings_; }
  void ChangeSettings(const std::function<void(CAlbumSettings&)>& change) { change(settings_); }

  // Whether a directory is open with at least one picture; without one there is no record
  // to ask about or to write.
  bool HasAlbum() const { return count_ > 0 && !dirPath_.empty(); }

  // The number of pictures, and the display order: pointers to every entry, by ascending order.
  int32_t Count() const { return count_; }
  const std::vector<CAlbumEntry*>& DisplayOrder() const { return displayOrder_; }
  // Entry by scan index, and by display position.
  CAlbumEntry& EntryAt(int index) { return entries_[static_cast<size_t>(index)]; }
  const CAlbumEntry& EntryAt(int index) const { return entries_[static_cast<size_t>(index)]; }
  CAlbumEntry& EntryAtPosition(int position) {
    return *displayOrder_[static_cast<size_t>(position)];
  }
  // Adds a picture last in scan and display order; its index and order become its position.
  // The entries stay in place while the room reserved lasts (the sheet points at them during
  // a load); beyond it the display order follows them.
  CAlbumEntry& AddPicture(CAlbumEntry entry);
  void ReserveRoom(size_t pictures) { entries_.reserve(pictures); }
  // The selected entry, or null.
  CAlbumEntry* SelectedEntry();

  // Reorders so that the dragged entry shows right after the target.
  void MoveAfter(int dragged, int target);
  // Sorts displayOrder by ascending order.
  void SortDisplayOrder();
  // The windows of the album: the view that shows the sheet, repainted through it, and the
  // picture and diagnostic windows that the album owns (deleting one closes it).
  void AttachView(CSheetView* view) { sheetView_ = view; }
  void DetachView() { sheetView_ = nullptr; }
  void RepaintSheet();
  CWindowObject* PictureWindow() const { return pictureWindow_.get(); }
  CWindowObject* DiagnosticWindow() const { return diagnosticWindow_.get(); }
  void KeepDiagnosticWindow(std::unique_ptr<CWindowObject> window);
  void CloseDiagnosticWindow() { diagnosticWindow_.reset(); }
  // Closes the picture and the diagnostic window.
  void CloseWindows();
  // Rebuilds every thumb where the options or the record ask for it: BuildAllThumbs, or what
  // SetThumbRebuild gave instead (tests watch the rebuild there; empty restores the default).
  void RebuildThumbs();
  void SetThumbRebuild(std::function<void()> rebuild) { rebuildThumbs_ = std::move(rebuild); }
  // The memory that the workers decoding the album's pictures (for their sketches, or for
  // the web album) may hold at once: PictureMemoryBudget() unless set otherwise.
  void SetPictureMemoryBudget(int64_t bytes);
  CBudgetedDecoder& Decoder() { return *decoder_; }
  // What the sketches are made at: ThumbSize, and the device pixels per sheet pixel of the
  // screen that shows them (1 until the view tells another).
  SketchScale SketchesAt() const { return {settings_.GeneralSettings.ThumbSize, sketchRatio_}; }
  void SetSketchRatio(double ratio) { sketchRatio_ = ratio; }
  // The picture that the entry shows (its cropped copy while it is cropped, else its
  // original), decoded at full size, or kept from the last operation on it. Null after the
  // message that says why it could not be read.
  std::shared_ptr<const CImageWrap> ShownPicture(const CAlbumEntry& entry);
  // The same for the full size window of that title at 100 %, kept in the memory budget while
  // it is used (FullSizeWindow.cpp); null after the message that says why not.
  std::shared_ptr<const CImageWrap> FullSizePicture(const std::string& fileName);
  // Lets go of the full size pictures kept for the next operation, so that a pass over the
  // folder has all of the budget that no window uses.
  void ForgetKeptPictures() { originals_.Clear(); }

  // The record file "Quillaran.txt" in the album directory (dirPath, else the current
  // directory), through CRecordFile: read and written only as a regular file inside that
  // folder (FolderFile.h).
  std::string RecordPath() const;
  // Appends the header line to out.
  void WriteRecordHeader(std::string& out) const;
  int ParseRecordHeader(const std::string& line);
  // Applies the record to the entries, each line to the picture of its name, and renumbers
  // the display order: pictures with a line by their recorded order, then the others in scan
  // order. 1 applied; 0 no record, a rejected header, or a record of another folder
  // ("Scrambled").
  int ReadRecord();
  // The same from an open stream positioned at the header.
  int ReadRecord(std::FILE* file);
  // Replaces the record atomically; 1 written, 0 failed (message shown, old file untouched) or
  // no album open (nothing shown, nothing written). The lines read of pictures that are in
  // the folder but not in the album are written again as they were.
  int WriteRecord();
  // When the record is out of date and an album is open, asks "Save Record?" with Yes, No and
  // Cancel and saves on Yes. 1 when the caller may go on, with the selected picture's window
  // closed; 0 when the user cancelled or the record could not be saved (the message has said
  // so): the album and its windows stay as they are.
  int AskSaveRecord();
  void EditRecordExternally();
  // The record matches the album now (it was just read or written): dirty is 0, and undoing
  // or redoing back to this point makes it 0 again.
  void MarkRecordCurrent();
  // A change that is not undone (the options): the record stays out of date whatever is.
  void MarkChangedBeyondUndo();
  // The user has answered "Save Record?" for the changes so far (as the session ends): the
  // record no longer counts as out of date, so nothing is asked again, while the history keeps
  // the point where the record was read or written.
  void MarkRecordQuestionAnswered() { dirty_ = 0; }

  // Run log "QuillaranLog.txt" in the current directory; the new-run line carries the local
  // time, or the given time.
  void OpenLog();
  void OpenLog(const std::tm& now);
  void CloseLog();
  bool LogIsOpen() const { return log_.IsOpen(); }
  // Writes one line (a line end is added when missing) while KeepLog is 1 and the log is open.
  void WriteLogLine(const std::string& line);

  // The thumb sheet. LayOutSheet places every sketch for a client area of this width and
  // returns the number of columns (0: not one sketch fits); HoverAt fills the status panes
  // for the point and answers 1 over a sketch; StepSelection selects as an arrow key asks.
  const CThumbSheet& Sheet() const { return sheet_; }
  int LayOutSheet(int clientWidth);
  int HoverAt(int x, int y);
  void StepSelection(SheetStep step);
  // The warning of a layout in which not one sketch fits; the view shows it once it has
  // finished painting.
  void ShowFitWarning();
  // The learning hint of the welcome screen, once per run while learning mode is on.
  bool WelcomeHintDue() const;
  void ShowWelcomeHint();

  // What the user does to the pictures. Owners are the windows on whose behalf a message is
  // shown. Directions: 0 a quarter turn counter-clockwise, 1 clockwise.
  ClickResult ClickAt(EmptyClick empty, int x, int y);
  DropResult DropAt(int x, int y, bool wasDragging);
  // Makes the entry of this index the selected one (the record then counts as changed).
  void Select(int index);
  void ShowFullSize();
  // X-out of the selected picture; the window given is closed, else its full size window.
  void MarkOmitted(CWindowObject* window);
  int CropForThumb(WindowRef owner);
  int CropOriginal(WindowRef owner);
  int RotatePicture(WindowRef owner, QuarterTurn turn);
  // The simple beep and a plain message; returns 0 for the caller to pass on.
  int ShowNotice(WindowRef owner, const std::string& text);
  // The caption dialog for the entry, titled "For selected image ..." when asked.
  void EditCaption(bool withTitle, CAlbumEntry* entry);
  void EditSelectedCaption();
  // The "Helpful Hints" dialog, which may switch learning mode off.
  void ShowHint(const std::string& text);

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
  // Orders the pictures by the time they were taken, oldest first, or by file name, as one
  // change (AlbumSort.cpp); an album already in that order is left as it is.
  void SortByDate();
  void SortByName();

  // Directory loading and thumb building. path is the directory, in any spelling, or a file
  // inside it (AlbumPath.h). 1 when at least one picture was loaded. A load that is under
  // way stops first, its album holding the pictures loaded so far.
  int OpenDirectory(const std::string& path);
  // How the pictures are read and their thumbs made: by default each picture is decoded on a
  // worker no larger than its sketch needs, and only the sketch is kept; the sketches that
  // the record merged in its place asks for otherwise are made again.
  struct DirectoryLoad {
    // Dates and reads one file into its entry on a worker thread (PictureRead), given its
    // entry in the record read ahead (RecordAhead.h). Empty: the album's own, which keeps the
    // sketch of what the record shows.
    std::function<int(const std::string& path, const CAlbumEntry& planned, CAlbumEntry& entry,
                      CPlatformUi& ui)>
        read;
    int threads = 1;  // with the album's own read: every core
    // What the progress in status pane 2 counts.
    std::string progressLabel = "Images read";
    // Makes the thumb of an entry once the record is merged; 1 done, 0 failed (reported).
    // Empty: the sketch is made again when it was not made of what the entry shows now.
    ThumbMaker makeThumb;
    // Shows an entry whose record line marks it cropped from its cropped copy; 0 when that
    // copy cannot be read (reported), and the entry shows its original. Empty: the copy that
    // the record read ahead asked for was read already; another is read now (LoadCroppedCopy).
    std::function<int(CAlbumEntry& entry)> takeCroppedCopy;
  };
  int OpenDirectory(const std::string& path, const DirectoryLoad& how);
  // The same without waiting for the pictures: 1 when the load has begun (after the record
  // question, the listing and the limit question), 0 as OpenDirectory. The pictures are read
  // on worker threads and join the album as ContinueLoading takes them.
  int BeginOpenDirectory(const std::string& path);
  int BeginOpenDirectory(const std::string& path, const DirectoryLoad& how);
  // Takes the pictures read so far (with wait: every one, waiting for each) and, after the
  // last, ends the load. true while the load goes on.
  bool ContinueLoading(bool wait = false);
  // Ends the load under way with the pictures taken so far, as if they were all the folder
  // held; stopped before its first picture, the album it found stays. Asked while the load
  // shows a message, the load ends as soon as that message is answered.
  void StopLoading();
  bool IsLoading() const { return load_ != nullptr; }
  // Work on every picture done off the window's thread (writing the web album's pictures,
  // making the sketches again), which the view drives as it drives a load: BeginPass starts
  // it (after stopping one under way), or runs it to its end at once when no view drives it;
  // ContinuePass takes what is done, and ends the pass after its last picture (true while it
  // goes on); StopPass lets no other picture begin and ends it as a stopped pass.
  void BeginPass(std::unique_ptr<CAlbumPass> pass);
  bool ContinuePass(bool wait = false);
  void StopPass();
  // A load or a pass is under way.
  bool IsBusy() const { return load_ != nullptr || pass_ != nullptr; }
  // What changes the pictures or the record waits until the album is loaded and no pass is
  // under way: true (after a message that says so) while one is.
  bool RefuseWhileLoading(WindowRef owner);
  // OpenDirectory's result for the last load that ended.
  int LastOpenResult() const { return lastOpenResult_; }
  int BuildThumb(CAlbumEntry& entry);
  // Frees every entry and the display order; the album is empty.
  void ReleaseEntries();
  // Makes again every sketch that was not made of what its entry shows now at SketchesAt(),
  // on every core; each failure is reported, in scan order.
  void BuildAllThumbs();
  // The same as a pass (BeginPass), each new sketch shown as soon as it is made.
  std::unique_ptr<CAlbumPass> SketchPass();
  // The same with another way of making each thumb, one after the other.
  void BuildAllThumbs(const ThumbMaker& makeThumb);

 private:
  // Whether the selected picture's full size window is open.
  bool HasFullSizeWindow();
  // Opens the full size window on the entry's picture, decoded no larger than the window
  // shows it (FullSizeWindow.cpp).
  void OpenFullSize(CAlbumEntry& entry);
  // Closes and opens again the entry's full size window, when it is open.
  void ReopenFullSize(CAlbumEntry& entry);
  // After a turn or a crop of the original: the record is out of date, the full size window
  // shows the new picture, and so does the thumb. 0 when the thumb could not be made.
  int ShowChangedPicture(CAlbumEntry& entry, WindowRef owner);
  // Fills the status panes with what they tell of the picture under the mouse.
  void ShowPanesOf(const CAlbumEntry& entry);
  void ReportUnsavedPicture(WindowRef owner, const std::string& path);
  // The sketch of the entry from the picture it shows, without a message; 1 made.
  int SketchFromShown(CAlbumEntry& entry, const CImageWrap& picture) const;
  // What the loader reads of one file (DirectoryLoad::read) of the album directory dir, on a
  // worker thread: its date, then its sketch at scale, from the file its record line shows.
  int ReadForAlbum(const std::string& path, const CAlbumEntry& planned, const SketchScale& scale,
                   const std::string& dir, CAlbumEntry& entry, CPlatformUi& ui) const;
  // Makes the sketch again when it is not current; 1 when it is made (DirectoryLoad::makeThumb).
  int RemakeSketch(CAlbumEntry& entry, CPlatformUi& ui);
  // A quarter turn of the entry's picture and files; 0 when nothing was turned (refused when
  // they changed on disk, or not written: said).
  int TurnEntry(CAlbumEntry& entry, WindowRef owner, int direction);
  // Undo steps (UndoSteps.h, AlbumUndo.cpp). Each Record... adds the step of a change just
  // made to the picture of this scan index, given what it was before.
  class OrderStep;
  class OmitStep;
  class CaptionStep;
  class ThumbAreaStep;
  class TurnStep;
  class CropStep;
  void AddStep(std::unique_ptr<CUndoCommand> step);
  // The place of every picture, by scan index; setting them sorts the display order.
  std::vector<int32_t> Orders() const;
  void SetOrders(const std::vector<int32_t>& orders);
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

  CPlatformUi& ui_;
  CAlbumSettings settings_;
  std::string dirPath_;
  std::string dirName_;
  int32_t selection_ = -1;
  int32_t dirty_ = 0;
  int32_t autoCropDiagnostic_ = 0;
  int32_t count_ = 0;
  std::vector<CAlbumEntry> entries_;        // scan order
  std::vector<CAlbumEntry*> displayOrder_;  // pointers into entries_, by ascending order
  std::unique_ptr<CMemoryBudget> budget_;
  std::unique_ptr<CBudgetedDecoder> decoder_;
  double sketchRatio_ = 1;
  COriginalCache originals_;
  std::function<void()> rebuildThumbs_;
  CThumbSheet sheet_;
  CRunLog log_;
  CRecordFile record_{ui_};
  CUndoHistory history_;
  CSheetView* sheetView_ = nullptr;
  std::unique_ptr<CWindowObject> pictureWindow_;
  std::unique_ptr<CWindowObject> diagnosticWindow_;
  int lastOpenResult_ = 0;
  // Last, so that a load or a pass under way stops before anything it uses goes.
  std::unique_ptr<CAlbumLoad> load_;
  std::unique_ptr<CAlbumPass> pass_;
};
