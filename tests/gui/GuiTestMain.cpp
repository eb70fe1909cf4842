// The desktop program's tests run on Qt's offscreen platform, set before the application
// object exists (also when the test list is read at build time).

#include <gtest/gtest.h>

#include <QApplication>
#include <QTemporaryDir>

namespace {

// The offscreen platform says on every new window that it cannot pass size hints on, and
// that it cannot raise a window.
void QuietHandler(QtMsgType type, const QMessageLogContext& context, const QString& message) {
  if (message.contains("propagateSizeHints") || message.contains("does not support raise")) {
    return;
  }
  qt_message_output(type, context, message);
}

}  // namespace

int main(int argc, char** argv) {
  // The offscreen platform as the environment configures it (its screens), or as it comes.
  if (!qgetenv("QT_QPA_PLATFORM").startsWith("offscreen")) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
  }
  qInstallMessageHandler(QuietHandler);
  QApplication application(argc, argv);
  QApplication::setOrganizationName("Brackenfold");
  QApplication::setApplicationName("QuillaranGuiTest");  // never the user's own profile
  // Nor the user's own sketch cache, nor one that an earlier run filled.
  const QTemporaryDir cache;
  qputenv("XDG_CACHE_HOME", cache.path().toLocal8Bit());
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
