#pragma once
// Replacing a file that the user keeps without ever leaving it half written: the content goes
// to a new file beside it, which is then renamed over it.

#include <string>
#include <string_view>

// Writes content to path through a temporary file in the same directory; a replaced file keeps
// its permissions. durable also flushes the data to the disk before the rename. Returns 0, or
// the error number of the step that failed, with the temporary file removed and path as it was.
int ReplaceFileAtomically(const std::string& path, std::string_view content, bool durable);
