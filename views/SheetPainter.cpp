#include "views/SheetPainter.h"

#include <QApplication>
#include <QFont>
#include <QFontInfo>
#include <QFontMetrics>
#include <QPainter>

#include "album/PixDir.h"
#include "views/CaptionText.h"
#include "views/ImageConversion.h"
#include "views/SketchCache.h"

namespace {

const QColor kSelection(255, 0, 0);
// A cell whose picture is still being read.
const QColor kWaiting(232, 232, 232);
const QColor kWaitingEdge(200, 200, 200);
const QColor kCross(126, 128, 128);
constexpr int kSelectionWidth = 4;
constexpr int kCrossWidth = 8;
constexpr int kCaptionInset = 2;

void PaintCaption(QPainter& painter, const CAlbumEntry& entry) {
  const QRect box = ToQRect(entry.captionRect);
  // Fixed tools: a selection outline or a cross drawn before must not colour the box.
  painter.setPen(QPen(Qt::black, 1));
  painter.setBrush(Qt::white);
  painter.drawRect(box.adjusted(0, 0, -1, -1));
  const QRect inside = box.adjusted(kCaptionInset, kCaptionInset, -kCaptionInset, -kCaptionInset);
  const QFontMetrics metrics = painter.fontMetrics();
  const QStringList lines = WrapCaption(QString::fromStdString(entry.caption), painter.font(),
                                        inside.width(), inside.height());
  int y = inside.top();
  for (const QString& line : lines) {
    painter.drawText(QRect(inside.left(), y, inside.width(), metrics.lineSpacing()),
                     Qt::AlignHCenter | Qt::AlignTop, line);
    y += metrics.lineSpacing();
  }
}

void PaintSketch(QPainter& painter, const CAlbumEntry& entry, const SketchStyle& style,
                 CSketchCache& cache) {
  const QImage& image = cache.Sketch(entry, style);
  if (image.isNull()) {
    return;
  }
  // A framed image is the whole cell; an unframed one starts at the thumb square.
  const int inset = style.framed ? 0 : style.gap;
  painter.drawImage(entry.sketchRect.left + inset, entry.sketchRect.top + inset, image);
}

// The cells whose pictures are still to come: a grey square where each sketch will show.
void PaintWaitingCells(QPainter& painter, const CThumbSheet& sheet, const QRect& exposed) {
  const SheetLayout& layout = sheet.Layout();
  painter.setPen(kWaitingEdge);
  painter.setBrush(kWaiting);
  for (const int cell : sheet.WaitingCells()) {
    const QRect square = ToQRect(layout.SketchRect(cell)).adjusted(layout.gap, layout.gap,
                                                                  -layout.gap, -layout.gap);
    if (square.intersects(exposed)) {
      painter.drawRect(square.adjusted(0, 0, -1, -1));
    }
  }
}

}  // namespace

int PaintSheet(QPainter& painter, CPixDir& album, const QRect& exposed, CSketchCache& cache) {
  const CGeneralSettings& general = album.Settings().GeneralSettings;
  const SketchStyle style{general.FrameYorN == 1, general.ThumbSize, general.FrameGap,
                          general.FrameColor, general.FrameBrush};
  const bool captions = album.Settings().AdvancedSettings.AlwaysShowCaptions == 1;
  // Outlines reach a little beyond a cell.
  const QRect reach = exposed.adjusted(-kCrossWidth, -kCrossWidth, kCrossWidth, kCrossWidth);
  // Sheet units are screen pixels, also on paper: the captions keep their size in them.
  QFont font = QApplication::font();
  font.setPixelSize(QFontInfo(QApplication::font()).pixelSize());
  painter.setFont(font);
  PaintWaitingCells(painter, album.Sheet(), exposed);
  int painted = 0;
  for (int position = 0; position < album.Pictures().Count(); ++position) {
    const CAlbumEntry& entry = album.Pictures().EntryAtPosition(position);
    if (entry.sketchRect.IsEmpty()) {
      continue;
    }
    QRect cell = ToQRect(entry.sketchRect);
    if (captions) {
      cell = cell.united(ToQRect(entry.captionRect));
    }
    if (!reach.intersects(cell)) {
      continue;
    }
    PaintSketch(painter, entry, style, cache);
    if (captions) {
      PaintCaption(painter, entry);
    }
    const QRect sketch = ToQRect(entry.sketchRect);
    if (entry.index == album.Pictures().Selection()) {
      painter.setPen(QPen(kSelection, kSelectionWidth));
      painter.setBrush(Qt::NoBrush);
      painter.drawRect(sketch);
    }
    if (entry.omitted == 1) {
      painter.save();
      painter.setRenderHint(QPainter::Antialiasing);
      painter.setPen(QPen(kCross, kCrossWidth, Qt::SolidLine, Qt::RoundCap));
      painter.drawLine(sketch.topLeft(), sketch.bottomRight());
      painter.drawLine(sketch.bottomLeft(), sketch.topRight());
      painter.restore();
    }
    ++painted;
  }
  return painted;
}

void PaintWelcome(QPainter& painter, const QRect& client, const QString& text) {
  QFont font;
  // The calligraphic face when the system has one of these, else what it has most like it.
  font.setFamilies({"Lucida Calligraphy", "URW Chancery L", "Z003", "TeX Gyre Chorus"});
  font.setStyleHint(QFont::Cursive);
  font.setPointSize(36);
  painter.setFont(font);
  const QFontMetrics metrics(font);
  const int w = metrics.horizontalAdvance(text);
  const int h = metrics.height();
  const int centre2 = client.left() + client.right() + 1;
  const QRect box(QPoint((centre2 - w) / 2 - 10, client.top() + 100),
                  QPoint((centre2 + w) / 2 + 10 - 1, client.top() + 100 + h - 1));
  painter.fillRect(box.adjusted(-5, -5, 5, 5), QColor(255, 255, 0));
  painter.fillRect(box, Qt::black);
  painter.setPen(QColor(0, 255, 255));
  painter.drawText(box, Qt::AlignCenter, text);
}
