#pragma once
// Pictures between the core and Qt: an in-memory picture as a QImage for painting (24-bit
// pictures keep their pixels, 8-bit ones their colour table), and a painted QImage back as a
// 24-bit picture that the core can save.

#include <QImage>

class CImageWrap;

QImage ToQImage(const CImageWrap& picture);
// Empty when the picture could not be made.
CImageWrap FromQImage(const QImage& image);
