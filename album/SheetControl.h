#pragma once
// The album's side of the thumb sheet: laying it out with the progress of built thumbs, what
// the status panes say about the sketch under the mouse, the warning when no sketch fits, and
// the welcome hint of learning mode. The sheet's geometry and hover state is CThumbSheet's.

#include "album/ThumbSheet.h"

class CAlbumEntry;
class CPixDir;

class CSheetControl {
 public:
  explicit CSheetControl(CPixDir& album) : album_(album) {}
  CSheetControl(const CSheetControl&) = delete;
  CSheetControl& operator=(const CSheetControl&) = delete;

  const CThumbSheet& Sheet() const { return sheet_; }
  // Places every sketch for a client area of this width and returns the number of columns
  // (0: not one sketch fits).
  int LayOut(int clientWidth);
  // Fills the status panes for the point and answers 1 over a sketch.
  int HoverAt(int x, int y);
  // Fills the status panes with what they tell of the picture under the mouse.
  void ShowPanesOf(const CAlbumEntry& entry);
  // No picture is under the mouse (the pictures went).
  void ForgetHover() { sheet_.SetHoverIndex(-1); }
  // The warning of a layout in which not one sketch fits; the view shows it once it has
  // finished painting.
  void ShowFitWarning();
  // The learning hint of the welcome screen, once per run while learning mode is on.
  bool WelcomeHintDue() const;
  void ShowWelcomeHint();

 private:
  CPixDir& album_;
  CThumbSheet sheet_;
};
