// The album's record commands: reading and writing its record file (CRecordFile), the
// "Save Record?" question before its work could be lost, and editing the record in the
// desktop's text editor.

#include <span>
#include <vector>

#include "album/Messages.h"
#include "album/PictureFiles.h"
#include "album/PixDir.h"
#include "platform/PlatformUi.h"

std::string CPixDir::RecordPath() const { return CRecordFile::PathIn(dirPath_); }

void CPixDir::WriteRecordHeader(std::string& out) const { CRecordFile::WriteHeader(settings_, out); }

int CPixDir::ParseRecordHeader(const std::string& line) { return record_.ParseHeader(line, settings_); }

int CPixDir::ReadRecord() {
  return record_.Read(dirPath_, settings_, std::span(entries_.data(), count_), displayOrder_);
}

int CPixDir::ReadRecord(std::FILE* file) {
  return record_.Read(file, settings_, std::span(entries_.data(), count_), displayOrder_);
}

int CPixDir::WriteRecord() {
  // Without pictures there is nothing to record, and a header-only file would replace
  // whatever record lies in the current directory. Half an album would lose the lines of the
  // pictures still to come.
  if (!HasAlbum() || RefuseWhileLoading(nullptr) ||
      !record_.Write(dirPath_, settings_, std::span<const CAlbumEntry>(entries_.data(), count_))) {
    return 0;
  }
  MarkRecordCurrent();
  return 1;
}

void CPixDir::MarkRecordCurrent() {
  dirty_ = 0;
  history_.MarkSaved();
}

void CPixDir::MarkChangedBeyondUndo() {
  dirty_ = 1;
  history_.ForgetSaved();
}

int CPixDir::AskSaveRecord() {
  if (dirty_ == 1 && HasAlbum()) {
    const MsgAnswer answer =
        ui_.MessageBox(nullptr, "Save Record?", MsgIcon::Question, MsgButtons::YesNoCancel);
    if (answer == MsgAnswer::Cancel || (answer == MsgAnswer::Yes && WriteRecord() == 0)) {
      return 0;
    }
  }
  if (const CAlbumEntry* selected = SelectedEntry()) {
    if (ui_.FindPictureWindow(selected->fileName)) {
      ui_.ClosePictureWindow(selected->fileName);
    }
  }
  return 1;
}

void CPixDir::EditRecordExternally() {
  // Reading back a record that could not be saved would replace the unsaved work with the
  // older file, so stop here; WriteRecord has told the user why.
  if (!WriteRecord()) {
    return;
  }
  if (!ui_.OpenWithDefaultProgram(RecordPath())) {
    ReportError(ui_, "Cannot Find Record File", kRecordFileName);
  }
  ui_.MessageBox(nullptr,
                 "CAUTION: You cannot work on Quillaran until you finish editing\n"
                 "Quillaran.txt. After you Save the file and exit the text editor,\n"
                 "then Click OK on this box and resume work",
                 MsgIcon::None, MsgButtons::Ok);
  std::vector<int> croppedBefore;
  for (int i = 0; i < count_; ++i) {
    croppedBefore.push_back(EntryAt(i).cropped);
  }
  ReadRecord();
  ShowRecordedCrops(*this, croppedBefore, {});
  // The record may now say anything of any picture: what came before is no longer undone.
  history_.Clear();
  history_.MarkSaved();
  RebuildThumbs();
  RepaintSheet();
}
