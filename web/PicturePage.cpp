// The page of one picture in Large: the large image, its name, caption and date, and links to
// the neighbouring pages and back to the index.

#include <algorithm>

#include "album/AlbumEntry.h"
#include "album/PixDir.h"
#include "raster/AtomicFile.h"
#include "web/HtmlText.h"
#include "web/PageHead.h"
#include "web/PageNames.h"
#include "web/PageParts.h"
#include "web/WebElement.h"

int CWebElement::WritePicturePage(const CAlbumEntry& entry, int position, int count) {
  count = std::min(count, static_cast<int>(pageNames.size()));
  if (position < 0 || position >= count || pageNames[static_cast<size_t>(position)].empty()) {
    return 1;
  }
  const std::string page = album_.Settings().WebViewSettings.WebForPhones == 1
                               ? PhonePicturePage(entry, position, count)
                               : PicturePage(entry, position, count);
  const std::string path = AlbumPath("Large/" + pageNames[static_cast<size_t>(position)]);
  return WrittenOrReported(path,
                           ReplaceFileAtomically(path, page, Flush::None, LinkAtPath::Replace));
}

int CWebElement::PreviousPage(int position) const {
  int previous = position - 1;
  while (previous >= 0 && pageNames[static_cast<size_t>(previous)].empty()) {
    --previous;
  }
  return previous;
}

int CWebElement::NextPage(int position, int count) const {
  int next = position + 1;
  while (next < count && pageNames[static_cast<size_t>(next)].empty()) {
    ++next;
  }
  return next < count ? next : -1;
}

std::string CWebElement::PicturePage(const CAlbumEntry& entry, int position, int count) const {
  const std::string& pageName = pageNames[static_cast<size_t>(position)];
  std::string page = PageHead(pageName, false);
  page += "<body>\n";
  page += "<p><img src=\"" + EncodeUrlPathSegment(WebCopyNameOf(entry.fileName)) + "\" border=\"2\" ";
  const WebPageSizes sizes = PageSizes(entry, position);
  if (sizes.hasWebImage) {
    page += "width=\"" + std::to_string(sizes.webWidth) + "\" height=\"" +
            std::to_string(sizes.webHeight) + "\" ></p>\n";
  } else {
    page += "></p>\n";
  }
  page += "<strong>" + EscapeHtml(entry.fileName) + "</strong>" + ScaleNote(sizes) + "\n";
  if (entry.caption != "?") {
    page += "<p>" + EscapeHtml(entry.caption) + "\n";
  }
  page += "<p>Date: " + EscapeHtml(entry.date) + "\n";
  page += "<table cellpadding=\"5\"><tr>";

  if (const int previous = PreviousPage(position); previous >= 0) {
    page += "<td><a href=\"" + EncodeUrlPathSegment(pageNames[static_cast<size_t>(previous)]) +
            "\"><b>Previous</b></a>";
  } else {
    page += "<td>First";
  }
  if (const int next = NextPage(position, count); next >= 0) {
    page += "<td><a href=\"" + EncodeUrlPathSegment(pageNames[static_cast<size_t>(next)]) +
            "\"><b>Next</b></a>\n";
  } else {
    page += "<td>Last\n";
  }
  page += "<td><a href=\"../pix_index.htm\">Return to Thumbs</a>\n";
  page += "</tr></table>";
  page += "</body>\n</html>";
  return page;
}
