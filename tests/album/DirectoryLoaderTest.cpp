#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "album/AlbumPath.h"
#include "album/ImageFind.h"
#include "album/PixDir.h"
#include "tests/support/ColourProfiles.h"
#include "tests/support/FakePlatformUi.h"
#include "tests/support/TempDir.h"
#include "tests/support/TestAlbum.h"
#include "tests/support/TestPictures.h"

namespace fs = std::filesystem;

namespace {

class DirectoryLoading : public ::testing::Test {
 protected:
  // Writes a small picture file whose top-left pixel tells which one it is.
  void WritePicture(const fs::path& dir, const std::string& name, int width = 40, int height = 30,
                    uint8_t tag = 0) {
    fs::create_directories(dir);
    CImageWrap image = MakePicture24(width, height, [tag](int x, int y) {
      return Rgb{tag, static_cast<uint8_t>(x * 4), static_cast<uint8_t>(y * 4)};
    });
    ASSERT_EQ(image.Save((dir / name).string()), 0u) << name;
  }
  std::vector<std::string> FileNames() {
    std::vector<std::string> names;
    for (int i = 0; i < album.Pictures().Count(); ++i) {
      names.push_back(album.Pictures().EntryAt(i).fileName);
    }
    return names;
  }
  std::string Open(const fs::path& dir) { return dir.string() + "/"; }

