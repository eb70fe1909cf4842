#pragma once
// The status bar: the message pane on the left ("Ready", or the prompt of the command under
// the mouse) and four information panes that the album fills, each as wide as its run of
// blanks in the bar's font or as what it must show whole (a date, a picture size). In a narrow
// window the panes give up width in proportion, so that the message pane keeps room for a command's
// prompt; a text cut short ends in an ellipsis and shows whole in the pane's tool tip.

#include <array>
#include <string>

class QLabel;
class QStatusBar;

class CStatusPanes {
 public:
  explicit CStatusPanes(QStatusBar* bar);

  // Slots 0..3; other slots are ignored. SetCount shows "%d %s" and ShowNow a text, each
  // repainting at once, so that progress shows while the album works.
  void SetText(int slot, const std::string& text);
  void SetCount(int slot, const std::string& label, int number);
  void ShowNow(int slot, const std::string& text);
  // Empties the four panes: what they said belongs to the album that is going.
  void Clear();
  QLabel* Pane(int slot) const { return panes_[static_cast<size_t>(slot)]; }

 private:
  std::array<QLabel*, 4> panes_{};
};
