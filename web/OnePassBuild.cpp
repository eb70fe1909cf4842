#include "web/OnePassBuild.h"

#include <utility>

#include "album/AlbumPath.h"
#include "album/DeferredUi.h"
#include "album/Messages.h"
#include "album/PictureFiles.h"
#include "album/PictureReader.h"
#include "album/RecordAhead.h"
#include "imaging/OriginalEdit.h"
#include "imaging/PictureDate.h"
#include "imaging/ThumbBuild.h"
#include "platform/PlatformUi.h"

COnePassBuild::COnePassBuild(CPixDir& album, bool writeImages, int threads,
                             std::function<void(CAlbumSettings&)> applyCommandLine,
                             CMemoryBudget& budget)
    : album_(album),
      writeImages_(writeImages),
      threads_(threads),
      applyCommandLine_(std::move(applyCommandLine)),
      decoder_(budget, "quillaran-web") {}

int COnePassBuild::OpenDirectory(const std::string& directory) {
  std::string name;
  if (!AlbumDirectoryOf(directory, dirPath_, name)) {
    return album_.Loader().OpenDirectory(directory);  // says nothing and loads nothing either
  }
  ReadRecordAhead(dirPath_);
  if (writeImages_) {
    made_ = std::make_shared<CMadeWebFiles>(dirPath_, settings_, remakeAll);
  }
  CAlbumLoader::DirectoryLoad how;
  how.read = [this](const std::string& path, const CAlbumEntry& planned, CAlbumEntry& entry,
                    CPlatformUi& ui) { return ReadAndWrite(path, planned, entry, ui); };
  how.threads = threads_;
  how.progressLabel = writeImages_ ? "Pictures written" : "Images read";
  how.makeThumb = [this](CAlbumEntry& entry) { return LoadedThumb(entry); };
  how.takeCroppedCopy = [this](CAlbumEntry& entry) {
    return PictureOf(entry.fullPath).fromCopy ? 1 : 0;
  };
  return album_.Loader().OpenDirectory(directory, how);
}

