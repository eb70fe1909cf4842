#pragma once
// The window system of the desktop program: Qt message boxes, beeps and the wait cursor, the
// main window's status panes, the desktop's default programs, the picture windows found by
// their titles, and the caption and hint dialogs.

#include <functional>
#include <string>

#include "platform/PlatformUi.h"

class CPictureWindow;
class CPixDir;
class CStatusPanes;
class QWidget;

class CQtPlatformUi : public CPlatformUi {
 public:
  // The window the user works in and its status panes; none before it exists and after it
  // is gone.
  void SetMainWindow(QWidget* window, CStatusPanes* panes) {
    mainWindow_ = window;
    panes_ = panes;
  }
  // The album whose operations and settings the picture windows use; without one no picture
  // window opens.
  void SetAlbum(CPixDir* album) { album_ = album; }

  // Opens a file or an address with the user's default program; tests replace it so that no
  // browser or editor starts.
  std::function<bool(const std::string&)> openHandler;

  MsgAnswer MessageBox(WindowRef owner, const std::string& text, MsgIcon icon,
                       MsgButtons buttons) override;
  void Beep(BeepKind kind) override;
  void BeginWaitCursor() override;
  void EndWaitCursor() override;
  void SetStatusText(int slot, const std::string& text) override;
  void SetStatusCount(int slot, const std::string& label, int number) override;
  void SetStatusProgress(int slot, const std::string& label, int done, int total) override;
  ScreenSize GetScreenSize() override;
  bool OpenWithDefaultProgram(const std::string& pathOrAddress) override;
  int PictureWindowFactor(int width, int height) override;
  std::unique_ptr<CWindowObject> OpenPictureWindow(const std::string& title,
                                                   const CImageWrap& shown, int factor) override;
  bool FindPictureWindow(const std::string& title) override;
  void ClosePictureWindow(const std::string& title) override;
  int QueryPictureRect(const std::string& title, Rect& rect) override;
  bool RunCaptionDialog(CaptionDialogData& data) override;
  bool RunHintDialog(HintDialogData& data) override;
  [[noreturn]] void ExitProcess(int code) override;

  // The widget that a dialog or message box belongs to: the owner when it is on screen, else
  // the window the user works in.
  QWidget* DialogParent(WindowRef owner = nullptr) const;

 private:
  CPictureWindow* FindWindow(const std::string& title) const;

  QWidget* mainWindow_ = nullptr;
  CStatusPanes* panes_ = nullptr;
  CPixDir* album_ = nullptr;
};
