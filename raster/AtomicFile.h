#pragma once
// Replacing a file that the user keeps without ever leaving it half written: the content goes
// to a new file beside it, which is then renamed over it.

#include <ctime>
#include <optional>
#include <string>
#include <string_view>

// What becomes of a symbolic link at the path written: a file the user keeps may be written
// through it, so that the link stays; the files that the program generates replace it, so
// that they never land outside their folder. (The record follows a link only into its own
// folder: album/FolderFile.h; a turn refuses a linked picture.)
enum class LinkAtPath { Follow, Replace };

// Whether a replacement waits for the disk: a file the user keeps is flushed, so that a power
// cut leaves the old file or the new one; the files the program generates are not.
enum class Flush { None, ToDisk };

// The access and modification times of a file: a turned picture keeps those of the file it
// was, as lossless rotation tools do, so that a picture dated by its file time keeps its date.
struct FileTimes {
  timespec access{};
  timespec modified{};
};
// The times of the file at path (through symbolic links); none when there is no such file.
std::optional<FileTimes> TimesOf(const std::string& path);

// Writes content to path through a temporary file in the same directory; a replaced file keeps
// its permissions. When path is a symbolic link, Follow replaces the file it points to (the
// temporary file lies beside that file) and keeps the link; Replace puts the new file in the
// link's place. A file that is not writable is not replaced (EACCES). ToDisk also flushes the
// data to the disk before the rename and the directory after it, so that a power cut leaves
// the old file or the new one. The new file has the given times, or the current time.
// Returns 0, or the error number of the step that failed: before the rename with the
// temporary file removed and path as it was; a failed flush of the directory after it, with
// the new file in place.
int ReplaceFileAtomically(const std::string& path, std::string_view content, Flush flush,
                          LinkAtPath link = LinkAtPath::Follow, const FileTimes* times = nullptr);

// The file that path finally names through any symbolic links (a dangling link names the file
// it would point to). 0, or the error number: ELOOP when the links do not end.
int FollowLinks(const std::string& path, std::string& target);

// Removes from the directory the temporary files of writers that were killed before their
// rename: those of processes that no longer run. Returns how many were removed.
int RemoveDeadTemporaries(const std::string& directory);
