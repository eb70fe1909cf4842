#include "shell/StatusPanes.h"

#include <QEvent>
#include <QLabel>
#include <QStatusBar>
#include <algorithm>
#include <numeric>

namespace {

// Widths of the four panes, in blanks between two double quotes.
constexpr std::array<int, 4> kPaneBlanks = {60, 35, 57, 38};
// The share of the bar that the four panes may take together.
constexpr double kPanesShare = 0.6;

// A text cut off by its pane shows whole in the pane's tool tip.
void UpdateToolTip(QLabel* pane) {
  const QString shown = pane->text();
  pane->setToolTip(pane->fontMetrics().horizontalAdvance(shown) > pane->width() ? shown : QString());
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
      Fit(static_cast<QWidget*>(watched)->width());
    }
    return false;
  }

 private:
  void Fit(int barWidth) {
    const int natural = std::accumulate(naturalWidths_.begin(), naturalWidths_.end(), 0);
    const double scale = std::min(1.0, barWidth * kPanesShare / natural);
    for (size_t i = 0; i < panes_.size(); ++i) {
      panes_[i]->setFixedWidth(static_cast<int>(naturalWidths_[i] * scale));
      UpdateToolTip(panes_[i]);
    }
  }

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
    const QString blanks = '"' + QString(kPaneBlanks[i], ' ') + '"';
    naturalWidths[i] = pane->fontMetrics().horizontalAdvance(blanks) + 2 * pane->frameWidth() + 4;
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
  pane->setText(shown);
  UpdateToolTip(pane);
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
