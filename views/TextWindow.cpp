#include "views/TextWindow.h"

#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QPixmap>
#include <QTextLayout>
#include <span>

#include "album/PixDir.h"
#include "album/Settings.h"
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

QFont ItemFont(size_t item) {
  return item == 0 ? VerdanaFont(12, true, false)
         : item % 2 == 1 ? VerdanaFont(10, true, true)
                         : VerdanaFont(10, false, false);
}

// Where each item's text goes, one under the other from the top of the page: the area it is
// wrapped in, 100 pixels short of the page's foot, and the box it fills there.
struct ItemBox {
  QRect area;
  QRect box;
};

std::vector<ItemBox> LayOutItems(std::span<const char* const> items, const QRect& page) {
  std::vector<ItemBox> boxes;
  int bottom = page.top();
  for (size_t i = 0; i < items.size() && i < 16; ++i) {
    const int top = bottom + 10;
    const QRect area(page.left() + 10, top, page.width() - 20,
                     std::max(1, page.bottom() + 1 - 100 - top));
    const QRect box = QFontMetrics(ItemFont(i)).boundingRect(area, Qt::TextWordWrap,
                                                             QString::fromUtf8(items[i]));
    boxes.push_back({area, box});
    bottom = box.top() + box.height();
  }
  return boxes;
}

}  // namespace

CTextWindow::CTextWindow(CPixDir& album) : album_(album), hand_(QPixmap(":/cursors/hand.xpm"), 12, 5) {
  setWindowFlags(Qt::Window);
  setObjectName("QuickHelp");
  setWindowTitle("TxtWindow");
  setFrameShape(QFrame::NoFrame);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  viewport()->setMouseTracking(true);
  QPalette white = viewport()->palette();
  white.setColor(QPalette::Window, Qt::white);
  viewport()->setPalette(white);
  viewport()->setAutoFillBackground(true);
}

std::span<const char* const> CTextWindow::PageItems() const {
  if (page_ == 0) {
    return quickhelp::kMainPage;
  }
  if (page_ == 1) {
    return quickhelp::kDragDropPage;
  }
  return {};
}

int CTextWindow::PageHeight() const {
  const int width = viewport()->width();
  const std::vector<ItemBox> boxes = LayOutItems(PageItems(), QRect(0, 0, width, 1 << 24));
  const int text = boxes.empty() ? 0 : boxes.back().box.bottom() + 1;
  return std::max(viewport()->height(), text + 100);
}

void CTextWindow::UpdateScrollBar() {
  QScrollBar* bar = verticalScrollBar();
  bar->setRange(0, PageHeight() - viewport()->height());
  bar->setPageStep(viewport()->height());
  bar->setSingleStep(20);
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
  UpdateScrollBar();
  showNormal();
  raise();
  update();
}

void CTextWindow::paintEvent(QPaintEvent*) {
  const std::span<const char* const> items = PageItems();
  if (widgets_.empty() || items.empty()) {
    return;
  }
  QPainter painter(viewport());
  painter.translate(0, -verticalScrollBar()->value());
  const QRect client(0, 0, viewport()->width(), PageHeight());
  const QFont headingFont = ItemFont(1);
  const int anchor = quickhelp::kPageLinkAnchor[static_cast<size_t>(page_)];

  // Each item is a word-wrapped box of paper under the one before it.
  int bottom = client.top();
  int pageLinkTop = 0;
  const std::vector<ItemBox> boxes = LayOutItems(items, client);
  for (size_t i = 0; i < boxes.size(); ++i) {
    const auto& [area, box] = boxes[i];
    const QString text = QString::fromUtf8(items[i]);
    painter.setFont(ItemFont(i));
    painter.fillRect(box, kPaper);
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
  const int learningOn = album_.Settings().GeneralSettings.Learning == 1 ? 1 : 0;
  learning.text = learningOn == 1 ? "Turn Learning Mode Off" : "Turn Learning Mode On";
  learning.state = learningOn;
  learning.colors = {kGreen, kAmber};
  const QSize learningSize = learning.Draw(painter, QPoint(client.left() + 10, y - 5));
  Widget(kClose).Draw(painter, QPoint(learningSize.width() + 20, y - 5));
}

int CTextWindow::HitTest(QPoint windowPoint) {
  const QPoint point = windowPoint + QPoint(0, verticalScrollBar()->value());
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
      viewport()->setCursor(hand_);
      viewport()->update();
    }
  } else if (hover_) {
    hover_ = false;
    viewport()->unsetCursor();
    viewport()->update();
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
  viewport()->update();
  switch (hit) {
    case kWebHelp:
      OpenWebHelp();
      break;
    case kLearning:
      album_.Record().ChangeSettings([](CAlbumSettings& settings) {
        settings.GeneralSettings.Learning = settings.GeneralSettings.Learning == 1 ? 0 : 1;
      });
      emit learningChanged();
      break;
    case kClose:
      close();
      break;
    case kPageLink:
      page_ = page_ == 0 ? 1 : 0;
      UpdateScrollBar();
      verticalScrollBar()->setValue(0);
      break;
    default:
      break;
  }
}

void CTextWindow::resizeEvent(QResizeEvent* event) {
  QAbstractScrollArea::resizeEvent(event);
  UpdateScrollBar();
  viewport()->update();
}

void CTextWindow::OpenWebHelp() {
  // A help page on this machine must be there: the desktop's opener would not say so.
  std::string tried;
  const std::string page =
      HelpPageToOpen(album_.Settings().AdvancedSettings.helpFile, DefaultHelpDir(), tried);
  if (page.empty()) {
    album_.Ui().MessageBox(this, "Cannot find Help web page\n" + tried, MsgIcon::Stop,
                           MsgButtons::Ok);
  } else if (!album_.Ui().OpenWithDefaultProgram(page)) {
    album_.Ui().MessageBox(this, "Cannot find Help web page\n" + page, MsgIcon::Stop,
                           MsgButtons::Ok);
  }
}
