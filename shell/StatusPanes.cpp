#include "shell/StatusPanes.h"

#include <QEvent>
#include <QLabel>
#include <QStatusBar>
#include <algorithm>
#include <numeric>

namespace {

// Widths of the four panes, in blanks between two double quotes, and what each must show
// whole in a window of the usual size: the picture's name and scan position, its size, its
// caption, its date. A pane is as wide as the wider of the two.
constexpr std::array<int, 4> kPaneBlanks = {60, 35, 57, 38};
constexpr std::array<const char*, 4> kPaneSamples = {
    "IMG_20260614_103245.jpg (999) X", "(12000x9000) th-cropped", "", "10:32am September 30, 2026"};
// The share of the bar that the four panes may take together.
constexpr double kPanesShare = 0.6;
// Room the label keeps between its frame and its text.
constexpr int kTextMargin = 4;
const char kFullText[] = "fullText";

// Shows the pane's text, cut with an ellipsis when the pane is too narrow for it; the whole
// text then shows in the pane's tool tip.
void ShowFitted(QLabel* pane) {
  const QString full = pane->property(kFullText).toString();
  const int room = pane->width() - 2 * pane->frameWidth() - kTextMargin;
  const QString shown = pane->fontMetrics().elidedText(full, Qt::ElideRight, std::max(room, 0));
  pane->setText(shown);
  pane->setToolTip(shown == full ? QString() : full);
}

// The pane widths for a bar of this width: natural when they fit in their share of it, else
// narrowed in proportion.
std::array<int, 4> PaneWidths(const std::array<int, 4>& natural, int barWidth) {
  const int total = std::accumulate(natural.begin(), natural.end(), 0);
  const double scale = std::min(1.0, barWidth * kPanesShare / total);
  std::array<int, 4> widths{};
  for (size_t i = 0; i < widths.size(); ++i) {
    widths[i] = static_cast<int>(natural[i] * scale);
  }
  return widths;
}

// Sizes the panes whenever the bar is resized. It belongs to the bar, as the panes do, so it
// never outlives them.
class CPaneFitter : public QObject {
 public:
  CPaneFitter(QStatusBar* bar, const std::array<QLabel*, 4>& panes,
              const std::array<int, 4>& naturalWidths)
      : QObject(bar), panes_(panes), naturalWidths_(naturalWidths) {
    bar->installEventFilter(this);
  }
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Resize) {
      const std::array<int, 4> widths =
          PaneWidths(naturalWidths_, static_cast<QWidget*>(watched)->width());
      for (size_t i = 0; i < panes_.size(); ++i) {
        panes_[i]->setFixedWidth(widths[i]);
        ShowFitted(panes_[i]);
      }
    }
    return false;
  }

 private:
  std::array<QLabel*, 4> panes_;
  std::array<int, 4> naturalWidths_;
};

}  // namespace

CStatusPanes::CStatusPanes(QStatusBar* bar) {
  auto* ready = new QLabel("Ready", bar);
  ready->setObjectName("MessagePane");
  bar->addWidget(ready, 1);
  std::array<int, 4> naturalWidths{};
  for (size_t i = 0; i < panes_.size(); ++i) {
    auto* pane = new QLabel(bar);
    pane->setObjectName(QString("Pane%1").arg(i));
    pane->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    const QFontMetrics metrics = pane->fontMetrics();
    const QString blanks = '"' + QString(kPaneBlanks[i], ' ') + '"';
    naturalWidths[i] =
        std::max(metrics.horizontalAdvance(blanks), metrics.horizontalAdvance(kPaneSamples[i])) +
        2 * pane->frameWidth() + kTextMargin;
    pane->setFixedWidth(naturalWidths[i]);
    pane->setTextFormat(Qt::PlainText);
    bar->addPermanentWidget(pane);
    panes_[i] = pane;
  }
  new CPaneFitter(bar, panes_, naturalWidths);
}

void CStatusPanes::SetText(int slot, const std::string& text) {
  if (slot < 0 || slot >= static_cast<int>(panes_.size())) {
    return;
  }
  QLabel* pane = panes_[static_cast<size_t>(slot)];
  // A caption may hold line breaks; a pane shows one line.
  QString shown = QString::fromStdString(text);
  shown.replace('\n', ' ');
  pane->setProperty(kFullText, shown);
  ShowFitted(pane);
}

void CStatusPanes::Clear() {
  for (int slot = 0; slot < static_cast<int>(panes_.size()); ++slot) {
    SetText(slot, "");
  }
}

void CStatusPanes::SetCount(int slot, const std::string& label, int number) {
  ShowNow(slot, std::to_string(number) + " " + label);
}

void CStatusPanes::ShowNow(int slot, const std::string& text) {
  if (slot < 0 || slot >= static_cast<int>(panes_.size())) {
    return;
  }
  SetText(slot, text);
  panes_[static_cast<size_t>(slot)]->repaint();
}
