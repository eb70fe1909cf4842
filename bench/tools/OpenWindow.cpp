// quillaran_open_window DIR: starts the desktop program on the offscreen platform with DIR, as
// `quillaran DIR` does (answering "No" to the picture-limit question, so that every picture
// loads, as quillaran-web does), and prints in milliseconds from the launch of the process
// (QUILLARAN_LAUNCH_MS, the launcher's clock in milliseconds since the epoch; else from the
// start of main): when the first screen of sketches was painted, and when the sheet of the
// whole album was painted once the load had ended.

#include <QAbstractButton>
#include <QApplication>
#include <QDateTime>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QScrollArea>
#include <QTimer>
#include <cstdio>
#include <cstdlib>

#include "album/MemoryBudget.h"
#include "app/TessalyApp.h"
#include "shell/MainFrame.h"
#include "views/TessalyView.h"

namespace {

// Milliseconds since the launch of the process.
qint64 SinceLaunch(qint64 startOfMain, const QElapsedTimer& clock) {
  const char* launch = std::getenv("QUILLARAN_LAUNCH_MS");
  const qint64 origin = launch != nullptr ? std::atoll(launch) : startOfMain;
  return startOfMain - origin + clock.elapsed();
}

// Whether every cell that the view shows holds its sketch.
bool FirstScreenFilled(CTessalyApp& app) {
  const CPixDir& album = app.Album();
  const QRect shown = app.Frame()->View()->viewport()->rect();
  if (album.Pictures().Count() == 0) {
    return false;
  }
  for (const int cell : album.Sheet().WaitingCells()) {
    const Rect r = album.Sheet().Layout().SketchRect(cell);
    if (shown.intersects(QRect(r.left, r.top, r.Width(), r.Height()))) {
      return false;
    }
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  const qint64 startOfMain = QDateTime::currentMSecsSinceEpoch();
  QElapsedTimer clock;
  clock.start();
  if (argc != 2) {
    std::fprintf(stderr, "usage: quillaran_open_window DIR\n");
    return 2;
  }
  KeepPictureBuffersInTheHeap();  // as the program's main does
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  QApplication::setOrganizationName("Brackenfold");
  QApplication::setApplicationName("Quillaran");

  QTimer answer;
  QObject::connect(&answer, &QTimer::timeout, [] {
    if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
      box->button(QMessageBox::No) != nullptr ? box->button(QMessageBox::No)->click() : box->accept();
    }
  });
  answer.start(1);

  CTessalyApp app;
  qint64 firstScreen = -1;
  QTimer watch;
  QObject::connect(&watch, &QTimer::timeout, [&] {
    if (firstScreen < 0 && FirstScreenFilled(app)) {
      app.Frame()->View()->viewport()->grab();  // painted, as the screen shows it
      firstScreen = SinceLaunch(startOfMain, clock);
    }
    if (!app.Album().Loader().IsLoading()) {
      application.quit();
    }
  });
  watch.start(5);
  app.Start(QString::fromLocal8Bit(argv[1]));
  application.exec();
  app.Frame()->grab();  // the whole window, the sheet of the whole album included
  std::printf("%lld %lld ms: first screen of sketches, whole sheet; %d pictures\n",
              static_cast<long long>(firstScreen),
              static_cast<long long>(SinceLaunch(startOfMain, clock)),
              app.Album().Pictures().Count());
  app.Album().Record().MarkRecordCurrent();
  app.Frame()->close();
  return app.Album().Pictures().Count() > 0 ? 0 : 1;
}
