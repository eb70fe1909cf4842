#include "tests/support/FakePlatformUi.h"

#include <utility>

MsgAnswer FakePlatformUi::MessageBox(WindowRef owner, const std::string& text, MsgIcon icon,
                                     MsgButtons buttons) {
  messages.push_back({owner, text, icon, buttons});
  if (whileShown) {
    const RecordedMessage shown = messages.back();  // the callback may show more
    whileShown(shown);
  }
  if (buttons == MsgButtons::Ok) {
    return MsgAnswer::Ok;
  }
  if (answers.empty()) {
    return MsgAnswer::Yes;
  }
  const MsgAnswer answer = answers.front();
  answers.pop_front();
  return answer;
}

void FakePlatformUi::SetStatusText(int slot, const std::string& text) {
  if (slot >= 0 && slot < 4) {
    statusText[slot] = text;
  }
}

void FakePlatformUi::SetStatusCount(int slot, const std::string& label, int number) {
  if (slot >= 0 && slot < 4) {
    statusText[slot] = std::to_string(number) + " " + label;
    statusCounts.push_back(statusText[slot]);
  }
}

bool FakePlatformUi::OpenWithDefaultProgram(const std::string& pathOrAddress) {
  opened.push_back(pathOrAddress);
  return openSucceeds;
}

namespace {

class FakePictureWindow : public CWindowObject {
 public:
  FakePictureWindow(FakePlatformUi& ui, std::string title) : ui_(ui), title_(std::move(title)) {}
  ~FakePictureWindow() override { Close(); }
  void Close() override { ui_.pictureWindows.erase(title_); }

 private:
  FakePlatformUi& ui_;
  std::string title_;
};

}  // namespace

std::unique_ptr<CWindowObject> FakePlatformUi::OpenPictureWindow(const std::string& title,
                                                                 const CImageWrap&, int) {
  pictureWindowsOpened.push_back(title);
  pictureWindows[title] = std::nullopt;
  return std::make_unique<FakePictureWindow>(*this, title);
}

bool FakePlatformUi::FindPictureWindow(const std::string& title) {
  return pictureWindows.count(title) != 0;
}

int FakePlatformUi::QueryPictureRect(const std::string& title, Rect& rect) {
  auto it = pictureWindows.find(title);
  if (it == pictureWindows.end() || !it->second) {
    return -1;
  }
  rect = *it->second;
  return 0;
}

bool FakePlatformUi::RunCaptionDialog(CaptionDialogData& data) {
  captionDialogsShown.push_back(data);
  if (captionReplies.empty() || !captionReplies.front()) {
    if (!captionReplies.empty()) {
      captionReplies.pop_front();
    }
    return false;
  }
  data = *captionReplies.front();
  captionReplies.pop_front();
  return true;
}

bool FakePlatformUi::RunHintDialog(HintDialogData& data) {
  hintDialogsShown.push_back(data);
  if (hintReplies.empty() || !hintReplies.front()) {
    if (!hintReplies.empty()) {
      hintReplies.pop_front();
    }
    return false;
  }
  data = *hintReplies.front();
  hintReplies.pop_front();
  return true;
}

std::vector<std::string> FakePlatformUi::MessageTexts() const {
  std::vector<std::string> texts;
  for (const auto& m : messages) {
    texts.push_back(m.text);
  }
  return texts;
}
