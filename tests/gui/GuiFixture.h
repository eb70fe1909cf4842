#pragma once
// The real application and main window on the offscreen platform, with a fresh profile, an
// album directory of small pictures, and helpers that answer modal dialogs and drive the mouse.

#include <gtest/gtest.h>

#include <QPoint>
#include <QString>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/TessalyApp.h"
#include "shell/MainFrame.h"
#include "tests/support/TempDir.h"

class CTessalyView;
class QAction;
class QWidget;

class GuiFixture : public ::testing::Test {
 public:
  void SetUp() override;
  void TearDown() override;

  // Starts the program with learning mode as given, on the directory when one is given, and
  // waits until its pictures are loaded.
  void Start(int learning, const std::string& directory = "");
  // Lets the window's events run until the directory under way is loaded.
  void WaitForLoad();
  // Writes n small PNG pictures p0.png .. into the album directory and returns its path.
  std::string MakeAlbum(int n);

  CMainFrame& Frame() { return *app->Frame(); }
  CTessalyView& View() { return *Frame().View(); }
  CPixDir& Album() { return app->Album(); }
  QAction& Action(int id) { return *Frame().Action(id); }
  // Runs the command as a click on its button or menu item would.
  void Trigger(int id);

  // Mouse on the sheet at a sheet point; the view is scrolled to the top.
  void MouseMove(QPoint sheetPoint, bool leftDown = false);
  void MousePress(QPoint sheetPoint);
  void MouseRelease(QPoint sheetPoint);
  // The middle of the sketch at a display position.
  QPoint SketchCentre(int position);
  // A left-button drag on any widget, from the press through one move to the release.
  void DragOn(QWidget* target, QPoint from, QPoint to);
  // Makes the window the active one, so that its shortcuts take keys, and types the
  // character without modifiers ('Q' is the key Q with the text "Q").
  void KeyOn(QWidget* window, char character);

  // The next modal dialog, once it shows, gets act; its text is kept in modalTexts.
  void WhenModal(std::function<void(QWidget*)> act);
  // Closes the next message box with this button ("&Yes", "&No", "OK", ...).
  void AnswerMessage(const QString& button);
  std::vector<QString> modalTexts;
  std::vector<std::string> opened;  // what the program asked the desktop to open

  TempDir temp;
  std::unique_ptr<CTessalyApp> app;
};
