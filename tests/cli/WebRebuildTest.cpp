#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "album/PixDir.h"
#include "cli/SettingOption.h"
#include "tests/cli/QuillaranWebFixture.h"
#include "tests/support/FakePlatformUi.h"
#include "tests/support/TestPictures.h"
#include "web/WebElement.h"
#include "web/WebManifest.h"

// Writing the album again writes only what changed, in quillaran-web and in the window alike.

namespace fs = std::filesystem;

namespace {

// Each file of the web album below dir by its path, with what tells a rewritten file: the
// inode (a file is replaced by renaming a new one over it) and the time.
using Snapshot = std::map<std::string, std::pair<ino_t, int64_t>>;

Snapshot Snap(const fs::path& dir) {
  Snapshot files;
  for (const auto& item : fs::recursive_directory_iterator(dir)) {
    struct stat status {};
    const std::string path = fs::relative(item.path(), dir).string();
    const bool album = path == "pix_index.htm" || path.find('/') != std::string::npos;
    if (item.is_regular_file() && album && path != kManifestPath &&
        ::stat(item.path().c_str(), &status) == 0) {
      files[path] = {status.st_ino,
                     static_cast<int64_t>(status.st_mtim.tv_sec) * 1000000000 +
                         status.st_mtim.tv_nsec};
    }
  }
  return files;
}

// "+path" for every file made or rewritten, "-path" for every file removed.
std::set<std::string> Touched(const Snapshot& before, const Snapshot& after) {
  std::set<std::string> touched;
  for (const auto& [path, stamp] : after) {
    const auto old = before.find(path);
    if (old == before.end() || old->second != stamp) {
      touched.insert("+" + path);
    }
  }
  for (const auto& [path, stamp] : before) {
    if (after.count(path) == 0) {
      touched.insert("-" + path);
    }
  }
  return touched;
}

void WriteRecord(const fs::path& dir, const std::string& captionOfB) {
  std::ofstream(dir / "Quillaran.txt") << "QLNV_A t120 x800 p600 f2 d0 c0 #navy\n"
                                       << "a.jpg\tBeach\tnoon\t0\n"
                                       << "b.jpg\t" << captionOfB << "\tnoon\t1\n"
                                       << "c.jpg\tHill\tnoon\t2\n";
}

// Runs one build the way each program makes it.
enum class Maker { QuillaranWeb, Window };

class WebRebuild : public QuillaranWebFixture, public testing::WithParamInterface<Maker> {
 protected:
  int Build(const fs::path& dir, std::vector<std::string> args) {
    // Unframed, the index tells the thumbs' sizes.
    args.insert(args.begin(), {"--set", "LIOwnWP=1", "--set", "FrameYorN=0"});
    if (GetParam() == Maker::QuillaranWeb) {
      args.push_back(dir.string());
      return Run(args);
    }
    FakePlatformUi ui;
    CPixDir album(ui);
    album.Record().ChangeSettings([&](CAlbumSettings& s) {
      s.LoadSettings(profile);
      s.AdvancedSettings.KeepLog = 0;
      s.GeneralSettings.WebImmedDisplay = 0;
    });
    if (album.Loader().OpenDirectory(dir.string()) != 1) {
      return 1;
    }
    CWebElement web(album);
    album.Record().ChangeSettings([&](CAlbumSettings& s) {
      std::string error;
      for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--force") {
          web.remakeAll = true;
        } else if (args[i] == "--set") {
          const std::string& setting = args[++i];
          const size_t equals = setting.find('=');
          EXPECT_TRUE(SetSettingByName(s, setting.substr(0, equals), setting.substr(equals + 1),
                                       error))
              << error;
        }
      }
    });
    album.Loader().BuildAllThumbs();
    const int result = web.CreateWebPage(album.Record().DirName(), album.Pictures().DisplayOrder(),
                                         album.Pictures().Count(), ImageFiles::Write);
    status = ui.statusText[2];
    return result == 1 ? 0 : 1;
  }
  void MakeFolder(const fs::path& dir) {
    fs::create_directories(dir / "Thumbs");
    for (const char* name : {"a.jpg", "b.jpg", "c.jpg"}) {
      ASSERT_EQ(MakePhotoLike(400, 300).Save((dir / name).string()), 0u);
    }
    WriteRecord(dir, "Boat");
    // The user's own file, which no run touches.
    std::ofstream(dir / "Thumbs" / "notes.txt") << "mine";
  }

  std::string status;  // the window's status pane after a build
};

