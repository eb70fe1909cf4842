#include "web/PageParts.h"

#include <algorithm>
#include <charconv>

#include "album/AlbumEntry.h"
#include "web/WebElement.h"
#include "web/WebImages.h"

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

bool HasOwnCaption(const CAlbumEntry& entry) {
  return !entry.caption.empty() && entry.caption != "?";
}

std::string ScaleNote(const WebPageSizes& sizes) {
  if (!sizes.hasWebImage || sizes.webWidth <= 0 || sizes.webHeight <= 0) {
    return {};
  }
  const double ratio = std::max(static_cast<double>(sizes.pictureWidth) / sizes.webWidth,
                                static_cast<double>(sizes.pictureHeight) / sizes.webHeight);
  return ratio > 1.0 ? "<strong> (scaled " + FixedThree(1.0 / ratio) + ")</strong>" : "";
}

std::string AlbumFooter() {
  return std::string("<h4 align=\"left\">Brought to you by <a href=\"") + kProductSite +
         "\">Quillaran</a></h4></body>\n</html>";
}
