// The album's side of the thumb sheet: laying it out with the progress of built thumbs, what
// the status panes say about the sketch under the mouse, the warning when no sketch fits,
// and the welcome hint of learning mode.

#include "album/SheetControl.h"

#include <algorithm>
#include <string>

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

bool CSheetControl::WelcomeHintDue() const {
  // Not while a directory loads: its pictures are about to replace the welcome screen.
  return album_.Pictures().Count() == 0 && !album_.Loader().IsLoading() &&
         album_.Settings().GeneralSettings.Learning == 1 && sheet_.WelcomeHintPending();
}

void CSheetControl::ShowWelcomeHint() {
  if (WelcomeHintDue()) {
    sheet_.WelcomeHintShown();
    album_.ShowHint(kWelcomeHint);
  }
}

int CSheetControl::LayOut(int clientWidth) {
  const int columns =
      sheet_.LayOut(album_.Pictures().DisplayOrder(), album_.Settings().GeneralSettings.ThumbSize,
                    album_.Settings().GeneralSettings.FrameGap,
                    album_.Settings().AdvancedSettings.AlwaysShowCaptions == 1, clientWidth,
                    album_.Loader().Cells());
  // While pictures arrive, the pane counts them.
  if (columns > 0 && album_.Pictures().Count() > 0 && !album_.Loader().IsBusy()) {
    const int built = static_cast<int>(std::count_if(
        album_.Pictures().DisplayOrder().begin(), album_.Pictures().DisplayOrder().end(),
        [](const CAlbumEntry* e) { return e->thumb.HasBitmap(); }));
    album_.Ui().SetStatusCount(2, "Thumb bitmaps built", built);
  }
  return columns;
}

void CSheetControl::ShowFitWarning() {
  // The box's own events lay the sheet out again; a width that does not fit meanwhile waits
  // until this box is closed.
  if (!sheet_.FitWarningDue()) {
    return;
  }
  sheet_.FitWarningOpened();
  album_.Ui().MessageBox(nullptr, kNotAllFit, MsgIcon::Error, MsgButtons::Ok);
  sheet_.FitWarningClosed();
}

void CSheetControl::ShowPanesOf(const CAlbumEntry& entry) {
  CPlatformUi& panes = album_.Ui();
  panes.SetStatusText(0, entry.fileName + " (" + std::to_string(entry.index) + ") " +
                             (entry.omitted == 1 ? "X" : " "));
  panes.SetStatusText(1, "(" + std::to_string(entry.pictureWidth) + "x" +
                             std::to_string(entry.pictureHeight) + ")" +
                             (entry.thumbRect.IsEmpty() ? "" : " th-cropped"));
  panes.SetStatusText(2, entry.caption);
  panes.SetStatusText(3, entry.date);
}

int CSheetControl::HoverAt(int x, int y) {
  CPlatformUi& panes = album_.Ui();
  const int position = CThumbSheet::SketchAt(album_.Pictures().DisplayOrder(), x, y);
  if (position >= 0) {
    const CAlbumEntry& entry = album_.Pictures().EntryAtPosition(position);
    ShowPanesOf(entry);
    sheet_.SetHoverIndex(entry.index);
    return 1;
  }
  panes.SetStatusText(0, album_.Record().DirName());
  panes.SetStatusText(1, std::to_string(album_.Pictures().Count()) + " images");
  panes.SetStatusText(2, "");
  panes.SetStatusText(3, "");
  sheet_.SetHoverIndex(-1);
  return 0;
}