TEST_P(WebRebuild, WritesOnlyWhatChanged) {
  struct Change {
    const char* name;
    std::function<void(const fs::path& dir)> change;
    std::vector<std::string> args;
    std::set<std::string> touched;
  };
  const auto nothing = [](const fs::path&) {};
  const std::set<std::string> allImages = {
      "+Thumbs/Thumb_a.jpg", "+Thumbs/Thumb_b.jpg", "+Thumbs/Thumb_c.jpg",
      "+Large/a.jpg",        "+Large/b.jpg",        "+Large/c.jpg"};
  const std::vector<Change> changes = {
      {"unchanged", nothing, {}, {}},
      {"caption", [](const fs::path& dir) { WriteRecord(dir, "Ship"); }, {},
       {"+pix_index.htm", "+Large/b_jpg.htm"}},
      {"replaced photo",
       [](const fs::path& dir) {
         fs::remove(dir / "b.jpg");
         ASSERT_EQ(MakePicture24(400, 300, GradientColour).Save((dir / "b.jpg").string()), 0u);
       },
       {},
       {"+Thumbs/Thumb_b.jpg", "+Large/b.jpg"}},
      {"deleted photo", [](const fs::path& dir) { fs::remove(dir / "c.jpg"); }, {},
       {"-Thumbs/Thumb_c.jpg", "-Large/c.jpg", "-Large/c_jpg.htm", "+pix_index.htm",
        "+Large/b_jpg.htm"}},
      {"large copy deleted", [](const fs::path& dir) { fs::remove(dir / "Large/a.jpg"); }, {},
       {"+Large/a.jpg"}},
      {"thumb damaged", [](const fs::path& dir) { fs::resize_file(dir / "Thumbs/Thumb_a.jpg", 10); },
       {}, {"+Thumbs/Thumb_a.jpg"}},
      {"thumb size", nothing, {"--set", "ThumbSize=100"},
       {"+Thumbs/Thumb_a.jpg", "+Thumbs/Thumb_b.jpg", "+Thumbs/Thumb_c.jpg", "+pix_index.htm"}},
      {"large size", nothing, {"--set", "MaxOsize=300"},
       {"+Large/a.jpg", "+Large/b.jpg", "+Large/c.jpg", "+Large/a_jpg.htm", "+Large/b_jpg.htm",
        "+Large/c_jpg.htm"}},
      {"force", nothing, {"--force"}, allImages},
  };
  int number = 0;
  for (const Change& change : changes) {
    SCOPED_TRACE(change.name);
    const fs::path dir = temp / std::to_string(++number) / "My Album";
    MakeFolder(dir);
    ASSERT_EQ(Build(dir, {}), 0) << err.str();
    const Snapshot before = Snap(dir);
    const auto listed = fs::last_write_time(dir / kManifestPath);
    change.change(dir);
    ASSERT_EQ(Build(dir, change.args), 0) << err.str();
    EXPECT_EQ(Touched(before, Snap(dir)), change.touched);
    if (change.touched.empty()) {
      // Nor is the list of what was made written again.
      EXPECT_EQ(fs::last_write_time(dir / kManifestPath), listed);
    }
    if (GetParam() == Maker::Window && change.touched.empty()) {
      EXPECT_EQ(status, "Pictures written 0/3, 3 kept");
    }
  }
}

// A build killed half way left the list of the build before, files that it wrote since (the
// same size as before, at another time), and a temporary file of a writer that no longer
// runs: the next build makes an album whole, the same as a first build of the folder.
TEST_P(WebRebuild, CompletesABuildKilledHalfWay) {
  const fs::path fresh = temp / "fresh" / "My Album";
  const fs::path killed = temp / "killed" / "My Album";
  MakeFolder(fresh);
  MakeFolder(killed);
  ASSERT_EQ(Build(fresh, {}), 0) << err.str();
  ASSERT_EQ(Build(killed, {}), 0) << err.str();

  const fs::path thumb = killed / "Thumbs" / "Thumb_a.jpg";
  const auto size = fs::file_size(thumb);
  fs::remove(thumb);
  std::ofstream(thumb) << std::string(size, 'x');
  fs::remove(killed / "Large" / "b.jpg");
  const pid_t gone = fork();
  if (gone == 0) {
    _exit(0);
  }
  waitpid(gone, nullptr, 0);
  const fs::path temporary =
      killed / "Large" / (".quillaran-" + std::to_string(gone) + "-1.tmp");
  std::ofstream(temporary) << "half";

  ASSERT_EQ(Build(killed, {}), 0) << err.str();
  EXPECT_FALSE(fs::exists(temporary));
  for (const auto& [path, stamp] : Snap(fresh)) {
    std::ifstream made(killed / path, std::ios::binary);
    std::ifstream expected(fresh / path, std::ios::binary);
    EXPECT_TRUE(std::string(std::istreambuf_iterator<char>(made), {}) ==
                std::string(std::istreambuf_iterator<char>(expected), {}))
        << path;
  }
  EXPECT_EQ(Snap(fresh).size(), Snap(killed).size());
}

INSTANTIATE_TEST_SUITE_P(Makers, WebRebuild, testing::Values(Maker::QuillaranWeb, Maker::Window),
                         [](const testing::TestParamInfo<Maker>& info) {
                           return info.param == Maker::QuillaranWeb ? "QuillaranWeb" : "Window";
                         });

}  // namespace
