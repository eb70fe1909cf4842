#pragma once
// The album's settings: the three blocks that the options sheet edits one page each, the web
// colour names that the page text colour must be one of, and their reading from and writing
// to the profile. Other parts read the settings by their profile value names, as
// album.Settings().GeneralSettings.ThumbSize.

#include "album/Settings.h"
#include "album/WebColors.h"

class CProfileStore;

class CAlbumSettings {
 public:
  CGeneralSettings GeneralSettings;
  CWebViewSettings WebViewSettings;
  CAdvancedSettings AdvancedSettings;

  // Reads every stored setting (a missing or out-of-range value reads as its default), then
  // the help file; writes them back in the same order.
  void LoadSettings(CProfileStore& store);
  void SaveSettings(CProfileStore& store) const;
  // Derives helpFile from HelpDirR of the block (the album's own when none is given), giving
  // HelpDirR its trailing separator.
  void UpdateHelpFile(CAdvancedSettings* block = nullptr);
  const CWebColors& WebColors() const { return webColors_; }

 private:
  CWebColors webColors_;
};
