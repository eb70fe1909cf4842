#include "shell/DialogCaption.h"

#include <QDialogButtonBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <QHBoxLayout>

namespace {

// The text with its line breaks (of any kind) and tabs as blanks.
QString OneLine(QString text) {
  for (QChar& c : text) {
    if (c == '\n' || c == '\r' || c == '\t' || c == QChar::LineSeparator ||
        c == QChar::ParagraphSeparator) {
      c = ' ';
    }
  }
  return text;
}

// A caption box that takes pasted or dropped text as one line.
class CaptionEdit : public QPlainTextEdit {
 public:
  using QPlainTextEdit::QPlainTextEdit;

 protected:
  void insertFromMimeData(const QMimeData* source) override {
    if (source->hasText()) {
      insertPlainText(OneLine(source->text()));
    }
  }
};

}  // namespace

CDialogCaption::CDialogCaption(QWidget* parent) : QDialog(parent) {
  setWindowTitle("Picture Caption and Date");
  titleLine_ = new QLineEdit(this);
  titleLine_->setObjectName("TitleLine");
  titleLine_->setReadOnly(true);
  titleLine_->setAlignment(Qt::AlignCenter);
  titleLine_->setFocusPolicy(Qt::NoFocus);
  caption_ = new CaptionEdit(this);
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
      accept();
      return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}

void CDialogCaption::Fill(const CaptionDialogData& data) {
  titleLine_->setText(QString::fromStdString(data.titleLine));
  caption_->setPlainText(OneLine(QString::fromStdString(data.caption)));
  date_->setText(QString::fromStdString(data.date));
  caption_->selectAll();
}

CaptionDialogData CDialogCaption::Read() const {
  return CaptionDialogData{OneLine(caption_->toPlainText()).toStdString(),
                           date_->text().toStdString(), titleLine_->text().toStdString()};
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
