#pragma once
// The album of one directory. It wires the parts that keep state of their own: the pictures
// with their display order and selection (CAlbumPictures), the record and the settings
// (CAlbumRecord), every change the user makes through the undo history (CAlbumEditor), the
// loading of a folder and the passes over its pictures (CAlbumLoader), and the album's side
// of the thumb sheet (CSheetControl); and it owns its windows and the decoded pictures kept
// within the memory budget. Everyone reads the pictures; only the parts change them. One
// album lives for the whole run; opening a directory replaces its pictures.

#include <cstdint>
#include <memory>
#include <string>

#include "album/AlbumEditor.h"
#include "album/AlbumLoader.h"
#include "album/AlbumObserver.h"
#include "album/AlbumPictures.h"
#include "album/AlbumRecord.h"
#include "album/BudgetedDecode.h"
#include "album/OriginalCache.h"
#include "album/SheetControl.h"
#include "platform/PlatformUi.h"
#include "platform/WindowObject.h"

class CAlbumLoad;
class CDirectorySwitch;

class CPixDir {
 public:
  explicit CPixDir(CPlatformUi& ui);
  ~CPixDir();
  CPixDir(const CPixDir&) = delete;
  CPixDir& operator=(const CPixDir&) = delete;

  CPlatformUi& Ui() const { return ui_; }

  // The parts.
  const CAlbumPictures& Pictures() const { return pictures_; }
  CAlbumRecord& Record() { return record_; }
  const CAlbumRecord& Record() const { return record_; }
  CAlbumEditor& Editor() { return editor_; }
  const CAlbumEditor& Editor() const { return editor_; }
  CAlbumLoader& Loader() { return loader_; }
  const CAlbumLoader& Loader() const { return loader_; }
  CSheetControl& SheetControl() { return sheetControl_; }
  const CThumbSheet& Sheet() const { return sheetControl_.Sheet(); }
  // The settings, which every part reads (CAlbumRecord::Settings).
  const CAlbumSettings& Settings() const { return record_.Settings(); }
  // Whether a directory is open with at least one picture; without one there is no record
  // to ask about or to write.
  bool HasAlbum() const { return pictures_.Count() > 0 && !record_.DirPath().empty(); }

  // The observer that shows the album (the sheet's view), told of its changes.
  void AttachView(CAlbumObserver* view) { observer_ = view; }
  void DetachView() { observer_ = nullptr; }
  void RepaintSheet();

  // The picture and diagnostic windows that the album owns (deleting one closes it).
  CWindowObject* PictureWindow() const { return pictureWindow_.get(); }
  CWindowObject* DiagnosticWindow() const { return diagnosticWindow_.get(); }
  void KeepDiagnosticWindow(std::unique_ptr<CWindowObject> window);
  void CloseDiagnosticWindow() { diagnosticWindow_.reset(); }
  // Closes the picture and the diagnostic window.
  void CloseWindows();
  // Opens the full size window on the selected picture.
  void ShowFullSize();
  // The simple beep and a plain message; returns 0 for the caller to pass on.
  int ShowNotice(WindowRef owner, const std::string& text);
  // The "Helpful Hints" dialog, which may switch learning mode off.
  void ShowHint(const std::string& text);

  // The memory that the workers decoding the album's pictures (for their sketches, or for
  // the web album) may hold at once: PictureMemoryBudget() unless set otherwise.
  void SetPictureMemoryBudget(int64_t bytes);
  CBudgetedDecoder& Decoder() { return *decoder_; }
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

 private:
  // The album's own parts change the pictures, and tell the observer.
  friend class CAlbumEditor;
  friend class CAlbumLoader;
  friend class CAlbumRecord;
  friend class CAlbumLoad;
  friend class CDirectorySwitch;
  // Tests arrange the pictures they check (tests/support/TestAlbum.h).
  friend class CAlbumTestPeer;
  CAlbumPictures& ChangePictures() { return pictures_; }
  CAlbumObserver* Observer() const { return observer_; }
  void NotifyCommandsChanged() const;
  // Whether the selected picture's full size window is open.
  bool HasFullSizeWindow();
  // Opens the full size window on the entry's picture, decoded no larger than the window
  // shows it (FullSizeWindow.cpp).
  void OpenFullSize(const CAlbumEntry& entry);
  // Closes and opens again the entry's full size window, when it is open.
  void ReopenFullSize(const CAlbumEntry& entry);
  // What the operation that just wrote this file shows next.
  void KeepPicture(const std::string& file, CImageWrap picture);

  CPlatformUi& ui_;
  CAlbumPictures pictures_;
  CAlbumRecord record_{*this};
  CAlbumEditor editor_{*this};
  CSheetControl sheetControl_{*this};
  std::unique_ptr<CMemoryBudget> budget_;
  std::unique_ptr<CBudgetedDecoder> decoder_;
  COriginalCache originals_;
  CAlbumObserver* observer_ = nullptr;
  std::unique_ptr<CWindowObject> pictureWindow_;
  std::unique_ptr<CWindowObject> diagnosticWindow_;
  // Last, so that a load or a pass under way stops before anything it uses goes.
  CAlbumLoader loader_{*this};
};
