#include <gtest/gtest.h>

#include <QSettings>
#include <cstdlib>
#include <string>

#include "album/PixDir.h"
#include "store/QtProfileStore.h"
#include "tests/support/FakePlatformUi.h"
#include "tests/support/TempDir.h"

namespace {

// Every test gets an empty profile under its own configuration directory. XDG_CONFIG_HOME
// decides where Qt puts the file at its first use in the process; setPath moves it for the
// tests that run after the first.
class QtProfileStore : public ::testing::Test {
 protected:
  void SetUp() override {
    setenv("XDG_CONFIG_HOME", config.Str().c_str(), 1);
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
                       QString::fromStdString(config.Str()));
  }
  std::string ConfFile() const { return (config / "Brackenfold/Quillaran.conf").string(); }

  TempDir config;
};

TEST_F(QtProfileStore, MissingValuesGiveTheDefaults) {
  CQtProfileStore store;
  EXPECT_EQ(store.GetProfileInt("Parameters", "ThumbSize", 120), 120);
  EXPECT_EQ(store.GetProfileString("Parameters", "WTextColor", "maroon"), "maroon");
  EXPECT_EQ(store.FileName().toStdString(), ConfFile());
}

TEST_F(QtProfileStore, ValuesWrittenAreReadBackByAFreshInstance) {
  {
    CQtProfileStore store;
    EXPECT_TRUE(store.WriteProfileInt("Parameters", "ThumbSize", 150));
    EXPECT_TRUE(store.WriteProfileInt("Parameters", "FrameColor", -2));
    EXPECT_TRUE(store.WriteProfileString("Parameters", "TopDir2Look", "/home/me/Bilder, 2008"));
    EXPECT_TRUE(store.WriteProfileString("RecentDir", "DirEx0", "/photos/Trip/"));
    EXPECT_TRUE(store.WriteProfileString("Parameters", "WTextColor", ""));
    EXPECT_TRUE(store.Sync());
  }
  const std::string text = ReadFileBytes(ConfFile());
  EXPECT_NE(text.find("[Parameters]"), std::string::npos) << text;
  EXPECT_NE(text.find("ThumbSize=150"), std::string::npos) << text;
  EXPECT_NE(text.find("[RecentDir]"), std::string::npos) << text;

  CQtProfileStore fresh;
  EXPECT_EQ(fresh.GetProfileInt("Parameters", "ThumbSize", 120), 150);
  EXPECT_EQ(fresh.GetProfileInt("Parameters", "FrameColor", 0), -2);
  EXPECT_EQ(fresh.GetProfileString("Parameters", "TopDir2Look", ""), "/home/me/Bilder, 2008");
  EXPECT_EQ(fresh.GetProfileString("RecentDir", "DirEx0", ""), "/photos/Trip/");
  EXPECT_EQ(fresh.GetProfileString("Parameters", "WTextColor", "maroon"), "");
}

TEST_F(QtProfileStore, ValuesThatAreNoNumberReadAsMissing) {
  config.WriteFile("Brackenfold/Quillaran.conf",
                   "[Parameters]\nThumbSize=big\nFrameGap=99999999999\nSafePixNum= 12\n");
  CQtProfileStore store;
  EXPECT_EQ(store.GetProfileInt("Parameters", "ThumbSize", 120), 120);
  EXPECT_EQ(store.GetProfileInt("Parameters", "FrameGap", 6), 6);
  EXPECT_EQ(store.GetProfileInt("Parameters", "SafePixNum", 32), 12);
}

TEST_F(QtProfileStore, AlbumSettingsSurviveARun) {
  {
    CAlbumSettings album;
    CQtProfileStore store;
    album.LoadSettings(store);
    album.GeneralSettings.ThumbSize = 150;
    album.WebViewSettings.WTextColor = "navy";
    album.AdvancedSettings.HelpDirR = "/srv/help";
    album.SaveSettings(store);
  }
  CAlbumSettings album;
  CQtProfileStore store;
  album.LoadSettings(store);
  EXPECT_EQ(album.GeneralSettings.ThumbSize, 150);
  EXPECT_EQ(album.WebViewSettings.WTextColor, "navy");
  EXPECT_EQ(album.AdvancedSettings.helpFile, "/srv/help/QuillaranHelp.htm");
  EXPECT_EQ(album.AdvancedSettings.SafePixNum, 32);
}

}  // namespace
