#pragma once
// An in-memory picture as a QImage for painting: 24-bit pictures keep their pixels, 8-bit ones
// their colour table.

#include <QImage>

class CImageWrap;

QImage ToQImage(const CImageWrap& picture);
