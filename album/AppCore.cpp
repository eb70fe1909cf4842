#include "album/AppCore.h"

CAppCore::CAppCore(CPlatformUi& ui, CProfileStore& profile) : album(ui), profile_(profile) {}

void CAppCore::Startup() {
  album.LoadSettings(profile_);
  if (album.AdvancedSettings.KeepLog == 1) {
    album.OpenLog();
  }
  recent.Load(profile_);
  version = QUILLARAN_VERSION;
  album.autoCropDiagnostic = 0;
}

void CAppCore::Shutdown() {
  album.SaveSettings(profile_);
  recent.Save(profile_);
  if (album.AdvancedSettings.KeepLog == 1) {
    album.CloseLog();
  }
  album.AskSaveRecord();
}