  TempDir temp;
  FakePlatformUi ui;
  CPixDir album{ui};
};

TEST_F(DirectoryLoading, FindsOnlyPictureExtensionsSortedByNameIgnoringCase) {
  const fs::path dir = temp / "pics";
  fs::create_directories(dir / "sub.jpg");
  for (const char* name : {"b.JPG", "A.png", "c.jpeg", "d.tif", "a.Gif", "e.bmp", "jpg", ".png",
                           "f.HEIC", "g.webp", "h.tiff.txt", "i.Avif"}) {
    temp.WriteFile(std::string("pics/") + name, "x");
  }
  CImageFind finder;
  ASSERT_EQ(finder.Find(dir.string()), 9);
  EXPECT_EQ(fs::current_path(), dir);
  std::vector<std::string> found;
  for (int i = 0; i < finder.Count(); ++i) {
    found.push_back(fs::path(finder.GetAt(i)).filename().string());
  }
  EXPECT_EQ(found, (std::vector<std::string>{".png", "a.Gif", "A.png", "b.JPG", "d.tif", "e.bmp",
                                             "f.HEIC", "g.webp", "i.Avif"}));
  EXPECT_EQ(finder.GetAt(9), "");
  EXPECT_EQ(finder.GetAt(-1), "");
}

// A save killed before its rename left its temporary file in the album for good. Opening the
// directory removes those of processes that no longer run, and no other file.
TEST_F(DirectoryLoading, LeftoversOfKilledSavesAreRemoved) {
  const fs::path dir = temp / "pics";
  WritePicture(dir, "a.png");
  const pid_t child = fork();
  if (child == 0) {
    _exit(0);
  }
  ASSERT_GT(child, 0);
  waitpid(child, nullptr, 0);
  const std::string dead = ".quillaran-" + std::to_string(child) + "-0.tmp";
  const std::string running = ".quillaran-" + std::to_string(getpid()) + "-7.tmp";
  const std::vector<std::string> kept = {running, ".quillaran-x-1.tmp", ".quillaran-12.tmp",
                                         "Thumbs/" + running};
  for (const std::string& name : {dead, "Thumbs/" + dead, "Large/" + dead}) {
    temp.WriteFile("pics/" + name, "half");
  }
  for (const std::string& name : kept) {
    temp.WriteFile("pics/" + name, "half");
  }
  ASSERT_EQ(album.Loader().OpenDirectory(Open(dir)), 1);
  for (const std::string& name : {dead, "Thumbs/" + dead, "Large/" + dead}) {
    EXPECT_FALSE(fs::exists(dir / name)) << name;
  }
  for (const std::string& name : kept) {
    EXPECT_TRUE(fs::exists(dir / name)) << name;
  }
}

// The album keeps sketches, not pictures, so any number of pictures loads; a JPEG is decoded
// no larger than its sketch needs, a PNG is reduced as its rows are read. Only a picture whose
// decode alone needs more than the memory budget is left out, with a message, instead of the
// system killing the program.
TEST_F(DirectoryLoading, OnlyAPictureAboveTheMemoryBudgetIsLeftOut) {
  const fs::path dir = temp / "pics";
  WritePicture(dir, "a.png", 40, 30);
  WritePicture(dir, "b.bmp", 1400, 1000);  // 4.2 MB decoded: a BMP decodes whole
  WritePicture(dir, "c.jpg", 2400, 1800);  // 13 MB whole, 0.2 MB at 1/8
  WritePicture(dir, "d.png", 2400, 1800);  // 13 MB whole, 0.2 MB reduced by 20
  album.SetPictureMemoryBudget(4 << 20);
  ASSERT_EQ(album.Loader().OpenDirectory(Open(dir)), 1);
  EXPECT_EQ(FileNames(), (std::vector<std::string>{"a.png", "c.jpg", "d.png"}));
  EXPECT_EQ(album.Pictures().EntryAt(1).pictureWidth, 2400);
  EXPECT_EQ(album.Pictures().EntryAt(2).pictureWidth, 2400);
  EXPECT_EQ(album.Pictures().EntryAt(2).thumb.bitmap.Width(), 120);
  const std::vector<std::string> messages = ui.MessageTexts();
  // One message says why: the decoder's "not enough memory" does not follow it.
  EXPECT_EQ(messages, (std::vector<std::string>{"Image " + (dir / "b.bmp").string() +
                                                " needs 4 MB to be decoded, more than the 4 MB "
                                                "that Quillaran lets its pictures take at once"}));
}

TEST_F(DirectoryLoading, LoadsEveryPictureDatesItAndBuildsThumbs) {
  const fs::path dir = temp / "Holiday 2026";
  WritePicture(dir, "b.png", 240, 120, 2);
  WritePicture(dir, "a.jpg", 60, 120, 1);
  temp.WriteFile("Holiday 2026/notes.txt", "not a picture");
  album.Record().ChangeSettings([&](CAlbumSettings& s) { s.AdvancedSettings.KeepLog = 0; });
  ASSERT_EQ(album.Loader().OpenDirectory(Open(dir)), 1);
  EXPECT_EQ(album.Record().DirPath(), dir.string());
  EXPECT_EQ(album.Record().DirName(), "Holiday 2026");
  EXPECT_EQ(fs::current_path(), dir);
  ASSERT_EQ(album.Pictures().Count(), 2);
  EXPECT_EQ(FileNames(), (std::vector<std::string>{"a.jpg", "b.png"}));
  for (int i = 0; i < 2; ++i) {
    const CAlbumEntry& e = album.Pictures().EntryAt(i);
    EXPECT_EQ(e.index, i);
    EXPECT_EQ(e.order, i);
    EXPECT_EQ(e.caption, "?");
    EXPECT_EQ(e.omitted, 0);
    EXPECT_FALSE(e.date.empty());
    EXPECT_EQ(e.fullPath, (dir / e.fileName).string());
    EXPECT_TRUE(e.thumb.HasBitmap());
    EXPECT_EQ(&album.Pictures().EntryAtPosition(i), &e);
  }
  // 240 x 120 at thumb size 120: factor 2, display 120 x 60.
  EXPECT_EQ(album.Pictures().EntryAt(1).thumb.displayWidth, 120);
  EXPECT_EQ(album.Pictures().EntryAt(1).thumb.displayHeight, 60);
  EXPECT_EQ(album.Pictures().EntryAt(1).thumb.Width(), 120);
  EXPECT_EQ(album.Record().Dirty(), 0);
  EXPECT_EQ(album.Pictures().Selection(), -1);
  EXPECT_EQ(ui.statusCounts.back(), "2 Images read");
  EXPECT_TRUE(ui.messages.empty()) << ui.LastMessage();
  EXPECT_EQ(ui.waitCursorDepth, 0);
}

TEST_F(DirectoryLoading, APathOfAFileInsideOpensItsDirectory) {
  const fs::path dir = temp / "d";
  WritePicture(dir, "x.bmp");
  ASSERT_EQ(album.Loader().OpenDirectory((dir / "x.bmp").string()), 1);
  EXPECT_EQ(album.Record().DirPath(), dir.string());
  EXPECT_EQ(album.Pictures().EntryAt(0).fileName, "x.bmp");
}

TEST_F(DirectoryLoading, EverySpellingOfTheDirectoryOpensTheSameAlbum) {
  const fs::path dir = temp / "a" / "b";
  WritePicture(dir, "pic one.bmp");
  WritePicture(dir, "x.bmp");
  const std::string absolute = dir.string();
  for (const std::string& form : {absolute, absolute + "/", absolute + "//", std::string("a/b"),
                                  std::string("./a/b/../b"), absolute + "/x.bmp"}) {
    SCOPED_TRACE(form);
    fs::current_path(temp.Path());
    ASSERT_EQ(album.Loader().OpenDirectory(form), 1);
    EXPECT_EQ(album.Record().DirPath(), absolute);
    EXPECT_EQ(album.Record().DirName(), "b");
    EXPECT_EQ(FileNames(), (std::vector<std::string>{"pic one.bmp", "x.bmp"}));
  }
  for (const char* root : {"/", "//", "/no-such-picture.jpg"}) {
    std::string path;
    std::string name;
    ASSERT_TRUE(AlbumDirectoryOf(root, path, name)) << root;
    EXPECT_EQ(path, "/");
    EXPECT_EQ(name, "/");
  }
}

TEST_F(DirectoryLoading, APathWithoutUsableSlashChangesNothing) {
  fs::current_path(temp.Path());
  EXPECT_EQ(album.Loader().OpenDirectory("nothing"), 0);
  EXPECT_EQ(album.Loader().OpenDirectory(""), 0);
  EXPECT_EQ(album.Record().DirPath(), "");
  EXPECT_TRUE(ui.messages.empty());
}

TEST_F(DirectoryLoading, ThirtyThreePicturesAskTheLimitQuestion) {
  const fs::path dir = temp / "many";
  for (int i = 0; i < 33; ++i) {
    char name[16];
    std::snprintf(name, sizeof name, "p%02d.bmp", i);
    WritePicture(dir, name, 8, 8);
  }
  ui.answers = {MsgAnswer::Yes};
  ASSERT_EQ(album.Loader().OpenDirectory(Open(dir)), 1);
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].text,
            "Your directory has 33 pictures that exceeds 32 which is the number Quillaran\n"
            "can handle efficiently. While the program can handle any number of pictures,\n"
            "its performance drops significantly as the number of pictures increase.\n"
            "Do you want to limit the number of pictures to 32?");
  EXPECT_EQ(ui.messages[0].buttons, MsgButtons::YesNoCancel);
  EXPECT_EQ(ui.messages[0].icon, MsgIcon::None);
  EXPECT_EQ(album.Pictures().Count(), 32);
  EXPECT_EQ(album.Pictures().EntryAt(31).fileName, "p31.bmp");
  // Progress at every tenth picture, then the total.
  EXPECT_EQ(ui.statusCounts,
            (std::vector<std::string>{"10 Images read", "20 Images read", "30 Images read",
                                      "32 Images read"}));

  ui.answers = {MsgAnswer::No};
  ASSERT_EQ(album.Loader().OpenDirectory(Open(dir)), 1);
  EXPECT_EQ(album.Pictures().Count(), 33);
}

