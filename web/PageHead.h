#pragma once
// The head block that every page of the web album starts with, and the shared style sheet.

#include <cstdio>
#include <string>

// The head block with the title (escaped here). The index page lies in the album directory
// and imports "Large/Basic.css"; the picture pages lie in Large and import "Basic.css".
// extra is written as it is at the end of the head.
std::string PageHead(const std::string& title, bool indexPage, const std::string& extra = {});
void WriteHead(std::FILE* file, const std::string& title, bool indexPage);

// Writes "Large/Basic.css" below the album directory with the text colour name as it is,
// replacing a symbolic link of that name. 1 written; 0 when the file could not be written,
// writeError, when given, then holding the error number. Nothing is reported here.
int WriteStyleSheet(const std::string& albumDir, const std::string& textColour,
                    int* writeError = nullptr);
