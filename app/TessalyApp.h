#pragma once
// The application object: for the whole run it owns the profile, the window system seam, the
// recent-directory list and the core with the album, and it makes the main window.

#include <QString>
#include <memory>

#include "app/QtPlatformUi.h"
#include "appcore/AppCore.h"
#include "store/QtProfileStore.h"

class CMainFrame;

class CTessalyApp {
 public:
  CTessalyApp();
  ~CTessalyApp();
  CTessalyApp(const CTessalyApp&) = delete;
  CTessalyApp& operator=(const CTessalyApp&) = delete;

  // Start-up: settings, run log, recent list and version (the core's part), then the main
  // window. A directory given opens as if chosen in the directory dialog.
  void Start(const QString& directory = QString());

  CAppCore& Core() { return core_; }
  CPixDir& Album() { return core_.album; }
  CQtPlatformUi& Ui() { return ui_; }
  CDirectoryFind& Recent() { return core_.recent; }
  CMainFrame* Frame() const { return frame_.get(); }

 private:
  CQtProfileStore profile_;
  CQtPlatformUi ui_;
  CAppCore core_;
  std::unique_ptr<CMainFrame> frame_;
};
