#include "album/SheetLayout.h"

SheetLayout ComputeSheetLayout(int thumbSize, int gap, int width, int count) {
  SheetLayout layout;
  layout.thumbSize = thumbSize;
  layout.gap = gap;
  layout.width = width;
  layout.count = count;
  const int pitch = layout.CellPitch();
  layout.columns = pitch > 0 && width > 0 ? width / pitch : 0;
  if (layout.columns == 0 || count <= 0) {
    return layout;
  }
  // A new row starts when the next thumb square would pass the right edge, so a row may hold
  // one sketch more than whole cells fit.
  const int firstRight = kSheetSpacing + gap + thumbSize;
  layout.perRow = (width - firstRight) / pitch + 1;
  layout.rows = (count + layout.perRow - 1) / layout.perRow;
  const Rect last = layout.CaptionRect(count - 1);
  layout.height = last.bottom + kSheetSpacing;
  return layout;
}

int SheetLayout::ThumbLeft(int position) const {
  return kSheetSpacing + gap + (perRow > 0 ? position % perRow : 0) * CellPitch();
}

int SheetLayout::ThumbTop(int position) const {
  return kSheetTop + (perRow > 0 ? position / perRow : 0) * RowPitch();
}

Rect SheetLayout::SketchRect(int position) const {
  const int x = ThumbLeft(position);
  const int y = ThumbTop(position);
  return Rect{x - gap, y - gap, x + thumbSize + gap, y + thumbSize + gap};
}

Rect SheetLayout::CaptionRect(int position) const {
  const Rect sketch = SketchRect(position);
  const int top = sketch.bottom + kCaptionGap;
  return Rect{sketch.left, top, sketch.right, top + kCaptionHeight};
}
