#pragma once
// Where the thumb sheet puts each sketch: rows from left to right, each cell the thumb square
// with its frame gap around it and, under the frame, a caption box. Pure arithmetic, so that
// the view, printing and the tests share one answer.

#include "imaging/Rect.h"

constexpr int kSheetSpacing = 10;              // between cells and at the sheet's left edge
constexpr int kSheetTop = 4 * kSheetSpacing;   // top of the first row's thumb square
constexpr int kCaptionGap = 2;                 // between a frame and its caption box
constexpr int kCaptionHeight = 60;

struct SheetLayout {
  int thumbSize = 0;  // side of the thumb square
  int gap = 0;        // frame gap around it
  int width = 0;      // width of the client area laid out for
  int count = 0;      // sketches laid out
  int columns = 0;    // whole cells in the width; 0 when not one sketch fits
  int perRow = 0;     // sketches a row holds: a cell's gap may reach past the right edge
  int rows = 0;
  int height = 0;     // the sheet's height: every row with its caption box and a margin

  // Top-left corner of the thumb square of the sketch at this display position.
  int ThumbLeft(int position) const;
  int ThumbTop(int position) const;
  // The sketch's cell, frame included, and the caption box under it.
  Rect SketchRect(int position) const;
  Rect CaptionRect(int position) const;
  // Distance from one row to the next, and from one sketch to the next in a row.
  int RowPitch() const { return kSheetSpacing + 2 * gap + thumbSize + kCaptionHeight; }
  int CellPitch() const { return kSheetSpacing + 2 * gap + thumbSize; }
};

// Lays out count sketches of the thumb size and frame gap in a client area of this width.
SheetLayout ComputeSheetLayout(int thumbSize, int gap, int width, int count);
