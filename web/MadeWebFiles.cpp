#include "web/MadeWebFiles.h"

#include <filesystem>
#include <set>
#include <system_error>
#include <utility>

#include "imaging/FileStamp.h"
#include "imaging/PathJoin.h"
#include "raster/AtomicFile.h"
#include "web/PageNames.h"

namespace {

// Raised whenever the making of the files changes, so that files of an older build are made
// again.
const char kMakerVersion[] = "1";

std::string SourceKey(const std::string& source, bool fromCopy) {
  const FileStamp stamp = StampOf(source);
  if (!stamp.taken) {
    return {};
  }
  return std::string("v") + kMakerVersion + " s" + std::to_string(stamp.size) + ":" +
         std::to_string(stamp.modifiedNs) + ":" + std::to_string(stamp.inode) + ":" +
         std::to_string(stamp.linkInode) + (fromCopy ? " copy" : " original");
}

std::string ThumbKey(const WebImageSettings& s, const Rect& r) {
  return " t" + std::to_string(s.thumbSize) + " f" + std::to_string(s.framed ? 1 : 0) + ":" +
         std::to_string(s.frameGap) + ":" + std::to_string(s.frameColor) + ":" +
         std::to_string(s.frameBrush) + " d" + std::to_string(s.doubleLarge ? 1 : 0) + " r" +
         std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) +
         "," + std::to_string(r.bottom);
}

std::string LargeKey(const WebImageSettings& s) {
  return " m" + std::to_string(s.maxOsize) + " d" + std::to_string(s.doubleLarge ? 1 : 0);
}

bool IsThumbFile(const std::string& path) { return path.rfind("Thumbs/", 0) == 0; }

// The files of one kind (thumbs or large copies) that the list names for the picture, when
// they were made from key and are all still as written, main among them.
bool KeepFiles(const std::string& dirPath, const MadePicture& old, bool thumbs,
               const std::string& key, const std::string& main, std::vector<MadeFile>& kept) {
  if (key != (thumbs ? old.thumbKey : old.largeKey)) {
    return false;
  }
  std::vector<MadeFile> files;
  bool hasMain = false;
  for (const MadeFile& file : old.files) {
    if (IsThumbFile(file.path) != thumbs) {
      continue;
    }
    if (!StillMade(dirPath, file)) {
      return false;
    }
    hasMain = hasMain || file.path == main;
    files.push_back(file);
  }
  if (hasMain) {
    kept.insert(kept.end(), files.begin(), files.end());
  }
  return hasMain;
}

}  // namespace

bool AnyUnwritten(const WebFileErrors& errors) {
  return !errors.thumb.empty() || !errors.large.empty() || !errors.doubleLarge.empty() ||
         !errors.doubleThumb.empty();
}

CMadeWebFiles::CMadeWebFiles(std::string dirPath, const WebImageSettings& settings,
                             bool remakeAll)
    : dirPath_(std::move(dirPath)), settings_(settings), remakeAll_(remakeAll) {
  old_ = ReadManifest(dirPath_);
  for (const std::string& folder :
       {std::string("Thumbs"), std::string("Large"), DoubleFolderPath(), DoubleThumbFolderPath()}) {
    if (FolderLinkError(InDirectory(dirPath_, folder.substr(0, folder.find('/')))) == 0 &&
        FolderLinkError(InDirectory(dirPath_, folder)) == 0) {
      RemoveDeadTemporaries(InDirectory(dirPath_, folder));
    }
  }
}

WebFilesPlan CMadeWebFiles::Plan(const std::string& fileName, const std::string& source,
                                 bool fromCopy, const Rect& thumbRect) const {
  WebFilesPlan plan;
  const std::string sourceKey = SourceKey(source, fromCopy);
  plan.thumbKey = sourceKey + ThumbKey(settings_, thumbRect);
  plan.largeKey = sourceKey + LargeKey(settings_);
  const auto old = old_.pictures.find(fileName);
  if (remakeAll_ || sourceKey.empty() || old == old_.pictures.end()) {
    return plan;
  }
  plan.thumbs = !KeepFiles(dirPath_, old->second, true, plan.thumbKey,
                           "Thumbs/" + ThumbNameOf(fileName), plan.keptFiles);
  plan.large = !KeepFiles(dirPath_, old->second, false, plan.largeKey,
                          "Large/" + WebCopyNameOf(fileName), plan.keptFiles);
  if (!plan.large) {
    plan.keptSizes = old->second.sizes;
  }
  return plan;
}

void CMadeWebFiles::SetCount(size_t count) {
  std::lock_guard lock(mutex_);
  made_.assign(count, MadePicture{});
  kept_.assign(count, 0);
  recorded_.assign(count, 0);
}

void CMadeWebFiles::Record(size_t slot, const std::string& fileName, const WebFilesPlan& plan,
                           const WebFileErrors& errors, const WebPageSizes& sizes) {
  MadePicture made;
  if (AnyUnwritten(errors)) {
    const auto old = old_.pictures.find(fileName);
    if (old != old_.pictures.end()) {
      made = old->second;
    }
  } else {
    made = MadePicture{fileName, plan.thumbKey, plan.largeKey, sizes, plan.keptFiles};
    for (const std::string& path : errors.written) {
      const MadeFile file = StatMade(dirPath_, path);
      if (file.size >= 0) {
        made.files.push_back(file);
      }
    }
  }
  std::lock_guard lock(mutex_);
  if (slot < made_.size()) {
    made_[slot] = std::move(made);
    kept_[slot] = plan.Kept() ? 1 : 0;
    recorded_[slot] = 1;
  }
}

int CMadeWebFiles::Finish(const std::vector<std::string>& pages) {
  std::lock_guard lock(mutex_);
  WebManifest manifest;
  std::set<std::string> listed;
  for (const MadePicture& picture : made_) {
    if (!picture.fileName.empty()) {
      for (const MadeFile& file : picture.files) {
        listed.insert(file.path);
      }
      manifest.pictures[picture.fileName] = picture;
    }
  }
  for (const std::string& page : pages) {
    const MadeFile file = StatMade(dirPath_, page);
    if (file.size >= 0) {
      manifest.pages.push_back(file);
      listed.insert(page);
    }
  }
  // Before the list, so that a run killed in between lists no file that is gone.
  const auto removeUnlisted = [&](const MadeFile& file) {
    std::error_code error;
    if (listed.count(file.path) == 0 && StillMade(dirPath_, file)) {
      std::filesystem::remove(InDirectory(dirPath_, file.path), error);
    }
  };
  for (const auto& [name, picture] : old_.pictures) {
    for (const MadeFile& file : picture.files) {
      removeUnlisted(file);
    }
  }
  for (const MadeFile& page : old_.pages) {
    removeUnlisted(page);
  }
  old_ = manifest;
  return WriteManifest(dirPath_, manifest);
}

int CMadeWebFiles::Written() const {
  int written = 0;
  for (size_t i = 0; i < kept_.size(); ++i) {
    written += recorded_[i] != 0 && kept_[i] == 0 ? 1 : 0;
  }
  return written;
}

int CMadeWebFiles::Kept() const {
  int kept = 0;
  for (const char k : kept_) {
    kept += k != 0 ? 1 : 0;
  }
  return kept;
}

std::string CMadeWebFiles::Summary() const {
  const int kept = Kept();
  std::string text = "Pictures written " + std::to_string(Written()) + "/" +
                     std::to_string(made_.size());
  return kept > 0 ? text + ", " + std::to_string(kept) + " kept" : text;
}
