// Quillaran, the desktop program.

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QIcon>
#include <QStringList>

#include "album/MemoryBudget.h"
#include "app/TessalyApp.h"

int main(int argc, char** argv) {
  KeepPictureBuffersInTheHeap();
  QApplication application(argc, argv);
  QApplication::setOrganizationName("Brackenfold");
  QApplication::setApplicationName("Quillaran");
  QApplication::setApplicationVersion(QUILLARAN_VERSION);
  QApplication::setWindowIcon(QIcon(":/icons/quillaran.svg"));
  QApplication::setDesktopFileName("org.brackenfold.Quillaran");

  // quillaran [DIR]: the directory opens at start; a file inside it opens its directory.
  QString directory;
  const QStringList args = QApplication::arguments();
  if (args.size() > 1) {
    const QFileInfo given(args[1]);
    // A missing directory is passed on, so that the loader says what is wrong with it.
    directory = given.isFile() ? given.absolutePath() : given.absoluteFilePath();
  }
  CTessalyApp app;
  app.Start(directory);
  return QApplication::exec();
}
