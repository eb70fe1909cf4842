#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <type_traits>
#include <vector>

#include "album/AlbumSettings.h"
#include "tests/support/FakeProfileStore.h"
#include "tests/support/TempDir.h"

namespace {

const std::vector<std::string> kReadingOrder = {
    "ThumbSize",       "FrameYorN",          "FrameGap",         "FrameColor",  "FrameBrush",
    "WebImmedDisplay", "Learning",           "WPwidth",          "Only1Date",   "Only1Caption",
    "LIOwnWP",         "LIOwnBrW",           "MaxOsize",         "WTextColor",  "WebForPhones",
    "SafePixNum",      "TrueColor",          "KeepLog",          "HelpDirR",    "TextPage4Web",
    "AntiAdFilter",    "AlwaysShowCaptions", "AutoCropStrategy", "TopDir2Look", "SketchCacheMB"};

class Settings : public ::testing::Test {
 protected:
  FakeProfileStore profile;
  CAlbumSettings album;
};

TEST_F(Settings, CleanProfileGivesTheDefaults) {
  album.GeneralSettings.ThumbSize = 55;  // left over from before: must not survive
  album.LoadSettings(profile);
  EXPECT_EQ(profile.readOrder, kReadingOrder);
  EXPECT_EQ(album.GeneralSettings, CGeneralSettings{});
  EXPECT_EQ(album.WebViewSettings, CWebViewSettings{});
  const CAdvancedSettings& adv = album.AdvancedSettings;
  EXPECT_EQ(adv.SafePixNum, 32);
  EXPECT_EQ(adv.TrueColor, 1);
  EXPECT_EQ(adv.KeepLog, 0);
  EXPECT_EQ(adv.AutoCropStrategy, 1);
  EXPECT_EQ(adv.AlwaysShowCaptions, 1);
  EXPECT_EQ(adv.TopDir2Look, "Pictures");
  EXPECT_EQ(album.GeneralSettings.FrameColor, 13158600);
  EXPECT_EQ(album.WebViewSettings.WTextColor, "maroon");
  EXPECT_EQ(adv.HelpDirR, DefaultHelpDir() + "/");
  EXPECT_EQ(adv.helpFile, DefaultHelpDir() + "/QuillaranHelp.htm");
  // The default points at the help page this program ships.
  EXPECT_TRUE(std::filesystem::is_regular_file(adv.helpFile)) << adv.helpFile;
}

TEST_F(Settings, SaveWritesAllValuesInReadingOrderAndLoadGetsThemBack) {
  album.GeneralSettings = {150, 0, 9, 0x123456, 0, 3, 0};
  album.WebViewSettings = {900, 500, 1, 1, 0, 0, "teal", 1};
  CAdvancedSettings& adv = album.AdvancedSettings;
  adv.SafePixNum = 12;
  adv.TrueColor = 0;
  adv.KeepLog = 1;
  adv.HelpDirR = "/opt/help/";
  adv.helpFile = "never stored";
  adv.TextPage4Web = 1;
  adv.AntiAdFilter = 0;
  adv.AlwaysShowCaptions = 0;
  adv.AutoCropStrategy = 2;
  adv.TopDir2Look = "/home/me/Pictures";
  album.SaveSettings(profile);
  EXPECT_EQ(profile.writeOrder, kReadingOrder);
  for (const auto& [key, value] : profile.values) {
    EXPECT_EQ(key.first, "Parameters") << key.second;
  }
  EXPECT_EQ(std::get<int>(profile.values[{"Parameters", "FrameColor"}]), 0x123456);
  EXPECT_EQ(std::get<std::string>(profile.values[{"Parameters", "TopDir2Look"}]),
            "/home/me/Pictures");

  CAlbumSettings loaded;
  loaded.LoadSettings(profile);
  EXPECT_EQ(loaded.GeneralSettings, album.GeneralSettings);
  EXPECT_EQ(loaded.WebViewSettings, album.WebViewSettings);
  adv.helpFile = "/opt/help/QuillaranHelp.htm";
  EXPECT_EQ(loaded.AdvancedSettings, adv);
}

// A profile edited by hand: a frame gap that overflowed the web writer, a thumb size that
// made a 1.2 GB canvas per picture, a colour word that added style to the pages. Values
// outside the options' ranges and names outside the colour table read as the defaults.
TEST_F(Settings, OutOfRangeProfileValuesReadAsTheirDefaults) {
  profile.WriteProfileInt("Parameters", "FrameGap", 1073741824);
  profile.WriteProfileInt("Parameters", "ThumbSize", 20000);
  profile.WriteProfileInt("Parameters", "AutoCropStrategy", 9);
  profile.WriteProfileInt("Parameters", "FrameColor", -1);
  profile.WriteProfileInt("Parameters", "MaxOsize", 2000);  // the edges of a range stay
  profile.WriteProfileInt("Parameters", "WPwidth", 200);
  profile.WriteProfileString("Parameters", "WTextColor", "red;}body{background:url(x)}");
  album.LoadSettings(profile);
  EXPECT_EQ(album.GeneralSettings.FrameGap, 6);
  EXPECT_EQ(album.GeneralSettings.ThumbSize, 120);
  EXPECT_EQ(album.AdvancedSettings.AutoCropStrategy, 1);
  EXPECT_EQ(album.GeneralSettings.FrameColor, 0xC8C8C8);
  EXPECT_EQ(album.WebViewSettings.MaxOsize, 2000);
  EXPECT_EQ(album.WebViewSettings.WPwidth, 200);
  EXPECT_EQ(album.WebViewSettings.WTextColor, "maroon");
  // The empty name is in the colour table.
  profile.WriteProfileString("Parameters", "WTextColor", "");
  album.LoadSettings(profile);
  EXPECT_EQ(album.WebViewSettings.WTextColor, "");
}

struct HelpCase {
  const char* name;
  const char* helpDir;
  const char* storedDir;
};

class HelpFile : public Settings, public ::testing::WithParamInterface<HelpCase> {};

TEST_P(HelpFile, FollowsTheHelpDirectory) {
  album.AdvancedSettings.HelpDirR = GetParam().helpDir;
  album.UpdateHelpFile();
  EXPECT_EQ(album.AdvancedSettings.HelpDirR, GetParam().storedDir);
  EXPECT_EQ(album.AdvancedSettings.helpFile,
            std::string(GetParam().storedDir) + "QuillaranHelp.htm");
}

INSTANTIATE_TEST_SUITE_P(
    Cases, HelpFile,
    ::testing::Values(
        HelpCase{"WebAddress", "http://quillaran.example/help", "http://quillaran.example/help/"},
        HelpCase{"WebAddressWithSlash", "https://quillaran.example/", "https://quillaran.example/"},
        HelpCase{"Directory", "/usr/share/quillaran", "/usr/share/quillaran/"},
        HelpCase{"DirectoryWithSlash", "/usr/share/quillaran/", "/usr/share/quillaran/"},
        HelpCase{"UpperCaseHttpIsADirectory", "HTTP://QUILLARAN.EXAMPLE",
                 "HTTP://QUILLARAN.EXAMPLE/"},
        HelpCase{"Empty", "", "/"}),
    [](const ::testing::TestParamInfo<HelpCase>& info) { return std::string(info.param.name); });

TEST_F(Settings, HelpFileOfAnotherBlockLeavesTheAlbumsOwn) {
  album.UpdateHelpFile();
  const CAdvancedSettings before = album.AdvancedSettings;
  CAdvancedSettings page;
  page.HelpDirR = "/srv/help";
  album.UpdateHelpFile(&page);
  EXPECT_EQ(page.helpFile, "/srv/help/QuillaranHelp.htm");
  EXPECT_EQ(album.AdvancedSettings, before);
}

TEST_F(Settings, HelpPageIsFoundInTheDataFolderBesideTheProgram) {
  TempDir install;
  const std::string exe = install.WriteFile("bin/quillaran", "");
  EXPECT_EQ(FindHelpDir(exe, "/from/the/build"), "/from/the/build");
  install.WriteFile("share/quillaran/QuillaranHelp.htm", "<html>");
  EXPECT_EQ(FindHelpDir(exe, "/from/the/build"), (install / "share/quillaran").string());
}

// A help folder saved by a run from a build tree that is gone since gives way to the page
// that came with the program; when neither is there, the message names both.
TEST_F(Settings, AGoneHelpFolderGivesWayToTheInstalledPage) {
  TempDir dirs;
  const std::string saved = dirs.WriteFile("clone/QuillaranHelp.htm", "<html>");
  const std::string installed = dirs.WriteFile("share/QuillaranHelp.htm", "<html>");
  const std::string gone = (dirs / "deleted/QuillaranHelp.htm").string();
  const std::string share = (dirs / "share").string();
  const std::string web = "https://example.org/QuillaranHelp.htm";
  struct Case {
    std::string helpFile, defaultDir, page, tried;
  };
  for (const Case& c : std::vector<Case>{{saved, share, saved, ""},
                                         {web, share, web, ""},
                                         {gone, share, installed, gone},
                                         {gone, (dirs / "none").string(), "",
                                          gone + "\n" + (dirs / "none/QuillaranHelp.htm").string()},
                                         {gone, (dirs / "deleted").string(), "", gone}}) {
    std::string tried;
    EXPECT_EQ(HelpPageToOpen(c.helpFile, c.defaultDir, tried), c.page) << c.helpFile;
    EXPECT_EQ(tried, c.tried) << c.helpFile;
  }
}

// Every numeric setting has a range, and its default lies in it; text settings have none.
TEST_F(Settings, EveryNumberSettingHasARangeHoldingItsDefault) {
  VisitStoredSettings(album.GeneralSettings, album.WebViewSettings, album.AdvancedSettings,
                      [](const char* name, const auto& value) {
                        const SettingRange* range = FindSettingRange(name);
                        if constexpr (std::is_same_v<std::decay_t<decltype(value)>, std::string>) {
                          EXPECT_EQ(range, nullptr) << name;
                        } else {
                          ASSERT_NE(range, nullptr) << name;
                          EXPECT_EQ(range->defaultValue, value) << name;
                          EXPECT_LE(range->min, value) << name;
                          EXPECT_GE(range->max, value) << name;
                        }
                      });
  EXPECT_EQ(SettingRanges().size(), 22u);
  EXPECT_EQ(FindSettingRange("WPwidth")->min, 200);
}

}  // namespace
