#include "album/AlbumLoad.h"

#include <algorithm>
#include <exception>
#include <filesystem>
#include <new>
#include <system_error>
#include <utility>

#include "album/Messages.h"
#include "album/PictureFiles.h"
#include "platform/PlatformUi.h"
#include "platform/WaitCursor.h"

namespace {

// Files read ahead of the one the album takes: enough to keep every core busy while the
// window paints, also when the sketches come from the cache, a few hundred a tick of the
// window's timer. A file read ahead holds only its sketch (some 30 kB at a thumb of 120).
constexpr int kReadAhead = 256;

}  // namespace

CDirectorySwitch::CDirectorySwitch(CPixDir& album, std::string newPath, std::string newName)
    : album_(album), newPath_(std::move(newPath)), newName_(std::move(newName)) {
  std::error_code ignored;
  startDir_ = std::filesystem::current_path(ignored).string();
}

CDirectorySwitch::~CDirectorySwitch() {
  if (!committed_) {
    KeepOldDirectory();
  }
}

void CDirectorySwitch::KeepOldDirectory() {
  std::error_code ignored;
  if (!startDir_.empty()) {
    std::filesystem::current_path(startDir_, ignored);
  }
}

void CDirectorySwitch::Commit() {
  committed_ = true;
  album_.Record().SetFolder(newPath_, newName_);
  std::error_code ignored;
  std::filesystem::current_path(newPath_, ignored);
}

CAlbumLoad::CAlbumLoad(CPixDir& album, CAlbumLoader::DirectoryLoad how,
                       std::vector<std::string> files, std::unique_ptr<CRecordAhead> ahead,
                       std::unique_ptr<CDirectorySwitch> folder)
    : album_(album),
      how_(std::move(how)),
      files_(std::move(files)),
      ahead_(std::move(ahead)),
      folder_(std::move(folder)),
      entryOf_(files_.size(), kWaiting) {
  for (int i = 0; i < static_cast<int>(files_.size()); ++i) {
    byRecordedOrder_.push_back(i);
  }
  std::stable_sort(byRecordedOrder_.begin(), byRecordedOrder_.end(), [this](int a, int b) {
    return ahead_->Planned(a).order < ahead_->Planned(b).order;
  });
  const auto read = [this](int i, const std::string& path, CAlbumEntry& entry, CPlatformUi& ui) {
    return how_.read(path, ahead_->Planned(i), entry, ui);
  };
  reader_ = std::make_unique<CPictureReader>(files_, read, how_.threads,
                                             std::max(kReadAhead, how_.threads));
}

CAlbumLoad::~CAlbumLoad() = default;

bool CAlbumLoad::Take(bool wait) {
  // A message shown for a file lets the window's events run, and with them another Take.
  if (taking_ || reader_ == nullptr) {
    return reader_ != nullptr;
  }
  taking_ = true;
  bool changed = false;
  try {
    for (; next_ < static_cast<int>(files_.size()) && !stopAsked_ &&
           (wait || reader_->Ready(next_));
         ++next_) {
      album_.Record().WriteLogLine("Attempting " + files_[static_cast<size_t>(next_)] + "\n");
      const std::unique_ptr<CPictureReader::Result> result = reader_->Take(next_);
      changed = TakeResult(next_, *result) || changed;
    }
  } catch (const std::bad_alloc&) {
    FatalError(album_.Ui(), "Memory Exception");
  }
  taking_ = false;
  if (stopAsked_) {
    StopNow();
  }
  if (changed && loaded_ > 0) {
    Arrange();
    if (!wait) {
      album_.RepaintSheet();
    }
  }
  return next_ < static_cast<int>(files_.size());
}

bool CAlbumLoad::TakeResult(int i, CPictureReader::Result& result) {
  entryOf_[static_cast<size_t>(i)] = kLeftOut;
  if (result.failure) {
    ReportFailure(i, result.failure);
    return true;
  }
  result.messages.Replay(album_.Ui());
  if (result.ok == kPictureNotDated) {
    return true;
  }
  if (result.ok == kPictureLoaded) {
    if (!result.entry.colourIgnored.empty()) {
      album_.Record().WriteLogLine(files_[static_cast<size_t>(i)] + ": colour profile not used (" +
                                   result.entry.colourIgnored + "), colours shown as sRGB");
    }
    album_.Record().WriteLogLine("OK\n");
    if (loaded_ == 0) {
      ReplaceAlbum();
    }
    const std::string& file = files_[static_cast<size_t>(i)];
    result.entry.fullPath = file;
    result.entry.fileName = file.substr(file.rfind('/') + 1);
    // Caption, marks and rectangle are the record's to give, when it is merged.
    result.entry.thumbRect.SetEmpty();
    CAlbumEntry& entry = album_.ChangePictures().Add(std::move(result.entry));
    entryOf_[static_cast<size_t>(i)] = loaded_++;
    ShowPlanned(entry, i);
  }
  if (loaded_ % 10 == 0) {
    album_.Ui().SetStatusCount(2, how_.progressLabel, loaded_);
  }
  return true;
}

