// pix_index.htm with WebForPhones on: the thumbs, links, captions and dates of the classic
// page, in a grid whose rows wrap to the width of the screen, at most WPwidth wide. Every
// thumb says what it shows and how large it is, so that nothing moves while the page loads.

#include <algorithm>

#include "album/AlbumEntry.h"
#include "album/PixDir.h"
#include "web/HtmlText.h"
#include "web/PageNames.h"
#include "web/PageParts.h"
#include "web/PhonePageParts.h"
#include "web/PageText.h"
#include "web/WebElement.h"
#include "web/WebImages.h"

namespace {

constexpr int kGap = 10;  // between the cells, as the classic page's cell spacing
// The thumbs of a first screen this wide (at most) and high load at once, the others only
// when the reader scrolls near them; captions and dates take about kCaptionBelowThumb below each.
constexpr int kFirstScreen = 1000;
constexpr int kCaptionBelowThumb = 40;

// Escaped, and free to wrap after each "_" as well: camera names such as IMG_20240501_123456.jpg
// are wider than a narrow cell and would otherwise break anywhere.
std::string WrappingText(const std::string& text) {
  std::string out;
  for (const char c : EscapeHtml(text)) {
    out += c;
    if (c == '_') {
      out += "<wbr>";
    }
  }
  return out;
}

// The thumb's image with its text and size, and its copy for HiDPI screens where there is one;
// a framed thumb file holds its whole cell.
std::string ThumbImage(const CAlbumEntry& entry, int cell, bool framed, bool avoidAdSizes,
                       bool lazy, bool doubleThumb) {
  const std::string name = EncodeUrlPathSegment(ThumbNameOf(entry.fileName));
  std::string image = "<img src=\"Thumbs/" + name + "\"";
  if (doubleThumb) {
    image += " srcset=\"Thumbs/" + name + " 1x, Thumbs/" + kDoubleFolder + "/" + name + " 2x\"";
  }
  image += " alt=\"" + EscapeHtml(PictureWords(entry)) + "\"";
  int width = framed ? cell : entry.thumb.displayWidth;
  int height = framed ? cell : entry.thumb.displayHeight;
  if (entry.thumb.displayWidth > 0 && entry.thumb.displayHeight > 0) {
    if (avoidAdSizes) {
      AvoidAdSize(width, height);
    }
    image += " width=\"" + std::to_string(width) + "\" height=\"" + std::to_string(height) + "\"";
  }
  return image + (lazy ? " loading=\"lazy\">" : ">");
}

}  // namespace

std::string CPhonePages::Index(const std::string& albumName,
                               const std::vector<CAlbumEntry*>& displayOrder, int count) const {
  const CPixDir& album = context_.album;
  const CGeneralSettings& general = album.Settings().GeneralSettings;
  const CWebViewSettings& web = album.Settings().WebViewSettings;
  const bool textPage = album.Settings().AdvancedSettings.TextPage4Web == 1;
  const bool framed = general.FrameYorN == 1;
  const int cell = std::max(1, general.ThumbSize + (framed ? 2 * general.FrameGap : 0));
  const std::string cellWidth = std::to_string(cell) + "px";
  const std::string title = albumName + " Pictures";
  const int columns =
      textPage ? 1 : std::max(1, (std::min(web.WPwidth, kFirstScreen) + kGap) / (cell + kGap));
  const int eager = columns * (kFirstScreen / (cell + kCaptionBelowThumb) + 1);

  std::string page = PhonePageHead(
      title, true,
      ".album{display:grid;grid-template-columns:repeat(auto-fill,minmax(min(100%," + cellWidth +
          "),1fr));gap:" + std::to_string(kGap) + "px;max-width:" + std::to_string(web.WPwidth) +
          "px}\n"
          ".album figure{margin:0;min-width:0;text-align:center}\n"
          ".album a{display:flex;align-items:center;justify-content:center;min-height:" +
          cellWidth + "}\n");
  page += context_.IndexHeading(title);
  page += textPage ? "<div>\n" : "<div class=\"album\">\n";
  int shown = 0;
  for (int i = 0; i < count; ++i) {
    const CAlbumEntry& entry = *displayOrder[static_cast<size_t>(i)];
    if (entry.omitted != 0) {
      continue;
    }
    page += textPage ? "<p>Insert text</p>" : "<figure>";
    if (web.LIOwnWP == 1) {
      // On a phone a picture opens in place: another window is another tab to close.
      page += "<a href=\"Large/" + EncodeUrlPathSegment(context_.pageNames[static_cast<size_t>(i)]) + "\">";
    } else {
      page += "<a href=\"Large/" + EncodeUrlPathSegment(WebCopyNameOf(entry.fileName)) + "\">";
    }
    page +=
        ThumbImage(entry, cell, framed, album.Settings().AdvancedSettings.AntiAdFilter == 1,
                   shown++ >= eager, DoubleThumbWritten(album.Record().DirPath(), entry.fileName)) +
        "</a>";
    if (!textPage) {
      page += "\n<figcaption>" +
              WrappingText(web.Only1Caption == 0 ? PictureWords(entry) : entry.fileName);
      if (web.Only1Date == 0) {
        page += "<br>" + WrappingText(entry.date);
      }
      page += "</figcaption></figure>";
    }
    page += "\n";
  }
  page += "</div>\n";
  return page + AlbumFooter();
}
