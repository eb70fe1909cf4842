#pragma once
// What the core asks of the window system and the shell. The desktop program implements it
// with Qt, the headless builder on standard error, and the tests with a scripted fake.

#include <memory>
#include <string>

#include "platform/WindowObject.h"

class CImageWrap;
struct Rect;

enum class MsgIcon { None, Error, Stop, Question, Information };
enum class MsgButtons { Ok, YesNo, YesNoCancel };
enum class MsgAnswer { Ok, Yes, No, Cancel };
enum class BeepKind { Simple, Exclamation, Information };

// The window on whose behalf a message box is shown; null means the application's own.
using WindowRef = const void*;

struct ScreenSize {
  int width = 0;
  int height = 0;
};

// Fields of the "Picture Caption and Date" dialog; read back only when the dialog ends with OK.
struct CaptionDialogData {
  std::string caption;
  std::string date;
  std::string titleLine;
};

// Fields of the "Helpful Hints" dialog.
struct HintDialogData {
  std::string hintText;
  int turnOffLearning = 0;
};

class CPlatformUi {
 public:
  virtual ~CPlatformUi() = default;

  virtual MsgAnswer MessageBox(WindowRef owner, const std::string& text, MsgIcon icon,
                               MsgButtons buttons) = 0;
  virtual void Beep(BeepKind kind) = 0;
  virtual void BeginWaitCursor() = 0;
  virtual void EndWaitCursor() = 0;

  // The four information panes of the status bar, slots 0..3; other slots are ignored.
  virtual void SetStatusText(int slot, const std::string& text) = 0;
  // Shows "%d %s" (number first) in the pane at once.
  virtual void SetStatusCount(int slot, const std::string& label, int number) = 0;
  // Shows "%s %d/%d" (label, done, total) in the pane at once.
  virtual void SetStatusProgress(int slot, const std::string& label, int done, int total) {
    SetStatusText(slot, label + " " + std::to_string(done) + "/" + std::to_string(total));
  }

  virtual ScreenSize GetScreenSize() = 0;
  // Opens a file or an address with the user's default program; false when that failed.
  virtual bool OpenWithDefaultProgram(const std::string& pathOrAddress) = 0;

  // The whole factor by which the full size window reduces a picture of this upright size to
  // fit its screen; 1 (its own size) where there is no window system.
  virtual int PictureWindowFactor(int width, int height) {
    (void)width;
    (void)height;
    return 1;
  }
  // Opens the full size window, titled with the picture's file name, on shown: the picture
  // reduced by factor (PictureWindowFactor), or the picture itself when factor is 1. Deleting
  // the object closes the window. Null where there is no window system.
  virtual std::unique_ptr<CWindowObject> OpenPictureWindow(const std::string& title,
                                                           const CImageWrap& shown, int factor) {
    (void)title;
    (void)shown;
    (void)factor;
    return nullptr;
  }
  // The full size picture window is found by its title, the picture's file name.
  virtual bool FindPictureWindow(const std::string& title) = 0;
  virtual void ClosePictureWindow(const std::string& title) = 0;
  // Copies the rectangle drawn in the window, in pixels of the picture, into rect and returns
  // a value of at least 0; returns a negative value and leaves rect alone when none is drawn.
  virtual int QueryPictureRect(const std::string& title, Rect& rect) = 0;

  // Modal dialogs run for the core; true when the dialog ended with OK.
  virtual bool RunCaptionDialog(CaptionDialogData& data) = 0;
  virtual bool RunHintDialog(HintDialogData& data) = 0;

  // Ends the process; used only by the fatal "Memory Exception".
  [[noreturn]] virtual void ExitProcess(int code) = 0;

  // Shortcut for the frequent plain error report.
  void ShowError(const std::string& text) { MessageBox(nullptr, text, MsgIcon::Error, MsgButtons::Ok); }
};
