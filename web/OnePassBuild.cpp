#include "web/OnePassBuild.h"

#include <utility>

#include "album/AlbumPath.h"
#include "album/DeferredUi.h"
#include "album/ImageFind.h"
#include "album/Messages.h"
#include "album/PictureFiles.h"
#include "imaging/OriginalEdit.h"
#include "imaging/PictureDate.h"
#include "imaging/ThumbBuild.h"
#include "platform/PlatformUi.h"

COnePassBuild::COnePassBuild(CPixDir& album, bool writeImages, int threads,
                             std::function<void(CPixDir&)> applyCommandLine, CMemoryBudget& budget)
    : album_(album),
      writeImages_(writeImages),
      threads_(threads),
      applyCommandLine_(std::move(applyCommandLine)),
      decoder_(budget, "quillaran-web") {}

int COnePassBuild::OpenDirectory(const std::string& directory) {
  std::string name;
  if (!AlbumDirectoryOf(directory, dirPath_, name)) {
    return album_.OpenDirectory(directory);  // says nothing and loads nothing either
  }
  ReadRecordAhead(dirPath_);
  CPixDir::DirectoryLoad how;
  how.read = [this](const std::string& path, CAlbumEntry& entry, CPlatformUi& ui) {
    return ReadAndWrite(path, entry, ui);
  };
  how.threads = threads_;
  how.progressLabel = writeImages_ ? "Pictures written" : "Images read";
  how.makeThumb = [this](CAlbumEntry& entry) { return LoadedThumb(entry); };
  how.takeCroppedCopy = [this](CAlbumEntry& entry) {
    return PictureOf(entry.fullPath).fromCopy ? 1 : 0;
  };
  return album_.OpenDirectory(directory, how);
}

// The record as the loader will read it, on an album of every picture file of the directory:
// a picture's line is found by its name, so each picture that loads gets the rectangle read
// here (LoadedThumb makes sure of it).
void COnePassBuild::ReadRecordAhead(const std::string& dirPath) {
  CDeferredUi unheard;
  CPixDir ahead(unheard);
  ahead.GeneralSettings = album_.GeneralSettings;
  ahead.WebViewSettings = album_.WebViewSettings;
  ahead.AdvancedSettings = album_.AdvancedSettings;
  ahead.dirPath = dirPath;
  CImageFind finder;
  const int found = finder.Find(dirPath);
  ahead.entries.resize(static_cast<size_t>(found));
  for (int i = 0; i < found; ++i) {
    CAlbumEntry& entry = ahead.entries[static_cast<size_t>(i)];
    const std::string path = finder.GetAt(i);
    entry.fileName = path.substr(path.rfind('/') + 1);
    entry.index = entry.order = i;
    ahead.displayOrder.push_back(&entry);
  }
  ahead.count = found;
  ahead.ReadRecord();
  for (const CAlbumEntry& entry : ahead.entries) {
    if (!entry.thumbRect.IsEmpty()) {
      recordedRects_[entry.fileName] = entry.thumbRect;
    }
    if (entry.cropped != 0) {
      recordedCrops_.insert(entry.fileName);
    }
  }
  loaderThumbSize_ = ahead.GeneralSettings.ThumbSize;
  applyCommandLine_(ahead);
  settings_ = WebImageSettingsOf(ahead);
}

COnePassBuild::Picture& COnePassBuild::PictureOf(const std::string& path) {
  std::lock_guard lock(mutex_);
  return pictures_[path];  // elements stay where they are while others are added
}

WebFolders COnePassBuild::Folders() {
  std::lock_guard lock(mutex_);
  if (!folders_) {
    folders_ = MakeWebFolders(dirPath_, settings_.doubleLarge);
  }
  return *folders_;
}

int COnePassBuild::ReadAndWrite(const std::string& path, CAlbumEntry& entry, CPlatformUi& ui) {
  if (ReadPictureDate(path, entry, ui) == 0) {
    return kPictureNotDated;
  }
  Picture& picture = PictureOf(path);
  const std::string name = path.substr(path.rfind('/') + 1);
  const auto recorded = recordedRects_.find(name);
  picture.thumbRect = recorded == recordedRects_.end() ? Rect{} : recorded->second;
  picture.fromCopy = recordedCrops_.count(name) != 0;
  return Decode(path, entry, ui, picture);
}

