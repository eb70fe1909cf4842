#include <QLabel>
#include <QScrollBar>
#include <QTest>
#include <chrono>
#include <filesystem>
#include <map>
#include <string>
#include <thread>

#include "album/MemoryBudget.h"
#include "appcore/OptionsApply.h"
#include "shell/StatusPanes.h"
#include "tests/gui/GuiFixture.h"
#include "tests/support/TestPictures.h"
#include "views/TessalyView.h"
#include "web/WebElement.h"

namespace fs = std::filesystem;

namespace {

// The window while its pictures are written for the web album, or their sketches made again:
// the work waits for the album's memory budget, which the test holds until it lets it go.
class PicturePass : public GuiFixture {
 protected:
  void HoldBudget() { ASSERT_TRUE(Budget().Take(Budget().Total())); }
  void LetGo() { Budget().Give(Budget().Total()); }
  CMemoryBudget& Budget() { return Album().Decoder().Budget(); }
  void WaitForPass() {
    ASSERT_TRUE(QTest::qWaitFor([this] { return !Album().Loader().IsBusy(); }, 20000));
  }
  QString Pane2() { return Frame().Panes().Pane(2)->text(); }
  // What the window's commands and the album's operations do while the pass works.
  void ExpectChangesRefused(const char* refusal) {
    EXPECT_TRUE(Album().Loader().IsBusy());
    EXPECT_TRUE(Action(ID_SELECT_DIRECTORY).isEnabled());
    for (const int id : {ID_CREATE_WEB_PAGE, ID_SAVE_RECORD, ID_OPTIONS, ID_SORT_BY_NAME}) {
      EXPECT_FALSE(Action(id).isEnabled()) << id;
    }
    modalTexts.clear();
    AnswerMessage("OK");
    Album().Editor().SortByName();
    ASSERT_EQ(modalTexts.size(), 1u);
    EXPECT_TRUE(modalTexts[0].startsWith(refusal)) << modalTexts[0].toStdString();
  }
};

TEST_F(PicturePass, CreateWebPageWritesWhileTheWindowAnswers) {
  Start(0, MakeAlbum(25));
  Frame().resize(Frame().width(), 300);
  HoldBudget();
  Trigger(ID_CREATE_WEB_PAGE);  // returns with the pictures still to write
  ExpectChangesRefused("Quillaran is still writing the pictures of the web album.");
  QScrollBar* bar = View().verticalScrollBar();
  ASSERT_GT(bar->maximum(), 0);
  bar->setValue(bar->maximum());
  QTest::qWait(100);  // the window's events run meanwhile
  EXPECT_EQ(bar->value(), bar->maximum());
  EXPECT_FALSE(fs::exists(temp / "album" / "pix_index.htm"));

  LetGo();
  ASSERT_TRUE(QTest::qWaitFor([this] { return Pane2().startsWith("Pictures written "); }, 20000));
  WaitForPass();
  EXPECT_EQ(Pane2(), "Pictures written 25/25");
  EXPECT_TRUE(fs::exists(temp / "album" / "pix_index.htm"));
  EXPECT_TRUE(fs::exists(temp / "album" / "Thumbs" / "Thumb_p24.png"));
  EXPECT_EQ(opened.size(), 1u);
  EXPECT_TRUE(Action(ID_SAVE_RECORD).isEnabled());

  // The same files as the run in one call that quillaran-web's comparison checks.
  const auto filesBelow = [this] {
    std::map<std::string, std::string> files;
    for (const auto& item : fs::recursive_directory_iterator(temp / "album")) {
      if (item.is_regular_file() && item.path().filename() != "QuillaranLog.txt") {
        files[item.path().string()] = ReadFileBytes(item.path());
      }
    }
    return files;
  };
  const std::map<std::string, std::string> written = filesBelow();
  CWebElement again(Album());
  ASSERT_EQ(again.CreateWebPage(Album().Record().DirName(), Album().Pictures().DisplayOrder(),
                                Album().Pictures().Count(), ImageFiles::Write),
            1);
  EXPECT_EQ(filesBelow(), written);
}

// Escape lets no other picture begin and waits for those under way: each file written is whole
// (a picture's files are written in full, each replacing its path at once), and a stopped run
// writes no page.
TEST_F(PicturePass, EscapeLeavesWholeFilesAndNoPages) {
  Start(0, MakeAlbum(25));
  HoldBudget();
  Trigger(ID_CREATE_WEB_PAGE);
  std::thread later([this] {
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    LetGo();  // once Escape waits for the pictures under way
  });
  QTest::keyClick(&View(), Qt::Key_Escape);
  later.join();
  EXPECT_FALSE(Album().Loader().IsBusy());
  EXPECT_FALSE(fs::exists(temp / "album" / "pix_index.htm"));
  EXPECT_FALSE(fs::exists(temp / "album" / "Large" / "Basic.css"));
  int written = 0;
  for (const auto& item : fs::recursive_directory_iterator(temp / "album")) {
    const std::string name = item.path().filename().string();
    if (item.path().parent_path().filename() == "Thumbs") {
      ++written;
      CImageWrap thumb;
      EXPECT_EQ(thumb.Load(item.path().string(), Album().Ui()), 1) << name;
      EXPECT_TRUE(fs::exists(temp / "album" / "Large" / name.substr(6))) << name;
    }
    EXPECT_EQ(name.find(".tmp"), std::string::npos) << name;
  }
  EXPECT_LT(written, 25);
  EXPECT_TRUE(Action(ID_CREATE_WEB_PAGE).isEnabled());
}

// A thumb size changed in the options makes every sketch again off the window's thread; the
// sheet shows each new one as it comes.
TEST_F(PicturePass, OptionsMakeTheSketchesAgainWhileTheWindowAnswers) {
  Start(0, MakeAlbum(12));
  HoldBudget();
  CGeneralSettings general = Album().Settings().GeneralSettings;
  general.ThumbSize = 80;
  CAdvancedSettings advanced = Album().Settings().AdvancedSettings;
  ApplyOptions(Album(), general, Album().Settings().WebViewSettings, advanced);
  Frame().UpdateCommandStates();
  ExpectChangesRefused("Quillaran is still making the thumb sketches.");
  EXPECT_EQ(Album().Pictures().EntryAt(0).sketchSource.thumbSize, 120);

  LetGo();
  WaitForPass();
  for (int i = 0; i < Album().Pictures().Count(); ++i) {
    EXPECT_EQ(Album().Pictures().EntryAt(i).sketchSource.thumbSize, 80) << i;
  }
  EXPECT_EQ(Pane2(), "12 Thumb bitmaps built");
  EXPECT_TRUE(Action(ID_OPTIONS).isEnabled());
}

}  // namespace
