#pragma once
// The folders below the album that the program writes into (Thumbs, Large, Cropped). A folder
// may come from anyone, an archive or a shared drive: one that is a symbolic link could lead
// the program's files out of the album, over files elsewhere, so it is never written through.

#include <string>

// What EnsureDirectory and FolderLinkError give for a folder that is a symbolic link.
constexpr int kFolderIsLink = -1;
// kFolderIsLink when path is a symbolic link, else 0.
int FolderLinkError(const std::string& path);
// An existing directory, or one made now: 0, kFolderIsLink, or the error number of why not.
int EnsureDirectory(const std::string& path);
// The system's text for an error number ("Permission denied").
std::string ErrorReason(int error);
