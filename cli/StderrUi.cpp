#include "cli/StderrUi.h"

#include <cstdlib>

MsgAnswer CStderrUi::MessageBox(WindowRef, const std::string& text, MsgIcon, MsgButtons buttons) {
  FinishProgress();
  if (buttons == MsgButtons::YesNoCancel) {
    // The one three-way question is whether to limit a large directory, which the command
    // line answers: a limit is said in a line, loading everything goes without a word.
    if (limitAnswer) {
      err_ << "quillaran-web: loading the first " << expectedPictures
           << " pictures only (--limit, SafePixNum)\n";
    }
    return limitAnswer ? MsgAnswer::Yes : MsgAnswer::No;
  }
  err_ << text << "\n";
  switch (buttons) {
    case MsgButtons::Ok:
    case MsgButtons::YesNoCancel:
      return MsgAnswer::Ok;
    case MsgButtons::YesNo:
      return MsgAnswer::Yes;  // the default button
  }
  return MsgAnswer::Ok;
}

void CStderrUi::SetStatusCount(int, const std::string& label, int number) {
  if (!showProgress_) {
    return;
  }
  err_ << "\r" << label << " " << number;
  if (expectedPictures > 0) {
    err_ << "/" << expectedPictures;
  }
  err_.flush();
  progressOpen_ = true;
}

void CStderrUi::FinishProgress() {
  if (progressOpen_) {
    err_ << "\n";
    progressOpen_ = false;
  }
}

bool CStderrUi::OpenWithDefaultProgram(const std::string& pathOrAddress) {
  // A headless run opens no browser; the caller prints where the page is.
  openedPage = pathOrAddress;
  return true;
}

bool CStderrUi::RunCaptionDialog(CaptionDialogData& data) {
  if (caption) {
    data.caption = *caption;
  }
  if (date) {
    data.date = *date;
  }
  return true;
}

void CStderrUi::ExitProcess(int code) {
  FinishProgress();
  err_.flush();
  std::exit(code);
}
