#pragma once
// The thumb sheet as the album keeps it between paintings: where each sketch lay at the last
// layout, which one is under the mouse, how far around a sketch a drop still lands, where the
// arrow keys lead, the warning when not one sketch fits, and the welcome hint.

#include <compare>
#include <set>
#include <vector>

#include "album/SheetLayout.h"

class CAlbumEntry;

// Where a key moves the selection on the sheet.
enum class SheetStep { Left, Right, Up, Down, First, Last };

// The cells of a sheet whose pictures are still arriving: count cells, of which the entry at
// display position p takes cell ofPosition[p]; the others wait for theirs.
struct SheetCells {
  std::vector<int> ofPosition;
  int count = 0;
};

class CThumbSheet {
 public:
  // Places the entries, in display order, for a client area of this width: each one's
  // sketchRect and, with captions, its captionRect (all zero when not one sketch fits); in
  // the cells given, when some are still waiting for their pictures. Returns the number of
  // columns; 0 marks the fit warning due once per width and size of the run. A width in which
  // not one sketch fits keeps the height of the last layout, so that the scroll bar does not
  // come and go with it (and with it the width).
  int LayOut(const std::vector<CAlbumEntry*>& displayOrder, int thumbSize, int gap,
             bool captions, int clientWidth, const SheetCells* cells = nullptr);
  const SheetLayout& Layout() const { return layout_; }
  // The cells of the last layout that wait for their pictures.
  const std::vector<int>& WaitingCells() const { return waiting_; }
  // The scroll extent of the last layout; the spacing is 0 until the first one.
  int Width() const { return width_; }
  int Height() const { return height_; }
  int Spacing() const { return spacing_; }

  // Display positions of what lies under a point, -1 for nothing: a sketch's cell, a caption
  // box, and where a drop lands (a cell enlarged by the spacing, or its caption box).
  static int SketchAt(const std::vector<CAlbumEntry*>& displayOrder, int x, int y);
  static int CaptionAt(const std::vector<CAlbumEntry*>& displayOrder, int x, int y);
  int DropTargetAt(const std::vector<CAlbumEntry*>& displayOrder, int x, int y) const;
  // The display position the step leads to from this one (-1: none selected) among count.
  int Step(int position, SheetStep step, int count) const;

  // The entry index under the mouse at the last hover, -1 for none.
  int HoverIndex() const { return hoverIndex_; }
  void SetHoverIndex(int index) { hoverIndex_ = index; }

  // The warning waits while one is open: boxes are never stacked.
  bool FitWarningDue() const { return fitWarningDue_ && !fitWarningOpen_; }
  void FitWarningOpened() {
    fitWarningDue_ = false;
    fitWarningOpen_ = true;
  }
  void FitWarningClosed() { fitWarningOpen_ = false; }
  bool WelcomeHintPending() const { return welcomeHintPending_; }
  void WelcomeHintShown() { welcomeHintPending_ = false; }

 private:
  struct FitKey {
    int width = -1;
    int thumbSize = -1;
    int gap = -1;
    auto operator<=>(const FitKey&) const = default;
  };

  SheetLayout layout_;
  std::vector<int> waiting_;
  int width_ = 0;
  int height_ = 0;
  int spacing_ = 0;
  int hoverIndex_ = -1;
  bool fitWarningDue_ = false;
  bool fitWarningOpen_ = false;
  std::set<FitKey> warnedFits_;
  bool welcomeHintPending_ = true;
};
