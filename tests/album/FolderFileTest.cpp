#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <future>
#include <map>
#include <string>
#include <vector>

#include "album/PixDir.h"
#include "tests/support/FakePlatformUi.h"
#include "tests/support/LocalTime.h"
#include "tests/support/TempDir.h"
#include "tests/support/TestAlbum.h"

namespace fs = std::filesystem;

// A folder from elsewhere may hold anything under the name of the record or of the run log:
// a link out of the folder, a FIFO, a device, a huge file. Reading and saving never block,
// never touch a file outside the folder, and say what they refused.

namespace {

// Runs work and waits a few seconds for it. A FIFO that blocked an open would hang the test
// run: then the FIFO is opened from here, which releases the opener, and the test fails.
bool FinishesInTime(const std::function<void()>& work, const fs::path& fifo) {
  auto done = std::async(std::launch::async, work);
  if (done.wait_for(std::chrono::seconds(10)) == std::future_status::ready) {
    return true;
  }
  for (const int flags : {O_WRONLY | O_NONBLOCK, O_RDONLY | O_NONBLOCK}) {
    if (const int fd = ::open(fifo.c_str(), flags); fd >= 0) {
      ::close(fd);
    }
  }
  done.wait();
  return false;
}

// Every file below dir with its bytes.
std::map<std::string, std::string> FilesBelow(const fs::path& dir) {
  std::map<std::string, std::string> files;
  for (const auto& item : fs::recursive_directory_iterator(dir)) {
    files[item.path().string()] = item.is_regular_file() ? ReadFileBytes(item.path()) : "";
  }
  return files;
}

struct HostileName {
  const char* name;
  // Puts the hostile thing at path, in the album folder beside outside/.
  std::function<void(const fs::path& path, const fs::path& outside)> make;
  // Why it is not read, after "<path>: "; OUTSIDE stands for the outside folder.
  std::string reason;
  bool saved;  // a save replaces it with the record
};

void PrintTo(const HostileName& hostile, std::ostream* os) { *os << hostile.name; }

const HostileName kHostileNames[] = {
    {"LinkOutOfTheFolder",
     [](const fs::path& path, const fs::path& outside) {
       std::ofstream(outside / ".bashrc") << "alias ls='ls -F'\n";
       fs::create_symlink("../outside/.bashrc", path);
     },
     "it is a symbolic link to OUTSIDE/.bashrc, outside the album folder", false},
    {"DanglingLinkOutOfTheFolder",
     [](const fs::path& path, const fs::path&) { fs::create_symlink("../outside/new", path); },
     "it is a symbolic link to OUTSIDE/new, outside the album folder", false},
    {"LinkToADevice",
     [](const fs::path& path, const fs::path&) { fs::create_symlink("/dev/zero", path); },
     "it is a symbolic link to /dev/zero, outside the album folder", false},
    {"LinkToItself",
     [](const fs::path& path, const fs::path&) { fs::create_symlink(path.filename(), path); },
     "Too many levels of symbolic links", false},
    {"Fifo",
     [](const fs::path& path, const fs::path&) { ASSERT_EQ(::mkfifo(path.c_str(), 0644), 0); },
     "it is not a regular file", true},
    {"FileAbove16MB",
     [](const fs::path& path, const fs::path&) {
       std::ofstream(path) << "QLNV_A t120 x2000 p600 f2 d0 c0 #maroon\n";
       fs::resize_file(path, (16 << 20) + 1);
     },
     "it is larger than 16 MB", true},
};

class HostileRecord : public ::testing::TestWithParam<HostileName> {
 protected:
  void SetUp() override {
    fs::create_directories(dir / "album");
    fs::create_directories(dir / "outside");
    album.Record().SetFolder((dir / "album").string(), "");
    FillAlbum(album, {"a.jpg"});
    GetParam().make(record, dir / "outside");
  }
  std::string Reason() const {
    std::string reason = GetParam().reason;
    if (const size_t at = reason.find("OUTSIDE"); at != std::string::npos) {
      reason.replace(at, 7, fs::weakly_canonical(dir / "outside").string());
    }
    return record.string() + ": " + reason;
  }

  TempDir dir;
  fs::path record = dir / "album" / "Quillaran.txt";
  FakePlatformUi ui;
  CPixDir album{ui};
};

TEST_P(HostileRecord, IsReadAndSavedWithoutBlockingOrLeavingTheFolder) {
  const auto outsideBefore = FilesBelow(dir / "outside");
  int read = -1;
  ASSERT_TRUE(FinishesInTime([&] { read = album.Record().ReadRecord(); }, record));
  EXPECT_EQ(read, 0);
  EXPECT_EQ(ui.MessageTexts(), std::vector<std::string>{"Cannot read " + Reason()});

  ui.messages.clear();
  album.Record().MarkChangedBeyondUndo();
  int saved = -1;
  ASSERT_TRUE(FinishesInTime([&] { saved = album.Record().WriteRecord(); }, record));
  EXPECT_EQ(saved, GetParam().saved ? 1 : 0);
  if (GetParam().saved) {
    EXPECT_TRUE(ui.messages.empty()) << ui.LastMessage();
    EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(record)));
    EXPECT_EQ(ReadFileBytes(record).rfind("QLNV_A t120 ", 0), 0u);
  } else {
    EXPECT_EQ(ui.MessageTexts(), std::vector<std::string>{"Cannot Save Record " + Reason()});
    EXPECT_TRUE(fs::is_symlink(record));
    EXPECT_EQ(album.Record().Dirty(), 1);
  }
  EXPECT_EQ(FilesBelow(dir / "outside"), outsideBefore);
}

INSTANTIATE_TEST_SUITE_P(Names, HostileRecord, ::testing::ValuesIn(kHostileNames),
                         [](const auto& info) { return std::string(info.param.name); });

// The run log is opened in the current directory, an album folder once one is open.
TEST(HostileRunLog, NeitherFollowsALinkOutOfTheFolderNorBlocksOnAFifo) {
  for (const HostileName& hostile : {kHostileNames[0], kHostileNames[4]}) {
    TempDir dir;
    fs::create_directories(dir / "album");
    fs::create_directories(dir / "outside");
    const fs::path log = dir / "album" / "QuillaranLog.txt";
    hostile.make(log, dir / "outside");
    const auto outsideBefore = FilesBelow(dir / "outside");
    fs::current_path(dir / "album");
    FakePlatformUi ui;
    CPixDir album(ui);
    album.Record().ChangeSettings([&](CAlbumSettings& s) { s.AdvancedSettings.KeepLog = 1; });
    ASSERT_TRUE(FinishesInTime([&] { album.Record().OpenLog(LocalTime(2008, 3, 5, 9, 7)); }, log))
        << hostile.name;
    EXPECT_EQ(ui.MessageTexts(), std::vector<std::string>{"Could not create LOG file"})
        << hostile.name;
    EXPECT_EQ(album.Settings().AdvancedSettings.KeepLog, 0);
    EXPECT_EQ(FilesBelow(dir / "outside"), outsideBefore) << hostile.name;
  }
}

}  // namespace
