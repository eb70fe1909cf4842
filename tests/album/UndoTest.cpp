#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "appcore/OptionsApply.h"
#include "appcore/WindowTitle.h"
#include "tests/album/UndoFixture.h"
#include "tests/support/CaseName.h"
#include "tests/support/TestAlbum.h"
#include "tests/support/TestPictures.h"

namespace fs = std::filesystem;

namespace {

struct ChangeCase {
  const char* name;  // what the menu's "Undo ..." says
  std::function<void(UndoFixture&)> change;
  std::function<void(UndoFixture&)> prepare = [](UndoFixture&) {};
};

class UndoEachChange : public UndoFixture, public ::testing::WithParamInterface<ChangeCase> {};

// Each change is undone back to the album and the folder as they were, the record as saved
// then current again (no star in the title), and made again exactly, marking the record out
// of date as the change did.
TEST_P(UndoEachChange, GoesBackAndComesAgain) {
  GetParam().prepare(*this);
  ASSERT_EQ(album.Record().WriteRecord(), 1);
  const std::vector<std::string> before = Pictures();
  const auto filesBefore = Files();
  GetParam().change(*this);
  const std::vector<std::string> after = Pictures();
  const auto filesAfter = Files();
  ASSERT_NE(after, before);
  EXPECT_EQ(album.Editor().History().UndoName(), GetParam().name);

  EXPECT_EQ(WindowTitle(album), "album* - Quillaran");
  ASSERT_EQ(album.Editor().Undo(nullptr), 1);
  EXPECT_EQ(Pictures(), before);
  EXPECT_EQ(Files(), filesBefore);
  EXPECT_EQ(WindowTitle(album), "album - Quillaran");
  EXPECT_EQ(album.Editor().History().RedoName(), GetParam().name);

  ASSERT_EQ(album.Editor().Redo(nullptr), 1);
  EXPECT_EQ(Pictures(), after);
  EXPECT_EQ(Files(), filesAfter);
  EXPECT_EQ(album.Record().Dirty(), 1);
  EXPECT_EQ(Errors(), std::vector<std::string>{});
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, UndoEachChange,
    ::testing::Values(
        ChangeCase{"Move", [](UndoFixture& f) { f.Move(0, 2); }},
        ChangeCase{"X-out", [](UndoFixture& f) { f.CrossOut(1); }},
        ChangeCase{"Restore", [](UndoFixture& f) { f.Restore(3); },
                   [](UndoFixture& f) { f.CrossOut(3); }},
        ChangeCase{"Caption", [](UndoFixture& f) { f.Caption(1, "Lake", "July"); }},
        ChangeCase{"Thumb Area",
                   [](UndoFixture& f) {
                     f.ThumbArea(1, {2, 4, 20, 30});
                   }},
        ChangeCase{"Rotate Right", [](UndoFixture& f) { f.Turn(0, QuarterTurn::Right); }},
        ChangeCase{"Rotate Left", [](UndoFixture& f) { f.Turn(3, QuarterTurn::Left); }},
        ChangeCase{"Crop Original",
                   [](UndoFixture& f) {
                     f.CropOriginal(1, {2, 4, 20, 30});
                   }},
        // A crop of the crop puts the first one back.
        ChangeCase{"Crop Original",
                   [](UndoFixture& f) {
                     f.CropOriginal(3, {8, 8, 40, 24});
                   },
                   [](UndoFixture& f) {
                     f.CropOriginal(3, {0, 0, 48, 32});
                   }},
        ChangeCase{"Sort by Name", [](UndoFixture& f) { f.album.Editor().SortByName(); },
                   [](UndoFixture& f) { f.Move(0, 3); }}),
    // Two crops: the name tells the menu's text, the number the case.
    [](const auto& info) { return CaseName(info.param.name) + "_" + std::to_string(info.index); });

// The star goes with the point at which the record was saved, whichever way the steps lead
// back to it; options applied since leave no way back.
TEST_F(UndoFixture, TheTitlesStarFollowsThePointOfTheSave) {
  Caption(0, "one", "");
  ASSERT_EQ(album.Record().WriteRecord(), 1);
  Caption(1, "two", "");
  const std::vector<std::pair<int (CAlbumEditor::*)(WindowRef), const char*>> steps = {
      {&CAlbumEditor::Undo, "album - Quillaran"},
      {&CAlbumEditor::Undo, "album* - Quillaran"},
      {&CAlbumEditor::Redo, "album - Quillaran"},
      {&CAlbumEditor::Redo, "album* - Quillaran"}};
  for (const auto& [step, title] : steps) {
    ASSERT_EQ((album.Editor().*step)(nullptr), 1);
    EXPECT_EQ(WindowTitle(album), title);
  }
  CAdvancedSettings advanced = album.Settings().AdvancedSettings;
  ApplyOptions(album, CGeneralSettings(album.Settings().GeneralSettings),
               CWebViewSettings(album.Settings().WebViewSettings), advanced);
  ASSERT_EQ(album.Editor().Undo(nullptr), 1);
  EXPECT_EQ(WindowTitle(album), "album* - Quillaran");
}

TEST_F(UndoFixture, NothingToUndoOrRedoChangesNothing) {
  Caption(0, "?",
          album.Pictures().EntryAt(0).date);  // the dialog's OK without a change is no change
  album.Editor().SortByName();                // already in name order
  EXPECT_FALSE(album.Editor().History().CanUndo());
  EXPECT_EQ(album.Editor().Undo(nullptr), 0);
  EXPECT_EQ(album.Editor().Redo(nullptr), 0);
}

TEST_F(UndoFixture, ANewChangeDropsWhatWasUndoneAndAnotherFolderForgetsAll) {
  Caption(0, "one", "");
  Caption(0, "two", "");
  ASSERT_EQ(album.Editor().Undo(nullptr), 1);
  Caption(1, "three", "");
  EXPECT_FALSE(album.Editor().History().CanRedo());
  ASSERT_EQ(album.Editor().Undo(nullptr), 1);
  ASSERT_EQ(album.Editor().Undo(nullptr), 1);
  EXPECT_EQ(album.Pictures().EntryAt(0).caption, "?");
  Caption(0, "four", "");
  ASSERT_EQ(album.Loader().OpenDirectory(dir.string()), 1);
  EXPECT_FALSE(album.Editor().History().CanUndo());
  EXPECT_FALSE(album.Editor().History().CanRedo());
}

// What became of a file between a turn or a crop and its undo, or a redo.
struct ChangedCase {
  const char* name;
  std::function<void(UndoFixture&)> change;     // then undone, when redo is set
  bool redo;
  std::function<fs::path(UndoFixture&)> touch;  // changes a file on disk; which one
};

class ChangedSince : public UndoFixture, public ::testing::WithParamInterface<ChangedCase> {};

// A file that changed on disk since is someone's newer work: the step is refused with its
// name, writes nothing, and stays to be tried again.
TEST_P(ChangedSince, RefusesAndWritesNothing) {
  const ChangedCase& c = GetParam();
  c.change(*this);
  if (c.redo) {
    ASSERT_EQ(album.Editor().Undo(nullptr), 1);
  }
  const fs::path touched = c.touch(*this);
  const auto files = Files();
  const auto pictures = Pictures();
  EXPECT_EQ(c.redo ? album.Editor().Redo(nullptr) : album.Editor().Undo(nullptr), 0);
  EXPECT_EQ(ui.LastMessage().rfind(touched.string() + "\nhas been changed or removed", 0), 0u)
      << ui.LastMessage();
  EXPECT_EQ(Files(), files);
  EXPECT_EQ(Pictures(), pictures);
  EXPECT_TRUE(c.redo ? album.Editor().History().CanRedo() : album.Editor().History().CanUndo());
}

fs::path Rewrite(const fs::path& path) {
  EXPECT_EQ(MakePicture24(8, 8, GradientColour).Save(path.string()), 0u);
  return path;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ChangedSince,
    ::testing::Values(
        ChangedCase{"TurnedOriginal", [](UndoFixture& f) { f.Turn(0, QuarterTurn::Right); }, false,
                    [](UndoFixture& f) { return Rewrite(f.dir / "a.png"); }},
        ChangedCase{"CroppedCopy", [](UndoFixture& f) { f.CropOriginal(0, {2, 2, 30, 18}); },
                    false, [](UndoFixture& f) { return Rewrite(f.dir / "Cropped" / "a.png"); }},
        // The same file, but through a link put in its place: the link may lead anywhere.
        ChangedCase{"CopyReplacedByALink",
                    [](UndoFixture& f) { f.CropOriginal(0, {2, 2, 30, 18}); }, false,
                    [](UndoFixture& f) {
                      const fs::path copy = f.dir / "Cropped" / "a.png";
                      fs::rename(copy, f.temp / "a.png");
                      fs::create_symlink(f.temp / "a.png", copy);
                      return copy;
                    }},
        ChangedCase{"CopyThatTurnedUp",
                    [](UndoFixture& f) { f.CropOriginal(0, {2, 2, 30, 18}); }, true,
                    [](UndoFixture& f) {
                      fs::create_directory(f.dir / "Cropped");
                      return Rewrite(f.dir / "Cropped" / "a.png");
                    }}),
    [](const auto& info) { return std::string(info.param.name); });

// A Cropped folder moved away, with a link left in its place, is not emptied through the link:
// undo of the crop is refused with the folder named, and the copy in its new place stays.
TEST_F(UndoFixture, UndoOfACropRemovesNothingThroughALinkedCropped) {
  CropOriginal(0, {2, 2, 30, 18});
  const fs::path moved = temp / "moved";
  fs::rename(dir / "Cropped", moved);
  fs::create_directory_symlink(moved, dir / "Cropped");
  const std::string copy = ReadFileBytes(moved / "a.png");
  EXPECT_EQ(album.Editor().Undo(nullptr), 0);
  EXPECT_NE(ui.LastMessage().find((dir / "Cropped").string() + ": it is a symbolic link"),
            std::string::npos)
      << ui.LastMessage();
  EXPECT_EQ(ReadFileBytes(moved / "a.png"), copy);
  EXPECT_TRUE(fs::is_symlink(dir / "Cropped"));
  EXPECT_TRUE(album.Editor().History().CanUndo());
}

// Any sequence of changes, undos and redos is undone back to the first album and folder,
// and made again to the last.
TEST_F(UndoFixture, ARandomSequenceUndoesBackToTheStartAndRedoesToTheEnd) {
  const std::vector<std::string> first = Pictures();
  const auto firstFiles = Files();
  std::mt19937 random(22);
  const auto pick = [&random](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
  for (int step = 0; step < 80; ++step) {
    const int i = pick(album.Pictures().Count());
    const int w = album.Pictures().EntryAt(i).pictureWidth;
    const int h = album.Pictures().EntryAt(i).pictureHeight;
    const Rect inside{pick(w / 4), pick(h / 4), w - pick(w / 4), h - pick(h / 4)};
    switch (pick(11)) {
      case 0:
        Move(i, pick(album.Pictures().Count()));
        break;
      case 1: CrossOut(i); break;
      case 2:
        if (album.Pictures().EntryAt(i).omitted) Restore(i);
        break;
      case 3: Caption(i, "caption " + std::to_string(step), "date " + std::to_string(step)); break;
      case 4: ThumbArea(i, inside); break;
      case 5: Turn(i, pick(2) == 1 ? QuarterTurn::Right : QuarterTurn::Left); break;
      case 6: CropOriginal(i, inside); break;
      case 7:
        album.Editor().SortByDate();
        break;
      case 8:
        album.Editor().SortByName();
        break;
      case 9:
        album.Editor().Undo(nullptr);
        break;
      default:
        album.Editor().Redo(nullptr);
        break;
    }
  }
  const std::vector<std::string> last = Pictures();
  const auto lastFiles = Files();
  const std::vector<int> lastOrder = DisplayedIndexes(album);
  int undone = 0;
  while (album.Editor().History().CanUndo()) {
    ASSERT_EQ(album.Editor().Undo(nullptr), 1) << ui.LastMessage();
    ++undone;
  }
  EXPECT_GT(undone, 10);
  EXPECT_EQ(Pictures(), first);
  EXPECT_EQ(DisplayedIndexes(album), (std::vector<int>{0, 1, 2, 3}));
  EXPECT_EQ(Files(), firstFiles);
  EXPECT_FALSE(fs::exists(dir / "Cropped"));
  while (album.Editor().History().CanRedo()) {
    ASSERT_EQ(album.Editor().Redo(nullptr), 1) << ui.LastMessage();
  }
  EXPECT_EQ(Pictures(), last);
  EXPECT_EQ(DisplayedIndexes(album), lastOrder);
  EXPECT_EQ(Files(), lastFiles);
  EXPECT_EQ(Errors(), std::vector<std::string>{});
}

// A place change survives the captions undone and made again around it: every undo and redo
// finds the album exactly as it was at that point.
TEST_F(UndoFixture, PlacesAndCaptionsInterleavedGoBackAndForth) {
  std::vector<std::vector<std::string>> points = {Pictures()};
  const std::vector<std::function<void()>> changes = {[this] { Move(0, 2); },
                                                      [this] { Caption(1, "one", "May"); },
                                                      [this] { album.Editor().SortByName(); },
                                                      [this] { Caption(2, "two", ""); },
                                                      [this] { Move(3, 0); },
                                                      [this] { Caption(1, "three", "June"); }};
  for (const auto& change : changes) {
    change();
    points.push_back(Pictures());
    ASSERT_NE(points.back(), points[points.size() - 2]);
  }
  for (size_t point = points.size() - 1; point-- > 0;) {
    ASSERT_EQ(album.Editor().Undo(nullptr), 1);
    EXPECT_EQ(Pictures(), points[point]) << "undone to " << point;
  }
  for (size_t point = 1; point < points.size(); ++point) {
    ASSERT_EQ(album.Editor().Redo(nullptr), 1);
    EXPECT_EQ(Pictures(), points[point]) << "made again to " << point;
  }
}

// The files that crops replaced stay within the byte budget: beyond it the oldest steps go
// first, the status bar says so, and the point at which the record was read goes with them.
TEST_F(UndoFixture, TheByteBudgetDropsTheOldestSteps) {
  const Rect area{2, 2, 20, 16};
  CropOriginal(2, area);  // to learn what a crop of c.png keeps
  const size_t cropBytes = album.Editor().History().KeptBytes();
  ASSERT_GT(cropBytes, 0u);
  ASSERT_EQ(album.Editor().Undo(nullptr), 1);
  Caption(0, "one", "");
  CropOriginal(0, area);
  Caption(1, "two", "");
  album.Editor().SetUndoByteBudget(album.Editor().History().KeptBytes() + cropBytes - 1);
  CropOriginal(2, area);
  EXPECT_EQ(ui.statusText[2], "Oldest undo steps dropped to stay within memory");
  EXPECT_EQ(album.Editor().History().KeptBytes(), cropBytes);
  EXPECT_EQ(album.Editor().History().UndoName(), "Crop Original");
  ASSERT_EQ(album.Editor().Undo(nullptr), 1);
  ASSERT_EQ(album.Editor().Undo(nullptr), 1);
  EXPECT_EQ(album.Editor().Undo(nullptr), 0);
  EXPECT_EQ(album.Pictures().EntryAt(0).caption, "one");
  EXPECT_EQ(album.Pictures().EntryAt(0).cropped, 1);
  EXPECT_EQ(album.Pictures().EntryAt(1).caption, "?");
  EXPECT_EQ(WindowTitle(album), "album* - Quillaran");
}

}  // namespace
