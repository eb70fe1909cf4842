#pragma once
// The view that shows the thumb sheet, as the album sees it: something to repaint.

class CSheetView {
 public:
  virtual ~CSheetView() = default;
  virtual void Repaint() = 0;
};
