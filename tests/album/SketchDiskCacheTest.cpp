#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "album/PixDir.h"
#include "album/SketchDiskCache.h"
#include "tests/support/FakePlatformUi.h"
#include "tests/support/TempDir.h"
#include "tests/support/TestPictures.h"

namespace fs = std::filesystem;

namespace {

// What a run showed of a folder's one picture.
struct Shown {
  std::vector<uint8_t> pixels;
  int width = 0;
  std::string date;
  size_t messages = 0;
};

class SketchDiskCaching : public ::testing::Test {
 protected:
  // One picture of one colour, written through a new file (a new inode), so that a
  // replacement of the same size keeps only the name.
  void WritePhoto(uint8_t red) {
    fs::create_directories(dir);
    CImageWrap image = MakePicture24(48, 36, [red](int, int) { return Rgb{red, 80, 40}; });
    const std::string fresh = (temp / "fresh.bmp").string();
    ASSERT_EQ(image.Save(fresh), 0u);
    fs::rename(fresh, photo);
  }
  // Opens the folder as a new run would, with the cache.
  Shown Open() {
    FakePlatformUi ui;
    CPixDir album{ui};
    album.Loader().UseSketchCache(cacheDir.string());
    EXPECT_EQ(album.Loader().OpenDirectory(dir.string()), 1);
    const CAlbumEntry& entry = album.Pictures().EntryAt(0);
    const CBitmap& bitmap = entry.thumb.bitmap;
    Shown shown{{}, bitmap.Width(), entry.date, ui.messages.size()};
    for (int y = 0; y < bitmap.Height(); ++y) {
      shown.pixels.insert(shown.pixels.end(), bitmap.Row(y), bitmap.Row(y) + bitmap.Width() * 3);
    }
    return shown;
  }
  std::vector<fs::path> Entries() const {
    std::vector<fs::path> found;
    for (const auto& file : fs::directory_iterator(cacheDir)) {
      found.push_back(file.path());
    }
    return found;
  }
  void KeepTimes(const std::function<void()>& change) {
    struct stat before {};
    ASSERT_EQ(stat(photo.c_str(), &before), 0);
    change();
    const timespec times[2] = {before.st_atim, before.st_mtim};
    ASSERT_EQ(utimensat(AT_FDCWD, photo.c_str(), times, 0), 0);
  }

