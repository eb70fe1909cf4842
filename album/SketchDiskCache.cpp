#include "album/SketchDiskCache.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <system_error>
#include <utility>
#include <vector>

#include "album/AlbumEntry.h"
#include "album/PictureFiles.h"
#include "imaging/OriginalEdit.h"
#include "raster/AtomicFile.h"

namespace fs = std::filesystem;

namespace {

// Changed whenever the code that reduces a picture to its sketch, or this file's layout,
// changes, so that no sketch made by other code is ever shown.
constexpr int kReductionVersion = 1;
constexpr char kMagic[8] = {'Q', 'u', 'i', 'l', 'S', 'k', 't', 'h'};
constexpr char kSuffix[] = ".sketch";
// No sketch is larger: a thumb of 400 at a device pixel ratio of 4, 32 bits a pixel.
constexpr int kLargestSide = 1600;
constexpr int64_t kLargestFile = 16 << 20;

uint64_t Fnv1a(const char* data, size_t size) {
  uint64_t hash = 14695981039346656037ull;
  for (size_t i = 0; i < size; ++i) {
    hash = (hash ^ static_cast<uint8_t>(data[i])) * 1099511628211ull;
  }
  return hash;
}

std::string StampText(const FileStamp& stamp) {
  return std::to_string(stamp.size) + ' ' + std::to_string(stamp.modifiedNs) + ' ' +
         std::to_string(stamp.device) + ' ' + std::to_string(stamp.inode) + ' ' +
         std::to_string(stamp.linkInode);
}

std::string KeyText(const SketchKey& key) {
  char ratio[32];
  std::snprintf(ratio, sizeof ratio, "%.17g", key.scale.ratio);
  const Rect& r = key.askedRect;
  return "reduction " + std::to_string(kReductionVersion) + '\n' + key.path + '\n' +
         StampText(key.original) + '\n' + StampText(key.shown) + '\n' +
         std::to_string(key.cropped) + '\n' + std::to_string(r.left) + ' ' + std::to_string(r.top) +
         ' ' + std::to_string(r.right) + ' ' + std::to_string(r.bottom) + '\n' +
         std::to_string(key.scale.thumbSize) + ' ' + ratio + '\n' + key.zone;
}

// The entry's bytes, in the machine's own byte order (a file from another machine is foreign
// and fails the checks that follow the magic).
class Writer {
 public:
  template <class T>
  void Put(T value) {
    data.append(reinterpret_cast<const char*>(&value), sizeof value);
  }
  void Text(const std::string& text) {
    Put(static_cast<uint32_t>(text.size()));
    data += text;
  }
  std::string data;
};

// Reads the bytes of an entry; any read beyond its end fails, and every later one with it.
class Reader {
 public:
  Reader(const char* data, size_t size) : data_(data), left_(size) {}
  template <class T>
  T Get() {
    T value{};
    if (const char* bytes = Bytes(sizeof value)) {
      std::memcpy(&value, bytes, sizeof value);
    }
    return value;
  }
  std::string Text() {
    const uint32_t size = Get<uint32_t>();
    const char* bytes = Bytes(size);
    return bytes != nullptr ? std::string(bytes, size) : std::string();
  }
  const char* Bytes(size_t size) {
    if (!ok_ || size > left_) {
      ok_ = false;
      return nullptr;
    }
    const char* bytes = data_;
    data_ += size;
    left_ -= size;
    return bytes;
  }
  bool AllRead() const { return ok_ && left_ == 0; }

 private:
  const char* data_;
  size_t left_;
  bool ok_ = true;
};

bool ReadWhole(const std::string& path, std::string& data) {
  const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
  if (fd < 0) {
    return false;
  }
  struct stat info {};
  bool ok = fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && info.st_size <= kLargestFile;
  if (ok) {
    data.resize(static_cast<size_t>(info.st_size));
    size_t done = 0;
    while (ok && done < data.size()) {
      const ssize_t got = read(fd, data.data() + done, data.size() - done);
      ok = got > 0;
      done += ok ? static_cast<size_t>(got) : 0;
    }
  }
  close(fd);
  return ok;
}

bool ValidBitmapShape(int width, int height, int bpp) {
  return width > 0 && height > 0 && width <= kLargestSide && height <= kLargestSide &&
         (bpp == 8 || bpp == 24 || bpp == 32);
}

}  // namespace

