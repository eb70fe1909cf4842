#pragma once
// The main window's title, which says which album it shows.

#include <string>

class CPixDir;

// "Trip - Quillaran" for the album of the folder Trip, "Trip* - Quillaran" while its record
// has unsaved changes, "Quillaran" with no album.
std::string WindowTitle(const CPixDir& album);
