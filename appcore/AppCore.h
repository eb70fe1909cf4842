#pragma once
// What the application owns for the whole run, apart from its windows: the album with its
// settings and run log, the recent directories, the version string, and the order of work at
// start and at the end.

#include <string>

#include "album/PixDir.h"
#include "appcore/DirectoryFind.h"

class CPlatformUi;
class CProfileStore;

class CAppCore {
 public:
  CAppCore(CPlatformUi& ui, CProfileStore& profile);

  std::string version;
  CPixDir album;
  CDirectoryFind recent;

  // Start-up before the main window: settings, the run log when KeepLog is 1, the recent
  // list, the version string, the auto-crop diagnostic off.
  void Startup();
  // Shut-down as the main window goes: settings and recent list, then the "Save Record?"
  // question, so the settings are kept whatever the answer, then closing the log. false when
  // the user cancelled or the record could not be saved: the program goes on, its log open,
  // and saves the settings again when it ends.
  bool Shutdown();
  // The settings and the recent list into the profile.
  void SaveState();

  CProfileStore& Profile() const { return profile_; }

 private:
  CProfileStore& profile_;
};
