#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <ostream>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "album/PixDir.h"
#include "tests/support/CaseName.h"
#include "tests/support/FakePlatformUi.h"
#include "tests/support/HeldLoad.h"
#include "tests/support/TempDir.h"
#include "tests/support/TestAlbum.h"
#include "tests/support/TestPictures.h"

namespace fs = std::filesystem;

namespace {

// How far the colour channels of two pictures of the same size lie apart.
struct Difference {
  double mean = 0;
  int largest = 0;
};
Difference Compare(const CImageWrap& a, const CImageWrap& b) {
  Difference difference;
  int64_t sum = 0;
  for (int y = 0; y < a.Height(); ++y) {
    for (int x = 0; x < a.Width(); ++x) {
      const Rgb p = PixelAt(a, x, y);
      const Rgb q = PixelAt(b, x, y);
      for (const int d : {std::abs(p.red - q.red), std::abs(p.green - q.green),
                          std::abs(p.blue - q.blue)}) {
        sum += d;
        difference.largest = std::max(difference.largest, d);
      }
    }
  }
  difference.mean = static_cast<double>(sum) / (3.0 * a.Width() * a.Height());
  return difference;
}

class AlbumLoad : public ::testing::Test {
 protected:
  std::string Open(const fs::path& dir) { return dir.string() + "/"; }
  // Six small pictures p0.png .. p5.png, and a record that shows them in reverse order with
  // captions; the names of the broken ones are files that cannot be decoded.
  fs::path SixPictures(const std::vector<int>& broken = {}) {
    const fs::path dir = temp / "six";
    fs::create_directories(dir);
    std::ofstream record(dir / "Quillaran.txt");
    record << "QLNV_A t120 x2000 p600 f2 d0 c0 #navy\n";
    for (int i = 0; i < 6; ++i) {
      const std::string name = "p" + std::to_string(i) + ".png";
      if (std::find(broken.begin(), broken.end(), i) != broken.end()) {
        std::ofstream(dir / name) << "not a picture";
      } else {
        EXPECT_EQ(MakePicture24(30 + i, 20, GradientColour).Save((dir / name).string()), 0u);
      }
      record << name << "\tCaption " << i << "\t\t" << 5 - i << "\n";
    }
    return dir;
  }
  TempDir temp;
  FakePlatformUi ui;
  CPixDir album{ui};
};

// The album decodes a JPEG at the smallest DCT scale that still covers its sketch, the part
// that the record's rectangle shows; the sketch is that of the whole decode, of the same
// size and less than a level apart on average.
TEST_F(AlbumLoad, SketchOfAScaledDecodeIsWithinALevelOfTheFullDecodes) {
  const fs::path dir = temp / "photos";
  fs::create_directories(dir);
  const std::string photo = (dir / "photo.jpg").string();
  ASSERT_EQ(MakePhotoLike(2000, 1500).Save(photo), 0u);
  ASSERT_EQ(MakePhotoLike(1600, 1200).Save((dir / "part.jpg").string()), 0u);
  std::ofstream(dir / "Quillaran.txt") << "QLNV_A t120 x2000 p600 f2 d0 c0 #navy\n"
                                          "part.jpg\t?\t\t1\t400 200 1360 920\n"
                                          "photo.jpg\t?\t\t0\n";
  ASSERT_EQ(album.Loader().OpenDirectory(Open(dir)), 1);
  FakePlatformUi quiet;
  for (const auto& [name, rect] : {std::pair{"photo.jpg", Rect{}},
                                   std::pair{"part.jpg", Rect{400, 200, 1360, 920}}}) {
    SCOPED_TRACE(name);
    CImageWrap whole;
    ASSERT_EQ(whole.Load((dir / name).string(), quiet), 1);
    CImageWrap part;
    CImageWrap expected;
    Rect r = rect;
    ASSERT_EQ(BuildThumbFromPicture(whole, r, part, expected, 120), 1);
    const CAlbumEntry& entry = album.Pictures().EntryAt(name == std::string("part.jpg") ? 0 : 1);
    ASSERT_EQ(entry.thumb.Width(), expected.Width());
    ASSERT_EQ(entry.thumb.Height(), expected.Height());
    EXPECT_EQ(entry.thumb.displayWidth, expected.displayWidth);
    const Difference difference = Compare(entry.thumb, expected);
    EXPECT_LT(difference.mean, 1.0);
    // Where colour changes sharply the scaled decode averages it over 16 pixels.
    EXPECT_LE(difference.largest, 24);
  }
  EXPECT_EQ(album.Pictures().EntryAt(1).pictureWidth, 2000);
  EXPECT_TRUE(ui.messages.empty()) << ui.LastMessage();
}

// On a screen of two device pixels per sheet pixel the sketches have twice the thumb's pixels,
// from a decode that still holds them (a quarter of the photograph's size here).
TEST_F(AlbumLoad, SketchesForAHighDensityScreenHaveItsPixels) {
  const fs::path dir = temp / "photos";
  fs::create_directories(dir);
  ASSERT_EQ(MakePhotoLike(1200, 900).Save((dir / "photo.jpg").string()), 0u);
  album.Loader().SetSketchRatio(2);
  ASSERT_EQ(album.Loader().OpenDirectory(Open(dir)), 1);
  const CAlbumEntry& entry = album.Pictures().EntryAt(0);
  EXPECT_EQ(entry.thumb.Width(), 240);
  EXPECT_EQ(entry.thumb.Height(), 180);
  EXPECT_EQ(entry.thumb.displayWidth, 120);
  EXPECT_EQ(SketchShrink(1200, 900, {}, 120, 2), 4);
}

// A load stopped half way leaves the album of the pictures taken so far: whole, in their
// recorded order and with their captions, the record's lines of the others kept for the next
// save. While it loads, the sheet has a cell for every picture in recorded order.
TEST_F(AlbumLoad, ALoadStoppedHalfWayLeavesAConsistentAlbum) {
  const fs::path dir = SixPictures();
  CountingSheetView view;
  album.AttachView(&view);
  HeldLoad held(album, 3);
  ASSERT_EQ(album.Loader().BeginOpenDirectory(Open(dir), held.How()), 1);
  EXPECT_EQ(view.loadsStarted, 1);
  while (album.Pictures().Count() < 3) {  // the fourth file waits
    ASSERT_TRUE(album.Loader().ContinueLoading());
    std::this_thread::yield();
  }
  ASSERT_EQ(album.Pictures().Count(), 3);
  EXPECT_EQ(album.Pictures().EntryAtPosition(0).fileName, "p2.png");
  EXPECT_EQ(album.Pictures().EntryAt(0).caption, "Caption 0");
  album.SheetControl().LayOut(1000);
  EXPECT_EQ(album.Pictures().EntryAtPosition(0).sketchRect, album.Sheet().Layout().SketchRect(3));
  EXPECT_EQ(album.Sheet().WaitingCells(), (std::vector<int>{0, 1, 2}));
  EXPECT_EQ(ui.statusText[2], "");  // the pane counts what is read, not what is built

  held.LetGo();
  album.Loader().StopLoading();
  EXPECT_FALSE(album.Loader().IsLoading());
  EXPECT_EQ(view.loadsEnded, 1);
  EXPECT_EQ(album.Loader().LastOpenResult(), 1);
  ASSERT_EQ(album.Pictures().Count(), 3);
  EXPECT_EQ(DisplayedIndexes(album), (std::vector<int>{2, 1, 0}));
  for (int position = 0; position < 3; ++position) {
    EXPECT_EQ(album.Pictures().EntryAtPosition(position).order, position);
  }
  album.SheetControl().LayOut(1000);
  EXPECT_TRUE(album.Sheet().WaitingCells().empty());
  EXPECT_EQ(album.Record().Dirty(), 0);
  ASSERT_EQ(album.Record().WriteRecord(), 1);
  const std::string record = ReadFileBytes(dir / "Quillaran.txt");
  for (int i = 0; i < 6; ++i) {
    EXPECT_NE(record.find("p" + std::to_string(i) + ".png\tCaption " + std::to_string(i)),
              std::string::npos) << i;
  }
}

// The workers finish files in any order; the messages of their reading, the log and the
// album keep file order.
TEST_F(AlbumLoad, WorkerMessagesKeepFileOrder) {
  const fs::path dir = SixPictures({0, 2, 3, 5});
  HeldLoad held(album, 0, 1);  // the first file is read last
  ASSERT_EQ(album.Loader().BeginOpenDirectory(Open(dir), held.How(3)), 1);
  held.WaitUntilRead(5);
  held.LetGo();
  while (album.Loader().ContinueLoading(true)) {
  }
  const std::vector<int> broken = {0, 2, 3, 5};
  ASSERT_EQ(ui.messages.size(), broken.size());
  for (size_t k = 0; k < broken.size(); ++k) {
    const std::string file = (dir / ("p" + std::to_string(broken[k]) + ".png")).string();
    EXPECT_EQ(ui.messages[k].text.rfind("Load image " + file + " failed:", 0), 0u) << k;
  }
  EXPECT_EQ(album.Pictures().Count(), 2);
  EXPECT_EQ(album.Pictures().EntryAt(0).fileName, "p1.png");
}

// A message shown while the pictures are taken lets the window's events run, and with them
// the desktop session's end, which stops the load: the load ends once the message returns,
// never from inside itself. A worker's exception is such a message, not a crash.
TEST_F(AlbumLoad, StoppedFromInsideItsOwnMessageTheLoadEndsAfterIt) {
  const fs::path dir = SixPictures();
  CountingSheetView view;
  album.AttachView(&view);
  HeldLoad held(album, 1 << 30);
  CAlbumLoader::DirectoryLoad how = held.How();
  how.read = [read = how.read](const std::string& path, const CAlbumEntry& planned,
                               CAlbumEntry& entry, CPlatformUi& shown) {
    if (fs::path(path).filename() == "p2.png") {
      throw std::runtime_error("the disk went away");
    }
    return read(path, planned, entry, shown);
  };
  ui.whileShown = [this](const RecordedMessage&) {
    album.Loader().StopLoading();
    EXPECT_TRUE(album.Loader().IsLoading());  // not while its Take is under way
  };
  ASSERT_EQ(album.Loader().BeginOpenDirectory(Open(dir), how), 1);
  while (album.Loader().ContinueLoading()) {
    std::this_thread::yield();
  }
  EXPECT_EQ(ui.MessageTexts(), (std::vector<std::string>{
                                   "Could not read " + (dir / "p2.png").string() +
                                   ":\nthe disk went away"}));
  EXPECT_EQ(ui.messages[0].icon, MsgIcon::Error);
  EXPECT_EQ(view.loadsEnded, 1);
  EXPECT_EQ(album.Loader().LastOpenResult(), 1);
  EXPECT_EQ(DisplayedIndexes(album), (std::vector<int>{1, 0}));
  EXPECT_EQ(album.Pictures().EntryAt(0).caption, "Caption 0");
  EXPECT_EQ(album.Record().WriteRecord(), 1);
}

// Until its first picture arrives, the load leaves the album and its folder as they were,
// so that the pictures on screen are looked up where they are; Escape then keeps them,
// without a word.
TEST_F(AlbumLoad, EscapeBeforeTheFirstPictureKeepsTheOldAlbumAndItsFolder) {
  const fs::path first = temp / "first";
  fs::create_directories(first);
  ASSERT_EQ(MakePicture24(30, 20, GradientColour).Save((first / "one.png").string()), 0u);
  ASSERT_EQ(album.Loader().OpenDirectory(Open(first)), 1);
  const fs::path dir = SixPictures();
  HeldLoad held(album, 0);
  ASSERT_EQ(album.Loader().BeginOpenDirectory(Open(dir), held.How()), 1);
  EXPECT_TRUE(album.Loader().ContinueLoading());  // nothing is read yet
  EXPECT_EQ(album.Record().DirPath(), first.string());
  EXPECT_EQ(album.Record().DirName(), "first");
  EXPECT_EQ(fs::current_path(), first);
  EXPECT_NE(album.ShownPicture(album.Pictures().EntryAt(0)), nullptr);

  held.LetGo();
  album.Loader().StopLoading();
  EXPECT_EQ(album.Loader().LastOpenResult(), 0);
  EXPECT_TRUE(ui.messages.empty()) << ui.LastMessage();
  ASSERT_EQ(album.Pictures().Count(), 1);
  EXPECT_EQ(album.Pictures().EntryAt(0).fileName, "one.png");
  EXPECT_EQ(album.Record().DirPath(), first.string());
  EXPECT_EQ(fs::current_path(), first);
}

// The two ways a folder opens in part: Escape after the first pictures, or Yes at the limit
// question.
struct PartialOpen {
  const char* name;
  bool escape;
};

void PrintTo(const PartialOpen& way, std::ostream* out) { *out << way.name; }

class PartialAlbum : public AlbumLoad, public ::testing::WithParamInterface<PartialOpen> {};

// A partial album saved keeps the whole folder's arrangement: its pictures and the lines kept
// for the others are numbered together, so that the next opening of the whole folder shows
// the order the user last saw, a picture moved in the partial album included.
TEST_P(PartialAlbum, SavedAndReopenedWholeShowsTheUsersOrder) {
  const fs::path dir = SixPictures();
  if (GetParam().escape) {
    HeldLoad held(album, 3);
    ASSERT_EQ(album.Loader().BeginOpenDirectory(Open(dir), held.How()), 1);
    while (album.Pictures().Count() < 3) {
      ASSERT_TRUE(album.Loader().ContinueLoading());
      std::this_thread::yield();
    }
    held.LetGo();
    album.Loader().StopLoading();
  } else {
    album.Record().ChangeSettings([&](CAlbumSettings& s) { s.AdvancedSettings.SafePixNum = 3; });
    ui.answers = {MsgAnswer::Yes};
    ASSERT_EQ(album.Loader().OpenDirectory(Open(dir)), 1);
  }
  ASSERT_EQ(DisplayedIndexes(album), (std::vector<int>{2, 1, 0}));
  Arrange(album).MoveAfter(0, 2);
  Arrange(album).EntryAt(1).caption = "Changed";
  ASSERT_EQ(album.Record().WriteRecord(), 1);

  CPixDir whole(ui);
  ASSERT_EQ(whole.Loader().OpenDirectory(Open(dir)), 1);
  EXPECT_EQ(DisplayedIndexes(whole), (std::vector<int>{5, 4, 3, 2, 0, 1}));
  EXPECT_EQ(whole.Pictures().EntryAt(1).caption, "Changed");
  EXPECT_EQ(whole.Pictures().EntryAt(4).caption, "Caption 4");
  EXPECT_EQ(ui.MessageTexts().size(), GetParam().escape ? 0u : 1u);  // the limit question
}

INSTANTIATE_TEST_SUITE_P(Ways, PartialAlbum,
                         ::testing::Values(PartialOpen{"Escape", true},
                                           PartialOpen{"LimitYes", false}),
                         ByNameField());

}  // namespace
