// The run log "QuillaranLog.txt": one line per event, flushed at once so that the log is
// complete up to the last line even when the program dies.

#include <cstdio>
#include <ctime>

#include "album/FolderFile.h"
#include "album/PixDir.h"
#include "platform/PlatformUi.h"

void CPixDir::OpenLog() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  OpenLog(local);
}

void CPixDir::OpenLog(const std::tm& now) {
  // The current directory may be an album folder from elsewhere: no FIFO there may hang the
  // program, and no link there may take the log's lines, picture names among them, elsewhere.
  std::string why;
  logFile.reset(AppendToFolderFile(".", "QuillaranLog.txt", why));
  if (!logFile) {
    AdvancedSettings.KeepLog = 0;
    ui_.MessageBox(nullptr, "Could not create LOG file", MsgIcon::Error, MsgButtons::Ok);
    return;
  }
  std::fprintf(logFile.get(), "--------- New Run (%d/%d/%d at %d:%d hr) -----------\n",
               now.tm_mon + 1, now.tm_mday, now.tm_year + 1900, now.tm_hour, now.tm_min);
  std::fflush(logFile.get());
}

void CPixDir::CloseLog() {
  if (logFile) {
    std::fflush(logFile.get());
    logFile.reset();
  }
}

void CPixDir::WriteLogLine(const std::string& line) {
  if (AdvancedSettings.KeepLog != 1 || !logFile) {
    return;
  }
  std::fwrite(line.data(), 1, line.size(), logFile.get());
  if (line.empty() || line.back() != '\n') {
    std::fputc('\n', logFile.get());
  }
  std::fflush(logFile.get());
}