TEST_F(DirectoryLoading, CancellingTheLimitKeepsTheAlbumAndItsDirectory) {
  const fs::path first = temp / "first";
  WritePicture(first, "one.bmp");
  ASSERT_EQ(album.Loader().OpenDirectory(Open(first)), 1);
  album.Editor().Select(0);
  const fs::path many = temp / "many";
  for (int i = 0; i < 5; ++i) {
    WritePicture(many, "m" + std::to_string(i) + ".bmp", 8, 8);
  }
  album.Record().ChangeSettings([&](CAlbumSettings& s) { s.AdvancedSettings.SafePixNum = 4; });
  ui.answers = {MsgAnswer::Cancel};
  EXPECT_EQ(album.Loader().OpenDirectory(Open(many)), 0);
  EXPECT_EQ(album.Pictures().Selection(), 0);  // the album on screen keeps its selection
  EXPECT_EQ(album.Pictures().Count(), 1);
  EXPECT_EQ(album.Pictures().EntryAt(0).fileName, "one.bmp");
  EXPECT_EQ(album.Record().DirPath(), first.string());
  EXPECT_EQ(album.Record().DirName(), "first");
  EXPECT_EQ(fs::current_path(), first);
}

// The lines of the pictures left out by the limit, or unreadable, are written again as they
// were but for their order, which they share with the album's pictures so that each place is
// taken once; only the line of a file that is gone is dropped.
TEST_F(DirectoryLoading, ALimitedAlbumKeepsTheRecordLinesOfThePicturesLeftOut) {
  const fs::path dir = temp / "limited";
  for (const char* name : {"p0.bmp", "p1.bmp", "p2.bmp"}) {
    WritePicture(dir, name, 8, 8);
  }
  temp.WriteFile("limited/bad.png", "not a picture");
  const std::string kept = "p2.bmp\tThird\tdawn\t0\t1 1 5 5\tX";
  temp.WriteFile("limited/Quillaran.txt", "QLNV_A t120 x2000 p600 f2 d0 c0 #maroon\n"
                                          "bad.png\tBroken\t\t3\n"
                                          "p0.bmp\tFirst\t\t1\n"
                                          "gone.bmp\tGone\t\t4\n" + kept + "\n"
                                          "p1.bmp\tSecond\t\t2\n");
  album.Record().ChangeSettings([&](CAlbumSettings& s) { s.AdvancedSettings.SafePixNum = 3; });
  ui.answers = {MsgAnswer::Yes};
  ASSERT_EQ(album.Loader().OpenDirectory(Open(dir)), 1);
  ASSERT_EQ(FileNames(), (std::vector<std::string>{"p0.bmp", "p1.bmp"}));
  Arrange(album).EntryAt(0).caption = "First, changed";
  ASSERT_EQ(album.Record().WriteRecord(), 1);
  EXPECT_EQ(ReadFileBytes(dir / "Quillaran.txt"),
            "QLNV_A t120 x2000 p600 f2 d0 c0 #maroon\n"
            "p0.bmp\tFirst, changed\t" +
                album.Pictures().EntryAt(0).date +
                "\t1\n"
                "p1.bmp\tSecond\t" +
                album.Pictures().EntryAt(1).date +
                "\t2\n"
                "bad.png\tBroken\t\t3\n" +
                kept + "\n");
}

