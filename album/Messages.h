#pragma once
// Application-level reports used throughout the core.

#include <string>

class CPlatformUi;

// Shows "%s %s" with the two texts in a message box with the error icon.
void ReportError(CPlatformUi& ui, const std::string& first, const std::string& second);
// "No readable image files in this directory:" and the directory on a line of its own.
std::string NoImagesMessage(const std::string& directory);
// Shows the text with the error icon, then ends the process with exit code 1.
[[noreturn]] void FatalError(CPlatformUi& ui, const std::string& text);
