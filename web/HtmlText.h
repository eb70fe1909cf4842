#pragma once
// Text written into the web pages: escaped for HTML, and file names percent-encoded where
// they stand in a link, so that names with blanks, "#", "%", "?" or quotes give working links
// and no caption can add markup.

#include <string>

// Replaces & < > " ' by their character references.
std::string EscapeHtml(const std::string& text);
// Percent-encodes every byte but the unreserved characters of a URL (letters, digits, "-",
// ".", "_", "~"), so the result is one path segment; UTF-8 names are encoded byte by byte.
std::string EncodeUrlPathSegment(const std::string& name);
