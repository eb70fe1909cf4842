#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "album/PixDir.h"
#include "appcore/OptionsApply.h"
#include "tests/support/FakePlatformUi.h"
#include "tests/support/TempDir.h"
#include "tests/support/TestAlbum.h"
#include "tests/support/TestPictures.h"

namespace fs = std::filesystem;

namespace {

const char kRenderingMessage[] =
    "You must exit the program\nor read a new directory\nfor the change in rendering\nto take "
    "effect";

class OptionsApply : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::current_path(dir.Path());  // where the run log goes
    album.AttachView(&view);
    album.Loader().SetThumbRebuild([this] { ++rebuilds; });
    album.Record().ChangeSettings([](CAlbumSettings& s) { s.UpdateHelpFile(); });
    general = album.Settings().GeneralSettings;
    webView = album.Settings().WebViewSettings;
    advanced = album.Settings().AdvancedSettings;
  }
  void Apply() { ApplyOptions(album, general, webView, advanced); }

  TempDir dir;
  FakePlatformUi ui;
  CPixDir album{ui};
  CountingSheetView view;
  int rebuilds = 0;
  CGeneralSettings general;
  CWebViewSettings webView;
  CAdvancedSettings advanced;
};

struct GeneralCase {
  const char* name;
  void (*edit)(CGeneralSettings&);
  int code;
};

class GeneralChange : public OptionsApply, public ::testing::WithParamInterface<GeneralCase> {};

TEST_P(GeneralChange, RebuildsOrRepaintsAsTheChangeNeeds) {
  GetParam().edit(general);
  CGeneralSettings block = album.Settings().GeneralSettings;
  EXPECT_EQ(StoreGeneralSettings(general, block), GetParam().code);
  EXPECT_EQ(block, general);

  Apply();
  EXPECT_EQ(album.Settings().GeneralSettings, general);
  EXPECT_EQ(rebuilds, GetParam().code == 2 ? 1 : 0);
  EXPECT_EQ(view.repaints, GetParam().code >= 1 ? 1 : 0);
  EXPECT_EQ(album.Record().Dirty(), 1);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, GeneralChange,
    ::testing::Values(
        GeneralCase{"Nothing", [](CGeneralSettings&) {}, 0},
        GeneralCase{"WebImmedDisplay", [](CGeneralSettings& g) { g.WebImmedDisplay = 0; }, 0},
        GeneralCase{"FrameColor", [](CGeneralSettings& g) { g.FrameColor = 0xFF; }, 1},
        GeneralCase{"FrameBrush", [](CGeneralSettings& g) { g.FrameBrush = 2; }, 1},
        GeneralCase{"FrameGap", [](CGeneralSettings& g) { g.FrameGap = 3; }, 1},
        GeneralCase{"Learning", [](CGeneralSettings& g) { g.Learning = 0; }, 1},
        GeneralCase{"ThumbSize", [](CGeneralSettings& g) { g.ThumbSize = 200; }, 2},
        GeneralCase{"FrameYorN", [](CGeneralSettings& g) { g.FrameYorN = 0; }, 2},
        GeneralCase{"ThumbSizeAndFrameColor",
                    [](CGeneralSettings& g) {
                      g.ThumbSize = 80;
                      g.FrameColor = 0;
                    },
                    2}),
    [](const ::testing::TestParamInfo<GeneralCase>& info) { return std::string(info.param.name); });

TEST_F(OptionsApply, NewThumbSizeRebuildsTheThumbs) {
  album.Loader().SetThumbRebuild(nullptr);  // the album's own BuildAllThumbs
  TempDir temp;
  FillAlbum(album, {"a.png"});
  Arrange(album).EntryAt(0).fullPath = (temp / "a.png").string();
  ASSERT_EQ(MakePicture24(80, 40, GradientColour).Save(album.Pictures().EntryAt(0).fullPath), 0u);
  general.ThumbSize = 20;
  Apply();
  EXPECT_EQ(album.Pictures().EntryAt(0).thumb.Width(), 20);
  EXPECT_EQ(album.Pictures().EntryAt(0).thumb.Height(), 10);
  EXPECT_EQ(view.repaints, 1);
}

