#include "album/ThumbSheet.h"

#include <algorithm>

#include "album/AlbumEntry.h"

int CThumbSheet::LayOut(const std::vector<CAlbumEntry*>& displayOrder, int thumbSize, int gap,
                        bool captions, int clientWidth, const SheetCells* cells) {
  const int count = static_cast<int>(displayOrder.size());
  spacing_ = kSheetSpacing;
  layout_ = ComputeSheetLayout(thumbSize, gap, clientWidth, cells != nullptr ? cells->count : count);
  width_ = clientWidth;
  const bool fits = layout_.columns > 0;
  if (fits || count == 0) {
    height_ = layout_.height;
  }
  std::vector<bool> taken(static_cast<size_t>(layout_.count), false);
  for (int position = 0; position < count; ++position) {
    CAlbumEntry& entry = *displayOrder[static_cast<size_t>(position)];
    const int cell = cells != nullptr ? cells->ofPosition[static_cast<size_t>(position)] : position;
    taken[static_cast<size_t>(cell)] = true;
    entry.sketchRect = fits ? layout_.SketchRect(cell) : Rect{};
    entry.captionRect = fits && captions ? layout_.CaptionRect(cell) : Rect{};
  }
  waiting_.clear();
  for (int cell = 0; fits && cell < layout_.count; ++cell) {
    if (!taken[static_cast<size_t>(cell)]) {
      waiting_.push_back(cell);
    }
  }
  // One warning per width and size that does not fit, not one per repaint, nor one each time
  // the window passes that width again.
  if (!fits && count > 0 && warnedFits_.insert(FitKey{clientWidth, thumbSize, gap}).second) {
    fitWarningDue_ = true;
  }
  return layout_.columns;
}

int CThumbSheet::SketchAt(const std::vector<CAlbumEntry*>& displayOrder, int x, int y) {
  for (size_t position = 0; position < displayOrder.size(); ++position) {
    if (displayOrder[position]->sketchRect.Contains(x, y)) {
      return static_cast<int>(position);
    }
  }
  return -1;
}

int CThumbSheet::CaptionAt(const std::vector<CAlbumEntry*>& displayOrder, int x, int y) {
  for (size_t position = 0; position < displayOrder.size(); ++position) {
    if (displayOrder[position]->captionRect.Contains(x, y)) {
      return static_cast<int>(position);
    }
  }
  return -1;
}

int CThumbSheet::DropTargetAt(const std::vector<CAlbumEntry*>& displayOrder, int x,
                              int y) const {
  for (size_t position = 0; position < displayOrder.size(); ++position) {
    const CAlbumEntry& target = *displayOrder[position];
    Rect near = target.sketchRect;
    near.Inflate(spacing_);
    // A caption box belongs to the sketch above it.
    if (near.Contains(x, y) || target.captionRect.Contains(x, y)) {
      return static_cast<int>(position);
    }
  }
  return -1;
}

int CThumbSheet::Step(int position, SheetStep step, int count) const {
  if (count <= 0) {
    return -1;
  }
  const int perRow = std::max(1, layout_.perRow);
  const int last = count - 1;
  if (position < 0) {
    return step == SheetStep::Last ? last : 0;
  }
  switch (step) {
    case SheetStep::Left:
      return std::max(0, position - 1);
    case SheetStep::Right:
      return std::min(last, position + 1);
    case SheetStep::Up:
      return position >= perRow ? position - perRow : position;
    case SheetStep::Down:
      return position + perRow <= last ? position + perRow : position;
    case SheetStep::First:
      return 0;
    case SheetStep::Last:
      return last;
  }
  return position;
}
