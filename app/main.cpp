// Quillaran, the desktop program.

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QIcon>
#include <QStringList>
#include <cstdio>
#include <cstring>

#include "album/MemoryBudget.h"
#include "app/TessalyApp.h"

namespace {

const char kUsage[] =
    "Usage: quillaran [DIR | FILE]\n"
    "Shows the pictures of the folder DIR (or of the folder that holds FILE) as framed thumb\n"
    "sketches, to caption, date, order, crop and turn them, and makes a web album of them.\n"
    "quillaran-web makes the same album without a window.\n"
    "\n"
    "Options:\n"
    "  --help     show this text\n"
    "  --version  show the version\n";

// --help and --version answer on the terminal, before any window or display is needed.
bool AnsweredOnTheTerminal(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
      std::fputs(kUsage, stdout);
      return true;
    }
    if (std::strcmp(argv[i], "--version") == 0) {
      std::printf("quillaran %s\n", QUILLARAN_VERSION);
      return true;
    }
  }
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  if (AnsweredOnTheTerminal(argc, argv)) {
    return 0;
  }
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
