#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>
#include <filesystem>
#include <string>
#include <vector>

#include "album/PictureFiles.h"
#include "album/PixDir.h"
#include "tests/support/FakePlatformUi.h"
#include "tests/support/TempDir.h"
#include "tests/support/TestAlbum.h"
#include "tests/support/TestPictures.h"

namespace fs = std::filesystem;

namespace {

// Five laid-out sketches at thumb size 120 and gap 6: display position p has its thumb
// square's top-left corner at (16 + 142 p, 40).
class AlbumOperations : public ::testing::Test {
 protected:
  void SetUp() override {
    FillAlbum(album, {"p0.jpg", "p1.jpg", "p2.jpg", "p3.jpg", "p4.jpg"});
    album.AttachView(&view);
    album.SheetControl().LayOut(1000);
  }
  // Moves the mouse to the middle of a sketch (or a point) and presses there.
  ClickResult ClickSketch(int position) { return Click(76 + 142 * position, 100); }
  ClickResult Click(int x, int y, EmptyClick empty = EmptyClick::ClearSelection) {
    album.SheetControl().HoverAt(x, y);
    return album.Editor().ClickAt(empty, x, y);
  }
  FakePlatformUi ui;
  CountingSheetView view;
  CPixDir album{ui};
};

TEST_F(AlbumOperations, ClickSelectsRestoresAndMarksTheRecord) {
  Arrange(album).EntryAt(2).omitted = 1;
  EXPECT_EQ(ClickSketch(2), ClickResult::Selected);
  EXPECT_EQ(album.Pictures().Selection(), 2);
  EXPECT_EQ(album.Pictures().EntryAt(2).omitted, 0);
  EXPECT_EQ(album.Record().Dirty(), 1);
  // The context menu's click keeps the selection.
  EXPECT_EQ(Click(5, 500, EmptyClick::KeepSelection), ClickResult::Nothing);
  EXPECT_EQ(album.Pictures().Selection(), 2);
  EXPECT_EQ(Click(5, 500), ClickResult::Deselected);
  EXPECT_EQ(album.Pictures().Selection(), -1);
  EXPECT_EQ(view.repaints, 2);
}

TEST_F(AlbumOperations, DropOnAnotherSketchMovesTheSelectionAfterIt) {
  ClickSketch(1);
  album.Record().MarkRecordCurrent();
  EXPECT_EQ(album.Editor().DropAt(76 + 142 * 3, 100, true), DropResult::Moved);
  EXPECT_EQ(DisplayedIndexes(album), (std::vector<int>{0, 2, 3, 1, 4}));
  EXPECT_EQ(ui.beeps, (std::vector<BeepKind>{BeepKind::Exclamation}));
  EXPECT_EQ(album.Record().Dirty(), 1);
  // Ten pixels above a frame still count as that sketch; the own sketch changes nothing.
  album.SheetControl().LayOut(1000);
  EXPECT_EQ(album.Editor().DropAt(76 + 142 * 3, 34 - 9, true), DropResult::Nothing);
  EXPECT_EQ(DisplayedIndexes(album), (std::vector<int>{0, 2, 3, 1, 4}));
  EXPECT_EQ(ui.beeps.size(), 1u);
  // The caption box under a sketch is part of it: the bottom of the fifth one.
  album.SheetControl().LayOut(1000);
  album.Editor().DropAt(76 + 142 * 4, 225, true);
  EXPECT_EQ(DisplayedIndexes(album), (std::vector<int>{0, 2, 3, 4, 1}));
  EXPECT_EQ(album.Pictures().EntryAt(1).omitted, 0);
}

TEST_F(AlbumOperations, DragOffTheSheetCrossesOutAndAClickRestores) {
  ClickSketch(4);
  // A plain release beside the sketches does nothing.
  EXPECT_EQ(album.Editor().DropAt(900, 500, false), DropResult::Nothing);
  EXPECT_EQ(album.Pictures().Selection(), 4);
  EXPECT_EQ(album.Editor().DropAt(900, 500, true), DropResult::CrossedOut);
  EXPECT_EQ(album.Pictures().EntryAt(4).omitted, 1);
  EXPECT_EQ(album.Pictures().Selection(), -1);
  EXPECT_EQ(ui.beeps.back(), BeepKind::Information);
  album.Editor().DropAt(900, 500, false);  // nothing selected any more
  EXPECT_EQ(ui.beeps.back(), BeepKind::Simple);
  ClickSketch(4);
  EXPECT_EQ(album.Pictures().EntryAt(4).omitted, 0);
}

TEST_F(AlbumOperations, CaptionDialogsTakeTheTextOnlyOnOk) {
  ui.captionReplies.push_back(CaptionDialogData{"Sunset", "July", ""});
  EXPECT_EQ(Click(76, 200), ClickResult::Caption);  // inside the first caption box
  ASSERT_EQ(ui.captionDialogsShown.size(), 1u);
  EXPECT_EQ(ui.captionDialogsShown[0].titleLine, "");
  EXPECT_EQ(album.Pictures().EntryAt(0).caption, "Sunset");
  EXPECT_EQ(album.Pictures().EntryAt(0).date, "July");
  EXPECT_EQ(album.Record().Dirty(), 1);

  ClickSketch(1);
  album.Record().MarkRecordCurrent();
  ui.captionReplies.push_back(std::nullopt);
  album.Editor().EditSelectedCaption();
  EXPECT_EQ(ui.captionDialogsShown[1].titleLine, "For selected image p1.jpg (No. 2)");
  EXPECT_EQ(album.Pictures().EntryAt(1).caption, "?");
  EXPECT_EQ(album.Record().Dirty(), 0);
}

TEST_F(AlbumOperations, HintDialogSwitchesLearningOffOnlyWhenTicked) {
  ui.hintReplies.push_back(std::nullopt);  // Escape: the box is not read
  album.ShowHint("text");
  EXPECT_EQ(album.Settings().GeneralSettings.Learning, 1);
  EXPECT_EQ(ui.hintDialogsShown[0].turnOffLearning, 0);
  ui.hintReplies.push_back(HintDialogData{"text", 1});
  album.ShowHint("text");
  EXPECT_EQ(album.Settings().GeneralSettings.Learning, 0);
}

TEST_F(AlbumOperations, CropForThumbNeedsSelectionWindowAndRectangle) {
  TempDir temp;
  album.Record().SetFolder(temp.Str(), "");
  Arrange(album).EntryAt(1).fullPath = (temp / "p1.jpg").string();
  ASSERT_EQ(MakePicture24(200, 100, GradientColour).Save(album.Pictures().EntryAt(1).fullPath), 0u);
  Arrange(album).EntryAt(1).fileStamp =
      StampOf(Arrange(album).EntryAt(1).fullPath);  // as the album read it
  const char* noRect = "Could not redefine Thumbsketch area\nNo rectangle?";
  EXPECT_EQ(album.Editor().CropForThumb(nullptr), 0);
  ClickSketch(1);
  EXPECT_EQ(album.Editor().CropForThumb(nullptr), 0);
  album.ShowFullSize();
  EXPECT_EQ(ui.pictureWindowsOpened, (std::vector<std::string>{"p1.jpg"}));
  EXPECT_EQ(album.Editor().CropForThumb(nullptr), 0);
  EXPECT_EQ(ui.MessageTexts(), (std::vector<std::string>{"No Selection", "No Full Size Display", noRect}));
  EXPECT_TRUE(album.Pictures().EntryAt(1).thumbRect.IsEmpty());

  ui.pictureWindows["p1.jpg"] = Rect{20, 10, 120, 60};
  album.Record().MarkRecordCurrent();
  EXPECT_EQ(album.Editor().CropForThumb(nullptr), 1);
  EXPECT_EQ(album.Pictures().EntryAt(1).thumbRect, (Rect{20, 10, 120, 60}));
  EXPECT_EQ(album.Pictures().EntryAt(1).thumb.displayWidth, 120);
  EXPECT_EQ(album.Pictures().EntryAt(1).thumb.displayHeight, 60);
  EXPECT_EQ(ui.LastMessage(), "Area for Thumbsketch redefined");
  EXPECT_EQ(album.Record().Dirty(), 1);
}

// A real album on disk: a PNG keeps its pixels exactly through a turn and a crop.
class OriginalOperations : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::create_directories(dir);
    ASSERT_EQ(MakePicture24(40, 20, CoordinateColour).Save(original), 0u);
    ASSERT_EQ(album.Loader().OpenDirectory(dir.string() + "/"), 1);
    album.SheetControl().LayOut(1000);
    album.SheetControl().HoverAt(76, 100);
    album.Editor().ClickAt(EmptyClick::ClearSelection, 76, 100);
    album.ShowFullSize();
  }
  CImageWrap Load(const fs::path& path) {
    FakePlatformUi quiet;
    CImageWrap picture;
    EXPECT_EQ(picture.Load(path.string(), quiet), 1) << path;
    return picture;
  }
  TempDir temp;
  fs::path dir = temp / "album";
  std::string original = (dir / "a.png").string();
  fs::path copy = dir / "Cropped" / "a.png";
  FakePlatformUi ui;
  CPixDir album{ui};
};

