// The page of one picture with WebForPhones on: the large copy fitted to the screen (a copy
// at twice its size for HiDPI screens where there is one), its name, caption and date, and
// Previous / Next / Return as large targets that the arrow keys and a swipe also reach.

#include "album/AlbumEntry.h"
#include "album/PixDir.h"
#include "imaging/ThumbBuild.h"
#include "web/HtmlText.h"
#include "web/PageNames.h"
#include "web/PageParts.h"
#include "web/PhonePageParts.h"
#include "web/PageText.h"
#include "web/WebImages.h"

namespace {

const char kStyle[] =
    ".picture{margin:0 0 8px}\n"
    ".picture img{display:block;border:2px solid;box-sizing:border-box}\n"
    "nav{display:flex;flex-wrap:wrap;gap:8px;margin:16px 0;max-width:40em}\n"
    "nav a,nav span{flex:1 1 6em;display:flex;align-items:center;justify-content:center;"
    "min-height:48px;padding:0 12px;border:2px solid;border-radius:8px;font-weight:bold;"
    "text-decoration:none}\n"
    "nav span{opacity:.4}\n";

// The Left and Right arrow keys, and a swipe that is mostly sideways, follow the Previous and
// Next links; nothing happens while the reader zooms.
const char kNavigationScript[] =
    "<script>\n"
    "(function () {\n"
    "  function go(rel) {\n"
    "    var link = document.querySelector('nav a[rel=\"' + rel + '\"]');\n"
    "    if (link) location.href = link.href;\n"
    "  }\n"
    "  document.addEventListener('keydown', function (e) {\n"
    "    if (e.defaultPrevented || e.altKey || e.ctrlKey || e.metaKey || e.shiftKey) return;\n"
    "    if (e.key === 'ArrowLeft') go('prev');\n"
    "    else if (e.key === 'ArrowRight') go('next');\n"
    "  });\n"
    "  var startX = null, startY = 0;\n"
    "  document.addEventListener('touchstart', function (e) {\n"
    "    var one = e.touches.length === 1;\n"
    "    startX = one ? e.touches[0].clientX : null;\n"
    "    startY = one ? e.touches[0].clientY : 0;\n"
    "  }, {passive: true});\n"
    "  document.addEventListener('touchend', function (e) {\n"
    "    var zoomed = window.visualViewport && window.visualViewport.scale > 1.01;\n"
    "    if (startX === null || zoomed) return;\n"
    "    var t = e.changedTouches[0], dx = t.clientX - startX, dy = t.clientY - startY;\n"
    "    startX = null;\n"
    "    if (Math.abs(dx) > 50 && Math.abs(dx) > 2 * Math.abs(dy)) go(dx > 0 ? 'prev' : 'next');\n"
    "  }, {passive: true});\n"
    "})();\n"
    "</script>\n";

// The link to a neighbour's page, or the word that stands where there is none.
std::string NavigationLink(const std::string& pageName, const char* rel, const char* text,
                           const char* none) {
  if (pageName.empty()) {
    return std::string("<span>") + none + "</span>";
  }
  return "<a href=\"" + EncodeUrlPathSegment(pageName) + "\" rel=\"" + rel + "\">" + text + "</a>";
}

}  // namespace

std::string CPhonePages::Picture(const CAlbumEntry& entry, int position, int count) const {
  const WebPageSizes sizes = context_.sizes(entry, position);
  const int width = sizes.hasWebImage ? sizes.webWidth : sizes.pictureWidth;
  const int height = sizes.hasWebImage ? sizes.webHeight : sizes.pictureHeight;
  const bool sized = width > 0 && height > 0;
  std::string style = kStyle;
  if (sized) {
    // As wide as the screen allows and no taller than most of it, in its own shape.
    style += ".picture img{max-width:min(100%,calc(85vh * " + std::to_string(width) + " / " +
             std::to_string(height) + "))}\n";
  }
  std::string page = PhonePageHead(PictureWords(entry), false, style);

  const std::string source = EncodeUrlPathSegment(WebCopyNameOf(entry.fileName));
  page += "<body>\n<figure class=\"picture\"><img src=\"" + source + "\"";
  if (sizes.hasWebImage &&
      HoldsDoubleSize(sizes.pictureWidth, sizes.pictureHeight, width, height) &&
      DoubleCopyWritten(context_.album.Record().DirPath(), entry.fileName)) {
    page += " srcset=\"" + source + " 1x, " + kDoubleFolder + "/" + source + " 2x\"";
  }
  page += " alt=\"" + EscapeHtml(PictureWords(entry)) + "\"";
  if (sized) {
    page += " width=\"" + std::to_string(width) + "\" height=\"" + std::to_string(height) + "\"";
  }
  page += "></figure>\n";
  page += "<p><strong>" + EscapeHtml(entry.fileName) + "</strong>" + ScaleNote(sizes) + "\n";
  if (entry.caption != "?") {
    page += "<p>" + EscapeHtml(entry.caption) + "\n";
  }
  page += "<p>Date: " + EscapeHtml(entry.date) + "\n";

  const std::vector<std::string>& pageNames = context_.pageNames;
  const int previous = context_.PreviousPage(position);
  const int next = context_.NextPage(position, count);
  page += "<nav>" +
          NavigationLink(previous >= 0 ? pageNames[static_cast<size_t>(previous)] : "", "prev",
                         "Previous", "First") +
          NavigationLink(next >= 0 ? pageNames[static_cast<size_t>(next)] : "", "next", "Next",
                         "Last") +
          "<a href=\"../pix_index.htm\">Return to Thumbs</a></nav>\n";
  page += kNavigationScript;
  page += "</body>\n</html>";
  return page;
}