TEST_F(OptionsApply, WebPageSettingsAreTakenWithoutRepaint) {
  webView = {700, 900, 1, 1, 0, 0, ""};
  Apply();
  EXPECT_EQ(album.Settings().WebViewSettings, webView);
  EXPECT_EQ(view.repaints, 0);
  EXPECT_EQ(album.Record().Dirty(), 1);
}

TEST_F(OptionsApply, AdvancedValuesAreCopiedAndCaptionsRepaint) {
  advanced.SafePixNum = 8;
  advanced.TextPage4Web = 1;
  advanced.AntiAdFilter = 0;
  advanced.AutoCropStrategy = 2;
  advanced.TopDir2Look = "/photos";
  advanced.AlwaysShowCaptions = 0;
  EXPECT_EQ(StoreAdvancedSettings(advanced, album), 1);
  EXPECT_EQ(album.Settings().AdvancedSettings, advanced);
  EXPECT_TRUE(ui.messages.empty());

  advanced.AlwaysShowCaptions = 1;
  Apply();
  EXPECT_EQ(album.Settings().AdvancedSettings.AlwaysShowCaptions, 1);
  EXPECT_EQ(view.repaints, 1);
  EXPECT_EQ(rebuilds, 0);
}

TEST_F(OptionsApply, AutoCropMethodOutsideItsRangeBecomesZero) {
  for (int value : {5, -1, 3}) {
    advanced.AutoCropStrategy = value;
    StoreAdvancedSettings(advanced, album);
    EXPECT_EQ(advanced.AutoCropStrategy, 0) << value;
    EXPECT_EQ(album.Settings().AdvancedSettings.AutoCropStrategy, 0) << value;
    album.Record().ChangeSettings(
        [&](CAlbumSettings& s) { s.AdvancedSettings.AutoCropStrategy = 1; });
  }
}

TEST_F(OptionsApply, RenderingChangeShowsItsMessageOnce) {
  advanced.TrueColor = 0;
  Apply();
  EXPECT_EQ(ui.MessageTexts(), (std::vector<std::string>{kRenderingMessage}));
  EXPECT_EQ(ui.messages[0].icon, MsgIcon::None);
  EXPECT_EQ(album.Settings().AdvancedSettings.TrueColor, 0);
  Apply();
  EXPECT_EQ(ui.messages.size(), 1u);
}

TEST_F(OptionsApply, HelpFileFollowsOnlyAChangedHelpDirectory) {
  advanced.HelpDirR = "/srv/help";
  Apply();
  EXPECT_EQ(album.Settings().AdvancedSettings.HelpDirR, "/srv/help/");
  EXPECT_EQ(album.Settings().AdvancedSettings.helpFile, "/srv/help/QuillaranHelp.htm");
  // Unchanged: the help file is not recomputed, so a hand-made value stays.
  album.Record().ChangeSettings([&](CAlbumSettings& s) { s.AdvancedSettings.helpFile = "kept"; });
  advanced = album.Settings().AdvancedSettings;
  Apply();
  EXPECT_EQ(album.Settings().AdvancedSettings.helpFile, "kept");
}

TEST_F(OptionsApply, KeepLogOpensAndClosesTheLog) {
  advanced.KeepLog = 1;
  Apply();
  ASSERT_TRUE(album.Record().LogIsOpen());
  EXPECT_EQ(album.Settings().AdvancedSettings.KeepLog, 1);
  const std::string firstLine = ReadFileBytes(dir / "QuillaranLog.txt");
  EXPECT_EQ(firstLine.rfind("--------- New Run (", 0), 0u) << firstLine;
  advanced.KeepLog = 0;
  Apply();
  EXPECT_FALSE(album.Record().LogIsOpen());
  EXPECT_EQ(album.Settings().AdvancedSettings.KeepLog, 0);
}

TEST_F(OptionsApply, KeepLogStaysOffWhenTheLogCannotBeOpened) {
  fs::create_directory(dir / "QuillaranLog.txt");
  advanced.KeepLog = 1;
  Apply();
  EXPECT_EQ(ui.MessageTexts(), (std::vector<std::string>{"Could not create LOG file"}));
  EXPECT_EQ(album.Settings().AdvancedSettings.KeepLog, 0);
  EXPECT_EQ(advanced.KeepLog, 0);
}

}  // namespace
