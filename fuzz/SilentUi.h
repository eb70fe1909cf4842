#pragma once
// A user interface that shows nothing and answers every question with its first button, for
// the fuzz targets that run album code.

#include <cstdlib>

#include "platform/PlatformUi.h"

class CSilentUi : public CPlatformUi {
 public:
  MsgAnswer MessageBox(WindowRef, const std::string&, MsgIcon, MsgButtons buttons) override {
    return buttons == MsgButtons::Ok ? MsgAnswer::Ok : MsgAnswer::Yes;
  }
  void Beep(BeepKind) override {}
  void BeginWaitCursor() override {}
  void EndWaitCursor() override {}
  void SetStatusText(int, const std::string&) override {}
  void SetStatusCount(int, const std::string&, int) override {}
  ScreenSize GetScreenSize() override { return {1920, 1080}; }
  bool OpenWithDefaultProgram(const std::string&) override { return false; }
  bool FindPictureWindow(const std::string&) override { return false; }
  void ClosePictureWindow(const std::string&) override {}
  int QueryPictureRect(const std::string&, Rect&) override { return -1; }
  bool RunCaptionDialog(CaptionDialogData&) override { return false; }
  bool RunHintDialog(HintDialogData&) override { return false; }
  [[noreturn]] void ExitProcess(int) override { std::abort(); }
};
