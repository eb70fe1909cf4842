#pragma once
// The quick help: a window of two pages of titled paragraphs drawn straight onto it, with a
// link to the web help page, a link to the other page, a button that turns learning mode on
// or off and a button that closes the window. Under a link or button the cursor is a hand. A
// window smaller than its page scrolls.

#include <QAbstractScrollArea>
#include <QCursor>
#include <span>
#include <memory>
#include <vector>

#include "views/TxtWidget.h"

class CPixDir;

class CTextWindow : public QAbstractScrollArea {
  Q_OBJECT
 public:
  // The widgets, in the order of their hit tests.
  enum WidgetIndex { kWebHelp = 0, kLearning = 1, kClose = 2, kPageLink = 3 };

  explicit CTextWindow(CPixDir& album);
  // Shows the window with the title at the position, 600 by 800, on its main page.
  void Open(const QString& title, QPoint position);

  int Page() const { return page_; }
  // The height the page takes at the window's width: its text and the links and buttons
  // under it, or the whole window when that is taller.
  int PageHeight() const;
  CTxtWidget& Widget(int index) { return *widgets_[static_cast<size_t>(index)]; }

 signals:
  // Learning mode was switched, so the main window's commands follow.
  void learningChanged();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  // Sets each widget's state by the point of the window, up to the first hit; the hit's
  // index or -1.
  int HitTest(QPoint point);
  std::span<const char* const> PageItems() const;
  void UpdateScrollBar();
  void OpenWebHelp();

  CPixDir& album_;
  std::vector<std::unique_ptr<CTxtWidget>> widgets_;
  QCursor hand_;
  bool hover_ = false;
  int page_ = 0;
};
