#include "appcore/AppCore.h"

CAppCore::CAppCore(CPlatformUi& ui, CProfileStore& profile) : album(ui), profile_(profile) {}

void CAppCore::Startup() {
  album.Record().ChangeSettings(
      [this](CAlbumSettings& settings) { settings.LoadSettings(profile_); });
  if (album.Settings().AdvancedSettings.KeepLog == 1) {
    album.Record().OpenLog();
  }
  recent.Load(profile_);
  version = QUILLARAN_VERSION;
  album.Record().SetAutoCropDiagnostic(0);
}

bool CAppCore::Shutdown() {
  SaveState();
  if (album.Record().AskSaveRecord() == 0) {
    return false;
  }
  if (album.Settings().AdvancedSettings.KeepLog == 1) {
    album.Record().CloseLog();
  }
  return true;
}

void CAppCore::SaveState() {
  album.Settings().SaveSettings(profile_);
  recent.Save(profile_);
}
