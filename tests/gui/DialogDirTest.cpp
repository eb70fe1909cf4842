#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QTreeWidget>
#include <filesystem>

#include "shell/DialogDir.h"
#include "tests/gui/GuiFixture.h"
#include "tests/support/TempDir.h"

namespace fs = std::filesystem;

namespace {

// Photos/ with a/ (a1/, a2/, two pictures), b/ (no sub-directory) and .hidden/; the current
// directory is Photos/a, so the favourite "Photos" is the second root.
class DialogDir : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* dir : {"Photos/a/a1", "Photos/a/a2", "Photos/b", "Photos/.hidden"}) {
      fs::create_directories(temp / dir);
    }
    temp.WriteFile("Photos/a/one.jpg", "x");
    temp.WriteFile("Photos/a/two.PNG", "x");
    fs::current_path(temp / "Photos" / "a");
    photos = (temp / "Photos").string() + "/";
  }
  // A dialog whose tree is filled, opening along mostRecent when it is given.
  std::unique_ptr<CDialogDir> Open(const std::string& mostRecent = "") {
    auto dialog = std::make_unique<CDialogDir>(mostRecent);
    dialog->SetStart("Photos",
                     mostRecent.empty() ? TreeOpens::AtTheRoots : TreeOpens::AlongTheMostRecent);
    dialog->InitTree();
    return dialog;
  }
  static QStringList Texts(QTreeWidgetItem* item) {
    QStringList texts;
    for (int i = 0; i < item->childCount(); ++i) {
      texts << item->child(i)->text(0);
    }
    return texts;
  }

  TempDir temp;
  std::string photos;
};

TEST_F(DialogDir, ListsSubDirectoriesLazilyWithPlaceholdersAndWithoutHiddenOnes) {
  auto dialog = Open();
  QTreeWidget* tree = dialog->Tree();
  ASSERT_EQ(tree->topLevelItemCount(), 2);
  EXPECT_EQ(tree->topLevelItem(0)->text(0), "/");
  QTreeWidgetItem* root = tree->topLevelItem(1);
  EXPECT_EQ(root->text(0).toStdString(), photos);
  EXPECT_EQ(Texts(root), QStringList{""});  // one placeholder until opened

  root->setExpanded(true);
  EXPECT_EQ(Texts(root), (QStringList{"a", "b"}));
  QTreeWidgetItem* a = root->child(0);
  QTreeWidgetItem* b = root->child(1);
  EXPECT_EQ(Texts(a), QStringList{""});
  EXPECT_EQ(a->text(1), "2");  // pictures in a
  EXPECT_EQ(b->childCount(), 0);

  b->setExpanded(true);  // nothing below: the expansion is cancelled
  EXPECT_FALSE(b->isExpanded());
  EXPECT_EQ(b->childCount(), 0);

  root->setExpanded(false);  // listed afresh at the next opening
  fs::create_directory(temp / "Photos" / "C");
  root->setExpanded(true);
  EXPECT_EQ(Texts(root), (QStringList{"a", "b", "C"}));
}

TEST_F(DialogDir, TheStarKeyDoesNotOpenEverythingBelow) {
  auto dialog = Open();
  QTreeWidgetItem* root = dialog->Tree()->topLevelItem(1);
  root->setExpanded(true);
  dialog->Tree()->setCurrentItem(root);
  QTest::keyClick(dialog->Tree(), Qt::Key_Asterisk);
  EXPECT_FALSE(root->child(0)->isExpanded());
}

TEST_F(DialogDir, OpensAlongTheMostRecentDirectoryAndSelectsTheDeepestMatch) {
  auto dialog = Open(photos + "a/a2/deleted/");
  QTreeWidgetItem* root = dialog->Tree()->topLevelItem(1);
  EXPECT_TRUE(root->isExpanded());
  EXPECT_EQ(dialog->selectedName, "a2");
  EXPECT_EQ(dialog->selectedPath, photos + "a/a2");
  EXPECT_FALSE(dialog->Tree()->topLevelItem(0)->isExpanded());  // the favourite sufficed

  // Not under the favourite: the walk goes from "/".
  fs::create_directory(temp / "Other");
  auto fromRoot = Open((temp / "Other").string() + "/");
  EXPECT_EQ(fromRoot->selectedPath, (temp / "Other").string());
  EXPECT_TRUE(fromRoot->Tree()->topLevelItem(0)->isExpanded());
}

