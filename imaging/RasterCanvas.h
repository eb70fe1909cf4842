#pragma once
// A small raster canvas of our own on a CPixelBuffer (3 bytes per pixel: red, green, blue),
// standing where the platform's drawing stood for frames and thumbs, so that the sheet and
// the web album show the same pixels. Colours are 0x00BBGGRR. Every rectangle is right and
// bottom exclusive; drawing outside the canvas is clipped.

#include <cstdint>

#include "imaging/FramePatterns.h"
#include "imaging/Rect.h"
#include "raster/PixelBuffer.h"

class CBitmap;
class CImageWrap;

constexpr uint32_t kCanvasBlack = 0x000000;
constexpr uint32_t kCanvasWhite = 0xFFFFFF;

// A fill: one colour, a diagonal cross-hatch of one colour on white, or an 8 x 8 pattern.
// Hatch and pattern are anchored at the canvas origin.
class CCanvasBrush {
 public:
  static CCanvasBrush Solid(uint32_t colour) { return CCanvasBrush(Kind::Solid, colour, nullptr); }
  // Lines in both diagonal directions with a period of 8 pixels.
  static CCanvasBrush DiagCross(uint32_t colour) {
    return CCanvasBrush(Kind::DiagCross, colour, nullptr);
  }
  // The pattern must outlive the brush (the frame patterns are static).
  static CCanvasBrush Pattern(const FramePattern& pattern) {
    return CCanvasBrush(Kind::Pattern, 0, &pattern);
  }

  uint32_t ColourAt(int x, int y) const;

 private:
  enum class Kind { Solid, DiagCross, Pattern };
  CCanvasBrush(Kind kind, uint32_t colour, const FramePattern* pattern)
      : kind_(kind), colour_(colour), pattern_(pattern) {}

  Kind kind_;
  uint32_t colour_;
  const FramePattern* pattern_;
};

class CRasterCanvas {
 public:
  CRasterCanvas() = default;

  // Makes the canvas width x height, all white. false (and an empty canvas) when the size is
  // not positive or there is no memory.
  bool Create(int width, int height);
  int Width() const { return pixels_.width; }
  int Height() const { return pixels_.height; }
  CPixelBuffer& Pixels() { return pixels_; }
  const CPixelBuffer& Pixels() const { return pixels_; }

  // 0x00BBGGRR; white outside the canvas.
  uint32_t GetPixel(int x, int y) const;
  void SetPixel(int x, int y, uint32_t colour);

  // The brush used when a caller has none of its own; white, as a fresh drawing context has.
  const CCanvasBrush& CurrentBrush() const { return currentBrush_; }
  void SelectBrush(const CCanvasBrush& brush) { currentBrush_ = brush; }

  void FillRect(const Rect& rect, const CCanvasBrush& brush);
  // A 1-pixel outline of the rectangle; the inside is left alone.
  void FrameRect(const Rect& rect, uint32_t colour = kCanvasBlack);
  // A rectangle with quarter-ellipse corners of the given ellipse width and height (clamped to
  // the rectangle): a 1-pixel black outline, the inside filled with the brush.
  void RoundRect(const Rect& rect, int ellipseWidth, int ellipseHeight, const CCanvasBrush& brush);

  // Nearest-neighbour stretch of the whole bitmap (8, 24 or 32 bits) onto the rectangle.
  // 0 when there is nothing to draw from.
  int StretchBitmap(const CBitmap& bitmap, const Rect& destination);
  // Draws the picture with its top-left corner at (x, y): stretched to its display size when
  // stretch is 1 and that size is set, else at its natural size. 0 when it has no bitmap.
  int DrawImage(const CImageWrap& image, int x, int y, int stretch);

 private:
  CPixelBuffer pixels_;
  CCanvasBrush currentBrush_ = CCanvasBrush::Solid(kCanvasWhite);
};
