#pragma once
// Small pictures made in memory for the tests.

#include <cstdint>
#include <functional>
#include <string>

#include "imaging/ImageWrap.h"

struct Rgb {
  uint8_t red = 0;
  uint8_t green = 0;
  uint8_t blue = 0;
  bool operator==(const Rgb&) const = default;
};

// A 24-bit picture whose pixel (x, y) is colour(x, y).
CImageWrap MakePicture24(int width, int height, const std::function<Rgb(int, int)>& colour);
// An 8-bit picture with a grey-ramp colour table (entry i = i, 255 - i, i / 2) whose pixel
// (x, y) is index(x, y).
CImageWrap MakePicture8(int width, int height, const std::function<uint8_t(int, int)>& index);
// The colour of pixel (x, y), through the colour table for 8-bit pictures.
Rgb PixelAt(const CImageWrap& image, int x, int y);
// A distinct colour for every pixel of a picture up to 256 x 256.
Rgb GradientColour(int x, int y);
// A colour that names its pixel in pictures up to 4096 x 4096: red and green are the low
// bytes of x and y, blue holds their high nibbles.
Rgb CoordinateColour(int x, int y);
// A 24-bit picture with the make-up of a photograph: a sky gradient, a textured ground, a few
// soft shapes and fine noise, so that JPEG files of it have a photo's size and decoding cost.
// The same size always gives the same pixels.
CImageWrap MakePhotoLike(int width, int height);
// Writes a black 24-bit PNG of this size row by row: a picture of hundreds of megapixels takes
// a few hundred kilobytes on disk, and no more memory to make.
void WriteBlackPng(const std::string& path, int width, int height);
