#pragma once
// One picture of the album. It keeps the sketch that the sheet shows and what the pages, the
// record and the layout need of the picture (its size, name, caption, date, marks), not the
// decoded picture: an operation that needs its pixels decodes its file again (PixDir.h).

#include <string>

#include "imaging/FileStamp.h"
#include "imaging/ImageWrap.h"
#include "imaging/Rect.h"

class CPlatformUi;

// What a sketch was made from and at: the thumb size, the screen's device pixels per sheet
// pixel, the thumb rectangle as asked for and as fitted to the picture, and whether the
// picture was the cropped copy. A sketch is made again only when one of these changes.
struct SketchSource {
  int thumbSize = 0;
  double ratio = 0;
  Rect askedRect;
  Rect fittedRect;
  int32_t cropped = 0;
  bool made = false;  // false: the sketch could not be made of it
};

class CAlbumEntry {
 public:
  CAlbumEntry() = default;
  virtual ~CAlbumEntry() = default;
  CAlbumEntry(const CAlbumEntry&) = delete;
  CAlbumEntry& operator=(const CAlbumEntry&) = delete;
  CAlbumEntry(CAlbumEntry&&) noexcept = default;
  CAlbumEntry& operator=(CAlbumEntry&&) noexcept = default;

  CImageWrap thumb;         // the sketch; its display size is the thumb's, in sheet pixels
  SketchSource sketchSource;
  std::string fileName;     // without directory; key in the record file, picture window title
  std::string fullPath;
  std::string caption = "?";
  std::string date;
  int32_t index = 0;   // scan position; never changes while the album is loaded
  int32_t order = 0;   // display position
  int32_t omitted = 0; // 1 = crossed out, left out of the web album
  Rect sketchRect;     // cell on the sheet, frame included
  Rect captionRect;    // caption box under the sketch; all zero when captions are hidden
  Rect thumbRect;      // area of the picture used for the thumb; empty = whole picture
  int32_t cropped = 0; // 1 = the picture shown is the original's cropped copy in "Cropped"
  // The record marks the picture cropped, but its copy could not be shown (refused, or
  // unreadable): it shows its original, and the record keeps the mark as the user left it.
  bool cropMarkKept = false;
  // When the picture was taken (TakenAtKey): the camera's time stamp, else the file's time,
  // read with the date at load. Sort by Date orders by it; date is display text only, which
  // the user may change.
  int64_t takenAt = 0;
  // The size of the picture shown, upright, in pixels of its file.
  int32_t pictureWidth = 0;
  int32_t pictureHeight = 0;
  // The display size of the large copy that the last web album run made of it, which the
  // pages of a later "Assume images exist" tell; 0 x 0 when it made none.
  int32_t webWidth = 0;
  int32_t webHeight = 0;
  // The files as loaded or last written, so that a file changed on disk since then is
  // never written over: the original, and the cropped copy while cropped is 1.
  FileStamp fileStamp;
  FileStamp croppedStamp;
  // Why the colour profile of the file was not used when it was read, for the run log; empty
  // when it was used or there was none.
  std::string colourIgnored;
};

// -1, 0 or 1 as a's order is below, equal to or above b's.
int CompareOrder(const CAlbumEntry* a, const CAlbumEntry* b);

// The picture's date text into the entry's date, and when it was taken into takenAt
// (imaging/PictureDate.h).
int ReadPictureDate(const std::string& path, CAlbumEntry& entry, CPlatformUi& ui);