TEST_F(DirectoryLoading, NoPictureOrEveryFileSkippedKeepsTheAlbumOnScreen) {
  const fs::path first = temp / "first";
  WritePicture(first, "one.bmp");
  ASSERT_EQ(album.Loader().OpenDirectory(Open(first)), 1);

  const fs::path empty = temp / "empty";
  fs::create_directories(empty);
  EXPECT_EQ(album.Loader().OpenDirectory(Open(empty)), 0);
  EXPECT_EQ(ui.LastMessage(), "No readable image files in this directory:\n" + empty.string());

  const fs::path broken = temp / "broken";
  temp.WriteFile("broken/bad.jpg", "this is not a picture");
  temp.WriteFile("broken/empty.png", "");
  ui.messages.clear();
  EXPECT_EQ(album.Loader().OpenDirectory(Open(broken)), 0);
  ASSERT_FALSE(ui.messages.empty());
  EXPECT_EQ(ui.LastMessage(), "No readable image files in this directory:\n" + broken.string());
  EXPECT_EQ(album.Pictures().Count(), 1);
  EXPECT_TRUE(album.Pictures().EntryAt(0).thumb.HasBitmap());
  EXPECT_EQ(album.Record().DirPath(), first.string());
  EXPECT_EQ(fs::current_path(), first);
}

TEST_F(DirectoryLoading, AnUndecodableFileLeavesNoGap) {
  const fs::path dir = temp / "gap";
  WritePicture(dir, "a.bmp", 10, 10, 1);
  temp.WriteFile("gap/b.jpg", std::string("\xFF\xD8\xFF\xE0 damaged", 12));
  WritePicture(dir, "c.bmp", 10, 10, 3);
  ASSERT_EQ(album.Loader().OpenDirectory(Open(dir)), 1);
  ASSERT_EQ(album.Pictures().Count(), 2);
  EXPECT_EQ(FileNames(), (std::vector<std::string>{"a.bmp", "c.bmp"}));
  EXPECT_EQ(album.Pictures().EntryAt(1).index, 1);
  EXPECT_EQ(PixelAt(album.Pictures().EntryAt(1).thumb, 0, 0).red, 3);
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].text.rfind("Load image " + (dir / "b.jpg").string() + " failed:", 0), 0u);
}

