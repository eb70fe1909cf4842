#pragma once
// How an entry's thumb sketch and its large web copy are made from its picture.

#include "imaging/ImageWrap.h"
#include "imaging/Rect.h"
#include "imaging/Resample.h"

// The thumb sketch at thumbSize: from the whole picture when thumbRect is empty, otherwise
// from the part inside thumbRect (clamped to the picture in place), cut into cropArea first.
// 1 built; 0 failed, with no message (the caller reports "Failed to Create Thumbsketch").
// On failure the thumb keeps whatever the failed step left.
int BuildThumbFromPicture(const CImageWrap& picture, Rect& thumbRect, CImageWrap& cropArea,
                          CImageWrap& thumb, int thumbSize);

// Whether the web album writes a reduced copy of the picture rather than the picture itself:
// maxOsize 2000 or more means no limit, otherwise a side of maxOsize or more is reduced.
bool NeedsWebImage(int width, int height, int maxOsize);
bool NeedsWebImage(const CImageWrap& picture, int maxOsize);
// Whether a picture of width x height holds the pixels for a copy at twice the size of its
// large copy, displayWidth x displayHeight: for screens of two device pixels per page pixel.
bool HoldsDoubleSize(int width, int height, int displayWidth, int displayHeight);

// A picture as decoded for the web album: image holds it at 1 / shrink of its upright size in
// the file, fileWidth x fileHeight (shrink 1: the picture itself).
struct DecodedPicture {
  const CImageWrap& image;
  int shrink = 1;
  int fileWidth = 0;
  int fileHeight = 0;
};
inline DecodedPicture WholePicture(const CImageWrap& picture) {
  return {picture, 1, picture.Width(), picture.Height()};
}

// The thumb of a picture of width x height: the part shown (thumbRect clamped to the picture,
// or the whole picture when thumbRect is empty) and its reduction, which gives the bitmap
// size. False when the rectangle lies outside the picture: the thumb cannot be made.
struct ThumbPlan {
  Rect part;
  FitPlan fit;
};
bool PlanThumb(int width, int height, const Rect& thumbRect, int thumbSize, ThumbPlan& plan);
// Whether the part of the picture that its thumb shows holds the pixels for a sketch at twice
// the thumb's display size.
bool HoldsDoubleSketch(int width, int height, const Rect& thumbRect, int thumbSize);

// The largest divisor, 1, 2, 4 or 8, at which a picture of this size in the file can be
// decoded and still give its thumb and, withLarge, its large file with at least one decoded
// pixel for every pixel made: 1 when the large file is the picture itself (maxOsize does
// not limit it). withDouble: also the large copy and the thumb at twice their size, where the
// picture holds them.
int ShrinkFor(int fileWidth, int fileHeight, const Rect& thumbRect, int thumbSize, int maxOsize,
              bool withLarge, bool withDouble = false);
// The largest whole factor by which a picture of this size in the file can be reduced and
// still give the sketch that BuildSketch makes at this ratio a pixel for every pixel.
int SketchReduction(int fileWidth, int fileHeight, const Rect& thumbRect, int thumbSize,
                    double ratio);
// The JPEG decode scale (8, 4, 2 or 1) that a whole reduction factor leaves room for.
int DctShrink(int factor);
// The same for the sketch alone, as a JPEG decode scale.
int SketchShrink(int fileWidth, int fileHeight, const Rect& thumbRect, int thumbSize, double ratio);

// The thumb that BuildThumbFromPicture gives the picture in the file (same bitmap size and
// display size), made from the decoded picture; thumbRect is in pixels of the picture in the
// file and is clamped to it in place. 1 built; 0 failed, as BuildThumbFromPicture.
int BuildThumbFromDecoded(const DecodedPicture& picture, Rect& thumbRect, CImageWrap& thumb,
                          int thumbSize);

// The sketch that the sheet shows on a screen of ratio device pixels per sheet pixel: at a
// ratio of 1 (or less) the thumb that BuildThumbFromDecoded makes; above it the same part of
// the picture (the area that thumb stands for) resampled to its display size times the
// ratio, each side rounded and at least one pixel, so that fine detail stays sharp. The
// display size is the thumb's either way. 1 built; 0 failed, as BuildThumbFromPicture.
int BuildSketch(const DecodedPicture& picture, Rect& thumbRect, int thumbSize, double ratio,
                CImageWrap& sketch);

// The large copy for the web album: the display size that ScaleToFit gives at maxOsize, and a
// bitmap of exactly that size, resampled by area (pictures of a colour table keep picking).
// times 2 makes the copy for HiDPI screens instead, at twice that size. 1 made; 0 when a side
// of the display size is 0 or memory ran out.
int BuildWebImage(const DecodedPicture& picture, int maxOsize, CImageWrap& webImage, int times = 1);
