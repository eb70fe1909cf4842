#pragma once
// Pieces that the classic pages and the pages for phones write alike.

#include <string>

class CAlbumEntry;
struct WebPageSizes;

// Whether the entry has a caption of its own: neither empty nor the "?" of none.
bool HasOwnCaption(const CAlbumEntry& entry);
// " (scaled 0.333)" in bold after the name of a picture whose large copy is reduced (the
// reduction 1 / ratio, ratio the larger of the two sides' ratios); empty otherwise.
std::string ScaleNote(const WebPageSizes& sizes);
// The end of every index page: the link to the product's web site, and the closing tags.
std::string AlbumFooter();