TEST_F(OriginalOperations, RotateRightTurnsTheFileClockwiseAndReopensTheWindow) {
  ASSERT_EQ(album.Editor().RotatePicture(nullptr, QuarterTurn::Right), 1);
  CImageWrap written;
  ASSERT_EQ(written.Load((dir / "a.png").string(), ui), 1);
  EXPECT_EQ(written.Width(), 20);
  EXPECT_EQ(written.Height(), 40);
  // Clockwise: the bottom-left pixel comes to the top-left corner.
  EXPECT_EQ(PixelAt(written, 0, 0), CoordinateColour(0, 19));
  EXPECT_EQ(ui.pictureWindowsOpened.size(), 2u);
  EXPECT_EQ(album.Pictures().EntryAt(0).thumb.displayHeight, 120);
  // The panes of the picture under the mouse tell its new size at once.
  EXPECT_EQ(ui.statusText[1], "(20x40)");
}

// After O the album shows the crop; R then turns the whole original and the crop, and the
// folder opened again shows the turned crop.
TEST_F(OriginalOperations, CropThenTurnKeepsTheWholeOriginalAndSurvivesReopening) {
  ui.pictureWindows["a.png"] = Rect{10, 5, 30, 15};
  ASSERT_EQ(album.Editor().CropOriginal(nullptr), 1);
  ASSERT_EQ(album.Editor().RotatePicture(nullptr, QuarterTurn::Right), 1);
  const CImageWrap turned = Load(original);
  ASSERT_EQ(turned.Width(), 20);
  ASSERT_EQ(turned.Height(), 40);
  EXPECT_EQ(PixelAt(turned, 0, 0), CoordinateColour(0, 19));
  const CImageWrap crop = Load(copy);
  ASSERT_EQ(crop.Width(), 10);
  ASSERT_EQ(crop.Height(), 20);
  EXPECT_EQ(PixelAt(crop, 0, 0), CoordinateColour(10, 14));
  EXPECT_EQ(PixelAt(*album.ShownPicture(album.Pictures().EntryAt(0)), 0, 0),
            CoordinateColour(10, 14));
  ASSERT_EQ(album.Record().WriteRecord(), 1);
  EXPECT_NE(ReadFileBytes(dir / "Quillaran.txt").find("\t0\t0 0 0 0\tC\n"), std::string::npos);

  CPixDir reopened(ui);
  ASSERT_EQ(reopened.Loader().OpenDirectory(dir.string() + "/"), 1);
  EXPECT_EQ(reopened.Pictures().EntryAt(0).cropped, 1);
  EXPECT_EQ(reopened.Pictures().EntryAt(0).pictureWidth, 10);
  EXPECT_EQ(PixelAt(*reopened.ShownPicture(reopened.Pictures().EntryAt(0)), 0, 0),
            CoordinateColour(10, 14));
  EXPECT_EQ(reopened.Pictures().EntryAt(0).thumb.displayHeight, 120);
}

