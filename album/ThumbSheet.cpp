// The thumb sheet as the album keeps it: the layout of every sketch for hit testing, what the
// status panes say about the sketch under the mouse, and the warning when no sketch fits.

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

bool CPixDir::WelcomeHintDue() const {
  return count == 0 && GeneralSettings.Learning == 1 && welcomeHintPending == 1;
}

void CPixDir::ShowWelcomeHint() {
  if (WelcomeHintDue()) {
    welcomeHintPending = 0;
    ShowHint(kWelcomeHint);
  }
}

int CPixDir::LayOutSheet(int clientWidth) {
  sheetSpacing = kSheetSpacing;
  sheetLayout =
      ComputeSheetLayout(GeneralSettings.ThumbSize, GeneralSettings.FrameGap, clientWidth, count);
  sheetWidth = clientWidth;
  sheetHeight = sheetLayout.height;
  const bool fits = sheetLayout.columns > 0;
  const bool captions = AdvancedSettings.AlwaysShowCaptions == 1;
  int drawn = 0;
  for (int position = 0; position < count; ++position) {
    CAlbumEntry& entry = EntryAtPosition(position);
    entry.sketchRect = fits ? sheetLayout.SketchRect(position) : Rect{};
    entry.captionRect = fits && captions ? sheetLayout.CaptionRect(position) : Rect{};
    drawn += entry.thumb.HasBitmap() ? 1 : 0;
  }
  // One warning per width and size that does not fit, not one per repaint.
  const FitKey key{clientWidth, GeneralSettings.ThumbSize, GeneralSettings.FrameGap};
  if (fits || count == 0) {
    warnedFit_ = FitKey{};
  } else if (!(key == warnedFit_)) {
    warnedFit_ = key;
    fitWarningDue = true;
  }
  if (fits && count > 0) {
    ui_.SetStatusCount(2, "Thumb bitmaps built", drawn);
  }
  return sheetLayout.columns;
}

void CPixDir::ShowFitWarning() {
  fitWarningDue = false;
  ui_.MessageBox(nullptr, kNotAllFit, MsgIcon::Error, MsgButtons::Ok);
}

int CPixDir::HoverAt(int x, int y) {
  CPlatformUi& panes = ui_;
  for (int position = 0; position < count; ++position) {
    const CAlbumEntry& entry = EntryAtPosition(position);
    if (!entry.sketchRect.Contains(x, y)) {
      continue;
    }
    panes.SetStatusText(0, entry.fileName + " (" + std::to_string(entry.index) + ") " +
                               (entry.omitted == 1 ? "X" : " "));
    panes.SetStatusText(1, "(" + std::to_string(entry.picture.Width()) + "x" +
                               std::to_string(entry.picture.Height()) + ")" +
                               (entry.thumbRect.IsEmpty() ? "" : " th-cropped"));
    panes.SetStatusText(2, entry.caption);
    panes.SetStatusText(3, entry.date);
    hoverIndex = entry.index;
    return 1;
  }
  panes.SetStatusText(0, dirName);
  panes.SetStatusText(1, std::to_string(count) + " images");
  panes.SetStatusText(2, "");
  panes.SetStatusText(3, "");
  hoverIndex = -1;
  return 0;
}
