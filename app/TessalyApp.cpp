#include "app/TessalyApp.h"

#include "shell/MainFrame.h"

CTessalyApp::CTessalyApp() : core_(ui_, profile_, recent_) {}

CTessalyApp::~CTessalyApp() {
  // The album's windows go before the main window and the seam they use.
  core_.album.pictureWindow.reset();
  core_.album.diagnosticWindow.reset();
  frame_.reset();
}

void CTessalyApp::Start(const QString& directory) {
  core_.Startup();
  frame_ = std::make_unique<CMainFrame>(core_, recent_, ui_);
  frame_->show();
  if (!directory.isEmpty()) {
    frame_->OpenDirectoryPath(directory.toStdString());
  }
}
