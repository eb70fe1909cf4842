#pragma once
// What the pages that fit phones share: a head in standards mode with the device's own
// viewport width, and the words that stand for a picture where it cannot be seen.

#include <string>

class CAlbumEntry;

// The head block of PageHead, in standards mode, with the viewport and a style of the page's
// own after the shared style sheet (written as it is: it holds no user text).
std::string PhonePageHead(const std::string& title, bool indexPage, const std::string& style);
// The picture's caption, or its file name when the caption is "?" or empty; not escaped.
std::string PictureWords(const CAlbumEntry& entry);
