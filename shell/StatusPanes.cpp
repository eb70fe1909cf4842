#include "shell/StatusPanes.h"

#include <QLabel>
#include <QStatusBar>

namespace {

// Widths of the four panes, in blanks between two double quotes.
constexpr std::array<int, 4> kPaneBlanks = {60, 35, 57, 38};

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
    pane->setFixedWidth(pane->fontMetrics().horizontalAdvance(blanks) + 2 * pane->frameWidth() + 4);
    pane->setTextFormat(Qt::PlainText);
    bar->addPermanentWidget(pane);
    panes_[i] = pane;
  }
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
  pane->setToolTip(pane->fontMetrics().horizontalAdvance(shown) > pane->width() ? shown : QString());
}

void CStatusPanes::SetCount(int slot, const std::string& label, int number) {
  if (slot < 0 || slot >= static_cast<int>(panes_.size())) {
    return;
  }
  SetText(slot, std::to_string(number) + " " + label);
  panes_[static_cast<size_t>(slot)]->repaint();
}
