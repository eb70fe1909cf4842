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

const char kNoImages[] = "No readable image files in this directory";

// Files read ahead of the one the album takes: enough to keep every core busy while the
// window paints. A file read ahead holds only its sketch.
constexpr int kReadAhead = 32;

}  // namespace

CDirectoryRestorer::CDirectoryRestorer(CPixDir& album)
    : album_(album), dirPath_(album.dirPath), dirName_(album.dirName) {
  std::error_code ignored;
  startDir_ = std::filesystem::current_path(ignored).string();
}

CDirectoryRestorer::~CDirectoryRestorer() {
  if (committed_) {
    return;
  }
  album_.dirPath = dirPath_;
  album_.dirName = dirName_;
  std::error_code ignored;
  if (!startDir_.empty()) {
    std::filesystem::current_path(startDir_, ignored);
  }
}

CAlbumLoad::CAlbumLoad(CPixDir& album, CPixDir::DirectoryLoad how, std::vector<std::string> files,
                       std::unique_ptr<CRecordAhead> ahead,
                       std::unique_ptr<CDirectoryRestorer> restorer)
    : album_(album),
      how_(std::move(how)),
      files_(std::move(files)),
      ahead_(std::move(ahead)),
      restorer_(std::move(restorer)) {
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
  const int count = static_cast<int>(files_.size());
  try {
    for (; next_ < count && (wait || reader_->Ready(next_)); ++next_) {
      album_.WriteLogLine("Attempting " + files_[static_cast<size_t>(next_)] + "\n");
      const std::unique_ptr<CPictureReader::Result> result = reader_->Take(next_);
      TakeResult(next_, *result);
    }
  } catch (const std::bad_alloc&) {
    FatalError(album_.Ui(), "Memory Exception");
  }
  taking_ = false;
  return next_ < count;
}

void CAlbumLoad::TakeResult(int i, CPictureReader::Result& result) {
  if (result.failure) {
    std::rethrow_exception(result.failure);
  }
  result.messages.Replay(album_.Ui());
  if (result.ok == kPictureNotDated) {
    return;
  }
  if (result.ok == kPictureLoaded) {
    album_.WriteLogLine("OK\n");
    if (loaded_ == 0) {
      ReplaceAlbum();
    }
    const std::string& file = files_[static_cast<size_t>(i)];
    CAlbumEntry& entry = album_.entries.emplace_back(std::move(result.entry));
    entry.fullPath = file;
    entry.fileName = file.substr(file.rfind('/') + 1);
    // Caption, marks and rectangle are the record's to give, when it is merged.
    entry.thumbRect.SetEmpty();
    entry.index = entry.order = loaded_;
    album_.displayOrder.push_back(&entry);
    album_.count = ++loaded_;
    copyTried_.push_back(ahead_->Planned(i).cropped != 0);
  }
  if (loaded_ % 10 == 0) {
    album_.Ui().SetStatusCount(2, how_.progressLabel, loaded_);
  }
}

void CAlbumLoad::ReplaceAlbum() {
  restorer_->Commit();
  album_.ReleaseEntries();
  // Room for every file, so that the entries never move while the sheet points at them.
  album_.entries.reserve(files_.size());
}

void CAlbumLoad::Stop() {
  reader_.reset();
  files_.resize(static_cast<size_t>(next_));
}

int CAlbumLoad::Finish() {
  CPlatformUi& ui = album_.Ui();
  WaitCursor wait(ui);
  reader_.reset();
  if (loaded_ == 0) {
    restorer_.reset();
    ui.MessageBox(nullptr, kNoImages, MsgIcon::None, MsgButtons::Ok);
    return 0;
  }
  ui.SetStatusCount(2, how_.progressLabel, loaded_);
  album_.ReadRecord();
  // A copy that the record read ahead asked for was read already, or said why it could not be.
  const auto takeCopy = [this](CAlbumEntry& entry) {
    return copyTried_[static_cast<size_t>(entry.index)] ? entry.sketchSource.cropped
                                                        : LoadCroppedCopy(entry, album_);
  };
  ShowRecordedCrops(album_, std::vector<int>(static_cast<size_t>(loaded_), 0),
                    how_.takeCroppedCopy ? how_.takeCroppedCopy : takeCopy);
  album_.BuildAllThumbs(how_.makeThumb);
  album_.RepaintSheet();
  album_.dirty = 0;
  return 1;
}
