#include "album/PixDir.h"

#include <utility>

#include "album/PictureFiles.h"

CPixDir::CPixDir(CPlatformUi& ui) : ui_(ui) { SetPictureMemoryBudget(PictureMemoryBudget()); }

CPixDir::~CPixDir() = default;

void CPixDir::RepaintSheet() {
  if (observer_ != nullptr) {
    observer_->Repaint();
  }
}

void CPixDir::NotifyCommandsChanged() const {
  if (observer_ != nullptr) {
    observer_->CommandsChanged();
  }
}

void CPixDir::KeepDiagnosticWindow(std::unique_ptr<CWindowObject> window) {
  diagnosticWindow_ = std::move(window);
}

void CPixDir::CloseWindows() {
  pictureWindow_.reset();
  diagnosticWindow_.reset();
}

int CPixDir::ShowNotice(WindowRef owner, const std::string& text) {
  ui_.Beep(BeepKind::Simple);
  ui_.MessageBox(owner, text, MsgIcon::None, MsgButtons::Ok);
  return 0;
}

void CPixDir::ShowHint(const std::string& text) {
  HintDialogData data;
  data.hintText = text;
  data.turnOffLearning = 1 - Settings().GeneralSettings.Learning;
  ui_.RunHintDialog(data);
  record_.ChangeSettings([&data](CAlbumSettings& settings) {
    settings.GeneralSettings.Learning = 1 - data.turnOffLearning;
  });
}

void CPixDir::SetPictureMemoryBudget(int64_t bytes) {
  // The pictures kept in the old budget go first.
  CloseWindows();
  originals_.SetDecoder(nullptr);
  decoder_.reset();
  budget_ = std::make_unique<CMemoryBudget>(bytes);
  decoder_ = std::make_unique<CBudgetedDecoder>(*budget_, "Quillaran");
  originals_.SetDecoder(decoder_.get());
}

std::shared_ptr<const CImageWrap> CPixDir::ShownPicture(const CAlbumEntry& entry) {
  const std::string file = ShownFile(entry, entry.cropped, record_.DirPath(), ui_);
  return file.empty() ? nullptr : originals_.Get(file, ui_);
}

void CPixDir::KeepPicture(const std::string& file, CImageWrap picture) {
  originals_.Put(file, std::move(picture));
}