TEST_F(OriginalOperations, ThumbRectangleTurnsWithThePicture) {
  Arrange(album).EntryAt(0).thumbRect = {0, 0, 20, 10};  // the top-left quarter
  ASSERT_EQ(album.Editor().RotatePicture(nullptr, QuarterTurn::Right), 1);
  EXPECT_EQ(album.Pictures().EntryAt(0).thumbRect, (Rect{10, 0, 20, 20}));
  EXPECT_EQ(album.Pictures().EntryAt(0).thumb.displayHeight, 120);
  EXPECT_EQ(album.Pictures().EntryAt(0).thumb.displayWidth, 60);
  ASSERT_EQ(album.Editor().RotatePicture(nullptr, QuarterTurn::Left), 1);
  EXPECT_EQ(album.Pictures().EntryAt(0).thumbRect, (Rect{0, 0, 20, 10}));
}

TEST_F(OriginalOperations, CropIntoALinkedCroppedSaysWhyAndWritesNothingThroughIt) {
  fs::create_directory(temp / "outside");
  fs::create_directory_symlink(temp / "outside", dir / "Cropped");
  ui.pictureWindows["a.png"] = Rect{10, 5, 30, 15};
  EXPECT_EQ(album.Editor().CropOriginal(nullptr), 0);
  EXPECT_EQ(ui.LastMessage(), "Could not write " + (dir / "Cropped").string() +
                                  ": it is a symbolic link, and the cropped copies stay inside the "
                                  "album folder\nNothing was changed.");
  EXPECT_TRUE(fs::is_empty(temp / "outside"));
}

