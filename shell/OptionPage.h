#pragma once
// What the three pages of the options sheet share: the members are a copy of one settings
// block, shown in the controls and read back with the integer checks of the sheet; any change
// by the user marks the page modified, which enables the sheet's Apply button. Integer fields
// and check boxes are bound to their setting here; a page handles its other controls itself.

#include <QWidget>
#include <cstdint>
#include <vector>

class QCheckBox;
class QGridLayout;
class QLineEdit;

class COptionPage : public QWidget {
  Q_OBJECT
 public:
  explicit COptionPage(QWidget* parent = nullptr);

  // Reads the controls into the members. An integer field that is no integer, or out of its
  // range, gets the message and the focus, and the exchange stops there with false.
  bool Exchange();
  // Shows the members in the controls; that marks nothing modified.
  void ShowMembers();
  bool IsModified() const { return modified_; }
  void SetModified(bool modified);

 signals:
  void modifiedChanged();

 protected:
  // The controls that are not bound fields or check boxes.
  virtual bool ExchangeOthers() { return true; }
  virtual void ShowOthers() {}
  // Call for every change the user makes; ignored while the members are being shown.
  void MarkModified();
  bool Showing() const { return showing_; }
  // The page's controls on the left and the decoration picture, three times, on the right.
  void ControlsBeside(QWidget* controls);

  // A field for the integer setting of this name, checked in the order of creation against
  // the setting's range, or only for being an integer.
  QLineEdit* IntegerField(const char* name, int32_t& member, bool checkRange = true);
  // A check box for a 0/1 setting.
  QCheckBox* CheckBox(const char* text, const char* name, int32_t& member);

 private:
  struct BoundField {
    QLineEdit* field;
    int32_t* member;
    int min;
    int max;
  };
  struct BoundCheck {
    QCheckBox* box;
    int32_t* member;
  };

  std::vector<BoundField> fields_;
  std::vector<BoundCheck> checks_;
  bool modified_ = false;
  bool showing_ = false;
};

// The decoration of the option pages, 48 x 64 pixels: a framed picture of hills under the sun.
QPixmap DecorationPicture();
