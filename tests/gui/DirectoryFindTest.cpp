#include <QAction>
#include <QMenu>
#include <filesystem>

#include "appcore/DirectoryFind.h"
#include "shell/RecentMenu.h"
#include "tests/gui/GuiFixture.h"
#include "tests/support/FakeProfileStore.h"
#include "tests/support/TempDir.h"
#include "tests/support/TestAlbum.h"

namespace fs = std::filesystem;

namespace {

// The "Directory" menu as the main window builds it, with the recent items put in.
QStringList MenuTexts(const CDirectoryFind& recent) {
  QMenu menu;
  menu.addAction("Open");
  menu.addSeparator();
  menu.addSeparator();
  menu.addAction("Exit");
  InsertIntoMenu(recent, &menu, OldItems::Remove);
  InsertIntoMenu(recent, &menu, OldItems::Remove);  // a second rebuild leaves one set
  QStringList texts;
  for (QAction* item : menu.actions()) {
    texts << (item->isSeparator() ? "-" : item->text());
  }
  return texts;
}

TEST(RecentMenu, ACountOutsideOneToSixReadsAsAnEmptyList) {
  for (int count : {0, 7, -1}) {
    FakeProfileStore store;
    store.values[{"RecentDir", "NDirEx"}] = count;
    store.values[{"RecentDir", "DirEx0"}] = std::string("/home/me/Trip/");
    CDirectoryFind recent;
    recent.Load(store);
    EXPECT_EQ(recent.dirCount, 0) << count;
    EXPECT_EQ(MenuTexts(recent), (QStringList{"Open", "-", "-", "Exit"})) << count;
  }
}

TEST(RecentMenu, LabelsItemsWithNumberAndShortName) {
  TempDir temp;
  fs::create_directory(temp / "Trip");
  const std::string trip = (temp / "Trip").string() + "/";
  const CDirectoryFind recent = RecentListOf({trip, "/", "/home/nobody/Misc"});
  EXPECT_EQ(MenuTexts(recent), (QStringList{"Open", "-", "1 Trip/", "2 /", "3 Misc", "-", "Exit"}));
}

TEST(RecentMenu, ItemsShowTheirWholePathAndAMissingOneSaysSo) {
  TempDir temp;
  const std::string here = temp.Str() + "/";
  const std::string gone = (temp / "unplugged").string() + "/";
  const CDirectoryFind recent = RecentListOf({here, gone});
  QMenu menu;
  menu.addSeparator();
  menu.addSeparator();
  menu.addAction("Exit");
  InsertIntoMenu(recent, &menu, OldItems::Remove);
  const QAction& first = *menu.actions()[1];
  const QAction& second = *menu.actions()[2];
  EXPECT_EQ(first.toolTip().toStdString(), here);
  EXPECT_EQ(first.statusTip().toStdString(), "Open this directory: " + here);
  EXPECT_EQ(second.toolTip().toStdString(), gone);
  EXPECT_EQ(second.statusTip().toStdString(),
            "Not found, click to remove it from the list: " + gone);
  EXPECT_TRUE(second.isEnabled());
}

class RecentDirectory : public GuiFixture {
 protected:
  // The recent item at this position of the list.
  QAction* RecentItem(int position) {
    for (QAction* item : Frame().DirectoryMenu()->actions()) {
      if (item->data().toInt() == kRecentDirFirstId + position) {
        return item;
      }
    }
    return nullptr;
  }
};

TEST_F(RecentDirectory, InLearningModeAnItemNeitherLoadsNorReorders) {
  const std::string album = MakeAlbum(1);
  Start(0, album);
  fs::create_directory(temp / "other");
  fs::copy_file(temp / "album" / "p0.png", temp / "other" / "p0.png");
  ASSERT_TRUE(Frame().OpenDirectoryPath((temp / "other").string()));
  WaitForLoad();
  Album().Record().ChangeSettings([&](CAlbumSettings& s) { s.GeneralSettings.Learning = 1; });
  QAction* second = RecentItem(1);
  ASSERT_EQ(second->text(), "2 album/");
  second->trigger();
  EXPECT_EQ(app->Recent().MostRecent(), (temp / "other").string() + "/");
  EXPECT_EQ(Album().Record().DirPath(), (temp / "other").string());

  Album().Record().ChangeSettings([&](CAlbumSettings& s) { s.GeneralSettings.Learning = 0; });
  RecentItem(1)->trigger();
  WaitForLoad();
  EXPECT_EQ(app->Recent().MostRecent(), album + "/");
  EXPECT_EQ(Album().Pictures().Count(), 1);
}

TEST_F(RecentDirectory, AMissingDirectoryIsRemovedFromTheListOnlyWhenTheUserSaysSo) {
  const std::string album = MakeAlbum(1);
  Start(0);
  fs::create_directory(temp / "gone");
  fs::copy_file(temp / "album" / "p0.png", temp / "gone" / "p0.png");
  ASSERT_TRUE(Frame().OpenDirectoryPath((temp / "gone").string()));
  WaitForLoad();
  ASSERT_TRUE(Frame().OpenDirectoryPath(album));
  WaitForLoad();
  fs::remove_all(temp / "gone");
  for (const char* answer : {"&No", "&Yes"}) {
    AnswerMessage(answer);
    RecentItem(1)->trigger();
  }
  EXPECT_EQ(modalTexts[0].toStdString(),
            (temp / "gone").string() + "/\nis not there any more. Remove it from the list?");
  EXPECT_EQ(modalTexts.size(), 2u);
  EXPECT_EQ(app->Recent().dirCount, 1);
  EXPECT_EQ(app->Recent().MostRecent(), album + "/");
  EXPECT_EQ(RecentItem(1), nullptr);
  EXPECT_EQ(Album().Record().DirPath(), album);
}

TEST_F(RecentDirectory, AnotherSpellingOfAListedDirectoryIsNotListedTwice) {
  const std::string album = MakeAlbum(1);
  Start(0, album);
  ASSERT_TRUE(Frame().OpenDirectoryPath(album + "/../album//"));
  WaitForLoad();
  EXPECT_EQ(app->Recent().dirCount, 1);
  EXPECT_EQ(app->Recent().MostRecent(), album + "/");
}

}  // namespace
