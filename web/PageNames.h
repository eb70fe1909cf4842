#pragma once
// Names of the per-picture pages in Large.

#include <string>
#include <vector>

class CAlbumEntry;

// The page name of a picture file: every "." becomes "_", runs of "_" shrink to one, and
// ".htm" follows (IMG_0001.JPG gives IMG_0001_JPG.htm).
std::string PageNameOf(const std::string& fileName);

// One page name per entry of the display order; an omitted entry gets the empty name. Names
// that would collide (a.b.jpg and a_b.jpg) stay distinct: the later entry in display order
// gets "_2" before ".htm", the next "_3", and so on, never taking a name another entry has.
std::vector<std::string> MakePageNames(const std::vector<CAlbumEntry*>& displayOrder, int count);
