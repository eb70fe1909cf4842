#pragma once
// Names of the files that the web album writes for a picture: its page in Large and its thumb
// in Thumbs.

#include <string>
#include <vector>

class CAlbumEntry;

// The name itself when it fits the 255 bytes that a file name may have. A longer one is cut
// to its first bytes (at a character boundary), "~", sixteen hexadecimal digits of a hash of
// the whole name and its extension, 200 bytes in all: different long names stay different,
// and suffixes still fit.
std::string FittingName(const std::string& name);

// The page name of a picture file: every "." becomes "_", runs of "_" shrink to one, and
// ".htm" follows (IMG_0001.JPG gives IMG_0001_JPG.htm); shortened when it does not fit.
std::string PageNameOf(const std::string& fileName);
// The name of a picture's copies in Large (and Large/2x): its file name, or for a format that
// not every browser shows (HEIF, AVIF, WebP, TIFF) the file name with ".jpg" added, the copy
// being a JPEG (phone.heic gives phone.heic.jpg), so that every picture's files stay unique.
std::string WebCopyNameOf(const std::string& fileName);
// The name of its thumb in Thumbs: "Thumb_" and the copy's name, shortened when that does not
// fit (a name of 250 bytes or more).
std::string ThumbNameOf(const std::string& fileName);

// One page name per entry of the display order; an omitted entry gets the empty name. Names
// that would collide (a.b.jpg and a_b.jpg) stay distinct: the later entry in display order
// gets "_2" before ".htm", the next "_3", and so on, never taking a name another entry has.
std::vector<std::string> MakePageNames(const std::vector<CAlbumEntry*>& displayOrder, int count);
