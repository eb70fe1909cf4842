// quillaran_open_window DIR: starts the desktop program on the offscreen platform, opens DIR
// as the directory dialog would (answering "No" to the picture-limit question, so that every
// picture loads, as quillaran-web does), paints the window once and prints the milliseconds
// from the start of the open to the painted sheet.

#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QTimer>
#include <cstdio>

#include "app/TessalyApp.h"
#include "shell/MainFrame.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: quillaran_open_window DIR\n");
    return 2;
  }
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
  QElapsedTimer clock;
  clock.start();
  app.Start(QString::fromLocal8Bit(argv[1]));
  app.Frame()->grab();  // the first paint of the whole window, sheet included
  const qint64 elapsed = clock.elapsed();
  std::printf("%lld ms to the painted sheet of %d pictures\n", static_cast<long long>(elapsed),
              app.Album().count);
  app.Album().dirty = 0;
  app.Frame()->close();
  return app.Album().count > 0 ? 0 : 1;
}
