#include "shell/DialogWizard.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QVBoxLayout>

CDialogWizard::CDialogWizard(QWidget* parent) : QDialog(parent) {
  setWindowTitle("Helpful Hints");
  hint_ = new QPlainTextEdit(this);
  hint_->setObjectName("HintText");
  hint_->setReadOnly(true);
  hint_->setMinimumSize(380, 140);
  auto* more = new QLabel(
      "You can always click the HELP button for more information  on the operation of Quillaran.",
      this);
  more->setWordWrap(true);
  turnOff_ = new QCheckBox("Turn OFF Learning Mode", this);
  turnOff_->setObjectName("TurnOffLearning");
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
  buttons->setCenterButtons(true);
  connect(buttons, &QDialogButtonBox::accepted, this, &CDialogWizard::accept);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(hint_, 1);
  layout->addWidget(more);
  layout->addWidget(turnOff_);
  layout->addWidget(buttons);
}

void CDialogWizard::Fill(const HintDialogData& data) {
  hint_->setPlainText(QString::fromStdString(data.hintText));
  turnOff_->setChecked(data.turnOffLearning == 1);
}

HintDialogData CDialogWizard::Read() const {
  return HintDialogData{hint_->toPlainText().toStdString(), turnOff_->isChecked() ? 1 : 0};
}
