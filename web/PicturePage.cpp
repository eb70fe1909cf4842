// The page of one picture in Large: the large image, its name, caption and date, and links to
// the neighbouring pages and back to the index.

#include <algorithm>
#include <charconv>

#include "album/AlbumEntry.h"
#include "imaging/AtomicFile.h"
#include "web/HtmlText.h"
#include "web/PageHead.h"
#include "web/WebElement.h"

namespace {

// "%5.3f" without the locale: a page must not get a decimal comma.
std::string FixedThree(double value) {
  char buffer[64];
  const auto result =
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 3);
  std::string text(buffer, result.ptr);
  if (text.size() < 5) {
    text.insert(0, 5 - text.size(), ' ');
  }
  return text;
}

}  // namespace

void CWebElement::WritePicturePage(const CAlbumEntry& entry, int position, int count) {
  count = std::min(count, static_cast<int>(pageNames.size()));
  if (position < 0 || position >= count || pageNames[static_cast<size_t>(position)].empty()) {
    return;
  }
  const std::string& pageName = pageNames[static_cast<size_t>(position)];

  std::string page = PageHead(pageName, false);
  page += "<body>\n";
  page += "<p><img src=\"" + EncodeUrlPathSegment(entry.fileName) + "\" border=\"2\" ";
  double ratio = 0.0;
  const WebPageSizes sizes = PageSizes(entry, position);
  if (sizes.hasWebImage) {
    page += "width=\"" + std::to_string(sizes.webWidth) + "\" height=\"" +
            std::to_string(sizes.webHeight) + "\" ></p>\n";
    if (sizes.webWidth > 0 && sizes.webHeight > 0) {
      ratio = std::max(static_cast<double>(sizes.pictureWidth) / sizes.webWidth,
                       static_cast<double>(sizes.pictureHeight) / sizes.webHeight);
    }
  } else {
    page += "></p>\n";
  }
  page += "<strong>" + EscapeHtml(entry.fileName) + "</strong>";
  if (ratio > 1.0) {
    page += "<strong> (scaled " + FixedThree(1.0 / ratio) + ")</strong>";
  }
  page += "\n";
  if (entry.caption != "?") {
    page += "<p>" + EscapeHtml(entry.caption) + "\n";
  }
  page += "<p>Date: " + EscapeHtml(entry.date) + "\n";
  page += "<table cellpadding=\"5\"><tr>";

  // Neighbours are the nearest entries with a page; omitted ones have the empty name.
  int previous = position - 1;
  while (previous >= 0 && pageNames[static_cast<size_t>(previous)].empty()) {
    --previous;
  }
  if (previous >= 0) {
    page += "<td><a href=\"" + EncodeUrlPathSegment(pageNames[static_cast<size_t>(previous)]) +
            "\"><b>Previous</b></a>";
  } else {
    page += "<td>First";
  }
  int next = position + 1;
  while (next < count && pageNames[static_cast<size_t>(next)].empty()) {
    ++next;
  }
  if (next < count) {
    page += "<td><a href=\"" + EncodeUrlPathSegment(pageNames[static_cast<size_t>(next)]) +
            "\"><b>Next</b></a>\n";
  } else {
    page += "<td>Last\n";
  }
  page += "<td><a href=\"../pix_index.htm\">Return to Thumbs</a>\n";
  page += "</tr></table>";
  page += "</body>\n</html>";

  ReplaceFileAtomically(AlbumPath("Large/" + pageName), page, false, LinkAtPath::Replace);
}
