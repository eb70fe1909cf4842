#pragma once
// Printing the thumb sheet: the sheet as laid out for the view's width, scaled to the page
// width, with as many whole rows on each page as fit.

class CPixDir;
class CSketchCache;
class QPrinter;
class QWidget;

// Paints every page of the sheet onto the printer.
void RenderSheetPages(QPrinter& printer, CPixDir& album, CSketchCache& sketches, int sheetWidth);
// The print dialog, then the pages.
void PrintSheet(CPixDir& album, CSketchCache& sketches, int sheetWidth, QWidget* parent);
// The print preview window.
void PreviewSheet(CPixDir& album, CSketchCache& sketches, int sheetWidth, QWidget* parent);
