#pragma once
// How an entry's thumb sketch and its large web copy are made from its picture.

#include "imaging/ImageWrap.h"
#include "imaging/Rect.h"

// The thumb sketch at thumbSize: from the whole picture when thumbRect is empty, otherwise
// from the part inside thumbRect (clamped to the picture in place), cut into cropArea first.
// 1 built; 0 failed, with no message (the caller reports "Failed to Create Thumbsketch").
// On failure the thumb keeps whatever the failed step left.
int BuildThumbFromPicture(const CImageWrap& picture, Rect& thumbRect, CImageWrap& cropArea,
                          CImageWrap& thumb, int thumbSize);

// Whether the web album writes a reduced copy of the picture rather than the picture itself:
// maxOsize 2000 or more means no limit, otherwise a side of maxOsize or more is reduced.
bool NeedsWebImage(const CImageWrap& picture, int maxOsize);
