// Opening a directory: find the picture files, ask whether to limit a large directory, read
// the record ahead, date every file and make its sketch on worker threads, merge the record;
// and the thumb sketches made again when what they show changes.

#include <algorithm>
#include <filesystem>
#include <memory>
#include <string>
#include <system_error>
#include <utility>

#include "album/AlbumLoad.h"
#include "album/AlbumLoader.h"
#include "album/AlbumObserver.h"
#include "album/AlbumPass.h"
#include "album/AlbumPath.h"
#include "album/DeferredUi.h"
#include "album/ImageFind.h"
#include "album/Messages.h"
#include "album/PictureFiles.h"
#include "album/PixDir.h"
#include "album/RecordAhead.h"
#include "imaging/PathJoin.h"
#include "platform/PlatformUi.h"
#include "platform/WaitCursor.h"
#include "raster/AtomicFile.h"

namespace {

const char kFailedThumb[] = "Failed to Create Thumbsketch";

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

std::string LimitQuestion(int found, int safe) {
  return "Your directory has " + std::to_string(found) + " pictures that exceeds " +
         std::to_string(safe) +
         " which is the number Quillaran\ncan handle efficiently. While the program can handle "
         "any number of pictures,\nits performance drops significantly as the number of "
         "pictures increase.\nDo you want to limit the number of pictures to " +
         std::to_string(safe) + "?";
}

}  // namespace

CAlbumLoader::CAlbumLoader(CPixDir& album) : album_(album) {}

CAlbumLoader::~CAlbumLoader() = default;

int CAlbumLoader::OpenDirectory(const std::string& path) { return OpenDirectory(path, {}); }

int CAlbumLoader::OpenDirectory(const std::string& path, const DirectoryLoad& how) {
  WaitCursor wait(album_.Ui());
  if (BeginOpenDirectory(path, how) == 0) {
    return 0;
  }
  while (ContinueLoading(true)) {
  }
  return lastOpenResult_;
}

int CAlbumLoader::BeginOpenDirectory(const std::string& path) {
  return BeginOpenDirectory(path, {});
}

int CAlbumLoader::BeginOpenDirectory(const std::string& path, const DirectoryLoad& how) {
  StopPass();
  StopLoading();
  // A load whose Take shows a message ends when that Take returns; none begins before.
  if (IsLoading() || album_.Record().AskSaveRecord() == 0) {
    return 0;
  }
  std::string newPath;
  std::string newName;
  if (!AlbumDirectoryOf(path, newPath, newName)) {
    return 0;
  }
  auto folder = std::make_unique<CDirectorySwitch>(album_, newPath, newName);

  WaitCursor wait(album_.Ui());
  CImageFind finder;
  int n = finder.Find(newPath);
  folder->KeepOldDirectory();
  RemoveLeftovers(newPath);
  if (n == 0) {
    album_.Ui().MessageBox(nullptr, NoImagesMessage(newPath), MsgIcon::None, MsgButtons::Ok);
    return 0;
  }
  const int safe = album_.Settings().AdvancedSettings.SafePixNum;
  if (n > safe) {
    const MsgAnswer answer = album_.Ui().MessageBox(nullptr, LimitQuestion(n, safe), MsgIcon::None,
                                                    MsgButtons::YesNoCancel);
    if (answer == MsgAnswer::Cancel) {
      return 0;
    }
    if (answer == MsgAnswer::Yes) {
      n = safe > 0 ? safe : 0;
    }
  }
  std::vector<std::string> files;
  for (int i = 0; i < n; ++i) {
    files.push_back(finder.GetAt(i));
  }
  auto ahead = std::make_unique<CRecordAhead>(album_.Settings(), newPath, files);
  DirectoryLoad load = how;
  if (!load.read) {
    ReadAt at{newPath, {ahead->Settings().GeneralSettings.ThumbSize, sketchRatio_}, {}};
    if (sketchCache_ != nullptr) {
      at.zone = LocalZoneStamp();
    }
    load.read = [this, at = std::move(at)](const std::string& file, const CAlbumEntry& planned,
                                           CAlbumEntry& entry, CPlatformUi& ui) {
      return ReadForAlbum(file, planned, at, entry, ui);
    };
    load.threads = PictureReaderThreads();
  }
  if (!load.makeThumb) {
    load.makeThumb = [this](CAlbumEntry& entry) { return RemakeSketch(entry, album_.Ui()); };
  }
  load_ = std::make_unique<CAlbumLoad>(album_, std::move(load), std::move(files), std::move(ahead),
                                       std::move(folder));
  if (album_.Observer() != nullptr) {
    album_.Observer()->LoadingStarted();
  }
  return 1;
}

