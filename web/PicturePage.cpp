// The page of one picture in Large: the large image, its name, caption and date, and links to
// the neighbouring pages and back to the index.

#include "album/AlbumEntry.h"
#include "web/HtmlText.h"
#include "web/PageHead.h"
#include "web/PageNames.h"
#include "web/PageParts.h"
#include "web/PageText.h"

std::string CDesktopPages::Picture(const CAlbumEntry& entry, int position, int count) const {
  const std::vector<std::string>& pageNames = context_.pageNames;
  const std::string& pageName = pageNames[static_cast<size_t>(position)];
  std::string page = PageHead(pageName, false);
  page += "<body>\n";
  page += "<p><img src=\"" + EncodeUrlPathSegment(WebCopyNameOf(entry.fileName)) + "\" border=\"2\" ";
  const WebPageSizes sizes = context_.sizes(entry, position);
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

  if (const int previous = context_.PreviousPage(position); previous >= 0) {
    page += "<td><a href=\"" + EncodeUrlPathSegment(pageNames[static_cast<size_t>(previous)]) +
            "\"><b>Previous</b></a>";
  } else {
    page += "<td>First";
  }
  if (const int next = context_.NextPage(position, count); next >= 0) {
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
