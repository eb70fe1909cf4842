#include <gtest/gtest.h>

#include <filesystem>

#include "appcore/CommandTable.h"
#include "tests/support/FakePlatformUi.h"
#include "tests/support/TempDir.h"
#include "tests/support/TestAlbum.h"

namespace fs = std::filesystem;

namespace {

// The album as a command finds it.
struct State {
  const char* name;
  bool album, selected, learning, webFolders;
};

TEST(CommandTable, EachEnablingRuleFollowsTheAlbumTheSelectionLearningAndTheWebFolders) {
  const State states[] = {{"empty", false, false, false, false},
                          {"album", true, false, false, false},
                          {"selected", true, true, false, false},
                          {"learning", false, false, true, false},
                          {"web folders", true, false, false, true}};
  struct Case {
    EnableRule rule;
    bool enabled[5];  // in the order of the states
  };
  const Case cases[] = {
      {EnableRule::Always, {true, true, true, true, true}},
      {EnableRule::SelectionOrLearning, {false, false, true, true, false}},
      {EnableRule::AlbumOrLearning, {false, true, true, true, true}},
      {EnableRule::WebFoldersOrLearning, {false, false, false, true, true}},
      {EnableRule::Album, {false, true, true, false, true}},
      {EnableRule::Selection, {false, false, true, false, false}},
      {EnableRule::Never, {false, false, false, false, false}},
  };
  for (int s = 0; s < 5; ++s) {
    const State& state = states[s];
    TempDir dir;
    FakePlatformUi ui;
    CPixDir album(ui);
    album.Record().SetFolder(dir.Str(), "");
    if (state.album) {
      FillAlbum(album, {"a.jpg", "b.jpg"});
    }
    album.Editor().Select(state.selected ? 1 : -1);
    album.Record().ChangeSettings(
        [&](CAlbumSettings& s) { s.GeneralSettings.Learning = state.learning ? 1 : 0; });
    if (state.webFolders) {
      fs::create_directory(dir / "Thumbs");
      fs::create_directory(dir / "Large");
    }
    for (const Case& c : cases) {
      EXPECT_EQ(IsEnabled(c.rule, album), c.enabled[s])
          << state.name << ", rule " << static_cast<int>(c.rule);
    }
  }
}

}  // namespace