bool CAlbumLoader::ContinueLoading(bool wait) {
  if (load_ == nullptr) {
    return false;
  }
  if (load_->Take(wait)) {
    return true;
  }
  // Gone from the album before it ends, so that whatever the end shows sees no load.
  const std::unique_ptr<CAlbumLoad> ending = std::move(load_);
  lastOpenResult_ = ending->Finish();
  if (sketchCache_ != nullptr) {
    sketchCache_->Trim(int64_t{album_.Settings().AdvancedSettings.SketchCacheMB} << 20);
  }
  if (album_.Observer() != nullptr) {
    album_.Observer()->LoadingEnded(lastOpenResult_);
  }
  return false;
}

bool CAlbumLoader::RefuseWhileLoading(WindowRef owner) {
  if (pass_ != nullptr) {
    album_.ShowNotice(owner, pass_->Refusal());
    return true;
  }
  if (!IsLoading()) {
    return false;
  }
  album_.ShowNotice(
      owner,
      "Quillaran is still reading the pictures of this folder.\nTry again once they are "
      "all read, or press Escape to stop reading.");
  return true;
}

void CAlbumLoader::BeginPass(std::unique_ptr<CAlbumPass> pass) {
  StopPass();
  pass_ = std::move(pass);
  pass_->Start();
  if (album_.Observer() != nullptr && album_.Observer()->PassStarted()) {
    return;
  }
  // Run at once, the album is not busy meanwhile: as the one call that the pass stands for.
  const std::unique_ptr<CAlbumPass> now = std::move(pass_);
  now->RunToEnd(album_.Ui());
}

bool CAlbumLoader::ContinuePass(bool wait) {
  if (pass_ == nullptr) {
    return false;
  }
  if (pass_->Continue(album_.Ui(), wait)) {
    return true;
  }
  // Gone from the album before it ends, so that whatever the end shows sees no pass.
  const std::unique_ptr<CAlbumPass> ending = std::move(pass_);
  if (album_.Observer() != nullptr) {
    album_.Observer()->PassEnded();
  }
  ending->Finish(album_.Ui());
  return false;
}

void CAlbumLoader::StopPass() {
  if (pass_ != nullptr) {
    pass_->Stop();
    ContinuePass(true);
  }
}

void CAlbumLoader::StopLoading() {
  if (load_ == nullptr) {
    return;
  }
  load_->Stop();
  // Stopped from inside its own Take (a message it showed let the window's events run), the
  // load ends as that Take returns, through the ContinueLoading that called it.
  if (!load_->Taking()) {
    ContinueLoading();
  }
}

int CAlbumLoader::ReadForAlbum(const std::string& path, const CAlbumEntry& planned,
                               const ReadAt& at, CAlbumEntry& entry, CPlatformUi& ui) const {
  // Stamped before it is read, so that a file changed while it is read counts as changed.
  const SketchKey key = PlannedSketchKey(path, planned, at.dir, at.scale, at.zone);
  entry.thumbRect = planned.thumbRect;
  if (sketchCache_ != nullptr && sketchCache_->Find(key, entry)) {
    return kPictureLoaded;
  }
  if (ReadPictureDate(path, entry, ui) == 0) {
    return kPictureNotDated;
  }
  entry.fileStamp = key.original;
  // A picture that its record shows from its cropped copy is made from that; a copy that
  // cannot be read leaves the original.
  SketchResult read = SketchResult::kNotRead;
  if (planned.cropped != 0) {
    const std::string copy = ShownFile(planned, 1, at.dir, ui);
    if (!copy.empty()) {
      read = ReadSketch(copy, 1, entry, at.scale, album_.Decoder(), ui);
    }
  }
  if (read == SketchResult::kNotRead) {
    read = ReadSketch(path, 0, entry, at.scale, album_.Decoder(), ui);
  }
  // Kept only when it is the sketch the key names: of the file stamped, and of the copy
  // when the record shows that.
  if (read == SketchResult::kMade && sketchCache_ != nullptr &&
      entry.sketchSource.cropped == planned.cropped &&
      (planned.cropped != 0 ? entry.croppedStamp : entry.fileStamp) == key.shown) {
    sketchCache_->Store(key, entry);
  }
  return read != SketchResult::kNotRead ? kPictureLoaded : kPictureNotDecoded;
}

void CAlbumLoader::UseSketchCache(const std::string& folder) {
  sketchCache_ = folder.empty() ? nullptr : std::make_unique<CSketchDiskCache>(folder);
}

int CAlbumLoader::EmptySketchCache() { return sketchCache_ != nullptr ? sketchCache_->Empty() : 0; }

void CAlbumLoader::ReleaseEntries() {
  // The windows of the old pictures go with them, so that none acts on a picture of the new
  // album that has the same name.
  album_.CloseWindows();
  album_.ForgetKeptPictures();
  album_.Record().ForgetOtherLines();
  album_.Editor().ForgetSteps();
  album_.ChangePictures().Clear();
  album_.SheetControl().ForgetHover();
}

void CAlbumLoader::ReserveRoom(size_t pictures) { album_.ChangePictures().ReserveRoom(pictures); }

