#include <QApplication>
#include <QMouseEvent>
#include <QScreen>
#include <QScrollBar>

#include "tests/gui/GuiFixture.h"
#include "views/TextWindow.h"

namespace {

using QuickHelp = GuiFixture;

CTextWindow* OnlyHelpWindow() {
  CTextWindow* found = nullptr;
  int count = 0;
  for (QWidget* widget : QApplication::topLevelWidgets()) {
    if (auto* window = qobject_cast<CTextWindow*>(widget); window && window->isVisible()) {
      found = window;
      ++count;
    }
  }
  return count == 1 ? found : nullptr;
}

// A click on a widget where the last painting put it, on the page scrolled to its top; paints
// first.
void Click(CTextWindow& window, int index) {
  window.verticalScrollBar()->setValue(0);
  window.grab();
  const QPoint at = window.Widget(index).rect.center();
  QMouseEvent press(QEvent::MouseButtonPress, at, window.viewport()->mapToGlobal(at),
                    Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(window.viewport(), &press);
}

TEST_F(QuickHelp, OpensOnceAndThePageLinkSwitchesPagesBackAndForth) {
  Start(0);
  Trigger(ID_QUICK_HELP);
  Trigger(ID_QUICK_HELP);
  CTextWindow* window = OnlyHelpWindow();
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(window->windowTitle(), "QUICK HELP");
  // 600 x 800 where the screen has room for it; here its height is what the screen has.
  const QRect room = window->screen()->availableGeometry();
  const int frame = window->frameGeometry().height() - window->height();
  EXPECT_EQ(window->size(), QSize(600, std::min(800, room.height() - frame)));
  Click(*window, CTextWindow::kPageLink);
  EXPECT_EQ(window->Page(), 1);
  Click(*window, CTextWindow::kPageLink);
  EXPECT_EQ(window->Page(), 0);
  window->grab();
  EXPECT_EQ(window->Widget(CTextWindow::kPageLink).text, "Dragging and dropping Thumb sketches");
}

TEST_F(QuickHelp, TheLearningButtonSwitchesLearningModeItsTextAndColour) {
  Start(1);
  Trigger(ID_QUICK_HELP);
  CTextWindow& window = *OnlyHelpWindow();
  window.grab();
  CTxtWidget& button = window.Widget(CTextWindow::kLearning);
  EXPECT_EQ(button.text, "Turn Learning Mode Off");
  EXPECT_EQ(button.Color(), QColor(255, 200, 0));
  Click(window, CTextWindow::kLearning);
  window.grab();
  EXPECT_EQ(Album().Settings().GeneralSettings.Learning, 0);
  EXPECT_EQ(button.text, "Turn Learning Mode On");
  EXPECT_EQ(button.Color(), QColor(0, 255, 0));
  EXPECT_FALSE(Action(ID_CAPTION).isEnabled());  // the toolbar follows at once
}

// A window shorter than its page scrolls down to the buttons under the text, which still act.
TEST_F(QuickHelp, AShortWindowScrollsToTheButtonsUnderItsText) {
  Start(1);
  Trigger(ID_QUICK_HELP);
  CTextWindow& window = *OnlyHelpWindow();
  window.resize(600, 300);
  QScrollBar& bar = *window.verticalScrollBar();
  ASSERT_GT(bar.maximum(), 0);
  EXPECT_EQ(bar.maximum(), window.PageHeight() - window.viewport()->height());
  bar.setValue(bar.maximum());
  window.grab();
  const QPoint at = window.Widget(CTextWindow::kLearning).rect.center() - QPoint(0, bar.value());
  ASSERT_TRUE(window.viewport()->rect().contains(at));
  QMouseEvent press(QEvent::MouseButtonPress, at, window.viewport()->mapToGlobal(at),
                    Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(window.viewport(), &press);
  EXPECT_EQ(Album().Settings().GeneralSettings.Learning, 0);
}

}  // namespace
