#include "album/Messages.h"

#include <cstdlib>

#include "platform/PlatformUi.h"

void ReportError(CPlatformUi& ui, const std::string& first, const std::string& second) {
  ui.MessageBox(nullptr, first + " " + second, MsgIcon::Error, MsgButtons::Ok);
}

std::string NoImagesMessage(const std::string& directory) {
  return "No readable image files in this directory:\n" + directory;
}

void FatalError(CPlatformUi& ui, const std::string& text) {
  ui.MessageBox(nullptr, text, MsgIcon::Error, MsgButtons::Ok);
  ui.ExitProcess(1);
  std::abort();  // ExitProcess does not return; this keeps the promise should one ever do so
}
