#include "web/PageText.h"

#include "album/PixDir.h"
#include "web/HtmlText.h"

int PageContext::PreviousPage(int position) const {
  int previous = position - 1;
  while (previous >= 0 && pageNames[static_cast<size_t>(previous)].empty()) {
    --previous;
  }
  return previous;
}

int PageContext::NextPage(int position, int count) const {
  int next = position + 1;
  while (next < count && pageNames[static_cast<size_t>(next)].empty()) {
    ++next;
  }
  return next < count ? next : -1;
}

std::string PageContext::IndexHeading(const std::string& title) const {
  const CWebViewSettings& web = album.Settings().WebViewSettings;
  std::string heading = "<body>\n<h2>" + EscapeHtml(title) + "</h2>\n";
  if (web.Only1Caption == 1) {
    heading += "<p>" + EscapeHtml(singleCaption) + "</p>\n";
  }
  if (web.Only1Date == 1) {
    heading += "<p>" + EscapeHtml(singleDate) + "</p>\n";
  }
  return heading;
}