  TempDir temp;
  fs::path dir = temp / "photos";
  fs::path photo = dir / "a.bmp";
  fs::path cacheDir = temp / "cache";
};

// Shown from the cache, the sketch is the one first made, and the photo is not decoded: its
// bytes garbled in place under the same time are never read.
TEST_F(SketchDiskCaching, AHitShowsTheSketchFirstMadeWithoutDecoding) {
  WritePhoto(200);
  const Shown first = Open();
  ASSERT_EQ(Entries().size(), 1u);
  KeepTimes([&] {
    std::fstream file(photo, std::ios::in | std::ios::out | std::ios::binary);
    file.write(std::string(64, 'x').data(), 64);
  });
  const Shown again = Open();
  EXPECT_EQ(again.pixels, first.pixels);
  EXPECT_EQ(again.date, first.date);
  EXPECT_EQ(again.messages, 0u);
}

// Each change is a miss: the sketch is made of the photo as it is, and kept again.
TEST_F(SketchDiskCaching, AnythingElseIsAMissAndIsMadeAgain) {
  struct Case {
    const char* name;
    std::function<void()> change;
    uint8_t red;  // of the photo shown afterwards
  };
  const auto eachEntry = [this](const std::function<void(const fs::path&)>& f) {
    for (const fs::path& entry : Entries()) {
      f(entry);
    }
  };
  const std::vector<Case> cases = {
      {"replaced, same name, size and time", [this] { KeepTimes([this] { WritePhoto(30); }); }, 30},
      {"entry damaged",
       [&] {
         eachEntry([](const fs::path& entry) {
           std::fstream file(entry, std::ios::in | std::ios::out | std::ios::binary);
           file.seekp(-40, std::ios::end);
           file.put('\x7f');
         });
       },
       200},
      {"entry truncated",
       [&] {
         eachEntry([](const fs::path& entry) { fs::resize_file(entry, fs::file_size(entry) / 2); });
       },
       200},
      {"entry foreign",
       [&] { eachEntry([](const fs::path& entry) { std::ofstream(entry) << "not a sketch"; }); },
       200},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    fs::remove_all(cacheDir);
    WritePhoto(200);
    Open();
    const std::vector<fs::path> stored = Entries();
    ASSERT_EQ(stored.size(), 1u);
    const std::string kept = ReadFileBytes(stored[0]);
    c.change();
    const Shown shown = Open();
    ASSERT_FALSE(shown.pixels.empty());
    EXPECT_EQ(shown.pixels[shown.width / 2 * 3 + 2], c.red);  // blue, green, red
    EXPECT_EQ(shown.messages, 0u);
    if (c.red == 200) {
      EXPECT_EQ(ReadFileBytes(stored[0]), kept);  // made again and kept again
    }
  }
}

// An entry whose sketch is a strip of one colour per key.
CAlbumEntry EntryFor(int i) {
  CAlbumEntry entry;
  entry.thumb = MakePicture24(12, 9, [i](int, int) { return Rgb{static_cast<uint8_t>(i), 1, 2}; });
  entry.sketchSource.made = true;
  entry.date = "day " + std::to_string(i);
  return entry;
}
SketchKey KeyFor(int i) {
  SketchKey key;
  key.path = "/photos/" + std::to_string(i) + ".jpg";
  key.original = {true, 1000 + i, 5, 1, static_cast<uint64_t>(i), 0};
  key.shown = key.original;
  return key;
}

// Two processes filling one cache with the same keys at once: every entry either side finds
// is whole and its own, and all are found afterwards.
TEST(SketchDiskCache, TwoProcessesFillItAtOnce) {
  TempDir temp;
  const std::string folder = (temp / "cache").string();
  constexpr int kKeys = 60;
  pid_t children[2];
  for (pid_t& child : children) {
    child = fork();
    if (child == 0) {
      CSketchDiskCache cache(folder);
      int wrong = 0;
      for (int round = 0; round < 5; ++round) {
        for (int i = 0; i < kKeys; ++i) {
          cache.Store(KeyFor(i), EntryFor(i));
          CAlbumEntry found;
          const int j = (i * 7 + round) % kKeys;
          if (cache.Find(KeyFor(j), found) &&
              (found.date != "day " + std::to_string(j) || PixelAt(found.thumb, 5, 4).red != j)) {
            ++wrong;
          }
        }
      }
      _exit(wrong == 0 ? 0 : 1);
    }
    ASSERT_GT(child, 0);
  }
  for (const pid_t child : children) {
    int status = -1;
    waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  }
  CSketchDiskCache cache(folder);
  for (int i = 0; i < kKeys; ++i) {
    CAlbumEntry found;
    ASSERT_TRUE(cache.Find(KeyFor(i), found)) << i;
    EXPECT_EQ(PixelAt(found.thumb, 11, 8).red, i);
  }
}

// Past its limit the cache lets the least recently used entries go: one used lately stays
// however old it was written.
TEST(SketchDiskCache, TrimLetsTheLeastRecentlyUsedGo) {
  TempDir temp;
  CSketchDiskCache cache((temp / "cache").string());
  for (int i = 0; i < 10; ++i) {
    cache.Store(KeyFor(i), EntryFor(i));
  }
  int64_t each = 0;
  for (const auto& file : fs::directory_iterator(temp / "cache")) {
    each = static_cast<int64_t>(file.file_size());
    const timespec old[2] = {{1000, 0}, {1000, 0}};  // all written long ago
    ASSERT_EQ(utimensat(AT_FDCWD, file.path().c_str(), old, 0), 0);
  }
  CAlbumEntry found;
  ASSERT_TRUE(cache.Find(KeyFor(3), found));
  cache.Trim(each * 5);
  int kept = 0;
  for (int i = 0; i < 10; ++i) {
    CAlbumEntry entry;
    kept += cache.Find(KeyFor(i), entry) ? 1 : 0;
  }
  EXPECT_LE(kept, 5);
  EXPECT_TRUE(cache.Find(KeyFor(3), found));
  EXPECT_EQ(cache.Empty(), kept);
  EXPECT_FALSE(cache.Find(KeyFor(3), found));
}

}  // namespace
