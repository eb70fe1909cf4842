#include <QCheckBox>
#include <QColorDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <filesystem>

#include "album/SketchDiskCache.h"
#include "shell/ColorPreview.h"
#include "shell/OptionSheet.h"
#include "shell/PageGeneral.h"
#include "shell/PageWebView.h"
#include "tests/gui/GuiFixture.h"
#include "tests/support/TestAlbum.h"
#include "views/TessalyView.h"

namespace {

// The sheet over an open album of one picture, shown without a modal loop so that the test
// drives it; the album counts its rebuilds and repaints.
class OptionSheet : public GuiFixture {
 protected:
  void SetUp() override {
    GuiFixture::SetUp();
    Start(0, MakeAlbum(1));
    Album().Loader().SetThumbRebuild([this] { ++rebuilds; });
    Album().AttachView(&counting);
  }
  void TearDown() override {
    Album().AttachView(&View().Observer());
    GuiFixture::TearDown();
  }
  std::unique_ptr<COptionSheet> OpenSheet() {
    auto sheet = std::make_unique<COptionSheet>(Album(), &Frame());
    sheet->show();
    return sheet;
  }
  // Types into a field of the sheet as the user would.
  static void Type(COptionSheet& sheet, const char* field, const QString& text) {
    auto* edit = sheet.findChild<QLineEdit*>(field);
    edit->setText(text);
    emit edit->textEdited(text);
  }
  // OK as the Options command takes it.
  static void Confirm(COptionSheet& sheet) {
    sheet.accept();
    ASSERT_EQ(sheet.result(), QDialog::Accepted);
    sheet.ApplyToAlbum();
  }

  CountingSheetView counting;
  int rebuilds = 0;
};

TEST_F(OptionSheet, ApplyRefusesAThumbSizeOutOfRangeAndAppliesNothing) {
  auto sheet = OpenSheet();
  Type(*sheet, "ThumbSize", "1000");
  ASSERT_TRUE(sheet->ApplyButton()->isEnabled());
  AnswerMessage("OK");
  sheet->ApplyButton()->click();
  EXPECT_EQ(modalTexts, std::vector<QString>{"Please enter an integer between 20 and 400."});
  EXPECT_EQ(Album().Settings().GeneralSettings.ThumbSize, 120);
  EXPECT_EQ(Album().Record().Dirty(), 0);
  EXPECT_TRUE(sheet->ApplyButton()->isEnabled());
}

TEST_F(OptionSheet, TheFrameColourAloneRepaintsAndWithTheThumbSizeRebuilds) {
  for (const char* size : {"120", "80"}) {
    rebuilds = 0;
    counting.repaints = 0;
    auto sheet = OpenSheet();
    Type(*sheet, "ThumbSize", size);
    WhenModal([](QWidget* modal) {
      auto* chooser = qobject_cast<QColorDialog*>(modal);
      ASSERT_NE(chooser, nullptr);
      chooser->setCurrentColor(QColor(255, 0, 0));
      chooser->accept();
    });
    sheet->findChild<QPushButton*>("FrameColor")->click();
    Confirm(*sheet);
    EXPECT_EQ(Album().Settings().GeneralSettings.FrameColor, 0x0000FF) << size;
    EXPECT_EQ(Album().Settings().GeneralSettings.ThumbSize, std::stoi(size));
    EXPECT_EQ(rebuilds, size == std::string("80") ? 1 : 0) << size;
    EXPECT_EQ(counting.repaints, 1) << size;
    Album().Record().ChangeSettings(
        [&](CAlbumSettings& s) { s.GeneralSettings.FrameColor = 0xC8C8C8; });
  }
}

TEST_F(OptionSheet, AnAutoCropMethodOutOfRangeIsStoredAsZero) {
  auto sheet = OpenSheet();
  sheet->Tabs()->setCurrentIndex(2);
  Type(*sheet, "AutoCropStrategy", "5");
  Confirm(*sheet);
  EXPECT_EQ(Album().Settings().AdvancedSettings.AutoCropStrategy, 0);
  EXPECT_EQ(OpenSheet()->findChild<QLineEdit*>("AutoCropStrategy")->text(), "0");
}

TEST_F(OptionSheet, PagesForPhonesAreChosenOnTheWebPageViewPage) {
  auto sheet = OpenSheet();
  sheet->Tabs()->setCurrentIndex(1);
  auto* box = sheet->findChild<QCheckBox*>("WebForPhones");
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(box->text(), "Pages that fit phones and tablets");
  EXPECT_FALSE(box->isChecked());
  box->click();
  Confirm(*sheet);
  EXPECT_EQ(Album().Settings().WebViewSettings.WebForPhones, 1);
  EXPECT_EQ(counting.repaints, 0);  // no picture on screen changes
  EXPECT_TRUE(OpenSheet()->findChild<QCheckBox*>("WebForPhones")->isChecked());
}

TEST_F(OptionSheet, TheColourPreviewShowsNameValueAndLuminance) {
  auto sheet = OpenSheet();
  sheet->Tabs()->setCurrentIndex(1);
  auto* list = sheet->findChild<QListWidget*>("WTextColor");
  EXPECT_EQ(list->count(), 17);
  EXPECT_EQ(list->item(16)->text(), "");                 // the empty last line
  EXPECT_EQ(sheet->webViewPage->Preview()->Text(), "");  // blank until a colour is picked
  list->setCurrentRow(12);
  EXPECT_EQ(sheet->webViewPage->Preview()->Text(), "silver #C0C0C0 Lum=75%");
  list->setCurrentRow(7);
  EXPECT_EQ(sheet->webViewPage->Preview()->Text(), "maroon #800000 Lum=15%");
  EXPECT_FALSE(PreviewOf("maroon", Album().Settings().WebColors()).onBlack);
  EXPECT_TRUE(PreviewOf("silver", Album().Settings().WebColors()).onBlack);
}

TEST_F(OptionSheet, AColourNameOutsideTheListStaysWhenNoLineIsPicked) {
  Album().Record().ChangeSettings(
      [&](CAlbumSettings& s) { s.WebViewSettings.WTextColor = "orange"; });
  auto sheet = OpenSheet();
  sheet->Tabs()->setCurrentIndex(1);
  EXPECT_TRUE(sheet->findChild<QListWidget*>("WTextColor")->selectedItems().isEmpty());
  Confirm(*sheet);
  EXPECT_EQ(Album().Settings().WebViewSettings.WTextColor, "orange");
}

// The sketch that the open kept on disk goes with the Advanced page's button.
TEST_F(OptionSheet, TheAdvancedPageEmptiesTheSketchCache) {
  const std::string folder = DefaultSketchCacheFolder();
  ASSERT_FALSE(std::filesystem::is_empty(folder));
  auto sheet = OpenSheet();
  auto* button = sheet->findChild<QPushButton*>("EmptySketchCache");
  button->click();
  EXPECT_TRUE(std::filesystem::is_empty(folder));
  EXPECT_TRUE(button->text().endsWith("Sketches Removed")) << button->text().toStdString();
}

}  // namespace
