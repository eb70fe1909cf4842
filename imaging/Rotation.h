#pragma once
// Quarter turns of packed pixel buffers, and of rectangles on a picture.

#include "imaging/Rect.h"

class CPixelBuffer;

// One quarter turn counter-clockwise: a source of w x h pixels gives a destination of h x w
// whose pixel (x, y) is source pixel (w - 1 - y, x). The destination should already hold as
// many bytes as the source; it is allocated when it does not (and left empty when that
// fails). Source and destination must be different buffers.
void RotateBufferLeft(const CPixelBuffer& source, CPixelBuffer& destination);

// Where a rectangle on a picture of width x height lies after the picture's quarter turn
// (direction 0 counter-clockwise, 1 clockwise): the same pixels, in the turned picture. The
// part outside the picture is cut off first; an empty rectangle stays empty.
Rect TurnedRect(const Rect& rect, int width, int height, int direction);