// The settings of the record, which shape the images: those the loader builds the thumbs
// with, and those the command line then puts over them.
void COnePassBuild::ReadRecordAhead(const std::string& dirPath) {
  CRecordAhead ahead(album_.Settings(), dirPath, {});
  loaderThumbSize_ = ahead.Settings().GeneralSettings.ThumbSize;
  CAlbumSettings settings = ahead.Settings();
  applyCommandLine_(settings);
  settings_ = WebImageSettingsOf(settings);
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

int COnePassBuild::ReadAndWrite(const std::string& path, const CAlbumEntry& planned,
                                CAlbumEntry& entry, CPlatformUi& ui) {
  if (ReadPictureDate(path, entry, ui) == 0) {
    return kPictureNotDated;
  }
  Picture& picture = PictureOf(path);
  picture.thumbRect = planned.thumbRect;
  picture.fromCopy = planned.cropped != 0;
  return Decode(path, entry, ui, picture);
}

// Decodes the file (or its cropped copy) for the thumb rectangle of picture, makes and writes
// its images, and lets the pixels go. A copy that cannot be read leaves the original. The
// memory for all of it is held until the pixels are let go.
int COnePassBuild::Decode(const std::string& path, CAlbumEntry& entry, CPlatformUi& ui,
                          Picture& picture) {
  const std::string name = path.substr(path.rfind('/') + 1);
  if (made_) {
    const std::string copy = CroppedCopyPath(dirPath_, name);
    const bool fromCopy = picture.fromCopy && LinkedCopy(copy).empty();
    picture.plan = made_->Plan(name, fromCopy ? copy : path, fromCopy, picture.thumbRect);
    if (picture.plan.Kept()) {
      picture.fromCopy = fromCopy;
      return KeepPicture(entry, picture);
    }
  }
  CBudgetShare share(decoder_.Budget());
  CImageWrap image;
  DecodedSize size;
  if (picture.fromCopy) {
    const std::string copy = CroppedCopyPath(dirPath_, name);
    const std::string linked = LinkedCopy(copy);
    if (!linked.empty()) {
      ReportError(ui, "Cannot read", linked);
    }
    if (!linked.empty() || LoadWithinBudget(copy, image, ui, picture, share, size) != 1) {
      picture.fromCopy = false;
      share.GiveBack();
    }
  }
  if (!picture.fromCopy && LoadWithinBudget(path, image, ui, picture, share, size) != 1) {
    return kPictureNotDecoded;
  }
  const int fileWidth = size.fileWidth;
  const int fileHeight = size.fileHeight;
  const DecodedPicture decoded{image, size.shrink, fileWidth, fileHeight};
  const std::string source = picture.fromCopy ? CroppedCopyPath(dirPath_, name) : path;
  WebFilesSource files{name, source, picture.thumbRect, picture.plan.thumbs,
                       picture.plan.large};
  const std::optional<WebFolders> folders =
      writeImages_ ? std::optional<WebFolders>(Folders()) : std::nullopt;
  picture.thumbMade = MakeThumbAndWebFiles(files, decoded, settings_, dirPath_,
                                           folders ? &*folders : nullptr, entry.thumb,
                                           picture.errors, picture.sizes);
  if (folders && !picture.plan.large) {
    picture.sizes = picture.plan.keptSizes;
  }
  picture.clampedRect = files.thumbRect;
  ThumbPlan atLoad;
  picture.thumbMadeAtLoad =
      PlanThumb(fileWidth, fileHeight, picture.thumbRect, loaderThumbSize_, atLoad);
  entry.pictureWidth = fileWidth;
  entry.pictureHeight = fileHeight;
  entry.colourIgnored = size.colourIgnored;
  // The thumb keeps its display size, which the index page tells.
  DestroyBitmap(entry.thumb.bitmap);
  return kPictureLoaded;
}

int COnePassBuild::KeepPicture(CAlbumEntry& entry, Picture& picture) {
  const WebPageSizes& sizes = picture.plan.keptSizes;
  picture.sizes = sizes;
  picture.errors = {};
  picture.clampedRect = picture.thumbRect;
  if (!picture.clampedRect.IsEmpty()) {
    picture.clampedRect.ClampTo(sizes.pictureWidth, sizes.pictureHeight);
  }
  // The thumb's display size, which the index page tells, as the thumb would be made.
  ThumbPlan thumb;
  picture.thumbMade = PlanThumb(sizes.pictureWidth, sizes.pictureHeight, picture.thumbRect,
                                settings_.thumbSize, thumb);
  if (thumb.fit.factor > 0) {
    entry.thumb.displayWidth = thumb.fit.displayWidth;
    entry.thumb.displayHeight = thumb.fit.displayHeight;
  }
  ThumbPlan atLoad;
  picture.thumbMadeAtLoad = PlanThumb(sizes.pictureWidth, sizes.pictureHeight,
                                      picture.thumbRect, loaderThumbSize_, atLoad);
  entry.pictureWidth = sizes.pictureWidth;
  entry.pictureHeight = sizes.pictureHeight;
  return kPictureLoaded;
}

int COnePassBuild::LoadWithinBudget(const std::string& file, CImageWrap& image, CPlatformUi& ui,
                                    const Picture& picture, CBudgetShare& share,
                                    DecodedSize& size) {
  return DecodeForWebFiles(decoder_, file, picture.thumbRect, settings_, writeImages_, ui, share,
                           image, size);
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
  album_.Loader().BuildAllThumbs(
      [this](CAlbumEntry& entry) { return PictureOf(entry.fullPath).thumbMade ? 1 : 0; });
}

WebImageRun COnePassBuild::ImageRun() {
  WebImageRun run;
  run.folders = folders_.value_or(WebFolders{});
  run.made = made_;
  const int count = album_.Pictures().Count();
  if (made_) {
    made_->SetCount(static_cast<size_t>(count));
  }
  for (int position = 0; position < count; ++position) {
    const CAlbumEntry& entry = album_.Pictures().EntryAtPosition(position);
    const Picture& picture = PictureOf(entry.fullPath);
    run.errors.push_back(picture.errors);
    run.sizes.push_back(picture.sizes);
    if (made_) {
      made_->Record(static_cast<size_t>(position), entry.fileName, picture.plan, picture.errors,
                    picture.sizes);
    }
  }
  return run;
}
