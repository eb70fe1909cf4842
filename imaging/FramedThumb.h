#pragma once
// Framed thumbs rendered off screen for the web album. CImageWrap::DrawFramed draws one frame
// on a canvas; these fill a pixel buffer with a whole framed cell.

#include <cstdint>

class CImageWrap;
class CPixelBuffer;

// Frame fills, the Solid, Hatch, Stars and Dots choices of the options, in that order. Any
// other value paints the frame with the canvas's current brush (white).
enum FrameBrushKind { kFrameSolid = 0, kFrameHatch = 1, kFrameStars = 2, kFrameDots = 3 };

// Renders thumb inside its frame on a white cellWidth x cellHeight canvas, the picture square
// at (gap, gap), and stores the pixels (red, green, blue) in out. A cell of the thumb square
// plus 2 x gap is touched by the frame on all four sides; the corners outside it stay white.
// An 8-bit thumb is expanded to 24 bits for good (see DrawFramed). 1 done; 0 no memory or a
// cell size that is not positive (out is then empty).
int RenderFramedThumb(CImageWrap& thumb, CPixelBuffer& out, int cellWidth, int cellHeight, int gap,
                      int32_t colour, int brushKind);
