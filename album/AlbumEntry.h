#pragma once
// One picture of the album.

#include <string>

#include "imaging/FileStamp.h"
#include "imaging/ImageWrap.h"
#include "imaging/PixelBuffer.h"
#include "imaging/Rect.h"

class CPlatformUi;

class CAlbumEntry {
 public:
  CAlbumEntry() = default;
  virtual ~CAlbumEntry() = default;
  CAlbumEntry(const CAlbumEntry&) = delete;
  CAlbumEntry& operator=(const CAlbumEntry&) = delete;
  CAlbumEntry(CAlbumEntry&&) noexcept = default;
  CAlbumEntry& operator=(CAlbumEntry&&) noexcept = default;

  CImageWrap picture;       // as loaded; rotating and cropping change it in place
  CImageWrap cropArea;      // the part of picture inside thumbRect
  CImageWrap webImage;      // size-limited copy for the web album, made by the page output
  CImageWrap thumb;         // the thumb sketch
  CPixelBuffer framedThumb; // rendered framed thumb for the web album; empty until then
  std::string fileName;     // without directory; key in the record file, picture window title
  std::string fullPath;
  std::string caption = "?";
  std::string date;
  int32_t index = 0;   // scan position; never changes while the album is loaded
  int32_t order = 0;   // display position
  int32_t omitted = 0; // 1 = crossed out, left out of the web album
  Rect sketchRect;     // cell on the sheet, frame included
  Rect captionRect;    // caption box under the sketch; all zero when captions are hidden
  Rect thumbRect;      // area of picture used for the thumb; empty = whole picture
  int32_t cropped = 0; // 1 = picture is the original's cropped copy in "Cropped"
  // When the picture was taken (TakenAtKey): the camera's time stamp, else the file's time,
  // read with the date at load. Sort by Date orders by it; date is display text only, which
  // the user may change.
  int64_t takenAt = 0;
  // The files as loaded or last written, so that a file changed on disk since then is
  // never written over: the original, and the cropped copy while cropped is 1.
  FileStamp fileStamp;
  FileStamp croppedStamp;

  // Loads picture from path. 1 on success.
  int LoadOriginal(const std::string& path, CPlatformUi& ui) { return picture.Load(path, ui); }
};

// -1, 0 or 1 as a's order is below, equal to or above b's.
int CompareOrder(const CAlbumEntry* a, const CAlbumEntry* b);

// The picture's date text into the entry's date, and when it was taken into takenAt
// (imaging/PictureDate.h).
int ReadPictureDate(const std::string& path, CAlbumEntry& entry, CPlatformUi& ui);
// The entry's framed thumb on a square cell of cellSide (imaging/FramedThumb.h).
int RenderFramedThumb(CAlbumEntry& entry, int cellSide, int gap, int32_t colour, int brushKind);