// Decodes the file (or its cropped copy) for the thumb rectangle of picture, makes and writes
// its images, and lets the pixels go. A copy that cannot be read leaves the original. The
// memory for all of it is held until the pixels are let go.
int COnePassBuild::Decode(const std::string& path, CAlbumEntry& entry, CPlatformUi& ui,
                          Picture& picture) {
  CBudgetShare share(decoder_.Budget());
  DecodedSize size;
  const std::string name = path.substr(path.rfind('/') + 1);
  if (picture.fromCopy) {
    const std::string copy = CroppedCopyPath(dirPath_, name);
    const std::string linked = LinkedCopy(copy);
    if (!linked.empty()) {
      ReportError(ui, "Cannot read", linked);
    }
    if (!linked.empty() || LoadWithinBudget(copy, entry, ui, picture, share, size) != 1) {
      picture.fromCopy = false;
      share.GiveBack();
    }
  }
  if (!picture.fromCopy && LoadWithinBudget(path, entry, ui, picture, share, size) != 1) {
    return kPictureNotDecoded;
  }
  const int fileWidth = size.fileWidth;
  const int fileHeight = size.fileHeight;
  const DecodedPicture decoded{entry.picture, size.shrink, fileWidth, fileHeight};
  picture.clampedRect = picture.thumbRect;
  picture.thumbMade =
      BuildThumbFromDecoded(decoded, picture.clampedRect, entry.thumb, settings_.thumbSize) == 1;
  ThumbPlan atLoad;
  picture.thumbMadeAtLoad =
      PlanThumb(fileWidth, fileHeight, picture.thumbRect, loaderThumbSize_, atLoad);
  if (writeImages_) {
    entry.fileName = name;
    picture.errors = MakeWebFiles(entry, decoded, settings_, dirPath_, Folders());
  }
  picture.sizes = PageSizesOf(entry);
  picture.sizes.pictureWidth = fileWidth;
  picture.sizes.pictureHeight = fileHeight;
  // The thumb keeps its display size, which the index page tells.
  entry.picture = CImageWrap();
  entry.webImage = CImageWrap();
  DestroyBitmap(entry.thumb.bitmap);
  entry.framedThumb.Release();
  return kPictureLoaded;
}

int COnePassBuild::LoadWithinBudget(const std::string& file, CAlbumEntry& entry, CPlatformUi& ui,
                                    const Picture& picture, CBudgetShare& share,
                                    DecodedSize& size) {
  const auto shrink = [&](int width, int height) {
    return ShrinkFor(width, height, picture.thumbRect, settings_.thumbSize, settings_.maxOsize,
                     writeImages_, settings_.doubleLarge);
  };
  const auto later = [this](const codec::DecodeCost& cost) { return LaterBytes(cost); };
  return decoder_.Decode(file, entry.picture, ui, share, shrink, later, size);
}

int64_t COnePassBuild::LaterBytes(const codec::DecodeCost& cost) const {
  const auto pixels = [&](int width, int height) { return BitmapBytes(width, height, cost.depth); };
  // The thumb, its framed copy, the image of that and the encoded file: four of 24 bits.
  const int64_t framed = settings_.thumbSize + 2 * settings_.frameGap;
  const int64_t thumb = 4 * 3 * framed * framed;
  if (!writeImages_) {
    return thumb;
  }
  // An encoded file grows by doubling, up to twice the pixels it holds. The copy at twice the
  // large copy's size is made while the large copy is held.
  if (NeedsWebImage(cost.fileWidth, cost.fileHeight, settings_.maxOsize)) {
    const FitPlan large = PlanFit(cost.fileWidth, cost.fileHeight, settings_.maxOsize);
    const bool twice =
        settings_.doubleLarge &&
        HoldsDoubleSize(cost.fileWidth, cost.fileHeight, large.displayWidth, large.displayHeight);
    return thumb + 3 * pixels(large.displayWidth, large.displayHeight) +
           (twice ? 3 * pixels(2 * large.displayWidth, 2 * large.displayHeight) : 0);
  }
  return thumb + 2 * pixels(cost.width, cost.height);
}

int COnePassBuild::LoadedThumb(CAlbumEntry& entry) {
  Picture& picture = PictureOf(entry.fullPath);
  if (!(entry.thumbRect == picture.thumbRect) || (entry.cropped != 0) != picture.fromCopy) {
    // Only names that the record spells alike can be matched otherwise than read ahead:
    // this picture's images are made again for the rectangle and the file it has now.
    picture.thumbRect = entry.thumbRect;
    picture.fromCopy = entry.cropped != 0;
    CDeferredUi unheard;
    Decode(entry.fullPath, entry, unheard, picture);
    entry.cropped = picture.fromCopy ? 1 : 0;
  }
  entry.thumbRect = picture.clampedRect;
  return picture.thumbMadeAtLoad ? 1 : 0;
}

void COnePassBuild::RebuildThumbs() {
  album_.BuildAllThumbs(
      [this](CAlbumEntry& entry) { return PictureOf(entry.fullPath).thumbMade ? 1 : 0; });
}

WebImageRun COnePassBuild::ImageRun() {
  WebImageRun run;
  run.folders = folders_.value_or(WebFolders{});
  for (int position = 0; position < album_.count; ++position) {
    const Picture& picture = PictureOf(album_.EntryAtPosition(position).fullPath);
    run.errors.push_back(picture.errors);
    run.sizes.push_back(picture.sizes);
  }
  return run;
}
