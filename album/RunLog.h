#pragma once
// The run log "QuillaranLog.txt": one line per event, flushed at once so that the log is
// complete up to the last line even when the program dies.

#include <cstdio>
#include <ctime>
#include <memory>
#include <string>

#include "album/FolderFile.h"

class CRunLog {
 public:
  // Opens the log in the current directory for appending and writes the new-run line with
  // the time. false when it cannot be opened: the current directory may be an album folder
  // from elsewhere, where a FIFO must not hang the program and a link must not take the log's
  // lines, picture names among them, out of the folder.
  bool Open(const std::tm& now);
  void Close();
  bool IsOpen() const { return file_ != nullptr; }
  // Writes one line, with a line end when it has none.
  void WriteLine(const std::string& line);

 private:
  std::unique_ptr<std::FILE, FileCloser> file_;
};
