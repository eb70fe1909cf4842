#include "appcore/AppCore.h"

CAppCore::CAppCore(CPlatformUi& ui, CProfileStore& profile) : album(ui), profile_(profile) {}

void CAppCore::Startup() {
  album.ChangeSettings([this](CAlbumSettings& settings) { settings.LoadSettings(profile_); });
  if (album.Settings().AdvancedSettings.KeepLog == 1) {
    album.OpenLog();
  }
  recent.Load(profile_);
  version = QUILLARAN_VERSION;
  album.SetAutoCropDiagnostic(0);
}

bool CAppCore::Shutdown() {
  SaveState();
  if (album.AskSaveRecord() == 0) {
    return false;
  }
  if (album.Settings().AdvancedSettings.KeepLog == 1) {
    album.CloseLog();
  }
  return true;
}

void CAppCore::SaveState() {
  album.Settings().SaveSettings(profile_);
  recent.Save(profile_);
}
