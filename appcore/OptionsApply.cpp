#include "appcore/OptionsApply.h"

#include "album/PixDir.h"
#include "platform/PlatformUi.h"

int StoreGeneralSettings(const CGeneralSettings& page, CGeneralSettings& block) {
  int change = 0;
  if (page.ThumbSize != block.ThumbSize || page.FrameYorN != block.FrameYorN) {
    change = 2;
  } else if (page.FrameBrush != block.FrameBrush || page.FrameGap != block.FrameGap ||
             page.FrameColor != block.FrameColor || page.Learning != block.Learning) {
    change = 1;
  }
  block = page;  // WebImmedDisplay is copied but never counts as a change
  return change;
}

int StoreAdvancedSettings(CAdvancedSettings& page, CPixDir& album) {
  CAdvancedSettings& block = album.AdvancedSettings;
  if (page.TrueColor != block.TrueColor) {
    album.Ui().MessageBox(nullptr,
                          "You must exit the program\nor read a new directory\n"
                          "for the change in rendering\nto take effect",
                          MsgIcon::None, MsgButtons::Ok);
  }
  if (page.KeepLog != block.KeepLog) {
    if (block.KeepLog == 1) {
      album.CloseLog();
    } else {
      album.OpenLog();
      if (!album.LogIsOpen()) {
        page.KeepLog = 0;  // the log could not be opened: logging stays off
      }
    }
  }
  int change = 0;
  if (page.AlwaysShowCaptions != block.AlwaysShowCaptions) {
    block.AlwaysShowCaptions = page.AlwaysShowCaptions;
    change = 1;
  }
  const bool helpDirChanged = page.HelpDirR != block.HelpDirR;
  block.SafePixNum = page.SafePixNum;
  block.TrueColor = page.TrueColor;
  block.KeepLog = page.KeepLog;
  block.HelpDirR = page.HelpDirR;
  block.TextPage4Web = page.TextPage4Web;
  block.AntiAdFilter = page.AntiAdFilter;
  if (page.AutoCropStrategy < 0 || page.AutoCropStrategy > 2) {
    page.AutoCropStrategy = 0;
  }
  block.AutoCropStrategy = page.AutoCropStrategy;
  block.TopDir2Look = page.TopDir2Look;
  if (helpDirChanged) {
    album.UpdateHelpFile();
  }
  return change;
}

void ApplyOptions(CPixDir& album, const CGeneralSettings& general, const CWebViewSettings& webView,
                  CAdvancedSettings& advanced) {
  const int generalChange = StoreGeneralSettings(general, album.GeneralSettings);
  album.WebViewSettings = webView;
  const int advancedChange = StoreAdvancedSettings(advanced, album);
  if (generalChange == 2) {
    album.RebuildThumbs();
  }
  if (generalChange >= 1 || advancedChange != 0) {
    album.RepaintSheet();
  }
  album.MarkChangedBeyondUndo();
}
