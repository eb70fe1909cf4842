#include "shell/PageGeneral.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QColorDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "shell/ColorRef.h"

CPageGeneral::CPageGeneral(QWidget* parent) : COptionPage(parent) {
  setObjectName("PageGeneral");
  QLineEdit* thumbSize = IntegerField("ThumbSize", settings_.ThumbSize);
  frameYorN_ = CheckBox("Display Thumbs with Frames", "FrameYorN", settings_.FrameYorN);
  frameGap_ = IntegerField("FrameGap", settings_.FrameGap);
  frameColor_ = new QPushButton("Select Color for Frames", this);
  frameColor_->setObjectName("FrameColor");
  QCheckBox* webImmedDisplay =
      CheckBox("Display Web Page Immediately", "WebImmedDisplay", settings_.WebImmedDisplay);
  QCheckBox* learning = CheckBox("Learning Mode ON", "Learning", settings_.Learning);

  auto* patterns = new QGroupBox("Select Pattern for Frames", this);
  auto* patternRow = new QHBoxLayout(patterns);
  auto* patternGroup = new QButtonGroup(this);
  const char* names[] = {"Solid", "Hatch", "Stars", "Dots"};
  for (int i = 0; i < 4; ++i) {
    QRadioButton* button = new QRadioButton(names[i], patterns);
    button->setObjectName(QString("FrameBrush%1").arg(i));
    patternGroup->addButton(button, i);
    patternRow->addWidget(button);
    frameBrush_[static_cast<size_t>(i)] = button;
  }

  auto* both = new QGroupBox("Both Local and Web Appearance", this);
  auto* bothGrid = new QGridLayout(both);
  bothGrid->addWidget(new QLabel("Thumbnail Sketch Size", both), 0, 0);
  bothGrid->addWidget(thumbSize, 0, 1);
  bothGrid->addWidget(frameYorN_, 1, 0, 1, 2);
  bothGrid->addWidget(new QLabel("Minimum frame gap", both), 2, 0);
  bothGrid->addWidget(frameGap_, 2, 1);
  bothGrid->addWidget(frameColor_, 3, 0, 1, 2);
  bothGrid->addWidget(patterns, 4, 0, 1, 2);
  auto* local = new QGroupBox("Local Effect Only", this);
  auto* localColumn = new QVBoxLayout(local);
  localColumn->addWidget(webImmedDisplay);
  localColumn->addWidget(learning);

  auto* controls = new QWidget(this);
  auto* column = new QVBoxLayout(controls);
  column->setContentsMargins(0, 0, 0, 0);
  column->addWidget(both);
  column->addWidget(local);
  column->addStretch(1);
  ControlsBeside(controls);

  connect(patternGroup, &QButtonGroup::idClicked, this, &CPageGeneral::MarkModified);
  connect(frameYorN_, &QCheckBox::clicked, this, [this] {
    Exchange();
    EnableFrameControls(frameYorN_->isChecked());
  });
  connect(frameColor_, &QPushButton::clicked, this, &CPageGeneral::ChooseFrameColor);
}

void CPageGeneral::LoadFrom(const CGeneralSettings& block) {
  settings_ = block;
  ShowMembers();
}

void CPageGeneral::ShowOthers() {
  if (settings_.FrameBrush >= 0 && settings_.FrameBrush < 4) {
    frameBrush_[static_cast<size_t>(settings_.FrameBrush)]->setChecked(true);
  }
  ShowFrameColor();
  EnableFrameControls(settings_.FrameYorN == 1);
}

bool CPageGeneral::ExchangeOthers() {
  for (int i = 0; i < 4; ++i) {
    if (frameBrush_[static_cast<size_t>(i)]->isChecked()) {
      settings_.FrameBrush = i;
    }
  }
  return true;
}

void CPageGeneral::EnableFrameControls(bool on) {
  frameGap_->setEnabled(on);
  frameColor_->setEnabled(on);
  for (QRadioButton* button : frameBrush_) {
    button->setEnabled(on);
  }
}

void CPageGeneral::ChooseFrameColor() {
  const QColor chosen = QColorDialog::getColor(FromColorRef(settings_.FrameColor), this);
  if (chosen.isValid()) {
    settings_.FrameColor = static_cast<int32_t>(ToColorRef(chosen));
    ShowFrameColor();
    MarkModified();
  }
}

void CPageGeneral::ShowFrameColor() {
  // The button carries a swatch of the frame colour chosen.
  QPixmap swatch(16, 16);
  swatch.fill(FromColorRef(settings_.FrameColor));
  frameColor_->setIcon(QIcon(swatch));
}
