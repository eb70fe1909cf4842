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
  QLineEdit* safePixNum = IntegerField("SafePixNum", settings_.SafePixNum);
  QCheckBox* checks[] = {
      CheckBox("True Color Device (24/32 bpp)", "TrueColor", settings_.TrueColor),
      CheckBox("Keep LOG (QuillaranLog.txt)", "KeepLog", settings_.KeepLog),
      CheckBox("Web Page for Text Insertion", "TextPage4Web", settings_.TextPage4Web),
      CheckBox("Protect Against Advert. Filters", "AntiAdFilter", settings_.AntiAdFilter),
      CheckBox("Display Captions in Quillaran", "AlwaysShowCaptions",
               settings_.AlwaysShowCaptions)};
  // The auto-crop method is taken like the others but does not mark the page modified.
  QLineEdit* autoCropStrategy = IntegerField("AutoCropStrategy", settings_.AutoCropStrategy, false);
  disconnect(autoCropStrategy, nullptr, this, nullptr);
  topDir2Look_ = new QLineEdit(this);
  topDir2Look_->setObjectName("TopDir2Look");
  helpDirR_ = new QLineEdit(this);
  helpDirR_->setObjectName("HelpDirR");
  QLineEdit* sketchCacheMB = IntegerField("SketchCacheMB", settings_.SketchCacheMB);
  emptyCache_ = new QPushButton("Empty Sketch Cache", this);
  emptyCache_->setObjectName("EmptySketchCache");
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
  grid->addWidget(safePixNum, 0, 1);
  int row = 1;
  for (QCheckBox* check : checks) {
    grid->addWidget(check, row++, 0, 1, 2);
  }
  grid->addWidget(new QLabel("AutoCrop Method", controls), row, 0);
  grid->addWidget(autoCropStrategy, row++, 1);
  grid->addWidget(new QLabel("Favorite Directory", controls), row, 0);
  grid->addWidget(topDir2Look_, row++, 1);
  grid->addWidget(new QLabel("Sketch Cache (MB)", controls), row, 0);
  grid->addWidget(sketchCacheMB, row++, 1);
  grid->addWidget(emptyCache_, row++, 1);
  grid->addWidget(help, row++, 0, 1, 2);
  grid->setRowStretch(row, 1);
  ControlsBeside(controls);

  for (QLineEdit* edit : {helpDirR_, topDir2Look_}) {
    connect(edit, &QLineEdit::textEdited, this, &CPageAdv::MarkModified);
  }
  connect(browse, &QPushButton::clicked, this, &CPageAdv::Browse);
  connect(emptyCache_, &QPushButton::clicked, this, &CPageAdv::EmptySketchCache);
}

void CPageAdv::EmptySketchCache() {
  const int removed = emptySketchCache_ ? emptySketchCache_() : 0;
  emptyCache_->setText(QString("%1 Sketches Removed").arg(removed));
}

void CPageAdv::LoadFrom(const CAdvancedSettings& block) {
  settings_ = block;
  ShowMembers();
}

void CPageAdv::ShowOthers() {
  topDir2Look_->setText(QString::fromStdString(settings_.TopDir2Look));
  helpDirR_->setText(QString::fromStdString(settings_.HelpDirR));
}

bool CPageAdv::ExchangeOthers() {
  settings_.TopDir2Look = topDir2Look_->text().toStdString();
  settings_.HelpDirR = helpDirR_->text().toStdString();
  return true;
}

void CPageAdv::Browse() {
  if (!Exchange()) {
    return;
  }
  CDialogDir dialog("", this);
  dialog.SetStart(settings_.TopDir2Look, TreeOpens::AtTheRoots);
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
