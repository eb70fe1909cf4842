#pragma once
// The sketches kept on disk between runs, so that a folder opened again shows its sheet
// without decoding a photo. They live in the user's cache folder, never beside the photos
// (that folder may be read-only, shared or published), one small file a sketch, named by a
// hash of what it was made of. An entry is used only for the very same file and the very same
// sketch: the file's stamp (size, time to the nanosecond, inode), the thumb rectangle, the
// crop, the thumb size, the device pixel ratio and the version of the code that reduces
// pictures. Each file holds that key in full and a checksum, so a damaged, truncated or
// foreign entry, or another key of the same hash, is a miss. Entries are written through a
// temporary file and a rename, and read whole, so two processes may share the folder. The
// least recently used entries go first when the folder grows past its limit.

#include <atomic>
#include <cstdint>
#include <string>

#include "album/PictureSketch.h"
#include "imaging/FileStamp.h"
#include "imaging/Rect.h"

class CAlbumEntry;

// What a sketch and the picture's date were made of.
struct SketchKey {
  std::string path;    // the original, whose date the entry holds
  FileStamp original;  // its stamp as it was read
  FileStamp shown;     // the file the sketch was made of: the cropped copy, else the original
  int32_t cropped = 0;
  Rect askedRect;
  SketchScale scale;
  std::string zone;  // what local times were made in (file dates are local times)
};

// The key of the sketch that an entry as its record plans it shows, from the original at path
// in the album directory dir (from its cropped copy when the record shows that), stamped now.
SketchKey PlannedSketchKey(const std::string& path, const CAlbumEntry& planned,
                           const std::string& dir, const SketchScale& scale,
                           const std::string& zone);

// The cache folder: $XDG_CACHE_HOME/quillaran/sketches, else ~/.cache/quillaran/sketches;
// empty when neither can be found.
std::string DefaultSketchCacheFolder();
// What the local time zone is now, for SketchKey::zone.
std::string LocalZoneStamp();

class CSketchDiskCache {
 public:
  explicit CSketchDiskCache(std::string folder) : folder_(std::move(folder)) {}

  // The entry's sketch, its source, the picture's size and date and its stamps, from the cache;
  // false (the entry untouched) on any miss. A hit counts as a use. On any thread.
  bool Find(const SketchKey& key, CAlbumEntry& entry) const;
  // Keeps what the entry holds under the key (a sketch that was made); on any thread. Failures
  // (a full disk, no folder) are silent: the cache only saves time.
  void Store(const SketchKey& key, const CAlbumEntry& entry);
  // Removes the least recently used entries until the folder holds at most limitBytes, and
  // the temporaries of writers that were killed; only after something was stored since the
  // last trim.
  void Trim(int64_t limitBytes);
  // Removes every entry; how many were removed.
  int Empty();

  const std::string& Folder() const { return folder_; }

 private:
  std::string PathOf(const std::string& keyText) const;

  std::string folder_;
  std::atomic<bool> stored_{false};
};
