#include "views/SheetPrinter.h"

#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <algorithm>

#include "album/PixDir.h"
#include "views/SheetPainter.h"

void RenderSheetPages(QPrinter& printer, CPixDir& album, CSketchCache& sketches, int sheetWidth) {
  album.SheetControl().LayOut(sheetWidth);
  const SheetLayout& layout = album.Sheet().Layout();
  if (layout.rows == 0) {
    return;
  }
  QPainter painter(&printer);
  const QRect page = printer.pageLayout().paintRectPixels(printer.resolution());
  const double scale = static_cast<double>(page.width()) / std::max(1, sheetWidth);
  const int band = static_cast<int>(page.height() / scale);
  const int rowsPerPage = std::max(1, (band - kSheetTop) / layout.RowPitch());
  for (int first = 0; first < layout.rows; first += rowsPerPage) {
    if (first > 0) {
      printer.newPage();
    }
    const int last = std::min(layout.rows, first + rowsPerPage) - 1;
    const int top = first == 0 ? 0 : layout.ThumbTop(first * layout.perRow) - kSheetTop;
    const int bottom = layout.CaptionRect(last * layout.perRow).bottom + kSheetSpacing;
    const QRect exposed(0, top, sheetWidth, bottom - top);
    painter.save();
    painter.scale(scale, scale);
    painter.translate(0, -top);
    painter.setClipRect(exposed);
    PaintSheet(painter, album, exposed, sketches);
    painter.restore();
  }
}

void PrintSheet(CPixDir& album, CSketchCache& sketches, int sheetWidth, QWidget* parent) {
  QPrinter printer(QPrinter::HighResolution);
  QPrintDialog dialog(&printer, parent);
  if (dialog.exec() == QDialog::Accepted) {
    RenderSheetPages(printer, album, sketches, sheetWidth);
  }
  album.SheetControl().LayOut(sheetWidth);
}

void PreviewSheet(CPixDir& album, CSketchCache& sketches, int sheetWidth, QWidget* parent) {
  QPrintPreviewDialog preview(parent);
  QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview,
                   [&](QPrinter* printer) { RenderSheetPages(*printer, album, sketches, sheetWidth); });
  preview.exec();
  album.SheetControl().LayOut(sheetWidth);
}
