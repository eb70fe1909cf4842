#pragma once
// A scripted stand-in for the window system: records every message, beep, status text and
// cursor change, answers questions and dialogs from queues, and keeps fake picture windows.

#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "imaging/Rect.h"
#include "platform/PlatformUi.h"

// Thrown by ExitProcess so that a test can observe a fatal exit.
struct FakeProcessExit : std::runtime_error {
  explicit FakeProcessExit(int exitCode)
      : std::runtime_error("process exit"), code(exitCode) {}
  int code;
};

struct RecordedMessage {
  WindowRef owner = nullptr;
  std::string text;
  MsgIcon icon = MsgIcon::None;
  MsgButtons buttons = MsgButtons::Ok;
};

class FakePlatformUi : public CPlatformUi {
 public:
  // Questions are answered from this queue; an empty queue answers the first button
  // (Ok or Yes).
  std::deque<MsgAnswer> answers;
  // Caption dialogs: each run takes the next scripted result; none means Cancel.
  std::deque<std::optional<CaptionDialogData>> captionReplies;
  std::deque<std::optional<HintDialogData>> hintReplies;
  ScreenSize screen{1024, 768};
  bool openSucceeds = true;
  // Picture windows by title; a value holds the drawn rectangle, none when nothing is drawn.
  std::map<std::string, std::optional<Rect>> pictureWindows;

  // Runs while each message is shown, as the events of a message box's own loop run: what
  // the window system may do meanwhile (a desktop session ending, another timer).
  std::function<void(const RecordedMessage&)> whileShown;

  std::vector<RecordedMessage> messages;
  std::vector<BeepKind> beeps;
  std::vector<std::string> opened;
  std::vector<CaptionDialogData> captionDialogsShown;
  std::vector<HintDialogData> hintDialogsShown;
  std::string statusText[4];
  std::vector<std::string> statusCounts;  // every "%d %s" shown, in order
  int waitCursorDepth = 0;
  int waitCursorBegins = 0;

  MsgAnswer MessageBox(WindowRef owner, const std::string& text, MsgIcon icon,
                       MsgButtons buttons) override;
  void Beep(BeepKind kind) override { beeps.push_back(kind); }
  void BeginWaitCursor() override {
    ++waitCursorDepth;
    ++waitCursorBegins;
  }
  void EndWaitCursor() override { --waitCursorDepth; }
  void SetStatusText(int slot, const std::string& text) override;
  void SetStatusCount(int slot, const std::string& label, int number) override;
  ScreenSize GetScreenSize() override { return screen; }
  bool OpenWithDefaultProgram(const std::string& pathOrAddress) override;
  // Registers a window of that title without a rectangle; it goes when the object is deleted
  // or closed. The titles opened are kept in order.
  std::unique_ptr<CWindowObject> OpenPictureWindow(const std::string& title,
                                                   const CImageWrap& shown, int factor) override;
  std::vector<std::string> pictureWindowsOpened;
  // What PictureWindowFactor answers for every picture.
  int pictureWindowFactor = 1;
  int PictureWindowFactor(int, int) override { return pictureWindowFactor; }
  bool FindPictureWindow(const std::string& title) override;
  void ClosePictureWindow(const std::string& title) override { pictureWindows.erase(title); }
  int QueryPictureRect(const std::string& title, Rect& rect) override;
  bool RunCaptionDialog(CaptionDialogData& data) override;
  bool RunHintDialog(HintDialogData& data) override;
  [[noreturn]] void ExitProcess(int code) override { throw FakeProcessExit(code); }

  // Texts of all messages shown, in order.
  std::vector<std::string> MessageTexts() const;
  std::string LastMessage() const { return messages.empty() ? std::string() : messages.back().text; }
};