void CAlbumLoad::ReportFailure(int i, const std::exception_ptr& failure) {
  std::string why;
  try {
    std::rethrow_exception(failure);
  } catch (const std::bad_alloc&) {
    throw;
  } catch (const std::exception& e) {
    why = e.what();
  } catch (...) {
    why = "unknown error";
  }
  album_.Record().WriteLogLine(files_[static_cast<size_t>(i)] + ": " + why);
  album_.Ui().ShowError("Could not read " + files_[static_cast<size_t>(i)] + ":\n" + why);
}

void CAlbumLoad::ShowPlanned(CAlbumEntry& entry, int i) {
  const CAlbumEntry& planned = ahead_->Planned(i);
  fileDates_.push_back(entry.date);
  copyTried_.push_back(planned.cropped != 0);
  entry.caption = planned.caption;
  if (ahead_->DateGiven(i)) {
    entry.date = planned.date;
  }
  entry.omitted = planned.omitted;
  entry.thumbRect = entry.sketchSource.fittedRect;
  entry.cropped = entry.sketchSource.cropped;
}

void CAlbumLoad::Arrange() {
  cells_.ofPosition.clear();
  int cell = 0;
  for (const int file : byRecordedOrder_) {
    const int index = entryOf_[static_cast<size_t>(file)];
    if (index == kLeftOut) {
      continue;
    }
    if (index >= 0) {
      album_.ChangePictures().EntryAt(index).order = static_cast<int>(cells_.ofPosition.size());
      cells_.ofPosition.push_back(cell);
    }
    ++cell;
  }
  cells_.count = cell;
  album_.ChangePictures().SortDisplayOrder();
}

void CAlbumLoad::ForgetPlanned() {
  static const std::string kNoCaption(1, '?');
  for (int index = 0; index < loaded_; ++index) {
    CAlbumEntry& entry = album_.ChangePictures().EntryAt(index);
    entry.caption = kNoCaption;
    entry.date = fileDates_[static_cast<size_t>(index)];
    entry.order = index;
    entry.omitted = 0;
    entry.cropped = 0;
    entry.thumbRect.SetEmpty();
  }
  album_.ChangePictures().SortDisplayOrder();
}

void CAlbumLoad::ReplaceAlbum() {
  // The folder and its pictures switch together: from here on the album is the new one,
  // whose record is not out of date.
  album_.Loader().ReleaseEntries();
  folder_->Commit();
  album_.Record().MarkRecordCurrent();
  // Room for every file, so that the entries never move while the sheet points at them.
  album_.ChangePictures().ReserveRoom(files_.size());
}

void CAlbumLoad::Stop() {
  stopAsked_ = true;
  if (!taking_) {
    StopNow();
  }
}

void CAlbumLoad::StopNow() {
  stopped_ = stopped_ || next_ < static_cast<int>(files_.size());
  reader_.reset();
  files_.resize(static_cast<size_t>(next_));
  std::fill(entryOf_.begin() + next_, entryOf_.end(), kLeftOut);
}

int CAlbumLoad::Finish() {
  CPlatformUi& ui = album_.Ui();
  WaitCursor wait(ui);
  reader_.reset();
  if (loaded_ == 0) {
    // Stopped before its first picture, the load leaves the album it found, without a word;
    // a folder whose every file was tried holds nothing to show.
    const std::string directory = folder_ ? folder_->NewPath() : album_.Record().DirPath();
    folder_.reset();
    if (!stopped_) {
      ui.MessageBox(nullptr, NoImagesMessage(directory), MsgIcon::None, MsgButtons::Ok);
    }
    return 0;
  }
  ui.SetStatusCount(2, how_.progressLabel, loaded_);
  // The record is read in its place, on the pictures that were loaded, as the last step of a
  // load on one thread reads it.
  ForgetPlanned();
  album_.Record().ReadRecord();
  // A copy that the record read ahead asked for was read already, or said why it could not be.
  const auto takeCopy = [this](CAlbumEntry& entry) {
    return copyTried_[static_cast<size_t>(entry.index)] ? entry.sketchSource.cropped
                                                        : LoadCroppedCopy(entry, album_);
  };
  ShowRecordedCrops(album_, album_.ChangePictures().Entries(),
                    std::vector<int>(static_cast<size_t>(loaded_), 0),
                    how_.takeCroppedCopy ? how_.takeCroppedCopy : takeCopy);
  album_.Loader().BuildAllThumbs(how_.makeThumb);
  album_.RepaintSheet();
  album_.Record().MarkRecordCurrent();
  return 1;
}
