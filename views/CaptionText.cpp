#include "views/CaptionText.h"

#include <QFontMetrics>
#include <QTextLayout>

#include <algorithm>
#include <vector>

namespace {

const QChar kEllipsis(0x2026);

}  // namespace

QStringList WrapCaption(const QString& text, const QFont& font, int width, int height) {
  const QFontMetrics metrics(font);
  QStringList lines;
  if (width <= 0 || height <= 0 || text.isEmpty()) {
    return lines;
  }
  QString shown = text;
  shown.replace('\n', QChar::LineSeparator);
  QTextLayout layout(shown, font);
  QTextOption option;
  option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
  layout.setTextOption(option);
  std::vector<std::pair<int, int>> spans;  // start and length of each line
  layout.beginLayout();
  for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
    line.setLineWidth(width);
    spans.emplace_back(line.textStart(), line.textLength());
  }
  layout.endLayout();

  const size_t room = static_cast<size_t>(std::max(1, height / std::max(1, metrics.lineSpacing())));
  for (size_t i = 0; i < spans.size() && i < room; ++i) {
    lines << shown.mid(spans[i].first, spans[i].second).trimmed();
  }
  if (spans.size() > room) {
    // The last line that fits shows the start of the rest, and the ellipsis says there is more.
    QString rest = shown.mid(spans[room - 1].first);
    rest.replace(QChar::LineSeparator, ' ');
    QString last = metrics.elidedText(rest.simplified(), Qt::ElideRight, width);
    if (!last.endsWith(kEllipsis)) {
      last = metrics.elidedText(lines.back() + kEllipsis, Qt::ElideRight, width);
      if (!last.endsWith(kEllipsis)) {
        last += kEllipsis;
      }
    }
    lines.back() = last;
  }
  return lines;
}
