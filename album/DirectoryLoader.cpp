// Opening a directory: find the picture files, ask whether to limit a large directory, date
// and decode every file, merge the record file and build the thumb sketches.

#include <algorithm>
#include <cstdint>
#include <exception>
#include <filesystem>
#include <memory>
#include <new>
#include <string>
#include <system_error>
#include <utility>

#include "album/AlbumPath.h"
#include "album/ImageFind.h"
#include "album/Messages.h"
#include "album/PictureFiles.h"
#include "album/PictureReader.h"
#include "album/PixDir.h"
#include "imaging/AtomicFile.h"
#include "imaging/PathJoin.h"
#include "imaging/PictureDate.h"
#include "imaging/ThumbBuild.h"
#include "platform/PlatformUi.h"
#include "platform/WaitCursor.h"

namespace {

const char kNoImages[] = "No readable image files in this directory";
const char kFailedThumb[] = "Failed to Create Thumbsketch";

// Files read ahead of the one the loader waits for: enough to keep every core decoding.
constexpr int kReadAhead = 4;

// Dates and decodes one file; runs on a worker thread and touches nothing of the album. The
// stamp is taken first, so that a file changed while it is read counts as changed.
int ReadPicture(const std::string& file, CAlbumEntry& entry, CPlatformUi& ui) {
  if (ReadPictureDate(file, entry, ui) == 0) {
    return kPictureNotDated;
  }
  entry.fileStamp = StampOf(file);
  return entry.LoadOriginal(file, ui) == 1 ? kPictureLoaded : kPictureNotDecoded;
}

// Removes the temporary files that saves killed before their end left in the album and in
// the folders the program writes below it (not through links).
void RemoveLeftovers(const std::string& dir) {
  RemoveDeadTemporaries(dir);
  for (const char* folder : {"Thumbs", "Large", "Cropped"}) {
    const std::string path = InDirectory(dir, folder);
    std::error_code error;
    if (std::filesystem::is_directory(std::filesystem::symlink_status(path, error))) {
      RemoveDeadTemporaries(path);
    }
  }
}

// The memory that a decoded picture holds.
int64_t DecodedBytes(const CImageWrap& picture) {
  return static_cast<int64_t>(CBitmap::RowBytes(picture.Width(), picture.BitsPerPixel())) *
         picture.Height();
}

std::string BudgetMessage(int loaded, int found, const std::string& file, int64_t budget) {
  return "Stopped loading after " + std::to_string(loaded) + " of " + std::to_string(found) +
         " pictures: with " + file + " the decoded pictures would take more than " +
         std::to_string(budget / (1024 * 1024)) +
         " MB, half of this machine's memory. The album holds the pictures loaded before it.";
}

std::string LimitQuestion(int found, int safe) {
  return "Your directory has " + std::to_string(found) + " pictures that exceeds " +
         std::to_string(safe) +
         " which is the number Quillaran\ncan handle efficiently. While the program can handle "
         "any number of pictures,\nits performance drops significantly as the number of "
         "pictures increase.\nDo you want to limit the number of pictures to " +
         std::to_string(safe) + "?";
}

// Puts the album's directory and the process's current directory back as they were when an
// open fails, so that the album still on screen keeps its own record file.
class DirectoryRestorer {
 public:
  explicit DirectoryRestorer(CPixDir& album)
      : album_(album), dirPath_(album.dirPath), dirName_(album.dirName) {
    std::error_code ignored;
    startDir_ = std::filesystem::current_path(ignored);
  }
  ~DirectoryRestorer() {
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
  DirectoryRestorer(const DirectoryRestorer&) = delete;
  DirectoryRestorer& operator=(const DirectoryRestorer&) = delete;
  void Commit() { committed_ = true; }

 private:
  CPixDir& album_;
  std::string dirPath_;
  std::string dirName_;
  std::filesystem::path startDir_;
  bool committed_ = false;
};

}  // namespace

int CPixDir::OpenDirectory(const std::string& path) {
  DirectoryLoad how;
  how.read = ReadPicture;
  how.threads = PictureReaderThreads();
  how.makeThumb = [this](CAlbumEntry& entry) { return ThumbFromPicture(entry); };
  return OpenDirectory(path, how);
}

int CPixDir::OpenDirectory(const std::string& path, const DirectoryLoad& how) {
  if (AskSaveRecord() == 0) {
    return 0;
  }
  std::string newPath;
  std::string newName;
  if (!AlbumDirectoryOf(path, newPath, newName)) {
    return 0;
  }
  DirectoryRestorer restorer(*this);
  dirPath = newPath;
  dirName = newName;

  WaitCursor wait(ui_);
  CImageFind finder;
  int n = finder.Find(dirPath);
  RemoveLeftovers(dirPath);
  if (n == 0) {
    ui_.MessageBox(nullptr, kNoImages, MsgIcon::None, MsgButtons::Ok);
    return 0;
  }
  const int safe = AdvancedSettings.SafePixNum;
  if (n > safe) {
    const MsgAnswer answer = ui_.MessageBox(nullptr, LimitQuestion(n, safe), MsgIcon::None,
                                            MsgButtons::YesNoCancel);
    if (answer == MsgAnswer::Cancel) {
      return 0;
    }
    if (answer == MsgAnswer::Yes) {
      n = safe > 0 ? safe : 0;
    }
  }

  // The new album is built beside the old one, which stays whole until the first picture has
  // loaded: an open in which every file is skipped leaves the album on screen as it was, and
  // memory holds both albums' pictures for no more than the first few files.
  std::vector<CAlbumEntry> loaded;
  int loadedCount = 0;
  int64_t decodedBytes = 0;
  try {
    loaded.resize(static_cast<size_t>(n));
    std::vector<std::string> files;
    for (int i = 0; i < n; ++i) {
      files.push_back(finder.GetAt(i));
    }
    CPictureReader reader(files, how.read, how.threads, std::max(kReadAhead, how.threads));
    for (int i = 0; i < n; ++i) {
      const std::string& file = files[static_cast<size_t>(i)];
      WriteLogLine("Attempting " + file + "\n");
      std::unique_ptr<CPictureReader::Result> result = reader.Take(i);
      if (result->failure) {
        std::rethrow_exception(result->failure);
      }
      result->messages.Replay(ui_);
      if (result->ok == kPictureNotDated) {
        continue;
      }
      if (result->ok == kPictureLoaded) {
        const int64_t bytes = DecodedBytes(result->entry.picture);
        if (bytes > decodedMemoryBudget_ - decodedBytes) {
          ui_.MessageBox(nullptr, BudgetMessage(loadedCount, n, file, decodedMemoryBudget_),
                         MsgIcon::Information, MsgButtons::Ok);
          break;
        }
        decodedBytes += bytes;
        WriteLogLine("OK\n");
        CAlbumEntry& entry = loaded[static_cast<size_t>(loadedCount)];
        entry = std::move(result->entry);
        entry.fullPath = file;
        entry.fileName = file.substr(file.rfind('/') + 1);
        entry.thumbRect.SetEmpty();
        entry.index = entry.order = loadedCount;
        entry.caption = "?";
        entry.omitted = 0;
        ++loadedCount;
        if (loadedCount == 1) {
          ReleaseEntries();
        }
      }
      if (loadedCount % 10 == 0) {
        ui_.SetStatusCount(2, how.progressLabel, loadedCount);
      }
    }
  } catch (const std::bad_alloc&) {
    FatalError(ui_, "Memory Exception");
  }
  if (loadedCount == 0) {
    ui_.MessageBox(nullptr, kNoImages, MsgIcon::None, MsgButtons::Ok);
    return 0;
  }
  restorer.Commit();
  ui_.SetStatusCount(2, how.progressLabel, loadedCount);

  loaded.resize(static_cast<size_t>(loadedCount));
  entries = std::move(loaded);
  count = loadedCount;
  displayOrder.clear();
  for (CAlbumEntry& entry : entries) {
    displayOrder.push_back(&entry);
  }
  ReadRecord();
  ShowRecordedCrops(*this, std::vector<int>(static_cast<size_t>(count), 0), how.takeCroppedCopy);
  BuildAllThumbs(how.makeThumb);
  RepaintSheet();
  dirty = 0;
  return 1;
}

void CPixDir::ReleaseEntries() {
  // The windows of the old pictures go with them, so that none acts on a picture of the new
  // album that has the same name.
  CloseWindows();
  selection = -1;
  record_.ForgetOtherLines();
  history_.Clear();
  displayOrder.clear();
  entries.clear();
  entries.shrink_to_fit();
  count = 0;
  sheet_.SetHoverIndex(-1);
}

int CPixDir::ThumbFromPicture(CAlbumEntry& entry) const {
  return BuildThumbFromPicture(entry.picture, entry.thumbRect, entry.cropArea, entry.thumb,
                               GeneralSettings.ThumbSize);
}

int CPixDir::BuildThumb(CAlbumEntry& entry) {
  if (ThumbFromPicture(entry) == 0) {
    ui_.ShowError(kFailedThumb);
    return 0;
  }
  return 1;
}

void CPixDir::BuildAllThumbs() {
  BuildAllThumbs([this](CAlbumEntry& entry) { return ThumbFromPicture(entry); });
}

void CPixDir::BuildAllThumbs(const ThumbMaker& makeThumb) {
  WaitCursor wait(ui_);
  for (int i = 0; i < count; ++i) {
    if (makeThumb(EntryAt(i)) == 0) {
      ui_.ShowError(kFailedThumb);
    }
  }
}
