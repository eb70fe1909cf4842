#pragma once
// Pictures and rectangles between the core and Qt: an in-memory picture as a QImage for
// painting (24-bit pictures keep their pixels, 8-bit ones their colour table), a painted QImage
// back as a 24-bit picture that the core can save, and a rectangle for drawing.

#include <QImage>
#include <QRect>

#include "imaging/Rect.h"

class CImageWrap;

inline QRect ToQRect(const Rect& r) { return QRect(r.left, r.top, r.Width(), r.Height()); }

QImage ToQImage(const CImageWrap& picture);
// The part of the picture within area (clipped to the picture), as ToQImage makes the whole:
// for painting what shows of a picture too large to convert whole.
QImage ToQImage(const CImageWrap& picture, const QRect& area);
// Empty when the picture could not be made.
CImageWrap FromQImage(const QImage& image);
