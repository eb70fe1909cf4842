#pragma once
// Quarter turns of packed pixel buffers.

class CPixelBuffer;

// One quarter turn counter-clockwise: a source of w x h pixels gives a destination of h x w
// whose pixel (x, y) is source pixel (w - 1 - y, x). The destination should already hold as
// many bytes as the source; it is allocated when it does not (and left empty when that
// fails). Source and destination must be different buffers.
void RotateBufferLeft(const CPixelBuffer& source, CPixelBuffer& destination);
