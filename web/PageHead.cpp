#include "web/PageHead.h"

#include <filesystem>

#include "web/GeneratedFile.h"
#include "web/HtmlText.h"

std::string PageHead(const std::string& title, bool indexPage, const std::string& extra) {
  std::string head = "<html><head>\n<meta charset=\"utf-8\">\n";
  head += "<style type=\"text/css\">\n<!--\n";
  head += indexPage ? "\t@import url(Large/Basic.css);\n" : "\t@import url(Basic.css);\n";
  head += "-->\n</style>\n";
  head += "<title>" + EscapeHtml(title) + "</title>\n";
  head += extra;
  head += "</head>\n";
  return head;
}

void WriteHead(std::FILE* file, const std::string& title, bool indexPage) {
  const std::string head = PageHead(title, indexPage);
  std::fwrite(head.data(), 1, head.size(), file);
}

int WriteStyleSheet(const std::string& albumDir, const std::string& textColour, int* writeError) {
  const std::filesystem::path path = std::filesystem::path(albumDir) / "Large" / "Basic.css";
  std::string css;
  for (const char* selector : {"body", "td"}) {
    css += std::string(selector) +
           " {\nfont-family: Arial, Helvetica, sans-serif;\nfont-size:10pt;\ncolor:" + textColour +
           "\n}\n";
  }
  const int error = WriteGeneratedFile(path.string(), css);
  if (writeError != nullptr) {
    *writeError = error;
  }
  return error == 0 ? 1 : 0;
}
