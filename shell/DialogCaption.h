#pragma once
// "Picture Caption and Date": the caption and date of one picture, or the single caption and
// date of the whole web album. The caption is limited to 128 characters. A caption is one
// line, as the record keeps it: the box takes no line break, and pasted line breaks and tabs
// become blanks, so that what the box shows is what is kept.

#include <QDialog>

#include "platform/PlatformUi.h"

class QLineEdit;
class QPlainTextEdit;

class CDialogCaption : public QDialog {
  Q_OBJECT
 public:
  static constexpr int kMaxCaption = 128;

  explicit CDialogCaption(QWidget* parent = nullptr);
  // Fills the three fields; Read gives them back (the caller reads only after OK).
  void Fill(const CaptionDialogData& data);
  CaptionDialogData Read() const;

  void accept() override;

 protected:
  // Enter in the caption box accepts, as in the date line, with any modifier.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QLineEdit* titleLine_;
  QPlainTextEdit* caption_;
  QLineEdit* date_;
};
