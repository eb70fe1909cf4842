#include "album/Messages.h"

#include "platform/PlatformUi.h"

void ReportError(CPlatformUi& ui, const std::string& first, const std::string& second) {
  ui.MessageBox(nullptr, first + " " + second, MsgIcon::Error, MsgButtons::Ok);
}

void FatalError(CPlatformUi& ui, const std::string& text) {
  ui.MessageBox(nullptr, text, MsgIcon::Error, MsgButtons::Ok);
  ui.ExitProcess(1);
}
