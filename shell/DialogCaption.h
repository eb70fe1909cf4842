#pragma once
// "Picture Caption and Date": the caption and date of one picture, or the single caption and
// date of the whole web album. The caption is limited to 128 characters.

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
  // Enter in the caption box accepts, as in the date line; Ctrl+Enter starts a new line.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QLineEdit* titleLine_;
  QPlainTextEdit* caption_;
  QLineEdit* date_;
};
