#include "views/CropDiagnostic.h"

#include <QFont>
#include <QPainter>
#include <algorithm>

#include "imaging/CropReport.h"
#include "imaging/ImageWrap.h"
#include "views/ImageConversion.h"

namespace {

constexpr int kBlock = 8;
constexpr int kRegion = 32;
constexpr int kDotsPerMeter = 3780;  // 96 dots per inch, so that 14 points are 19 pixels

const QColor kDarkRed(128, 0, 0);
const QColor kRed(255, 0, 0);
const QColor kOrange(255, 128, 0);
const QColor kCyan(0, 255, 255);
const QColor kOlive(128, 128, 0);
const QColor kTeal(0, 128, 128);

// Each pixel becomes 180 + (1 - 180/255) x its luminance, in all three channels.
QImage LightGrey(const CImageWrap& picture) {
  QImage image = ToQImage(picture).convertToFormat(QImage::Format_RGB32);
  for (int y = 0; y < image.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < image.width(); ++x) {
      const double luma = 0.299 * qRed(line[x]) + 0.587 * qGreen(line[x]) + 0.114 * qBlue(line[x]);
      const int grey = static_cast<int>(180 + (1 - 180.0 / 255) * luma);
      line[x] = qRgb(grey, grey, grey);
    }
  }
  image.setDotsPerMeterX(kDotsPerMeter);
  image.setDotsPerMeterY(kDotsPerMeter);
  return image;
}

QPen LevelPen(int level) {
  return level == 1 ? QPen(kDarkRed, 1) : QPen(level == 2 ? kDarkRed : kRed, 4);
}

void DrawDifferences(QPainter& painter, const CCropReport& report, QSize size) {
  for (int row = 0; row < report.blockRows; ++row) {
    for (int column = 0; column < report.blockColumns; ++column) {
      const size_t block = static_cast<size_t>(row) * report.blockColumns + column;
      const int x = column * kBlock;
      const int y = row * kBlock;
      if (const int level = report.horizontalLevels[block]; level > 0) {
        painter.setPen(LevelPen(level));
        painter.drawLine(x, y, x, std::min(y + kBlock, size.height()));
      }
      if (const int level = report.verticalLevels[block]; level > 0) {
        painter.setPen(LevelPen(level));
        painter.drawLine(x, y, std::min(x + kBlock, size.width()), y);
      }
    }
  }
}

void DrawCandidates(QPainter& painter, const CCropReport& report) {
  painter.setPen(QPen(kOrange, 4));
  painter.setBrush(Qt::NoBrush);
  for (const CropCandidate& candidate : report.candidates) {
    const BlockBox& box = candidate.box;
    painter.drawEllipse(
        QRect(box.left * kBlock, box.top * kBlock, box.Width() * kBlock, box.Height() * kBlock));
  }
}

void DrawRegions(QPainter& painter, const CCropReport& report) {
  const QFont plain = painter.font();
  QFont bold("Arial", 14);
  bold.setBold(true);
  painter.setBrush(Qt::NoBrush);
  for (int row = 0; row < report.regionRows; ++row) {
    for (int column = 0; column < report.regionColumns; ++column) {
      const int score =
          report.regionScores[static_cast<size_t>(row) * report.regionColumns + column];
      const bool above = score > report.threshold;
      const QRect square(column * kRegion, row * kRegion, kRegion, kRegion);
      painter.setPen(above ? QPen(kCyan, 2) : QPen(kOlive, 1, Qt::DashLine));
      painter.drawRect(square);
      painter.setFont(above || score < 0 ? bold : plain);
      painter.setPen(Qt::black);
      painter.drawText(square, Qt::AlignCenter, QString::number(score));
    }
  }
  painter.setFont(plain);
}

}  // namespace

QImage DrawCropDiagnostic(const CImageWrap& picture, const CCropReport& report) {
  QImage image = LightGrey(picture);
  QPainter painter(&image);
  DrawDifferences(painter, report, image.size());
  DrawCandidates(painter, report);
  DrawRegions(painter, report);
  if (!report.rect.IsEmpty()) {
    painter.setPen(QPen(kTeal, 6));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(ToQRect(report.rect));
  }
  return image;
}
