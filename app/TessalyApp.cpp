#include "app/TessalyApp.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QSessionManager>
#include <QStandardPaths>

#include "album/SketchDiskCache.h"
#include "shell/MainFrame.h"
#include "views/ScreenFit.h"

CTessalyApp::CTessalyApp() : core_(ui_, profile_) {
  ui_.SetAlbum(&core_.album);
  FitEveryWindowAsItShows();
}

CTessalyApp::~CTessalyApp() {
  // The album's windows go before the main window and the seam they use.
  core_.album.CloseWindows();
  ui_.SetMainWindow(nullptr, nullptr);
  frame_.reset();
}

void CTessalyApp::Start(const QString& directory) {
  // Directory selection starts by default in the user's pictures folder, by its own name.
  const QString pictures =
      QFileInfo(QStandardPaths::writableLocation(QStandardPaths::PicturesLocation)).fileName();
  if (!pictures.isEmpty()) {
    SetDefaultFavouriteDir(pictures.toStdString());
  }
  core_.Startup();
  core_.album.Loader().UseSketchCache(DefaultSketchCacheFolder());
  frame_ = std::make_unique<CMainFrame>(core_, ui_);
  ui_.SetMainWindow(frame_.get(), &frame_->Panes());
  // A desktop session that ends asks first, as closing the window does, so that unsaved work
  // in the album is not lost with the session. Cancel asks the session not to end; it may end
  // all the same, so the settings are saved in any case.
  QObject::connect(qGuiApp, &QGuiApplication::commitDataRequest, frame_.get(),
                   [this](QSessionManager& manager) {
                     core_.album.Loader().StopPass();
                     core_.album.Loader().StopLoading();
                     core_.SaveState();
                     // A load still under way is stopping from inside one of its messages:
                     // nothing was changed in its album yet, so there is nothing to ask.
                     if (core_.album.Loader().IsLoading() || !manager.allowsInteraction()) {
                       return;
                     }
                     if (core_.album.Record().AskSaveRecord() == 0) {
                       manager.cancel();
                     } else {
                       // Answered: not asked again as the window closes.
                       core_.album.Record().MarkRecordQuestionAnswered();
                     }
                     manager.release();
                   });
  frame_->show();
  if (!directory.isEmpty()) {
    frame_->OpenDirectoryPath(directory.toStdString());
  }
}
