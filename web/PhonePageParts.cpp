#include "web/PhonePageParts.h"

#include "album/AlbumEntry.h"
#include "web/PageHead.h"
#include "web/PageParts.h"

namespace {

// Long words and names wrap rather than widen the page; no picture is wider than the screen.
const char kCommonStyle[] =
    "body{overflow-wrap:anywhere}\n"
    "img{max-width:100%;height:auto}\n";

}  // namespace

std::string PhonePageHead(const std::string& title, bool indexPage, const std::string& style) {
  return "<!DOCTYPE html>\n" +
         PageHead(title, indexPage,
                  "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n"
                  "<style>\n" +
                      std::string(kCommonStyle) + style + "</style>\n");
}

std::string PictureWords(const CAlbumEntry& entry) {
  return HasOwnCaption(entry) ? entry.caption : entry.fileName;
}