CAlbumEntry& CAlbumLoader::AddPicture(CAlbumEntry entry) {
  return album_.ChangePictures().Add(std::move(entry));
}

const SheetCells* CAlbumLoader::Cells() const {
  return load_ != nullptr ? load_->Cells() : nullptr;
}

SketchScale CAlbumLoader::SketchesAt() const {
  return {album_.Settings().GeneralSettings.ThumbSize, sketchRatio_};
}

void CAlbumLoader::RebuildThumbs() {
  if (rebuildThumbs_) {
    rebuildThumbs_();
  } else {
    BeginPass(SketchPass());
  }
}

int CAlbumLoader::SketchFromShown(CAlbumEntry& entry, const CImageWrap& picture) const {
  return SketchFromPicture(WholePicture(picture), entry.cropped, entry, SketchesAt()) ==
                 SketchResult::kMade
             ? 1
             : 0;
}

int CAlbumLoader::RemakeSketch(CAlbumEntry& entry, CPlatformUi& ui) {
  if (SketchIsCurrent(entry, SketchesAt())) {
    return 1;
  }
  return ReadShownSketch(entry, entry.cropped, album_, ui) == SketchResult::kMade ? 1 : 0;
}

int CAlbumLoader::BuildThumb(CAlbumEntry& entry) {
  entry.sketchSource.made = false;  // made again, whatever it was made of
  if (RemakeSketch(entry, album_.Ui()) == 0) {
    album_.Ui().ShowError(kFailedThumb);
    return 0;
  }
  return 1;
}

void CAlbumLoader::BuildAllThumbs() {
  WaitCursor wait(album_.Ui());
  SketchPass()->RunToEnd(album_.Ui());
}

std::unique_ptr<CAlbumPass> CAlbumLoader::SketchPass() {
  CAlbumPictures& pictures = album_.ChangePictures();
  // Each stale sketch is made on a copy of what its entry holds, so that the sheet paints the
  // entry meanwhile; the copy's sketch replaces the entry's on the window's thread.
  struct Sketches {
    std::vector<CAlbumEntry*> stale;
    std::vector<CAlbumEntry> copies;
    std::vector<SketchResult> results;
    bool shown = false;  // the sheet showed new ones while the pass was under way
  };
  auto sketches = std::make_shared<Sketches>();
  for (int i = 0; i < album_.Pictures().Count(); ++i) {
    if (!SketchIsCurrent(pictures.EntryAt(i), SketchesAt())) {
      sketches->stale.push_back(&pictures.EntryAt(i));
      sketches->copies.push_back(CopyForSketch(pictures.EntryAt(i)));
    }
  }
  sketches->results.resize(sketches->stale.size(), SketchResult::kNotRead);
  CAlbumPass::Work work;
  work.count = static_cast<int>(sketches->stale.size());
  work.threads = PictureReaderThreads();
  work.progressLabel = "Thumb sketches made";
  work.refusal =
      "Quillaran is still making the thumb sketches.\nTry again once they are all made, or "
      "press Escape to stop making them.";
  work.run = [sketches, scale = SketchesAt(), dir = album_.Record().DirPath(),
              &decoder = album_.Decoder()](int k, CPlatformUi& ui) {
    CAlbumEntry& copy = sketches->copies[static_cast<size_t>(k)];
    const std::string file = ShownFile(copy, copy.cropped, dir, ui);
    sketches->results[static_cast<size_t>(k)] =
        file.empty() ? SketchResult::kNotRead
                     : ReadSketch(file, copy.cropped, copy, scale, decoder, ui);
  };
  work.take = [this, sketches](const std::vector<int>& done) {
    for (const int k : done) {
      if (sketches->results[static_cast<size_t>(k)] != SketchResult::kNotRead) {
        TakeSketch(sketches->copies[static_cast<size_t>(k)],
                   *sketches->stale[static_cast<size_t>(k)]);
      }
    }
    if (IsBusy()) {
      album_.RepaintSheet();
      sketches->shown = true;
    }
  };
  work.said = [this, sketches](int k) {
    if (sketches->results[static_cast<size_t>(k)] != SketchResult::kMade) {
      album_.Ui().ShowError(kFailedThumb);
    }
  };
  // Once the pass is over, the status pane counts the sketches again.
  work.finish = [this, sketches](bool) {
    if (sketches->shown) {
      album_.RepaintSheet();
    }
  };
  return std::make_unique<CAlbumPass>(std::move(work));
}

void CAlbumLoader::BuildAllThumbs(const ThumbMaker& makeThumb) {
  CAlbumPictures& pictures = album_.ChangePictures();
  WaitCursor wait(album_.Ui());
  for (int i = 0; i < album_.Pictures().Count(); ++i) {
    if (makeThumb(pictures.EntryAt(i)) == 0) {
      album_.Ui().ShowError(kFailedThumb);
    }
  }
}
