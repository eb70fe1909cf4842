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
  const CAdvancedSettings& block = album.Settings().AdvancedSettings;
  if (page.TrueColor != block.TrueColor) {
    album.Ui().MessageBox(nullptr,
                          "You must exit the program\nor read a new directory\n"
                          "for the change in rendering\nto take effect",
                          MsgIcon::None, MsgButtons::Ok);
  }
  if (page.KeepLog != block.KeepLog) {
    if (block.KeepLog == 1) {
      album.Record().CloseLog();
    } else {
      album.Record().OpenLog();
      if (!album.Record().LogIsOpen()) {
        page.KeepLog = 0;  // the log could not be opened: logging stays off
      }
    }
  }
  if (page.AutoCropStrategy < 0 || page.AutoCropStrategy > 2) {
    page.AutoCropStrategy = 0;
  }
  const int change = page.AlwaysShowCaptions != block.AlwaysShowCaptions ? 1 : 0;
  album.Record().ChangeSettings([&page](CAlbumSettings& settings) {
    CAdvancedSettings& stored = settings.AdvancedSettings;
    const bool helpDirChanged = page.HelpDirR != stored.HelpDirR;
    stored.AlwaysShowCaptions = page.AlwaysShowCaptions;
    stored.SafePixNum = page.SafePixNum;
    stored.TrueColor = page.TrueColor;
    stored.KeepLog = page.KeepLog;
    stored.HelpDirR = page.HelpDirR;
    stored.TextPage4Web = page.TextPage4Web;
    stored.AntiAdFilter = page.AntiAdFilter;
    stored.AutoCropStrategy = page.AutoCropStrategy;
    stored.TopDir2Look = page.TopDir2Look;
    stored.SketchCacheMB = page.SketchCacheMB;
    if (helpDirChanged) {
      settings.UpdateHelpFile();
    }
  });
  return change;
}

void ApplyOptions(CPixDir& album, const CGeneralSettings& general, const CWebViewSettings& webView,
                  CAdvancedSettings& advanced) {
  int generalChange = 0;
  album.Record().ChangeSettings([&](CAlbumSettings& settings) {
    generalChange = StoreGeneralSettings(general, settings.GeneralSettings);
    settings.WebViewSettings = webView;
  });
  const int advancedChange = StoreAdvancedSettings(advanced, album);
  if (generalChange == 2) {
    album.Loader().RebuildThumbs();
  }
  if (generalChange >= 1 || advancedChange != 0) {
    album.RepaintSheet();
  }
  album.Record().MarkChangedBeyondUndo();
}
