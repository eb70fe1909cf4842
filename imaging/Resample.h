#pragma once
// Reduction of pixels by area. A destination pixel stands for an area of the source; where
// the pixels can be averaged it is the mean of that area, with partly covered source pixels
// counted by the part they cover, so fine lines and text stay smooth instead of breaking into
// steps. Pixels that index an arbitrary colour table cannot be averaged: they keep the source
// pixel at the top-left of their area, and the table holds.

#include "raster/Bitmap.h"

// An area of a source bitmap in pixels; right and bottom are exclusive and may be fractional.
struct SourceArea {
  double left = 0;
  double top = 0;
  double right = 0;
  double bottom = 0;
};

// How ScaleToFit reduces a width x height picture to the longest side L: the smallest whole
// factor n with max(width, height) / n <= L; the display size, whose longer side is L and
// whose other side keeps the proportion (the quotient drops its remainder); and the bitmap,
// (width / n) x (height / n), which covers whole n x n blocks from the top-left corner. Each
// side is at least one pixel: a side shorter than n (a picture of 300 x 2 at L 120) is reduced
// whole into one pixel, so that a long thin picture still has its thumb.
struct FitPlan {
  int factor = 0;
  int displayWidth = 0;
  int displayHeight = 0;
  int width = 0;
  int height = 0;
  int coveredWidth = 0;  // the part of the source that the bitmap stands for
  int coveredHeight = 0;
};
FitPlan PlanFit(int width, int height, int longestSide);

// Whether the pixels can be averaged: 24 bits, or 8 bits whose colour table is the grey ramp
// (entry i is grey i, as greyscale JPEG files decode).
bool Averageable(const CBitmap& bitmap);

// Makes destination anew (width x height, the source's depth and colour table) from the area
// of the source. An area of whole n x m blocks at a whole-pixel corner gives the exact mean of
// each block. The source and the destination may be the same bitmap. 1 done; 0 when the
// destination could not be made (it is then empty, unless it is the source).
int ResampleArea(const CBitmap& source, const SourceArea& area, CBitmap& destination, int width,
                 int height);
