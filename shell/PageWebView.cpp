#include "shell/PageWebView.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>

#include "shell/ColorPreview.h"
#include "web/WebColors.h"

CPageWebView::CPageWebView(const CWebColors& colors, QWidget* parent)
    : COptionPage(parent), colors_(colors) {
  setObjectName("PageWebView");
  wpWidth_ = IntegerField("WPwidth");
  maxOsize_ = IntegerField("MaxOsize");
  colorList_ = new QListWidget(this);
  colorList_->setObjectName("WTextColor");
  colorList_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  colorList_->setFixedHeight(4 * colorList_->fontMetrics().height() + 8);
  for (int i = 0; i < colors_.GetCount(); ++i) {  // in table order, the empty name last
    colorList_->addItem(QString::fromStdString(colors_.At(i).name));
  }
  preview_ = new CColorPreview(this);
  only1Date_ = new QCheckBox("Only One Date", this);
  only1Date_->setObjectName("Only1Date");
  only1Caption_ = new QCheckBox("Only One Caption", this);
  only1Caption_->setObjectName("Only1Caption");
  liOwnWP_ = new QCheckBox("Each Large Image in own Web Page", this);
  liOwnWP_->setObjectName("LIOwnWP");
  liOwnBrW_ = new QCheckBox("with New Browser Window", this);
  liOwnBrW_->setObjectName("LIOwnBrW");

  auto* controls = new QWidget(this);
  auto* grid = new QGridLayout(controls);
  grid->setContentsMargins(0, 0, 0, 0);
  grid->addWidget(new QLabel("Web Page Width", controls), 0, 0);
  grid->addWidget(wpWidth_, 0, 1);
  grid->addWidget(new QLabel("Maximum  Size for Display of Originals", controls), 1, 0);
  grid->addWidget(maxOsize_, 1, 1);
  grid->addWidget(new QLabel("Text Color Name\n(Web Standard)", controls), 2, 0);
  grid->addWidget(colorList_, 2, 1);
  grid->addWidget(preview_, 3, 0, 1, 2, Qt::AlignLeft);
  int row = 4;
  for (QCheckBox* box : {only1Date_, only1Caption_, liOwnWP_, liOwnBrW_}) {
    grid->addWidget(box, row++, 0, 1, 2);
  }
  grid->setRowStretch(row, 1);
  ControlsBeside(controls);

  for (QLineEdit* field : {wpWidth_, maxOsize_}) {
    connect(field, &QLineEdit::textEdited, this, &CPageWebView::MarkModified);
  }
  for (QCheckBox* box : {only1Date_, only1Caption_, liOwnBrW_}) {
    connect(box, &QCheckBox::clicked, this, &CPageWebView::MarkModified);
  }
  connect(liOwnWP_, &QCheckBox::clicked, this, [this] {
    MarkModified();
    Exchange();
    liOwnBrW_->setEnabled(liOwnWP_->isChecked());
  });
  connect(colorList_, &QListWidget::itemSelectionChanged, this, [this] {
    if (Showing()) {
      return;  // the preview stays blank until the user picks a colour
    }
    MarkModified();
    Exchange();
    preview_->ShowColor(settings_.WTextColor, colors_);
  });
}

void CPageWebView::LoadFrom(const CWebViewSettings& block) {
  settings_ = block;
  colorIndex = colors_.IndexOf(block.WTextColor);
  ShowMembers();
}

void CPageWebView::ShowControls() {
  ShowInteger(wpWidth_, settings_.WPwidth);
  ShowInteger(maxOsize_, settings_.MaxOsize);
  only1Date_->setChecked(settings_.Only1Date == 1);
  only1Caption_->setChecked(settings_.Only1Caption == 1);
  liOwnWP_->setChecked(settings_.LIOwnWP == 1);
  liOwnBrW_->setChecked(settings_.LIOwnBrW == 1);
  liOwnBrW_->setEnabled(settings_.LIOwnWP == 1);
  if (colorIndex >= 0 && colorIndex < colors_.GetCount()) {
    colorList_->setCurrentRow(colorIndex);
  } else {
    colorList_->clearSelection();
  }
}

bool CPageWebView::Exchange() {
  if (!ReadInteger(wpWidth_, settings_.WPwidth, 200, 1000) ||
      !ReadInteger(maxOsize_, settings_.MaxOsize, 300, 2000)) {
    return false;
  }
  settings_.Only1Date = only1Date_->isChecked() ? 1 : 0;
  settings_.Only1Caption = only1Caption_->isChecked() ? 1 : 0;
  settings_.LIOwnWP = liOwnWP_->isChecked() ? 1 : 0;
  settings_.LIOwnBrW = liOwnBrW_->isChecked() ? 1 : 0;
  // A colour that is not in the list keeps its name until the user picks a line.
  const QList<QListWidgetItem*> picked = colorList_->selectedItems();
  if (!picked.isEmpty()) {
    settings_.WTextColor = picked.front()->text().toStdString();
    colorIndex = colorList_->row(picked.front());
  }
  return true;
}
