#include <QApplication>
#include <QScreen>
#include <QSettings>
#include <QTest>

#include "shell/DialogDir.h"
#include "tests/gui/GuiFixture.h"
#include "views/TextWindow.h"

namespace {

// Every window opens within the part of its screen that windows may use, whatever size it
// asks for. Run on the offscreen platform's own small screen and, registered a second
// time, on a 1280 x 800 screen at a scale factor of 2 (640 x 400 logical pixels).
using ScreenFit = GuiFixture;

void ExpectFits(const QWidget* window) {
  ASSERT_NE(window, nullptr);
  ASSERT_TRUE(window->isVisible());
  const QRect available = window->screen()->availableGeometry();
  EXPECT_TRUE(available.contains(window->frameGeometry()))
      << window->metaObject()->className() << " at " << window->frameGeometry().x() << ","
      << window->frameGeometry().y() << " " << window->frameGeometry().width() << "x"
      << window->frameGeometry().height() << " on " << available.width() << "x"
      << available.height();
}

TEST_F(ScreenFit, TheMainWindowQuickHelpAndADialogFitASmallScreen) {
  // A first start: the main window at its usual 1000 x 720.
  QSettings(QSettings::NativeFormat, QSettings::UserScope, "Brackenfold", "Quillaran")
      .setValue("Parameters/Learning", 0);
  app = std::make_unique<CTessalyApp>();
  app->Start();
  QApplication::processEvents();
  ExpectFits(&Frame());

  Trigger(ID_QUICK_HELP);  // 600 x 800 at 100, 100
  QWidget* help = nullptr;
  for (QWidget* widget : QApplication::topLevelWidgets()) {
    if (qobject_cast<CTextWindow*>(widget) != nullptr && widget->isVisible()) {
      help = widget;
    }
  }
  ExpectFits(help);

  WhenModal([](QWidget* dialog) {
    ExpectFits(dialog);
    static_cast<CDialogDir*>(dialog)->reject();
  });
  Trigger(ID_SELECT_DIRECTORY);
}

}  // namespace
