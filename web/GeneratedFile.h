#pragma once
// A page or style sheet of the web album is written only when its bytes change, so that an
// unchanged file keeps its time and an upload of the album sends only what changed.

#include <string>
#include <string_view>

// Replaces the file at path atomically, in place of a symbolic link there, unless it is a file
// of its own that holds content already. 0, or the error number (ReplaceFileAtomically).
int WriteGeneratedFile(const std::string& path, std::string_view content);
