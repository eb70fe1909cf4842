#include "album/AppCore.h"

#include "album/RecentList.h"

CAppCore::CAppCore(CPlatformUi& ui, CProfileStore& profile, CRecentList& recent)
    : album(ui), profile_(profile), recent_(recent) {}

void CAppCore::Startup() {
  album.LoadSettings(profile_);
  if (album.AdvancedSettings.KeepLog == 1) {
    album.OpenLog();
  }
  recent_.Load(profile_);
  version = QUILLARAN_VERSION;
  album.autoCropDiagnostic = 0;
}

void CAppCore::Shutdown() {
  album.SaveSettings(profile_);
  recent_.Save(profile_);
  if (album.AdvancedSettings.KeepLog == 1) {
    album.CloseLog();
  }
  album.AskSaveRecord();
}
