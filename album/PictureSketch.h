#pragma once
// The sketch of an album picture, made from its file: decoded no larger than the sketch needs
// (a JPEG at the largest DCT scale that still covers it), within the memory budget of the
// pass, then let go. Any thread may make sketches; each call touches only its own entry.

#include <string>

#include "imaging/ThumbBuild.h"

class CAlbumEntry;
class CBudgetedDecoder;
class CPlatformUi;

// What sketches are made at: the thumb size, and the screen's device pixels per sheet pixel.
struct SketchScale {
  int thumbSize = 120;
  double ratio = 1;
};

enum class SketchResult {
  kNotRead,   // the file could not be decoded (its message was shown)
  kNoSketch,  // the thumb rectangle leaves nothing of the picture
  kMade,
};

// Makes the sketch of the entry's thumbRect (fitted to the picture in place) from the decoded
// picture, and gives the entry the picture's size and the sketch's source; cropped tells
// whether the picture is the cropped copy.
SketchResult SketchFromPicture(const DecodedPicture& picture, int cropped, CAlbumEntry& entry,
                               const SketchScale& scale);

// Decodes the picture file at path for the sketch and makes it as SketchFromPicture does,
// stamping the file (the entry's croppedStamp when cropped is 1, else its fileStamp). On
// kNotRead the entry is as it was.
SketchResult ReadSketch(const std::string& path, int cropped, CAlbumEntry& entry,
                        const SketchScale& scale, CBudgetedDecoder& decoder, CPlatformUi& ui);

// Whether the entry's sketch was made of what it shows now, at this scale.
bool SketchIsCurrent(const CAlbumEntry& entry, const SketchScale& scale);

// What a sketch is made from, copied from the entry (its files, thumb rectangle and crop, and
// its sketch's source), so that a worker makes the sketch while the sheet paints the entry;
// TakeSketch then gives the entry what making it changed: the sketch, its source, the fitted
// rectangle, the picture's size, the file's stamp.
CAlbumEntry CopyForSketch(const CAlbumEntry& entry);
void TakeSketch(CAlbumEntry& copy, CAlbumEntry& entry);
