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

// Sizes the panes whenever the bar is resized.
class CPaneFitter : public QObject {
 public:
  CPaneFitter(QStatusBar* bar, CStatusPanes& panes) : QObject(bar), panes_(panes) {
    bar->installEventFilter(this);
  }
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Resize) {
      panes_.Fit(static_cast<QWidget*>(watched)->width());
    }
    return false;
  }

 private:
  CStatusPanes& panes_;
};

}  // namespace

CStatusPanes::CStatusPanes(QStatusBar* bar) {
  auto* ready = new QLabel("Ready", bar);
  ready->setObjectName("MessagePane");
  bar->addWidget(ready, 1);
  for (size_t i = 0; i < panes_.size(); ++i) {
    auto* pane = new QLabel(bar);
    pane->setObjectName(QString("Pane%1").arg(i));
    pane->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    const QString blanks = '"' + QString(kPaneBlanks[i], ' ') + '"';
    naturalWidths_[i] = pane->fontMetrics().horizontalAdvance(blanks) + 2 * pane->frameWidth() + 4;
    pane->setFixedWidth(naturalWidths_[i]);
    pane->setTextFormat(Qt::PlainText);
    bar->addPermanentWidget(pane);
    panes_[i] = pane;
  }
  new CPaneFitter(bar, *this);
}

void CStatusPanes::Fit(int barWidth) {
  const int natural = std::accumulate(naturalWidths_.begin(), naturalWidths_.end(), 0);
  const double scale = std::min(1.0, barWidth * kPanesShare / natural);
  for (size_t i = 0; i < panes_.size(); ++i) {
    panes_[i]->setFixedWidth(static_cast<int>(naturalWidths_[i] * scale));
    UpdateToolTip(panes_[i]);
  }
}

// A text cut off by its pane shows whole in the pane's tool tip.
void CStatusPanes::UpdateToolTip(QLabel* pane) {
  const QString shown = pane->text();
  pane->setToolTip(pane->fontMetrics().horizontalAdvance(shown) > pane->width() ? shown : QString());
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
  if (slot < 0 || slot >= static_cast<int>(panes_.size())) {
    return;
  }
  SetText(slot, std::to_string(number) + " " + label);
  panes_[static_cast<size_t>(slot)]->repaint();
}
