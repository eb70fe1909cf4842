#include "tests/support/HeldLoad.h"

#include "album/PictureReader.h"
#include "album/PictureSketch.h"

CAlbumLoader::DirectoryLoad HeldLoad::How(int threads) {
  CAlbumLoader::DirectoryLoad how;
  how.threads = threads;
  const SketchScale scale = album_.Loader().SketchesAt();
  how.read = [this, scale](const std::string& path, const CAlbumEntry& planned, CAlbumEntry& entry,
                           CPlatformUi& ui) {
    if (planned.index >= first_ && planned.index < until_) {
      std::unique_lock lock(mutex_);
      changed_.wait(lock, [this] { return goneOn_; });
    }
    int result = kPictureNotDated;
    if (ReadPictureDate(path, entry, ui) == 1) {
      entry.thumbRect = planned.thumbRect;
      result = ReadSketch(path, 0, entry, scale, album_.Decoder(), ui) != SketchResult::kNotRead
                   ? kPictureLoaded
                   : kPictureNotDecoded;
    }
    std::lock_guard lock(mutex_);
    ++read_;
    changed_.notify_all();
    return result;
  };
  return how;
}

void HeldLoad::LetGo() {
  std::lock_guard lock(mutex_);
  goneOn_ = true;
  changed_.notify_all();
}

void HeldLoad::WaitUntilRead(int count) {
  std::unique_lock lock(mutex_);
  changed_.wait(lock, [&] { return read_ >= count; });
}
