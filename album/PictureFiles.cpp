#include "album/PictureFiles.h"

#include <filesystem>
#include <system_error>
#include <utility>

#include "album/Messages.h"
#include "album/PixDir.h"
#include "imaging/OriginalEdit.h"
#include "imaging/OutputFolder.h"
#include "imaging/PathJoin.h"

std::string LinkedCopy(const std::string& copy) {
  std::error_code error;
  const std::filesystem::path path(copy);
  if (FolderLinkError(path.parent_path().string()) == 0 &&
      !std::filesystem::is_symlink(std::filesystem::symlink_status(path, error))) {
    return {};
  }
  return copy +
         ": it or its folder is a symbolic link, and the album's files stay inside "
         "its folder";
}

int LoadCroppedCopy(CAlbumEntry& entry, const std::string& albumDir, CPlatformUi& ui) {
  const std::string path = CroppedCopyPath(albumDir, entry.fileName);
  if (const std::string linked = LinkedCopy(path); !linked.empty()) {
    ReportError(ui, "Cannot read", linked);
    return 0;
  }
  const FileStamp stamp = StampOf(path);
  CImageWrap copy;
  if (copy.Load(path, ui) != 1) {
    return 0;
  }
  entry.picture = std::move(copy);
  entry.croppedStamp = stamp;
  return 1;
}

namespace {

int LoadOriginalAgain(CAlbumEntry& entry, CPlatformUi& ui) {
  const FileStamp stamp = StampOf(entry.fullPath);
  CImageWrap original;
  if (original.Load(entry.fullPath, ui) != 1) {
    return 0;
  }
  entry.picture = std::move(original);
  entry.fileStamp = stamp;
  return 1;
}

}  // namespace

int ReloadPicture(CAlbumEntry& entry, const std::string& albumDir, CPlatformUi& ui) {
  return entry.cropped != 0 ? LoadCroppedCopy(entry, albumDir, ui) : LoadOriginalAgain(entry, ui);
}

void ShowRecordedCrops(CPixDir& album, const std::vector<int>& croppedBefore,
                       const std::function<int(CAlbumEntry&)>& takeCopy) {
  for (int i = 0; i < album.count; ++i) {
    CAlbumEntry& entry = album.EntryAt(i);
    const int before = croppedBefore[static_cast<size_t>(i)];
    if (entry.cropped == before) {
      continue;
    }
    bool shown = false;
    if (entry.cropped == 0) {
      shown = LoadOriginalAgain(entry, album.Ui()) == 1;
    } else {
      shown = (takeCopy ? takeCopy(entry) : LoadCroppedCopy(entry, album.dirPath, album.Ui())) == 1;
    }
    if (!shown) {
      entry.cropped = before;
    }
  }
}

std::string ChangedFileOf(const CAlbumEntry& entry, const std::string& albumDir) {
  const std::string original = InDirectory(albumDir, entry.fileName);
  if (!StillTheSame(original, entry.fileStamp)) {
    return original;
  }
  const std::string copy = CroppedCopyPath(albumDir, entry.fileName);
  if (entry.cropped != 0 && !StillTheSame(copy, entry.croppedStamp)) {
    return copy;
  }
  return {};
}

void ReportChangedFile(CPlatformUi& ui, WindowRef owner, const std::string& path) {
  ui.MessageBox(owner,
                path + "\nhas been changed or removed since Quillaran read it, so nothing "
                       "was written.\nOpen the folder again to work on it as it is now.",
                MsgIcon::Error, MsgButtons::Ok);
}

bool RefuseChangedFile(CPlatformUi& ui, WindowRef owner, const CAlbumEntry& entry,
                       const std::string& albumDir) {
  const std::string changed = ChangedFileOf(entry, albumDir);
  if (!changed.empty()) {
    ReportChangedFile(ui, owner, changed);
  }
  return !changed.empty();
}

std::string TurnPictureFiles(CAlbumEntry& entry, const std::string& albumDir, int direction) {
  const std::string linked =
      entry.cropped != 0 ? LinkedCopy(CroppedCopyPath(albumDir, entry.fileName)) : "";
  if (!linked.empty()) {
    return linked;
  }
  const std::string original = InDirectory(albumDir, entry.fileName);
  if (!TurnPictureFile(original, direction)) {
    return original;
  }
  if (entry.cropped != 0) {
    const std::string copy = CroppedCopyPath(albumDir, entry.fileName);
    if (!TurnPictureFile(copy, direction)) {
      TurnPictureFile(original, 1 - direction);  // turns lose nothing, so this is the old file
      entry.fileStamp = StampOf(original);
      return copy;
    }
    entry.croppedStamp = StampOf(copy);
  }
  entry.fileStamp = StampOf(original);
  return {};
}
