#include "web/PageHead.h"

#include <filesystem>

#include "web/HtmlText.h"

std::string PageHead(const std::string& title, bool indexPage) {
  std::string head = "<html><head>\n<meta charset=\"utf-8\">\n";
  head += "<style type=\"text/css\">\n<!--\n";
  head += indexPage ? "\t@import url(Large/Basic.css);\n" : "\t@import url(Basic.css);\n";
  head += "-->\n</style>\n";
  head += "<title>" + EscapeHtml(title) + "</title>\n";
  head += "</head>\n";
  return head;
}

void WriteHead(std::FILE* file, const std::string& title, bool indexPage) {
  const std::string head = PageHead(title, indexPage);
  std::fwrite(head.data(), 1, head.size(), file);
}

int WriteStyleSheet(const std::string& albumDir, const std::string& textColour) {
  const std::filesystem::path path = std::filesystem::path(albumDir) / "Large" / "Basic.css";
  std::FILE* file = std::fopen(path.c_str(), "w");
  if (file == nullptr) {
    return 0;
  }
  std::string css;
  for (const char* selector : {"body", "td"}) {
    css += std::string(selector) +
           " {\nfont-family: Arial, Helvetica, sans-serif;\nfont-size:10pt;\ncolor:" + textColour +
           "\n}\n";
  }
  const bool written = std::fwrite(css.data(), 1, css.size(), file) == css.size();
  return std::fclose(file) == 0 && written ? 1 : 0;
}
