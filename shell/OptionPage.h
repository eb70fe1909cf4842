#pragma once
// What the three pages of the options sheet share: the members are a copy of one settings
// block, shown in the controls and read back with the integer checks of the sheet; any change
// by the user marks the page modified, which enables the sheet's Apply button.

#include <QWidget>

class QGridLayout;
class QLineEdit;

class COptionPage : public QWidget {
  Q_OBJECT
 public:
  explicit COptionPage(QWidget* parent = nullptr);

  // Reads the controls into the members. An integer field that is no integer, or out of its
  // range, gets the message and the focus, and the exchange stops there with false.
  virtual bool Exchange() = 0;
  // Shows the members in the controls; that marks nothing modified.
  void ShowMembers();
  bool IsModified() const { return modified_; }
  void SetModified(bool modified);

 signals:
  void modifiedChanged();

 protected:
  virtual void ShowControls() = 0;
  // Call for every change the user makes; ignored while the members are being shown.
  void MarkModified();
  bool Showing() const { return showing_; }
  // The page's controls on the left and the decoration picture, three times, on the right.
  QGridLayout* ControlsBeside(QWidget* controls);

  // A field for an integer, named after its setting.
  QLineEdit* IntegerField(const char* name);
  // The integer in field, with its bounds when they are given.
  static bool ReadInteger(QLineEdit* field, int& value);
  static bool ReadInteger(QLineEdit* field, int& value, int min, int max);
  static void ShowInteger(QLineEdit* field, int value);

 private:
  bool modified_ = false;
  bool showing_ = false;
};

// The decoration of the option pages, 48 x 64 pixels: a framed picture of hills under the sun.
QPixmap DecorationPicture();
