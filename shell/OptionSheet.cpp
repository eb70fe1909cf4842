#include "shell/OptionSheet.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "album/PixDir.h"
#include "appcore/OptionsApply.h"
#include "shell/PageAdv.h"
#include "shell/PageGeneral.h"
#include "shell/PageWebView.h"

COptionSheet::COptionSheet(CPixDir& album, QWidget* parent) : QDialog(parent), album_(album) {
  setWindowTitle("Options");
  advancedPage = new CPageAdv(this);
  generalPage = new CPageGeneral(this);
  webViewPage = new CPageWebView(album.Settings().WebColors(), this);
  generalPage->LoadFrom(album.Settings().GeneralSettings);
  webViewPage->LoadFrom(album.Settings().WebViewSettings);
  advancedPage->LoadFrom(album.Settings().AdvancedSettings);
  advancedPage->SetEmptySketchCache([&album] { return album.Loader().EmptySketchCache(); });

  tabs_ = new QTabWidget(this);
  tabs_->addTab(generalPage, "General");
  tabs_->addTab(webViewPage, "Web Page View");
  tabs_->addTab(advancedPage, "Advanced");
  auto* buttons = new QDialogButtonBox(
      QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Apply, this);
  apply_ = buttons->button(QDialogButtonBox::Apply);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(tabs_);
  layout->addWidget(buttons);

  connect(buttons, &QDialogButtonBox::accepted, this, &COptionSheet::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &COptionSheet::reject);
  connect(apply_, &QPushButton::clicked, this, &COptionSheet::OnApply);
  connect(tabs_, &QTabWidget::currentChanged, this, &COptionSheet::PageChanged);
  for (int i = 0; i < tabs_->count(); ++i) {
    connect(PageAt(i), &COptionPage::modifiedChanged, this, &COptionSheet::UpdateApplyButton);
  }
  UpdateApplyButton();
}

COptionPage* COptionSheet::PageAt(int index) const {
  return static_cast<COptionPage*>(tabs_->widget(index));
}

void COptionSheet::PageChanged(int index) {
  // A page is left only with valid fields.
  if (index == shownPage_) {
    return;
  }
  if (!PageAt(shownPage_)->Exchange()) {
    tabs_->setCurrentIndex(shownPage_);
    return;
  }
  shownPage_ = index;
}

void COptionSheet::ApplyToAlbum() {
  ApplyOptions(album_, generalPage->Settings(), webViewPage->Settings(), advancedPage->Settings());
  advancedPage->ShowMembers();  // the auto-crop method may have been put back to 0
}

void COptionSheet::OnApply() {
  if (!PageAt(tabs_->currentIndex())->Exchange()) {
    return;  // the message is shown: nothing is applied
  }
  ApplyToAlbum();
  for (int i = 0; i < tabs_->count(); ++i) {
    PageAt(i)->SetModified(false);
  }
}

void COptionSheet::accept() {
  if (PageAt(tabs_->currentIndex())->Exchange()) {
    QDialog::accept();
  }
}

void COptionSheet::UpdateApplyButton() {
  bool modified = false;
  for (int i = 0; i < tabs_->count(); ++i) {
    modified = modified || PageAt(i)->IsModified();
  }
  apply_->setEnabled(modified);
}
