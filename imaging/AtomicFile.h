#pragma once
// Replacing a file that the user keeps without ever leaving it half written: the content goes
// to a new file beside it, which is then renamed over it.

#include <string>
#include <string_view>

// Writes content to path through a temporary file in the same directory; a replaced file keeps
// its permissions. When path is a symbolic link, the file it points to is replaced (the
// temporary file lies beside that file) and the link stays. A file that is not writable is
// not replaced (EACCES). durable also flushes the data to the disk before the rename. Returns
// 0, or the error number of the step that failed, with the temporary file removed and path as
// it was.
int ReplaceFileAtomically(const std::string& path, std::string_view content, bool durable);
