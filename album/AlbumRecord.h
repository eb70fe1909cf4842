#pragma once
// The album's record and settings: the folder it is of, the settings (a value that every part
// reads and that changes only through ChangeSettings), the record file "Quillaran.txt" in that
// folder (CRecordFile), whether the record is out of date, and the run log.

#include <cstdint>
#include <cstdio>
#include <ctime>
#include <functional>
#include <string>

#include "album/AlbumSettings.h"
#include "album/RecordFile.h"
#include "album/RunLog.h"

class CPixDir;

class CAlbumRecord {
 public:
  explicit CAlbumRecord(CPixDir& album);
  CAlbumRecord(const CAlbumRecord&) = delete;
  CAlbumRecord& operator=(const CAlbumRecord&) = delete;

  // The settings, read by every part; they change only through ChangeSettings, which hands
  // them to change (the options sheet, the profile, the record's header, quillaran-web's --set).
  const CAlbumSettings& Settings() const { return settings_; }
  void ChangeSettings(const std::function<void(CAlbumSettings&)>& change) { change(settings_); }
  // Whether the automatic crop shows its diagnostic: 1 on, 0 off.
  int32_t AutoCropDiagnostic() const { return autoCropDiagnostic_; }
  void SetAutoCropDiagnostic(int32_t on) { autoCropDiagnostic_ = on; }

  // The album directory, absolute, without a trailing "/" but for the root, and its last
  // component ("/" for the root). SetFolder names another (a load as it takes the first
  // picture of the new folder).
  const std::string& DirPath() const { return dirPath_; }
  const std::string& DirName() const { return dirName_; }
  void SetFolder(std::string path, std::string name);

  // 1 when the record file is out of date.
  int32_t Dirty() const { return dirty_; }
  // A change that the history keeps was made, undone or made again: the record is current
  // exactly when the history is back where the record was read or written.
  void MarkChanged() { dirty_ = 1; }
  void FollowHistory();
  // The record matches the album now (it was just read or written): dirty is 0, and undoing
  // or redoing back to this point makes it 0 again.
  void MarkRecordCurrent();
  // A change that is not undone (the options): the record stays out of date whatever is.
  void MarkChangedBeyondUndo();
  // The user has answered "Save Record?" for the changes so far (as the session ends): the
  // record no longer counts as out of date, so nothing is asked again, while the history keeps
  // the point where the record was read or written.
  void MarkRecordQuestionAnswered() { dirty_ = 0; }

  // The record file in the album directory (else the current directory), read and written
  // only as a regular file inside that folder (FolderFile.h).
  std::string RecordPath() const;
  // Appends the header line to out.
  void WriteRecordHeader(std::string& out) const;
  int ParseRecordHeader(const std::string& line);
  // Applies the record to the pictures, each line to the picture of its name, and renumbers
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
  // The lines kept of pictures not in the album go with the album's pictures.
  void ForgetOtherLines() { record_.ForgetOtherLines(); }

  // Run log "QuillaranLog.txt" in the current directory; the new-run line carries the local
  // time, or the given time.
  void OpenLog();
  void OpenLog(const std::tm& now);
  void CloseLog() { log_.Close(); }
  bool LogIsOpen() const { return log_.IsOpen(); }
  // Writes one line (a line end is added when missing) while KeepLog is 1 and the log is open.
  void WriteLogLine(const std::string& line);

 private:
  CPixDir& album_;
  CAlbumSettings settings_;
  int32_t autoCropDiagnostic_ = 0;
  std::string dirPath_;
  std::string dirName_;
  int32_t dirty_ = 0;
  CRecordFile record_;
  CRunLog log_;
};
