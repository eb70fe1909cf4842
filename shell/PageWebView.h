#pragma once
// The "Web Page View" page of the options: page width, the largest size of the originals,
// the text colour with its preview, one date and one caption for the album, whether each
// large image gets its own page in a new browser window, and whether the pages fit phones.

#include "album/Settings.h"
#include "shell/OptionPage.h"

class CColorPreview;
class CWebColors;
class QListWidget;

class CPageWebView : public COptionPage {
  Q_OBJECT
 public:
  CPageWebView(const CWebColors& colors, QWidget* parent = nullptr);

  void LoadFrom(const CWebViewSettings& block);
  const CWebViewSettings& Settings() const { return settings_; }
  int colorIndex = 0;  // line of WTextColor in the colour list
  CColorPreview* Preview() const { return preview_; }

 protected:
  bool ExchangeOthers() override;
  void ShowOthers() override;

 private:
  const CWebColors& colors_;
  CWebViewSettings settings_;
  QListWidget* colorList_;
  CColorPreview* preview_;
  QCheckBox* liOwnWP_;
  QCheckBox* liOwnBrW_;
};
