#pragma once
// The "General" page of the options: thumb sketch size, frames with their gap, colour and
// pattern, opening the web page at once, and learning mode.

#include <array>

#include "album/Settings.h"
#include "shell/OptionPage.h"

class QPushButton;
class QRadioButton;

class CPageGeneral : public COptionPage {
  Q_OBJECT
 public:
  explicit CPageGeneral(QWidget* parent = nullptr);

  void LoadFrom(const CGeneralSettings& block);
  const CGeneralSettings& Settings() const { return settings_; }

 protected:
  bool ExchangeOthers() override;
  void ShowOthers() override;

 private:
  // The gap, the colour button and the four patterns follow "Display Thumbs with Frames".
  void EnableFrameControls(bool on);
  void ChooseFrameColor();
  void ShowFrameColor();

  CGeneralSettings settings_;
  QCheckBox* frameYorN_;
  QLineEdit* frameGap_;
  QPushButton* frameColor_;
  std::array<QRadioButton*, 4> frameBrush_{};
};
