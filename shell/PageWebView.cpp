#include "shell/PageWebView.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>

#include "album/WebColors.h"
#include "shell/ColorPreview.h"

CPageWebView::CPageWebView(const CWebColors& colors, QWidget* parent)
    : COptionPage(parent), colors_(colors) {
  setObjectName("PageWebView");
  QLineEdit* wpWidth = IntegerField("WPwidth", settings_.WPwidth);
  QLineEdit* maxOsize = IntegerField("MaxOsize", settings_.MaxOsize);
  colorList_ = new QListWidget(this);
  colorList_->setObjectName("WTextColor");
  colorList_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  colorList_->setFixedHeight(4 * colorList_->fontMetrics().height() + 8);
  for (int i = 0; i < colors_.GetCount(); ++i) {  // in table order, the empty name last
    colorList_->addItem(QString::fromStdString(colors_.At(i).name));
  }
  preview_ = new CColorPreview(this);
  QCheckBox* only1Date = CheckBox("Only One Date", "Only1Date", settings_.Only1Date);
  QCheckBox* only1Caption = CheckBox("Only One Caption", "Only1Caption", settings_.Only1Caption);
  liOwnWP_ = CheckBox("Each Large Image in own Web Page", "LIOwnWP", settings_.LIOwnWP);
  liOwnBrW_ = CheckBox("with New Browser Window", "LIOwnBrW", settings_.LIOwnBrW);
  QCheckBox* forPhones =
      CheckBox("Pages that fit phones and tablets", "WebForPhones", settings_.WebForPhones);

  auto* controls = new QWidget(this);
  auto* grid = new QGridLayout(controls);
  grid->setContentsMargins(0, 0, 0, 0);
  grid->addWidget(new QLabel("Web Page Width", controls), 0, 0);
  grid->addWidget(wpWidth, 0, 1);
  grid->addWidget(new QLabel("Maximum  Size for Display of Originals", controls), 1, 0);
  grid->addWidget(maxOsize, 1, 1);
  grid->addWidget(new QLabel("Text Color Name\n(Web Standard)", controls), 2, 0);
  grid->addWidget(colorList_, 2, 1);
  grid->addWidget(preview_, 3, 0, 1, 2, Qt::AlignLeft);
  int row = 4;
  for (QCheckBox* box : {only1Date, only1Caption, liOwnWP_, liOwnBrW_, forPhones}) {
    grid->addWidget(box, row++, 0, 1, 2);
  }
  grid->setRowStretch(row, 1);
  ControlsBeside(controls);

  connect(liOwnWP_, &QCheckBox::clicked, this, [this] {
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

void CPageWebView::ShowOthers() {
  liOwnBrW_->setEnabled(settings_.LIOwnWP == 1);
  if (colorIndex >= 0 && colorIndex < colors_.GetCount()) {
    colorList_->setCurrentRow(colorIndex);
  } else {
    colorList_->clearSelection();
  }
}

bool CPageWebView::ExchangeOthers() {
  // A colour that is not in the list keeps its name until the user picks a line.
  const QList<QListWidgetItem*> picked = colorList_->selectedItems();
  if (!picked.isEmpty()) {
    settings_.WTextColor = picked.front()->text().toStdString();
    colorIndex = colorList_->row(picked.front());
  }
  return true;
}
