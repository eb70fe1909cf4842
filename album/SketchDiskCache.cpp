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
#include "raster/FileHandle.h"

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

// The checksum of an entry, a word at a time (the pixels are most of a sketch's bytes), over
// its parts in turn.
uint64_t Checksum(uint64_t hash, const char* data, size_t size) {
  size_t i = 0;
  for (; i + 8 <= size; i += 8) {
    uint64_t word = 0;
    std::memcpy(&word, data + i, 8);
    hash = (hash ^ word) * 0x9E3779B97F4A7C15ull;
    hash ^= hash >> 31;
  }
  return Fnv1a(data + i, size - i) ^ hash;
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

// An entry file read in turn: its head at once, then its pixels straight into the sketch.
class EntryFile {
 public:
  explicit EntryFile(const std::string& path)
      : file_(open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW)) {
    struct stat info {};
    if (file_.Get() >= 0 && fstat(file_.Get(), &info) == 0 && S_ISREG(info.st_mode)) {
      size_ = info.st_size;
    }
  }

  int64_t Size() const { return size_; }
  // The next size bytes into to; false when the file holds fewer, or on an error.
  bool Take(char* to, size_t size) {
    return ReadFully(file_.Get(), to, size) == static_cast<ptrdiff_t>(size);
  }

 private:
  FileHandle file_;
  int64_t size_ = -1;
};

// The pixel memory of a bitmap, its rows in memory order, and its size.
template <class Bitmap>
auto* PixelBlock(Bitmap& bitmap) {
  return bitmap.Stride() < 0 ? bitmap.Row(bitmap.Height() - 1) : bitmap.Row(0);
}
size_t PixelBytes(int width, int height, int bpp) {
  return static_cast<size_t>(CBitmap::RowBytes(width, bpp)) * static_cast<size_t>(height);
}

// Makes the folders on the way to folder that are missing, each for the user alone: the
// sketches show the user's photos.
void MakePrivateFolders(const std::string& folder) {
  fs::path path;
  for (const fs::path& part : fs::path(folder)) {
    path /= part;
    mkdir(path.c_str(), 0700);
  }
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
  EntryFile file(path);
  char start[sizeof kMagic + sizeof(uint32_t)];
  uint32_t headSize = 0;
  if (file.Size() < 0 || file.Size() > kLargestFile || !file.Take(start, sizeof start) ||
      std::memcmp(start, kMagic, sizeof kMagic) != 0) {
    return false;
  }
  std::memcpy(&headSize, start + sizeof kMagic, sizeof headSize);
  if (headSize > file.Size()) {
    return false;
  }
  std::string head(headSize, '\0');
  if (!file.Take(head.data(), head.size())) {
    return false;
  }
  Reader in(head.data(), head.size());
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
  const char* table = bpp <= 8 ? in.Bytes(sizeof(RgbQuad) * 256) : nullptr;
  CImageWrap sketch;
  if (!in.AllRead() || !ValidBitmapShape(width, height, bpp)) {
    return false;
  }
  const size_t pixelBytes = PixelBytes(width, height, bpp);
  uint64_t checksum = 0;
  if (file.Size() != static_cast<int64_t>(sizeof start + headSize + pixelBytes + sizeof checksum) ||
      CreateBitmap(sketch.bitmap, width, height, bpp) == 0) {
    return false;
  }
  CBitmap& bitmap = sketch.bitmap;
  char* pixels = reinterpret_cast<char*>(PixelBlock(bitmap));
  if (!file.Take(pixels, pixelBytes) ||
      !file.Take(reinterpret_cast<char*>(&checksum), sizeof checksum) ||
      checksum != Checksum(Checksum(Checksum(0, start, sizeof start), head.data(), head.size()),
                           pixels, pixelBytes)) {
    return false;
  }
  if (table != nullptr) {
    std::memcpy(bitmap.ColorTable().data(), table, sizeof(RgbQuad) * 256);
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
  Writer head;
  head.Text(keyText);
  head.Put<int64_t>(entry.takenAt);
  head.Text(entry.date);
  head.Text(entry.colourIgnored);
  head.Put<int32_t>(entry.pictureWidth);
  head.Put<int32_t>(entry.pictureHeight);
  head.Put<Rect>(entry.sketchSource.fittedRect);
  head.Put<int32_t>(entry.thumb.displayWidth);
  head.Put<int32_t>(entry.thumb.displayHeight);
  head.Put<int32_t>(bitmap.Width());
  head.Put<int32_t>(bitmap.Height());
  head.Put<int32_t>(bitmap.BitsPerPixel());
  if (bitmap.BitsPerPixel() <= 8) {
    head.data.append(reinterpret_cast<const char*>(bitmap.ColorTable().data()),
                     sizeof(RgbQuad) * 256);
  }
  // The pixels as they lie in memory, so that a hit reads them straight into its sketch.
  const size_t pixelBytes = PixelBytes(bitmap.Width(), bitmap.Height(), bitmap.BitsPerPixel());
  const char* pixels = reinterpret_cast<const char*>(PixelBlock(bitmap));
  Writer out;
  out.data.reserve(sizeof kMagic + sizeof(uint32_t) + head.data.size() + pixelBytes + 8);
  out.data.append(kMagic, sizeof kMagic);
  out.Put<uint32_t>(static_cast<uint32_t>(head.data.size()));
  const uint64_t checksum = Checksum(0, out.data.data(), out.data.size());
  out.data += head.data;
  out.data.append(pixels, pixelBytes);
  out.Put<uint64_t>(
      Checksum(Checksum(checksum, head.data.data(), head.data.size()), pixels, pixelBytes));
  const std::string path = PathOf(keyText);
  int error = ReplaceFileAtomically(path, out.data, Flush::None, LinkAtPath::Replace);
  if (error == ENOENT) {
    MakePrivateFolders(folder_);
    error = ReplaceFileAtomically(path, out.data, Flush::None, LinkAtPath::Replace);
  }
  if (error == 0) {
    stored_ = true;
  }
}

void CSketchDiskCache::Trim(int64_t limitBytes) {
  if (folder_.empty() || !stored_.exchange(false)) {
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
