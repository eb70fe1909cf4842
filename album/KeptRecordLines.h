#pragma once
// The record lines of pictures that are in the folder but not in the album: a folder limited
// to its first pictures, or a picture that could not be read when the folder was opened. Their
// captions, dates and rectangles must outlive a save, so their lines are written again as they
// were read; only the lines of files that are gone from the folder are dropped.

#include <span>
#include <string>
#include <vector>

class CAlbumEntry;

// The lines (each with its line end) whose picture is in the folder and is none of the
// entries.
std::string KeptRecordLines(const std::vector<std::string>& lines, const std::string& folder,
                            std::span<const CAlbumEntry> entries);
