#include "tests/support/TestPictures.h"

#include <png.h>

#include <algorithm>
#include <cstdio>
#include <stdexcept>
#include <vector>

CImageWrap MakePicture24(int width, int height, const std::function<Rgb(int, int)>& colour) {
  CImageWrap image;
  CreateBitmap(image.bitmap, width, height, 24);
  for (int y = 0; y < height; ++y) {
    uint8_t* row = image.bitmap.Row(y);
    for (int x = 0; x < width; ++x) {
      const Rgb c = colour(x, y);
      row[3 * x] = c.blue;
      row[3 * x + 1] = c.green;
      row[3 * x + 2] = c.red;
    }
  }
  return image;
}

CImageWrap MakePicture8(int width, int height, const std::function<uint8_t(int, int)>& index) {
  CImageWrap image;
  CreateBitmap(image.bitmap, width, height, 8);
  for (int i = 0; i < 256; ++i) {
    image.bitmap.ColorTable()[static_cast<size_t>(i)] =
        RgbQuad{static_cast<uint8_t>(i / 2), static_cast<uint8_t>(255 - i), static_cast<uint8_t>(i), 0};
  }
  for (int y = 0; y < height; ++y) {
    uint8_t* row = image.bitmap.Row(y);
    for (int x = 0; x < width; ++x) {
      row[x] = index(x, y);
    }
  }
  return image;
}

Rgb PixelAt(const CImageWrap& image, int x, int y) {
  const uint8_t* row = image.bitmap.Row(y);
  if (image.BitsPerPixel() == 8) {
    const RgbQuad& q = image.bitmap.ColorTable()[row[x]];
    return {q.red, q.green, q.blue};
  }
  return {row[3 * x + 2], row[3 * x + 1], row[3 * x]};
}

Rgb GradientColour(int x, int y) {
  return {static_cast<uint8_t>(x), static_cast<uint8_t>(y), static_cast<uint8_t>((x * 7 + y * 13) & 0xFF)};
}

Rgb CoordinateColour(int x, int y) {
  return {static_cast<uint8_t>(x & 0xFF), static_cast<uint8_t>(y & 0xFF),
          static_cast<uint8_t>(((x >> 8) & 0x0F) | ((y >> 4) & 0xF0))};
}

CImageWrap MakePhotoLike(int width, int height) {
  CImageWrap image;
  if (!CreateBitmap(image.bitmap, width, height, 24)) {
    return image;
  }
  uint32_t noise = 12345;
  const int horizon = height * 3 / 5;
  for (int y = 0; y < height; ++y) {
    uint8_t* row = image.bitmap.Row(y);
    for (int x = 0; x < width; ++x) {
      noise = noise * 1664525u + 1013904223u;
      const int grain = static_cast<int>(noise >> 27) - 16;  // -16 .. 15
      int red, green, blue;
      if (y < horizon) {  // sky, lighter towards the horizon, with a sun
        const int t = y * 255 / horizon;
        red = 60 + t / 3;
        green = 110 + t / 4;
        blue = 200 + t / 6;
        const int dx = x - width * 3 / 4;
        const int dy = y - height / 5;
        if (dx * dx + dy * dy < (height / 12) * (height / 12)) {
          red = 250, green = 240, blue = 200;
        }
      } else {  // ground: stripes of field and hedges
        const int band = ((x / 37 + y / 23) % 5) * 12;
        red = 70 + band;
        green = 100 + band + ((x * 13 + y * 7) % 40);
        blue = 40 + band / 2;
      }
      row[3 * x] = static_cast<uint8_t>(std::clamp(blue + grain, 0, 255));
      row[3 * x + 1] = static_cast<uint8_t>(std::clamp(green + grain, 0, 255));
      row[3 * x + 2] = static_cast<uint8_t>(std::clamp(red + grain, 0, 255));
    }
  }
  return image;
}

void WriteBlackPng(const std::string& path, int width, int height) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  if (file == nullptr || setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    if (file != nullptr) {
      std::fclose(file);
    }
    throw std::runtime_error("could not write " + path);
  }
  png_init_io(png, file);
  png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8,
               PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
               PNG_FILTER_TYPE_DEFAULT);
  png_set_filter(png, 0, PNG_FILTER_NONE);
  png_set_compression_level(png, 1);
  png_write_info(png, info);
  std::vector<png_byte> row(static_cast<size_t>(width) * 3, 0);
  for (int y = 0; y < height; ++y) {
    png_write_row(png, row.data());
  }
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  std::fclose(file);
}
