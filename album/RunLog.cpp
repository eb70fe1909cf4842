#include "album/RunLog.h"

bool CRunLog::Open(const std::tm& now) {
  std::string why;
  file_.reset(AppendToFolderFile(".", "QuillaranLog.txt", why));
  if (!file_) {
    return false;
  }
  std::fprintf(file_.get(), "--------- New Run (%d/%d/%d at %d:%d hr) -----------\n",
               now.tm_mon + 1, now.tm_mday, now.tm_year + 1900, now.tm_hour, now.tm_min);
  std::fflush(file_.get());
  return true;
}

void CRunLog::Close() {
  if (file_) {
    std::fflush(file_.get());
    file_.reset();
  }
}

void CRunLog::WriteLine(const std::string& line) {
  if (!file_) {
    return;
  }
  std::fwrite(line.data(), 1, line.size(), file_.get());
  if (line.empty() || line.back() != '\n') {
    std::fputc('\n', file_.get());
  }
  std::fflush(file_.get());
}
