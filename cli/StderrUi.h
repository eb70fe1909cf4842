#pragma once
// The window system of the headless builder: messages go to standard error, the picture
// limit question is answered from the command line, other questions take their default,
// and the caption dialog takes the command line's caption and date.

#include <optional>
#include <ostream>
#include <string>

#include "platform/PlatformUi.h"

class CStderrUi : public CPlatformUi {
 public:
  CStderrUi(std::ostream& err, bool showProgress) : err_(err), showProgress_(showProgress) {}

  bool limitAnswer = false;
  std::optional<std::string> caption;
  std::optional<std::string> date;
  int expectedPictures = 0;  // shown after the progress count, when known
  std::string openedPage;    // what the album asked to open with the default program

  MsgAnswer MessageBox(WindowRef owner, const std::string& text, MsgIcon icon,
                       MsgButtons buttons) override;
  void Beep(BeepKind) override {}
  void BeginWaitCursor() override {}
  void EndWaitCursor() override {}
  void SetStatusText(int, const std::string&) override {}
  void SetStatusCount(int slot, const std::string& label, int number) override;
  ScreenSize GetScreenSize() override { return {1920, 1080}; }
  bool OpenWithDefaultProgram(const std::string& pathOrAddress) override;
  bool FindPictureWindow(const std::string&) override { return false; }
  void ClosePictureWindow(const std::string&) override {}
  int QueryPictureRect(const std::string&, Rect&) override { return -1; }
  bool RunCaptionDialog(CaptionDialogData& data) override;
  bool RunHintDialog(HintDialogData&) override { return true; }
  [[noreturn]] void ExitProcess(int code) override;

  // Ends a progress line that is still open.
  void FinishProgress();

 private:
  std::ostream& err_;
  bool showProgress_;
  bool progressOpen_ = false;
};
