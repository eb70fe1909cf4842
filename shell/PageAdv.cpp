#include "shell/PageAdv.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "shell/DialogDir.h"

CPageAdv::CPageAdv(QWidget* parent) : COptionPage(parent) {
  setObjectName("PageAdv");
  auto field = [this](const char* name) {
    auto* edit = new QLineEdit(this);
    edit->setObjectName(name);
    return edit;
  };
  auto box = [this](const char* text, const char* name) {
    auto* check = new QCheckBox(text, this);
    check->setObjectName(name);
    connect(check, &QCheckBox::clicked, this, &CPageAdv::MarkModified);
    return check;
  };
  safePixNum_ = IntegerField("SafePixNum");
  trueColor_ = box("True Color Device (24/32 bpp)", "TrueColor");
  keepLog_ = box("Keep LOG (QuillaranLog.txt)", "KeepLog");
  textPage4Web_ = box("Web Page for Text Insertion", "TextPage4Web");
  antiAdFilter_ = box("Protect Against Advert. Filters", "AntiAdFilter");
  alwaysShowCaptions_ = box("Display Captions in Quillaran", "AlwaysShowCaptions");
  autoCropStrategy_ = IntegerField("AutoCropStrategy");
  topDir2Look_ = field("TopDir2Look");
  helpDirR_ = field("HelpDirR");
  auto* browse = new QPushButton("Browse", this);
  browse->setObjectName("Browse");

  auto* help = new QGroupBox("Directory for Help File", this);
  auto* helpColumn = new QVBoxLayout(help);
  helpColumn->addWidget(browse, 0, Qt::AlignCenter);
  helpColumn->addWidget(helpDirR_);
  auto* controls = new QWidget(this);
  auto* grid = new QGridLayout(controls);
  grid->setContentsMargins(0, 0, 0, 0);
  grid->addWidget(new QLabel("Safe Picture Number", controls), 0, 0);
  grid->addWidget(safePixNum_, 0, 1);
  int row = 1;
  for (QCheckBox* check :
       {trueColor_, keepLog_, textPage4Web_, antiAdFilter_, alwaysShowCaptions_}) {
    grid->addWidget(check, row++, 0, 1, 2);
  }
  grid->addWidget(new QLabel("AutoCrop Method", controls), row, 0);
  grid->addWidget(autoCropStrategy_, row++, 1);
  grid->addWidget(new QLabel("Favorite Directory", controls), row, 0);
  grid->addWidget(topDir2Look_, row++, 1);
  grid->addWidget(help, row++, 0, 1, 2);
  grid->setRowStretch(row, 1);
  ControlsBeside(controls);

  // The auto-crop field is taken like the others but does not mark the page modified.
  for (QLineEdit* edit : {safePixNum_, helpDirR_, topDir2Look_}) {
    connect(edit, &QLineEdit::textEdited, this, &CPageAdv::MarkModified);
  }
  connect(browse, &QPushButton::clicked, this, &CPageAdv::Browse);
}

void CPageAdv::LoadFrom(const CAdvancedSettings& block) {
  settings_ = block;
  ShowMembers();
}

void CPageAdv::ShowControls() {
  ShowInteger(safePixNum_, settings_.SafePixNum);
  trueColor_->setChecked(settings_.TrueColor == 1);
  keepLog_->setChecked(settings_.KeepLog == 1);
  textPage4Web_->setChecked(settings_.TextPage4Web == 1);
  antiAdFilter_->setChecked(settings_.AntiAdFilter == 1);
  alwaysShowCaptions_->setChecked(settings_.AlwaysShowCaptions == 1);
  ShowInteger(autoCropStrategy_, settings_.AutoCropStrategy);
  topDir2Look_->setText(QString::fromStdString(settings_.TopDir2Look));
  helpDirR_->setText(QString::fromStdString(settings_.HelpDirR));
}

bool CPageAdv::Exchange() {
  if (!ReadInteger(safePixNum_, settings_.SafePixNum, 4, 64)) {
    return false;
  }
  settings_.TrueColor = trueColor_->isChecked() ? 1 : 0;
  settings_.KeepLog = keepLog_->isChecked() ? 1 : 0;
  settings_.TextPage4Web = textPage4Web_->isChecked() ? 1 : 0;
  settings_.AntiAdFilter = antiAdFilter_->isChecked() ? 1 : 0;
  settings_.AlwaysShowCaptions = alwaysShowCaptions_->isChecked() ? 1 : 0;
  if (!ReadInteger(autoCropStrategy_, settings_.AutoCropStrategy)) {
    return false;
  }
  settings_.TopDir2Look = topDir2Look_->text().toStdString();
  settings_.HelpDirR = helpDirR_->text().toStdString();
  return true;
}

void CPageAdv::Browse() {
  if (!Exchange()) {
    return;
  }
  CDialogDir dialog("", this);
  dialog.SetStart(settings_.TopDir2Look, 0);
  dialog.treeBackground = 0xFFFFF0;
  if (dialog.exec() != QDialog::Accepted) {
    return;
  }
  if (dialog.selectedPath.size() > 1) {
    settings_.HelpDirR = dialog.selectedPath;
  }
  ShowMembers();
  MarkModified();
}
