// pix_index.htm: the heading, a table of linked thumbs with a caption row under every row of
// thumbs, and the footer. With TextPage4Web on it is a skeleton page instead, one
// "<p>Insert text</p>" marker before every thumb.

#include <algorithm>

#include "album/AlbumEntry.h"
#include "album/PixDir.h"
#include "web/HtmlText.h"
#include "web/PageHead.h"
#include "web/PageNames.h"
#include "web/PageParts.h"
#include "web/PageText.h"
#include "web/WebElement.h"

const char* const kProductSite = "https://brackenfold.org/quillaran";

namespace {

// Width and height of the advertisement sizes, in the order they are compared.
constexpr int kAdSizes[16][2] = {
    {300, 250}, {250, 250}, {240, 400}, {336, 280}, {180, 150}, {468, 60},  {234, 60},  {88, 31},
    {120, 90},  {120, 60},  {120, 240}, {125, 125}, {728, 90},  {160, 600}, {120, 600}, {300, 600}};

}  // namespace

void AvoidAdSize(int& width, int& height) {
  for (const auto& ad : kAdSizes) {
    if (ad[0] == width && ad[1] == height) {
      if (height < width) {
        width += 2;
      } else {
        height += 2;
      }
      return;
    }
  }
}

std::string CDesktopPages::Index(const std::string& albumName,
                                 const std::vector<CAlbumEntry*>& displayOrder, int count) const {
  const CPixDir& album = context_.album;
  const CGeneralSettings& general = album.Settings().GeneralSettings;
  const CWebViewSettings& web = album.Settings().WebViewSettings;
  const CAdvancedSettings& advanced = album.Settings().AdvancedSettings;
  const bool textPage = advanced.TextPage4Web == 1;
  const std::string title = albumName + " Pictures";
  const std::string cell =
      textPage ? "<p>Insert text</p>" : "<td align=\"center\" valign=\"center\">";
  const std::string target = web.LIOwnBrW == 1 ? "target = \"view_window\"" : "";
  // A thumb wider than the page still gets a column of its own.
  const int columns =
      textPage ? 1 : std::max(1, general.ThumbSize > 0 ? web.WPwidth / general.ThumbSize : 1);

  std::string page = PageHead(title, true) + context_.IndexHeading(title);
  if (textPage) {
    page += "<div>\n";
  } else {
    page += "<div>\n<table cellspacing=\"10\" cellpading=\"20\" width=\"" +
            std::to_string(web.WPwidth) + "\">\n<tr>\n";
  }

  // The caption row under the thumbs of display positions [first, last].
  auto closeRow = [&](int first, int last) {
    page += "</tr><tr>\n";
    for (int i = first; i <= last; ++i) {
      const CAlbumEntry& entry = *displayOrder[static_cast<size_t>(i)];
      if (entry.omitted != 0) {
        continue;
      }
      if (HasOwnCaption(entry) && web.Only1Caption == 0) {
        page += cell + EscapeHtml(entry.caption);
      } else {
        page += cell + EscapeHtml(entry.fileName) + "\n";
      }
      if (web.Only1Date == 0) {
        page += "<br>" + EscapeHtml(entry.date) + "<br>\n";
      }
    }
    page += "</tr><tr>\n";
  };

  int shown = 0;
  int rowStart = 0;
  bool rowOpen = false;
  for (int i = 0; i < count; ++i) {
    const CAlbumEntry& entry = *displayOrder[static_cast<size_t>(i)];
    if (entry.omitted != 0) {
      continue;
    }
    ++shown;
    rowOpen = true;
    const std::string thumbSrc = "Thumbs/" + EncodeUrlPathSegment(ThumbNameOf(entry.fileName));
    if (web.LIOwnWP == 1) {
      page += cell + "<a href=\"Large/" + EncodeUrlPathSegment(context_.pageNames[static_cast<size_t>(i)]) +
              "\" " + target + "><img border=0 src=\"" + thumbSrc + "\"";
    } else {
      page += cell + "<a href=\"Large/" + EncodeUrlPathSegment(WebCopyNameOf(entry.fileName)) +
              "\"><img border=0 src=\"" + thumbSrc + "\"";
    }
    int width = entry.thumb.displayWidth;
    int height = entry.thumb.displayHeight;
    if (width > 0 && height > 0 && general.FrameYorN == 0) {
      if (advanced.AntiAdFilter == 1) {
        AvoidAdSize(width, height);
      }
      // No blank before the attribute: browsers accept it, and the pages have always read so.
      page += "width=\"" + std::to_string(width) + "\" height=\"" + std::to_string(height) +
              "\"></a>\n";
    } else {
      page += "></a>\n";
    }
    if (!textPage && (shown % columns == 0 || i == count - 1)) {
      closeRow(rowStart, i);
      rowStart = i + 1;
      rowOpen = false;
    }
  }
  // A row cut short by omitted entries at the end of the album.
  if (!textPage && rowOpen) {
    closeRow(rowStart, count - 1);
  }

  page += textPage ? "</div>\n" : "</tr>\n</table>\n</div>\n";
  return page + AlbumFooter();
}
