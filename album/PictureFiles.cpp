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

std::string ShownFile(const CAlbumEntry& entry, int cropped, const std::string& albumDir,
                      CPlatformUi& ui) {
  if (cropped == 0) {
    return entry.fullPath;
  }
  std::string copy = CroppedCopyPath(albumDir, entry.fileName);
  if (const std::string linked = LinkedCopy(copy); !linked.empty()) {
    ReportError(ui, "Cannot read", linked);
    return {};
  }
  return copy;
}

SketchResult ReadShownSketch(CAlbumEntry& entry, int cropped, CPixDir& album, CPlatformUi& ui) {
  const std::string file = ShownFile(entry, cropped, album.Record().DirPath(), ui);
  return file.empty()
             ? SketchResult::kNotRead
             : ReadSketch(file, cropped, entry, album.Loader().SketchesAt(), album.Decoder(), ui);
}

int LoadCroppedCopy(CAlbumEntry& entry, CPixDir& album) {
  return ReadShownSketch(entry, 1, album, album.Ui()) != SketchResult::kNotRead ? 1 : 0;
}

int ReloadPicture(CAlbumEntry& entry, CPixDir& album) {
  return ReadShownSketch(entry, entry.cropped, album, album.Ui()) != SketchResult::kNotRead ? 1 : 0;
}

void ShowRecordedCrops(CPixDir& album, std::span<CAlbumEntry> entries,
                       const std::vector<int>& croppedBefore,
                       const std::function<int(CAlbumEntry&)>& takeCopy) {
  for (size_t i = 0; i < entries.size(); ++i) {
    CAlbumEntry& entry = entries[i];
    const int before = croppedBefore[i];
    entry.cropMarkKept = false;
    if (entry.cropped == before) {
      continue;
    }
    bool shown = false;
    if (entry.cropped == 0) {
      shown = ReadShownSketch(entry, 0, album, album.Ui()) != SketchResult::kNotRead;
    } else {
      shown = (takeCopy ? takeCopy(entry) : LoadCroppedCopy(entry, album)) == 1;
    }
    if (!shown) {
      entry.cropMarkKept = entry.cropped != 0;
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
