#include "shell/DialogCaption.h"

#include <QDialogButtonBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <QHBoxLayout>

CDialogCaption::CDialogCaption(QWidget* parent) : QDialog(parent) {
  setWindowTitle("Picture Caption and Date");
  titleLine_ = new QLineEdit(this);
  titleLine_->setObjectName("TitleLine");
  titleLine_->setReadOnly(true);
  titleLine_->setAlignment(Qt::AlignCenter);
  titleLine_->setFocusPolicy(Qt::NoFocus);
  caption_ = new QPlainTextEdit(this);
  caption_->setObjectName("Caption");
  caption_->setLineWrapMode(QPlainTextEdit::NoWrap);
  caption_->setTabChangesFocus(true);
  caption_->setMinimumSize(360, 60);
  date_ = new QLineEdit(this);
  date_->setObjectName("Date");

  auto* dateRow = new QHBoxLayout;
  dateRow->addWidget(new QLabel("Enter or correct date", this));
  dateRow->addWidget(date_, 1);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &CDialogCaption::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &CDialogCaption::reject);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(titleLine_);
  layout->addWidget(new QLabel("Enter caption in box below", this));
  layout->addWidget(caption_, 1);
  layout->addLayout(dateRow);
  layout->addWidget(buttons);
  caption_->installEventFilter(this);
  caption_->setFocus();  // the user types the caption at once
}

bool CDialogCaption::eventFilter(QObject* watched, QEvent* event) {
  if (watched == caption_ && event->type() == QEvent::KeyPress) {
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
      if (key->modifiers() & Qt::ControlModifier) {
        caption_->insertPlainText("\n");
      } else {
        accept();
      }
      return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}

void CDialogCaption::Fill(const CaptionDialogData& data) {
  titleLine_->setText(QString::fromStdString(data.titleLine));
  caption_->setPlainText(QString::fromStdString(data.caption));
  date_->setText(QString::fromStdString(data.date));
  caption_->selectAll();
}

CaptionDialogData CDialogCaption::Read() const {
  return CaptionDialogData{caption_->toPlainText().toStdString(), date_->text().toStdString(),
                           titleLine_->text().toStdString()};
}

void CDialogCaption::accept() {
  // Characters as the user counts them, not bytes.
  if (caption_->toPlainText().toUcs4().size() > kMaxCaption) {
    QMessageBox::warning(this, windowTitle(),
                         QString("Please enter no more than %1 characters.").arg(kMaxCaption));
    caption_->setFocus();
    return;
  }
  QDialog::accept();
}
