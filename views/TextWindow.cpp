#include "views/TextWindow.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QTextLayout>
#include <filesystem>
#include <span>
#include <system_error>

#include "album/PixDir.h"
#include "views/QuickHelpTexts.h"

namespace {

const QColor kPaper(255, 255, 200);
const QColor kLinkBlue(0, 0, 255);
const QColor kLinkDarkRed(164, 0, 0);
const QColor kGreen(0, 255, 0);
const QColor kAmber(255, 200, 0);
const QColor kLightGrey(200, 200, 200);

QFont VerdanaFont(int points, bool bold, bool italic) {
  return QFont("Verdana", points, bold ? QFont::Bold : QFont::Normal, italic);
}

// How far the last line of the text reaches when it is wrapped to the width.
int LastLineWidth(const QString& text, const QFont& font, int width) {
  QTextLayout layout(text, font);
  QTextOption option;
  option.setWrapMode(QTextOption::WordWrap);
  layout.setTextOption(option);
  layout.beginLayout();
  qreal last = 0;
  for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
    line.setLineWidth(width);
    last = line.naturalTextWidth();
  }
  layout.endLayout();
  return static_cast<int>(last + 0.5);
}

}  // namespace

CTextWindow::CTextWindow(CPixDir& album)
    : QWidget(nullptr, Qt::Window), album_(album), hand_(QPixmap(":/cursors/hand.xpm"), 12, 5) {
  setObjectName("QuickHelp");
  setWindowTitle("TxtWindow");
  setMouseTracking(true);
  QPalette white = palette();
  white.setColor(QPalette::Window, Qt::white);
  setPalette(white);
  setAutoFillBackground(true);
}

void CTextWindow::Open(const QString& title, QPoint position) {
  setWindowTitle(title);
  setGeometry(QRect(position, QSize(600, 800)));
  widgets_.clear();
  widgets_.push_back(std::make_unique<CTxtLink>("Web Help", 0, kLinkBlue, kLinkDarkRed));
  widgets_.push_back(std::make_unique<CMiniButton>("", 0, kGreen, kAmber));
  widgets_.push_back(std::make_unique<CMiniButton>("Close this Window", 0, kLightGrey, kLightGrey));
  widgets_.push_back(std::make_unique<CTxtLink>("", 0, kLinkBlue, kLinkDarkRed));
  page_ = 0;
  showNormal();
  raise();
  update();
}

void CTextWindow::paintEvent(QPaintEvent*) {
  if (widgets_.empty()) {
    return;
  }
  QPainter painter(this);
  const QRect client = rect();
  const QFont titleFont = VerdanaFont(12, true, false);
  const QFont headingFont = VerdanaFont(10, true, true);
  const QFont bodyFont = VerdanaFont(10, false, false);
  std::span<const char* const> items;
  if (page_ == 0) {
    items = quickhelp::kMainPage;
  } else if (page_ == 1) {
    items = quickhelp::kDragDropPage;
  } else {
    return;
  }
  const int anchor = quickhelp::kPageLinkAnchor[static_cast<size_t>(page_)];

  // Each item is a word-wrapped box of paper under the one before it.
  int bottom = client.top();
  int pageLinkTop = 0;
  for (size_t i = 0; i < items.size() && i < 16; ++i) {
    painter.setFont(i == 0 ? titleFont : i % 2 == 1 ? headingFont : bodyFont);
    const int top = (i == 0 ? client.top() : bottom) + 10;
    const QRect area(client.left() + 10, top, client.width() - 20,
                     std::max(1, client.bottom() + 1 - 100 - top));
    const QString text = QString::fromUtf8(items[i]);
    const QRect box = painter.fontMetrics().boundingRect(area, Qt::TextWordWrap, text);
    const QRect shown(box.topLeft(), QSize(box.width(), box.height()));
    painter.fillRect(shown, kPaper);
    painter.setPen(Qt::black);
    painter.drawText(QRect(area.left(), area.top(), area.width(), box.height()), Qt::TextWordWrap,
                     text);
    bottom = box.top() + box.height();
    if (static_cast<int>(i) == anchor) {
      // The page link stands at the end of the item's last line; when that line is too long
      // for it (the fonts differ from one desktop to another), just under the item.
      const QString linkText = quickhelp::kPageLinkText[static_cast<size_t>(page_)];
      const int free = area.width() - LastLineWidth(text, painter.font(), area.width());
      const bool fits = QFontMetrics(headingFont).horizontalAdvance(linkText) + 20 <= free;
      pageLinkTop = fits ? bottom - 20 : bottom;
    }
  }

  painter.setFont(headingFont);
  const int right = client.left() + client.width() - 10;
  Widget(kWebHelp).Draw(painter, QPoint(right, bottom + 20));
  CTxtWidget& pageLink = Widget(kPageLink);
  pageLink.text = quickhelp::kPageLinkText[static_cast<size_t>(page_)];
  pageLink.state = 0;
  pageLink.colors = {kLinkBlue, kLinkDarkRed};
  pageLink.Draw(painter, QPoint(right, pageLinkTop));

  // The button line sits at the window's foot, or under the text when the window is short.
  const int clientBottom = client.top() + client.height();
  const int y = clientBottom > bottom ? clientBottom - 20 : bottom + 5;
  CTxtWidget& learning = Widget(kLearning);
  const int learningOn = album_.GeneralSettings.Learning == 1 ? 1 : 0;
  learning.text = learningOn == 1 ? "Turn Learning Mode Off" : "Turn Learning Mode On";
  learning.state = learningOn;
  learning.colors = {kGreen, kAmber};
  const QSize learningSize = learning.Draw(painter, QPoint(client.left() + 10, y - 5));
  Widget(kClose).Draw(painter, QPoint(learningSize.width() + 20, y - 5));
}

int CTextWindow::HitTest(QPoint point) {
  for (size_t i = 0; i < widgets_.size(); ++i) {
    const bool inside = widgets_[i]->rect.contains(point);
    widgets_[i]->state = inside ? 1 : 0;
    if (inside) {
      return static_cast<int>(i);
    }
  }
  return -1;
}

void CTextWindow::mouseMoveEvent(QMouseEvent* event) {
  const int hit = HitTest(event->position().toPoint());
  if (hit >= 0) {
    if (!hover_) {
      hover_ = true;
      setCursor(hand_);
      update();
    }
  } else if (hover_) {
    hover_ = false;
    unsetCursor();
    update();
  }
}

void CTextWindow::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) {
    return;
  }
  const int hit = HitTest(event->position().toPoint());
  if (hit < 0) {
    return;
  }
  update();
  switch (hit) {
    case kWebHelp:
      OpenWebHelp();
      break;
    case kLearning:
      album_.GeneralSettings.Learning = album_.GeneralSettings.Learning == 1 ? 0 : 1;
      emit learningChanged();
      break;
    case kClose:
      close();
      break;
    case kPageLink:
      page_ = page_ == 0 ? 1 : 0;
      break;
    default:
      break;
  }
}

void CTextWindow::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  update();
}

void CTextWindow::OpenWebHelp() {
  const std::string& helpFile = album_.AdvancedSettings.helpFile;
  // A help page on this machine must be there: the desktop's opener would not say so.
  std::error_code error;
  const bool local = helpFile.find("://") == std::string::npos;
  const bool found = !local || std::filesystem::is_regular_file(helpFile, error);
  if (!found || !album_.Ui().OpenWithDefaultProgram(helpFile)) {
    album_.Ui().MessageBox(this, "Cannot find Help web page", MsgIcon::Stop, MsgButtons::Ok);
  }
}