SketchKey PlannedSketchKey(const std::string& path, const CAlbumEntry& planned,
                           const std::string& dir, const SketchScale& scale,
                           const std::string& zone) {
  SketchKey key{path, StampOf(path), {}, planned.cropped, planned.thumbRect, scale, zone};
  key.shown = key.original;
  if (planned.cropped != 0) {
    // A copy through a link is never shown from the cache: its read says why it is refused.
    const std::string copy = CroppedCopyPath(dir, planned.fileName);
    key.shown = LinkedCopy(copy).empty() ? StampOf(copy) : FileStamp{};
  }
  return key;
}

std::string DefaultSketchCacheFolder() {
  const char* cache = std::getenv("XDG_CACHE_HOME");
  std::string root;
  if (cache != nullptr && cache[0] == '/') {
    root = cache;
  } else if (const char* home = std::getenv("HOME"); home != nullptr && home[0] == '/') {
    root = std::string(home) + "/.cache";
  } else {
    return {};
  }
  return root + "/quillaran/sketches";
}

std::string LocalZoneStamp() {
  const char* zone = std::getenv("TZ");
  return std::string(zone != nullptr ? zone : "") + ' ' + StampText(StampOf("/etc/localtime"));
}

std::string CSketchDiskCache::PathOf(const std::string& keyText) const {
  char name[24];
  std::snprintf(name, sizeof name, "%016llx",
                static_cast<unsigned long long>(Fnv1a(keyText.data(), keyText.size())));
  return folder_ + '/' + name + kSuffix;
}

bool CSketchDiskCache::Find(const SketchKey& key, CAlbumEntry& entry) const {
  if (folder_.empty() || !key.original.taken || !key.shown.taken) {
    return false;
  }
  const std::string keyText = KeyText(key);
  const std::string path = PathOf(keyText);
  std::string data;
  if (!ReadWhole(path, data) || data.size() < sizeof kMagic + sizeof(uint64_t)) {
    return false;
  }
  const size_t body = data.size() - sizeof(uint64_t);
  uint64_t checksum = 0;
  std::memcpy(&checksum, data.data() + body, sizeof checksum);
  if (std::memcmp(data.data(), kMagic, sizeof kMagic) != 0 ||
      checksum != Fnv1a(data.data(), body)) {
    return false;
  }
  Reader in(data.data() + sizeof kMagic, body - sizeof kMagic);
  if (in.Text() != keyText) {
    return false;
  }
  const int64_t takenAt = in.Get<int64_t>();
  std::string date = in.Text();
  std::string colourIgnored = in.Text();
  const int32_t pictureWidth = in.Get<int32_t>();
  const int32_t pictureHeight = in.Get<int32_t>();
  const Rect fitted = in.Get<Rect>();
  const int32_t displayWidth = in.Get<int32_t>();
  const int32_t displayHeight = in.Get<int32_t>();
  const int32_t width = in.Get<int32_t>();
  const int32_t height = in.Get<int32_t>();
  const int32_t bpp = in.Get<int32_t>();
  CImageWrap sketch;
  if (!ValidBitmapShape(width, height, bpp) ||
      CreateBitmap(sketch.bitmap, width, height, bpp) == 0) {
    return false;
  }
  if (bpp <= 8) {
    const char* table = in.Bytes(sizeof(RgbQuad) * 256);
    if (table != nullptr) {
      std::memcpy(sketch.bitmap.ColorTable().data(), table, sizeof(RgbQuad) * 256);
    }
  }
  const size_t rowBytes = static_cast<size_t>(width) * (bpp / 8);
  for (int y = 0; y < height; ++y) {
    if (const char* row = in.Bytes(rowBytes)) {
      std::memcpy(sketch.bitmap.Row(y), row, rowBytes);
    }
  }
  if (!in.AllRead()) {
    return false;
  }
  sketch.displayWidth = displayWidth;
  sketch.displayHeight = displayHeight;
  entry.thumb = std::move(sketch);
  entry.sketchSource = {
      key.scale.thumbSize, key.scale.ratio, key.askedRect, fitted, key.cropped, true};
  entry.thumbRect = fitted;
  entry.pictureWidth = pictureWidth;
  entry.pictureHeight = pictureHeight;
  entry.date = std::move(date);
  entry.takenAt = takenAt;
  entry.colourIgnored = std::move(colourIgnored);
  entry.fileStamp = key.original;
  if (key.cropped != 0) {
    entry.croppedStamp = key.shown;
  }
  // A use: the least recently used entries are the first to go.
  utimensat(AT_FDCWD, path.c_str(), nullptr, AT_SYMLINK_NOFOLLOW);
  return true;
}