// A disk that fills up as the copy is written: the folder made for it goes again, so that
// "Nothing was changed" holds.
TEST_F(OriginalOperations, ACropOnAFullDiskLeavesNoCroppedFolderBehind) {
  ui.pictureWindows["a.png"] = Rect{10, 5, 30, 15};
  rlimit normal{};
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &normal), 0);
  rlimit full = normal;
  full.rlim_cur = 16;  // the bytes any file may grow to
  const auto handler = std::signal(SIGXFSZ, SIG_IGN);
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &full), 0);
  const int cropped = album.Editor().CropOriginal(nullptr);
  setrlimit(RLIMIT_FSIZE, &normal);
  std::signal(SIGXFSZ, handler);
  EXPECT_EQ(cropped, 0);
  EXPECT_EQ(ui.LastMessage(), "Could not write " + copy.string() + "\nNothing was changed.");
  EXPECT_FALSE(fs::exists(dir / "Cropped"));
  EXPECT_EQ(album.Pictures().EntryAt(0).cropped, 0);
}

// A record from elsewhere may say that a picture shows its cropped copy. A copy that is a link,
// or lies in a linked Cropped, could be any file of the user's: it is neither shown (nor so
// published) nor turned.
TEST_F(OriginalOperations, CroppedCopyThroughALinkIsNeitherShownNorTurned) {
  const std::string outside = (temp / "outside" / "a.png").string();
  fs::create_directory(temp / "outside");
  ASSERT_EQ(MakePicture24(10, 10, CoordinateColour).Save(outside), 0u);
  const std::string outsideBytes = ReadFileBytes(outside);
  const std::string originalBytes = ReadFileBytes(original);
  Arrange(album).EntryAt(0).cropped = 1;
  ASSERT_EQ(album.Record().WriteRecord(), 1);
  const std::string linked = copy.string() +
                             ": it or its folder is a symbolic link, and the album's files stay "
                             "inside its folder";
  for (const bool linkedFolder : {false, true}) {
    fs::remove_all(dir / "Cropped");
    if (linkedFolder) {
      fs::create_directory_symlink(temp / "outside", dir / "Cropped");
    } else {
      fs::create_directory(dir / "Cropped");
      fs::create_symlink(outside, copy);
    }
    FakePlatformUi reopenedUi;
    CPixDir reopened(reopenedUi);
    ASSERT_EQ(reopened.Loader().OpenDirectory(dir.string() + "/"), 1);
    EXPECT_EQ(reopened.Pictures().EntryAt(0).cropped, 0);
    EXPECT_EQ(reopened.Pictures().EntryAt(0).pictureWidth, 40);
    EXPECT_EQ(reopenedUi.MessageTexts(), std::vector<std::string>{"Cannot read " + linked});
    // The record keeps the mark that the user's crop left there.
    ASSERT_EQ(reopened.Record().WriteRecord(), 1);
    EXPECT_NE(ReadFileBytes(dir / "Quillaran.txt").find("\tC\n"), std::string::npos);

    CAlbumEntry entry = std::move(Arrange(reopened).EntryAt(0));
    entry.cropped = 1;
    EXPECT_EQ(TurnPictureFiles(entry, dir.string(), 1), linked);
    EXPECT_EQ(ReadFileBytes(original), originalBytes);
    EXPECT_EQ(ReadFileBytes(outside), outsideBytes);
  }
}

