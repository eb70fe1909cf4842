#pragma once
// The "Advanced" page of the options: the safe picture number, rendering, the run log, the
// web page's text insertion and advert filter protection, captions on the sheet, the
// automatic crop method, the favourite directory, the help directory, and the size of the
// sketches kept between runs, with a button that empties them.

#include <functional>

#include "album/Settings.h"
#include "shell/OptionPage.h"

class QPushButton;

class CPageAdv : public COptionPage {
  Q_OBJECT
 public:
  explicit CPageAdv(QWidget* parent = nullptr);

  void LoadFrom(const CAdvancedSettings& block);
  // Mutable: taking the page over puts an AutoCropStrategy out of range back to 0 here too.
  CAdvancedSettings& Settings() { return settings_; }
  // What "Empty Sketch Cache" does: removes the kept sketches and says how many went.
  void SetEmptySketchCache(std::function<int()> empty) { emptySketchCache_ = std::move(empty); }

 protected:
  bool ExchangeOthers() override;
  void ShowOthers() override;

 private:
  // Picks the help directory in the directory dialog.
  void Browse();
  void EmptySketchCache();

  CAdvancedSettings settings_;
  QLineEdit* topDir2Look_;
  QLineEdit* helpDirR_;
  QPushButton* emptyCache_;
  std::function<int()> emptySketchCache_;
};
