// The album's record commands: reading and writing its record file (CRecordFile), the
// "Save Record?" question before its work could be lost, and editing the record in the
// desktop's text editor; and the run log.

#include "album/AlbumRecord.h"

#include <ctime>
#include <vector>

#include "album/Messages.h"
#include "album/PictureFiles.h"
#include "album/PixDir.h"
#include "platform/PlatformUi.h"

CAlbumRecord::CAlbumRecord(CPixDir& album) : album_(album), record_(album.Ui()) {}

void CAlbumRecord::SetFolder(std::string path, std::string name) {
  dirPath_ = std::move(path);
  dirName_ = std::move(name);
}

void CAlbumRecord::FollowHistory() { dirty_ = album_.Editor().History().AtSaved() ? 0 : 1; }

std::string CAlbumRecord::RecordPath() const { return CRecordFile::PathIn(dirPath_); }

void CAlbumRecord::WriteRecordHeader(std::string& out) const {
  CRecordFile::WriteHeader(settings_, out);
}

int CAlbumRecord::ParseRecordHeader(const std::string& line) {
  return record_.ParseHeader(line, settings_);
}

int CAlbumRecord::ReadRecord() {
  CAlbumPictures& pictures = album_.ChangePictures();
  return record_.Read(dirPath_, settings_, pictures.Entries(), pictures.DisplayOrderToChange());
}

int CAlbumRecord::ReadRecord(std::FILE* file) {
  CAlbumPictures& pictures = album_.ChangePictures();
  return record_.Read(file, settings_, pictures.Entries(), pictures.DisplayOrderToChange());
}

int CAlbumRecord::WriteRecord() {
  // Without pictures there is nothing to record, and a header-only file would replace
  // whatever record lies in the current directory. Half an album would lose the lines of the
  // pictures still to come.
  if (!album_.HasAlbum() || album_.Loader().RefuseWhileLoading(nullptr) ||
      !record_.Write(dirPath_, settings_, album_.Pictures().Entries())) {
    return 0;
  }
  MarkRecordCurrent();
  return 1;
}

void CAlbumRecord::MarkRecordCurrent() {
  dirty_ = 0;
  album_.Editor().MarkSaved();
}

void CAlbumRecord::MarkChangedBeyondUndo() {
  dirty_ = 1;
  album_.Editor().ForgetSaved();
}

int CAlbumRecord::AskSaveRecord() {
  CPlatformUi& ui = album_.Ui();
  if (dirty_ == 1 && album_.HasAlbum()) {
    const MsgAnswer answer =
        ui.MessageBox(nullptr, "Save Record?", MsgIcon::Question, MsgButtons::YesNoCancel);
    if (answer == MsgAnswer::Cancel || (answer == MsgAnswer::Yes && WriteRecord() == 0)) {
      return 0;
    }
  }
  if (const CAlbumEntry* selected = album_.Pictures().SelectedEntry()) {
    if (ui.FindPictureWindow(selected->fileName)) {
      ui.ClosePictureWindow(selected->fileName);
    }
  }
  return 1;
}

void CAlbumRecord::EditRecordExternally() {
  // Reading back a record that could not be saved would replace the unsaved work with the
  // older file, so stop here; WriteRecord has told the user why.
  if (!WriteRecord()) {
    return;
  }
  CPlatformUi& ui = album_.Ui();
  if (!ui.OpenWithDefaultProgram(RecordPath())) {
    ReportError(ui, "Cannot Find Record File", kRecordFileName);
  }
  ui.MessageBox(nullptr,
                "CAUTION: You cannot work on Quillaran until you finish editing\n"
                "Quillaran.txt. After you Save the file and exit the text editor,\n"
                "then Click OK on this box and resume work",
                MsgIcon::None, MsgButtons::Ok);
  std::vector<int> croppedBefore;
  for (const CAlbumEntry& entry : album_.Pictures().Entries()) {
    croppedBefore.push_back(entry.cropped);
  }
  ReadRecord();
  ShowRecordedCrops(album_, album_.ChangePictures().Entries(), croppedBefore, {});
  // The record may now say anything of any picture: what came before is no longer undone.
  album_.Editor().ForgetSteps();
  album_.Editor().MarkSaved();
  album_.Loader().RebuildThumbs();
  album_.RepaintSheet();
}

void CAlbumRecord::OpenLog() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  OpenLog(local);
}

void CAlbumRecord::OpenLog(const std::tm& now) {
  if (!log_.Open(now)) {
    settings_.AdvancedSettings.KeepLog = 0;
    album_.Ui().MessageBox(nullptr, "Could not create LOG file", MsgIcon::Error, MsgButtons::Ok);
  }
}

void CAlbumRecord::WriteLogLine(const std::string& line) {
  if (settings_.AdvancedSettings.KeepLog == 1) {
    log_.WriteLine(line);
  }
}
