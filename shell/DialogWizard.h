#pragma once
// "Helpful Hints": the explanation of a command in learning mode, with the box that turns
// learning mode off. Only OK reads the box; Escape and the close box leave it unread.

#include <QDialog>

#include "platform/PlatformUi.h"

class QCheckBox;
class QPlainTextEdit;

class CDialogWizard : public QDialog {
  Q_OBJECT
 public:
  explicit CDialogWizard(QWidget* parent = nullptr);
  void Fill(const HintDialogData& data);
  HintDialogData Read() const;

 private:
  QPlainTextEdit* hint_;
  QCheckBox* turnOff_;
};