TEST_F(DialogDir, FullPathJoinsTheTextsFromTheTopLevelItem) {
  auto dialog = Open();
  QTreeWidgetItem* slash = dialog->Tree()->topLevelItem(0);
  QTreeWidgetItem* root = dialog->Tree()->topLevelItem(1);
  root->setExpanded(true);
  QTreeWidgetItem* a = root->child(0);
  a->setExpanded(true);
  EXPECT_EQ(dialog->FullPath(root), photos);
  EXPECT_EQ(dialog->FullPath(slash), "/");
  EXPECT_EQ(dialog->FullPath(a->child(0)), photos + "a/a1");
  slash->setExpanded(true);
  EXPECT_EQ(dialog->FullPath(slash->child(0)), "/" + slash->child(0)->text(0).toStdString());
}

TEST_F(DialogDir, APathTypedIntoTheFieldIsFollowedAndReachesHiddenDirectories) {
  auto dialog = Open();
  dialog->PathField()->setText(QString::fromStdString(photos + "a/a1"));
  emit dialog->PathField()->textEdited(dialog->PathField()->text());
  EXPECT_EQ(dialog->selectedPath, photos + "a/a1");

  dialog->PathField()->setText(QString::fromStdString(photos + ".hidden/"));
  dialog->accept();
  EXPECT_EQ(dialog->result(), QDialog::Accepted);
  EXPECT_EQ(dialog->selectedPath, photos + ".hidden");
}

// The field shows the most recent directory selected, so that a typed or pasted path
// replaces it; OK on a path that cannot be opened keeps the dialog and says why.
TEST_F(DialogDir, TheFieldStartsSelectedAndARefusedPathSaysWhy) {
  auto dialog = Open(photos + "a/a1/");
  dialog->show();
  EXPECT_EQ(dialog->PathField()->selectedText().toStdString(), photos + "a/a1");
  EXPECT_FALSE(dialog->PathNote()->isVisibleTo(dialog.get()));
  const std::vector<std::pair<std::string, std::string>> refusals = {
      {"Photos/a", "beginning with / or ~"},
      {photos + "none", "There is no folder " + photos + "none"},
      {photos + "a/one.jpg", "is a file, not a folder"}};
  for (const auto& [typed, why] : refusals) {
    dialog->PathField()->setText(QString::fromStdString(typed));
    dialog->accept();
    EXPECT_TRUE(dialog->isVisible()) << typed;
    EXPECT_TRUE(dialog->PathNote()->isVisibleTo(dialog.get())) << typed;
    EXPECT_TRUE(dialog->PathNote()->text().contains(QString::fromStdString(why)))
        << dialog->PathNote()->text().toStdString();
  }
}

using OpenDirectory = GuiFixture;

TEST_F(OpenDirectory, TheToolbarButtonOpensTheDirectoryChosenInTheTree) {
  const std::string album = MakeAlbum(2);
  Start(0);
  WhenModal([&album](QWidget* modal) {
    auto* dialog = qobject_cast<CDialogDir*>(modal);
    ASSERT_NE(dialog, nullptr);
    dialog->PathField()->setText(QString::fromStdString(album));
    emit dialog->PathField()->textEdited(dialog->PathField()->text());
    dialog->accept();
  });
  Trigger(ID_SELECT_DIRECTORY);
  WaitForLoad();
  EXPECT_EQ(Album().Pictures().Count(), 2);
  EXPECT_EQ(app->Recent().MostRecent(), album + "/");
}

}  // namespace
