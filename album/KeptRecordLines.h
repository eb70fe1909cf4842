#pragma once
// The record lines of pictures that are in the folder but not in the album: a folder limited
// to its first pictures, or a picture that could not be read when the folder was opened. Their
// captions, dates and rectangles must outlive a save, so their lines are written again as they
// were read; only the lines of files that are gone from the folder are dropped.

#include <string>

class CPixDir;

// The lines (each with its line end) of album.otherPictureLines whose picture is in the
// album's folder and is none of the album's.
std::string KeptRecordLines(const CPixDir& album);