// A picture whose colour profile cannot be used is loaded all the same, and its line says so.
TEST_F(DirectoryLoading, TheRunLogShowsEveryAttemptAndEveryLoad) {
  const fs::path dir = temp / "logged";
  WritePicture(dir, "a.bmp");
  temp.WriteFile("logged/b.gif", "GIF89a broken");
  WritePicture(dir, "c.jpg");
  temp.WriteFile("logged/c.jpg", JpegWithProfile(ReadFileBytes(dir / "c.jpg"),
                                                 AdobeRgbLikeProfile(), 200, false, 2));
  fs::current_path(temp.Path());
  album.Record().ChangeSettings([&](CAlbumSettings& s) { s.AdvancedSettings.KeepLog = 1; });
  album.Record().OpenLog();
  ASSERT_EQ(album.Loader().OpenDirectory(Open(dir)), 1);
  album.Record().CloseLog();
  EXPECT_EQ(album.Pictures().Count(), 2);
  const std::string log = ReadFileBytes(temp / "QuillaranLog.txt");
  const std::string c = (dir / "c.jpg").string();
  const std::string expected = "Attempting " + (dir / "a.bmp").string() + "\nOK\nAttempting " +
                               (dir / "b.gif").string() + "\nAttempting " + c + "\n" + c +
                               ": colour profile not used (the profile is damaged), colours "
                               "shown as sRGB\nOK\n";
  EXPECT_NE(log.find(expected), std::string::npos) << log;
  EXPECT_EQ(log.substr(log.size() - expected.size()), expected);
}

TEST_F(DirectoryLoading, TheRecordFileIsMergedAndOrdersTheDisplay) {
  const fs::path dir = temp / "recorded";
  WritePicture(dir, "a.bmp");
  WritePicture(dir, "b.bmp");
  temp.WriteFile("recorded/Quillaran.txt",
                 "QLNV_A t100 x2000 p600 f2 d0 c0 #navy\n"
                 "a.bmp\tFirst\t1:00pm Jan 1, 2026\t1\n"
                 "b.bmp\tSecond\t2:00pm Jan 1, 2026\t0\t0 0 20 20\n");
  ASSERT_EQ(album.Loader().OpenDirectory(Open(dir)), 1);
  EXPECT_EQ(album.Pictures().EntryAtPosition(0).fileName, "b.bmp");
  EXPECT_EQ(album.Pictures().EntryAt(0).caption, "First");
  EXPECT_EQ(album.Settings().GeneralSettings.ThumbSize, 100);
  // b's thumb shows its 20 x 20 rectangle at thumb size 100.
  EXPECT_EQ(album.Pictures().EntryAt(1).thumb.displayWidth, 100);
  EXPECT_EQ(album.Pictures().EntryAt(1).thumb.Width(), 20);
}

// A picture thinner than its reduction factor still gets a thumb, one pixel on its short side.
TEST_F(DirectoryLoading, APictureThinnerThanItsFactorGetsAThumbOnePixelHigh) {
  const fs::path dir = temp / "thin";
  WritePicture(dir, "long.bmp", 500, 2);
  WritePicture(dir, "ok.bmp", 20, 20);
  ASSERT_EQ(album.Loader().OpenDirectory(Open(dir)), 1);
  EXPECT_EQ(album.Pictures().Count(), 2);
  EXPECT_TRUE(ui.messages.empty()) << ui.LastMessage();
  EXPECT_EQ(album.Pictures().EntryAt(0).thumb.Width(), 100);
  EXPECT_EQ(album.Pictures().EntryAt(0).thumb.Height(), 1);
  EXPECT_EQ(album.Pictures().EntryAt(0).thumb.displayHeight, 1);
  EXPECT_TRUE(album.Pictures().EntryAt(1).thumb.HasBitmap());
}

}  // namespace
