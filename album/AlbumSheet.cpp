// The album's side of the thumb sheet: laying it out with the progress of built thumbs, what
// the status panes say about the sketch under the mouse, the arrow keys' selection, the
// warning when no sketch fits, and the welcome hint of learning mode.

#include <algorithm>
#include <string>

#include "album/AlbumLoad.h"
#include "album/PixDir.h"
#include "platform/PlatformUi.h"

namespace {

const char kNotAllFit[] =
    "Not All ThumbSketches Fit in the Window.\nConsider maximizig the winodw and/or decreasing "
    "the\nThumbSketch size (through the Options dialogue box.)\n";

const char kWelcomeHint[] =
    "The program is in Learning Mode so clicking on the Toolbar buttons provides information "
    "about their function but does nothing else If you turn Off the Learning Mode (checkbox "
    "bellow), you can re-establish it later from the Options or HELP Toolbar buttons.";

}  // namespace

bool CPixDir::WelcomeHintDue() const {
  // Not while a directory loads: its pictures are about to replace the welcome screen.
  return count_ == 0 && !IsLoading() && settings_.GeneralSettings.Learning == 1 &&
         sheet_.WelcomeHintPending();
}

void CPixDir::ShowWelcomeHint() {
  if (WelcomeHintDue()) {
    sheet_.WelcomeHintShown();
    ShowHint(kWelcomeHint);
  }
}

int CPixDir::LayOutSheet(int clientWidth) {
  const int columns = sheet_.LayOut(displayOrder_, settings_.GeneralSettings.ThumbSize,
                                    settings_.GeneralSettings.FrameGap,
                                    settings_.AdvancedSettings.AlwaysShowCaptions == 1, clientWidth,
                                    load_ != nullptr ? load_->Cells() : nullptr);
  // While pictures arrive, the pane counts them.
  if (columns > 0 && count_ > 0 && !IsBusy()) {
    const int built = static_cast<int>(
        std::count_if(displayOrder_.begin(), displayOrder_.end(),
                      [](const CAlbumEntry* e) { return e->thumb.HasBitmap(); }));
    ui_.SetStatusCount(2, "Thumb bitmaps built", built);
  }
  return columns;
}

void CPixDir::ShowFitWarning() {
  // The box's own events lay the sheet out again; a width that does not fit meanwhile waits
  // until this box is closed.
  if (!sheet_.FitWarningDue()) {
    return;
  }
  sheet_.FitWarningOpened();
  ui_.MessageBox(nullptr, kNotAllFit, MsgIcon::Error, MsgButtons::Ok);
  sheet_.FitWarningClosed();
}

void CPixDir::ShowPanesOf(const CAlbumEntry& entry) {
  CPlatformUi& panes = ui_;
  panes.SetStatusText(0, entry.fileName + " (" + std::to_string(entry.index) + ") " +
                             (entry.omitted == 1 ? "X" : " "));
  panes.SetStatusText(1, "(" + std::to_string(entry.pictureWidth) + "x" +
                             std::to_string(entry.pictureHeight) + ")" +
                             (entry.thumbRect.IsEmpty() ? "" : " th-cropped"));
  panes.SetStatusText(2, entry.caption);
  panes.SetStatusText(3, entry.date);
}

int CPixDir::HoverAt(int x, int y) {
  CPlatformUi& panes = ui_;
  const int position = CThumbSheet::SketchAt(displayOrder_, x, y);
  if (position >= 0) {
    const CAlbumEntry& entry = EntryAtPosition(position);
    ShowPanesOf(entry);
    sheet_.SetHoverIndex(entry.index);
    return 1;
  }
  panes.SetStatusText(0, dirName_);
  panes.SetStatusText(1, std::to_string(count_) + " images");
  panes.SetStatusText(2, "");
  panes.SetStatusText(3, "");
  sheet_.SetHoverIndex(-1);
  return 0;
}

void CPixDir::StepSelection(SheetStep step) {
  int position = -1;
  for (int p = 0; p < count_; ++p) {
    if (EntryAtPosition(p).index == selection_) {
      position = p;
    }
  }
  const int next = sheet_.Step(position, step, count_);
  if (next >= 0) {
    Select(EntryAtPosition(next).index);
    RepaintSheet();
  }
}