TEST_F(OriginalOperations, CropOriginalWritesTheCopyAndLeavesTheFile) {
  ui.pictureWindows["a.png"] = Rect{10, 5, 30, 15};
  ASSERT_EQ(album.Editor().CropOriginal(nullptr), 1);
  CImageWrap copy;
  ASSERT_EQ(copy.Load((dir / "Cropped" / "a.png").string(), ui), 1);
  EXPECT_EQ(copy.Width(), 20);
  EXPECT_EQ(PixelAt(copy, 0, 0), CoordinateColour(10, 5));
  CImageWrap original;
  ASSERT_EQ(original.Load((dir / "a.png").string(), ui), 1);
  EXPECT_EQ(original.Width(), 40);
  EXPECT_EQ(album.Pictures().EntryAt(0).pictureWidth, 20);
}

}  // namespace

namespace {

// What became of the original on disk since the folder was opened.
enum class Change { ReplacedByACopy, Rewritten, Deleted };

struct ChangedFileCase {
  Change change;
  bool crop;  // O, else R
};

class ChangedOnDisk : public OriginalOperations,
                      public ::testing::WithParamInterface<ChangedFileCase> {};

// R and O never write over a file that is no longer the one the album read, nor make it again.
TEST_P(ChangedOnDisk, WritesNothingAndNamesTheFile) {
  const ChangedFileCase& c = GetParam();
  const std::string bytes = ReadFileBytes(original);
  std::string expected = bytes;
  if (c.change == Change::ReplacedByACopy) {
    fs::copy_file(original, original + ".new");
    fs::rename(original + ".new", original);
  } else if (c.change == Change::Rewritten) {
    ASSERT_EQ(MakePicture24(40, 20, GradientColour).Save(original), 0u);
    expected = ReadFileBytes(original);
  } else {
    fs::remove(original);
  }
  ui.pictureWindows["a.png"] = Rect{10, 5, 30, 15};
  EXPECT_EQ(c.crop ? album.Editor().CropOriginal(nullptr)
                   : album.Editor().RotatePicture(nullptr, QuarterTurn::Right),
            0);
  EXPECT_EQ(ui.LastMessage().rfind(original + "\nhas been changed or removed", 0), 0u)
      << ui.LastMessage();
  EXPECT_EQ(fs::exists(original), c.change != Change::Deleted);
  if (c.change != Change::Deleted) {
    EXPECT_EQ(ReadFileBytes(original), expected);
  }
  EXPECT_FALSE(fs::exists(copy));
  EXPECT_EQ(album.Pictures().EntryAt(0).pictureWidth, 40);
}

INSTANTIATE_TEST_SUITE_P(Cases, ChangedOnDisk, ::testing::Values(
    ChangedFileCase{Change::ReplacedByACopy, false}, ChangedFileCase{Change::Rewritten, false},
    ChangedFileCase{Change::Deleted, false}, ChangedFileCase{Change::Rewritten, true},
    ChangedFileCase{Change::Deleted, true}),
    [](const auto& info) {
      const Change change = info.param.change;
      return std::string(info.param.crop ? "Crop" : "Turn") +
             (change == Change::ReplacedByACopy ? "ReplacedByACopy"
              : change == Change::Rewritten     ? "Rewritten"
                                                : "Deleted");
    });

}  // namespace
