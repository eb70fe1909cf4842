#pragma once
// Stands in for the window system while a picture is read off the user-interface thread: it
// keeps the messages that the date reader and the decoder show, so that the loader can show
// them later, in file order, exactly as a one-thread load would.

#include <string>
#include <vector>

#include "platform/PlatformUi.h"

class CDeferredUi : public CPlatformUi {
 public:
  struct Message {
    WindowRef owner;
    std::string text;
    MsgIcon icon;
    MsgButtons buttons;
  };

  // Shows every kept message on the real window system, in order, and forgets them.
  void Replay(CPlatformUi& ui);

  MsgAnswer MessageBox(WindowRef owner, const std::string& text, MsgIcon icon,
                       MsgButtons buttons) override {
    messages_.push_back({owner, text, icon, buttons});
    return buttons == MsgButtons::Ok ? MsgAnswer::Ok : MsgAnswer::Cancel;
  }
  void Beep(BeepKind) override {}
  void BeginWaitCursor() override {}
  void EndWaitCursor() override {}
  void SetStatusText(int, const std::string&) override {}
  void SetStatusCount(int, const std::string&, int) override {}
  ScreenSize GetScreenSize() override { return {}; }
  bool OpenWithDefaultProgram(const std::string&) override { return false; }
  bool FindPictureWindow(const std::string&) override { return false; }
  void ClosePictureWindow(const std::string&) override {}
  int QueryPictureRect(const std::string&, Rect&) override { return -1; }
  bool RunCaptionDialog(CaptionDialogData&) override { return false; }
  bool RunHintDialog(HintDialogData&) override { return false; }
  [[noreturn]] void ExitProcess(int code) override;

 private:
  std::vector<Message> messages_;
};
