// Captions and dates of the pictures, and the hints of learning mode, through the caption
// dialog and the "Helpful Hints" dialog that the window system runs for the album.

#include <string>
#include <utility>

#include "album/PixDir.h"
#include "platform/PlatformUi.h"

namespace {

// "For selected image %s (No. %d)" with the file name and the 1-based display position.
std::string SelectedTitle(const CAlbumEntry& entry) {
  return "For selected image " + entry.fileName + " (No. " + std::to_string(entry.order + 1) + ")";
}

}  // namespace

void CPixDir::EditCaption(bool withTitle, CAlbumEntry* entry) {
  if (entry == nullptr || RefuseWhileLoading(nullptr)) {
    return;
  }
  CaptionDialogData data;
  if (withTitle) {
    data.titleLine = SelectedTitle(*entry);
  }
  data.caption = entry->caption;
  data.date = entry->date;
  if (!ui_.RunCaptionDialog(data)) {
    return;
  }
  if (data.caption != entry->caption || data.date != entry->date) {
    std::string captionBefore = std::move(entry->caption);
    std::string dateBefore = std::move(entry->date);
    entry->caption = data.caption;
    entry->date = data.date;
    RecordCaption(entry->index, std::move(captionBefore), std::move(dateBefore));
    dirty_ = 1;
  }
  RepaintSheet();
}

void CPixDir::EditSelectedCaption() { EditCaption(true, SelectedEntry()); }

void CPixDir::ShowHint(const std::string& text) {
  HintDialogData data;
  data.hintText = text;
  data.turnOffLearning = 1 - settings_.GeneralSettings.Learning;
  ui_.RunHintDialog(data);
  settings_.GeneralSettings.Learning = 1 - data.turnOffLearning;
}