void CSketchDiskCache::Store(const SketchKey& key, const CAlbumEntry& entry) {
  const CBitmap& bitmap = entry.thumb.bitmap;
  if (folder_.empty() || !key.original.taken || !key.shown.taken || !entry.sketchSource.made ||
      !ValidBitmapShape(bitmap.Width(), bitmap.Height(), bitmap.BitsPerPixel())) {
    return;
  }
  const std::string keyText = KeyText(key);
  Writer out;
  out.data.append(kMagic, sizeof kMagic);
  out.Text(keyText);
  out.Put<int64_t>(entry.takenAt);
  out.Text(entry.date);
  out.Text(entry.colourIgnored);
  out.Put<int32_t>(entry.pictureWidth);
  out.Put<int32_t>(entry.pictureHeight);
  out.Put<Rect>(entry.sketchSource.fittedRect);
  out.Put<int32_t>(entry.thumb.displayWidth);
  out.Put<int32_t>(entry.thumb.displayHeight);
  out.Put<int32_t>(bitmap.Width());
  out.Put<int32_t>(bitmap.Height());
  out.Put<int32_t>(bitmap.BitsPerPixel());
  if (bitmap.BitsPerPixel() <= 8) {
    out.data.append(reinterpret_cast<const char*>(bitmap.ColorTable().data()),
                    sizeof(RgbQuad) * 256);
  }
  const size_t rowBytes = static_cast<size_t>(bitmap.Width()) * (bitmap.BitsPerPixel() / 8);
  for (int y = 0; y < bitmap.Height(); ++y) {
    out.data.append(reinterpret_cast<const char*>(bitmap.Row(y)), rowBytes);
  }
  out.Put<uint64_t>(Fnv1a(out.data.data(), out.data.size()));
  const std::string path = PathOf(keyText);
  int error = ReplaceFileAtomically(path, out.data, Flush::None, LinkAtPath::Replace);
  if (error == ENOENT) {
    std::error_code made;
    fs::create_directories(folder_, made);
    error = ReplaceFileAtomically(path, out.data, Flush::None, LinkAtPath::Replace);
  }
  if (error == 0) {
    stored_ = true;
  }
}

void CSketchDiskCache::Trim(int64_t limitBytes, bool always) {
  if (folder_.empty() || !(stored_.exchange(false) || always)) {
    return;
  }
  RemoveDeadTemporaries(folder_);
  struct Kept {
    int64_t usedNs;
    int64_t size;
    std::string path;
  };
  std::vector<Kept> entries;
  int64_t total = 0;
  std::error_code error;
  for (const fs::directory_entry& file : fs::directory_iterator(folder_, error)) {
    struct stat info {};
    const std::string path = file.path().string();
    if (!path.ends_with(kSuffix) || lstat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) {
      continue;
    }
    entries.push_back(
        {info.st_mtim.tv_sec * 1000000000ll + info.st_mtim.tv_nsec, info.st_size, path});
    total += info.st_size;
  }
  if (total <= limitBytes) {
    return;
  }
  // Down to nine tenths of the limit, so that the next few stores do not trim again.
  std::sort(entries.begin(), entries.end(),
            [](const Kept& a, const Kept& b) { return a.usedNs < b.usedNs; });
  const int64_t goal = limitBytes / 10 * 9;
  for (const Kept& entry : entries) {
    if (total <= goal) {
      break;
    }
    if (unlink(entry.path.c_str()) == 0 || errno == ENOENT) {
      total -= entry.size;
    }
  }
}

int CSketchDiskCache::Empty() {
  int removed = 0;
  std::error_code error;
  for (const fs::directory_entry& file : fs::directory_iterator(folder_, error)) {
    const std::string path = file.path().string();
    if (path.ends_with(kSuffix) && unlink(path.c_str()) == 0) {
      ++removed;
    }
  }
  return removed;
}
