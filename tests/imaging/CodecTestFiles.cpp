#include "tests/imaging/CodecTestFiles.h"

#include <gif_lib.h>
#include <gtest/gtest.h>
#include <jpeglib.h>
#include <png.h>
#include <zlib.h>

#include <cctype>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>

#include "tests/support/FakePlatformUi.h"

std::string Le16(uint32_t value) {
  return {static_cast<char>(value & 0xFF), static_cast<char>((value >> 8) & 0xFF)};
}

std::string Le32(uint32_t value) { return Le16(value & 0xFFFF) + Le16(value >> 16); }

namespace {

std::string Be32(uint32_t value) {
  return {static_cast<char>(value >> 24), static_cast<char>((value >> 16) & 0xFF),
          static_cast<char>((value >> 8) & 0xFF), static_cast<char>(value & 0xFF)};
}

void AppendBytes(png_structp png, png_bytep data, size_t count) {
  static_cast<std::string*>(png_get_io_ptr(png))->append(reinterpret_cast<char*>(data), count);
}

}  // namespace

std::string PngBytes(int width, int height, int colourType, int bitDepth, bool withTrns) {
  std::string out;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    throw std::runtime_error("libpng failed");
  }
  png_set_write_fn(png, &out, AppendBytes, nullptr);
  png_set_IHDR(png, info, width, height, bitDepth, colourType, PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_color palette[16];
  for (int i = 0; i < 16; ++i) {
    palette[i] = png_color{static_cast<png_byte>(i * 16), 0, static_cast<png_byte>(255 - i * 16)};
  }
  if (colourType == PNG_COLOR_TYPE_PALETTE) {
    png_set_PLTE(png, info, palette, 1 << std::min(bitDepth, 4));
  }
  png_byte alpha[1] = {0};
  png_color_16 key{};
  if (withTrns) {
    png_set_tRNS(png, info, alpha, 1, &key);
  }
  png_write_info(png, info);
  const int channels = png_get_channels(png, info);
  const size_t rowBytes = (static_cast<size_t>(width) * channels * bitDepth + 7) / 8;
  std::string row(rowBytes, '\0');
  for (int y = 0; y < height; ++y) {
    for (size_t i = 0; i < rowBytes; ++i) {
      row[i] = static_cast<char>((i * 37 + static_cast<size_t>(y) * 11) & 0xFF);
    }
    if (colourType == PNG_COLOR_TYPE_PALETTE && bitDepth == 8) {
      for (char& c : row) c = static_cast<char>(c & 0x0F);
    }
    png_write_row(png, reinterpret_cast<png_bytep>(row.data()));
  }
  png_write_end(png, info);
  png_destroy_write_struct(&png, &info);
  return out;
}

std::string PngChunk(const std::string& type, const std::string& data) {
  const std::string body = type + data;
  const uLong crc =
      crc32(0, reinterpret_cast<const Bytef*>(body.data()), static_cast<uInt>(body.size()));
  return Be32(static_cast<uint32_t>(data.size())) + body + Be32(static_cast<uint32_t>(crc));
}

std::string PngWithChunk(const std::string& png, const std::string& chunk, bool atEnd) {
  // The signature (8 bytes) and the header chunk (25) come first, the end chunk (12) last.
  const size_t at = atEnd ? png.size() - 12 : 33;
  return png.substr(0, at) + chunk + png.substr(at);
}

std::string PngHeaderOnly(uint32_t width, uint32_t height) {
  std::string chunk = "IHDR" + Be32(width) + Be32(height) + std::string("\x08\x02\x00\x00\x00", 5);
  const uLong crc =
      crc32(0, reinterpret_cast<const Bytef*>(chunk.data()), static_cast<uInt>(chunk.size()));
  return std::string("\x89PNG\r\n\x1a\n", 8) + Be32(13) + chunk + Be32(static_cast<uint32_t>(crc));
}

std::string BmpBytes(int32_t width, int32_t height, int bitCount, uint32_t compression,
                     const std::vector<RgbQuad>& table, const std::string& pixels) {
  const uint32_t offset = 14 + 40 + static_cast<uint32_t>(table.size()) * 4;
  std::string out =
      "BM" + Le32(offset + static_cast<uint32_t>(pixels.size())) + Le32(0) + Le32(offset);
  out += Le32(40) + Le32(static_cast<uint32_t>(width)) + Le32(static_cast<uint32_t>(height)) +
         Le16(1) + Le16(static_cast<uint32_t>(bitCount)) + Le32(compression) +
         Le32(static_cast<uint32_t>(pixels.size())) + Le32(2835) + Le32(2835) +
         Le32(static_cast<uint32_t>(table.size())) + Le32(0);
  for (const RgbQuad& q : table) {
    out += std::string{static_cast<char>(q.blue), static_cast<char>(q.green),
                       static_cast<char>(q.red), '\0'};
  }
  return out + pixels;
}

namespace {

// A JPEG file that libjpeg writes into memory: describe sets the picture up, rowAt gives the
// samples of each row.
std::string CompressedJpeg(const std::function<void(jpeg_compress_struct&)>& describe,
                           const std::function<const uint8_t*(int y)>& rowAt) {
  jpeg_compress_struct cinfo{};
  jpeg_error_mgr err{};
  cinfo.err = jpeg_std_error(&err);
  jpeg_create_compress(&cinfo);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&cinfo, &buffer, &size);
  describe(cinfo);
  jpeg_start_compress(&cinfo, TRUE);
  while (cinfo.next_scanline < cinfo.image_height) {
    JSAMPROW rows[1] = {const_cast<uint8_t*>(rowAt(static_cast<int>(cinfo.next_scanline)))};
    jpeg_write_scanlines(&cinfo, rows, 1);
  }
  jpeg_finish_compress(&cinfo);
  jpeg_destroy_compress(&cinfo);
  std::string out(reinterpret_cast<char*>(buffer), size);
  std::free(buffer);
  return out;
}

}  // namespace

std::string CmykJpegBytes(int width, int height,
                          const std::function<std::array<uint8_t, 4>(int, int)>& cmyk) {
  std::vector<uint8_t> row(static_cast<size_t>(width) * 4);
  return CompressedJpeg(
      [&](jpeg_compress_struct& cinfo) {
        cinfo.image_width = static_cast<JDIMENSION>(width);
        cinfo.image_height = static_cast<JDIMENSION>(height);
        cinfo.input_components = 4;
        cinfo.in_color_space = JCS_CMYK;
        jpeg_set_defaults(&cinfo);  // stores YCCK with an Adobe marker
        jpeg_set_quality(&cinfo, 95, TRUE);
      },
      [&](int y) {
        for (int x = 0; x < width; ++x) {
          const auto value = cmyk(x, y);
          std::copy(value.begin(), value.end(), row.begin() + x * 4);
        }
        return row.data();
      });
}

std::string ProgressiveJpegOfScans(size_t scans) {
  const std::vector<uint8_t> row(64 * 3, 0x80);
  const std::string file = CompressedJpeg(
      [](jpeg_compress_struct& cinfo) {
        cinfo.image_width = 64;
        cinfo.image_height = 48;
        cinfo.input_components = 3;
        cinfo.in_color_space = JCS_RGB;
        jpeg_set_defaults(&cinfo);
        jpeg_simple_progression(&cinfo);  // 10 scans
      },
      [&](int) { return row.data(); });
  const size_t end = file.size() - 2;  // the end of image marker
  const size_t lastScan = file.rfind("\xFF\xDA");
  std::string out = file.substr(0, end);
  for (size_t i = 10; i < scans; ++i) {
    out.append(file, lastScan, end - lastScan);
  }
  return out + file.substr(end);
}

std::string GifBytes(int width, int height, const std::vector<RgbQuad>& table,
                     const std::vector<uint8_t>& indexes, bool interlaced) {
  std::string out;
  int error = 0;
  GifFileType* gif = EGifOpen(
      &out,
      [](GifFileType* g, const GifByteType* data, int count) {
        static_cast<std::string*>(g->UserData)->append(reinterpret_cast<const char*>(data), count);
        return count;
      },
      &error);
  std::vector<GifColorType> colours;
  for (const RgbQuad& q : table) {
    colours.push_back(GifColorType{q.red, q.green, q.blue});
  }
  ColorMapObject* map = GifMakeMapObject(static_cast<int>(colours.size()), colours.data());
  EGifPutScreenDesc(gif, width, height, 8, 0, map);
  EGifPutImageDesc(gif, 0, 0, width, height, interlaced, nullptr);
  std::vector<GifPixelType> line(static_cast<size_t>(width));
  // Interlaced rows are written in the order of the four passes.
  std::vector<int> order;
  if (interlaced) {
    for (int y = 0; y < height; y += 8) order.push_back(y);
    for (int y = 4; y < height; y += 8) order.push_back(y);
    for (int y = 2; y < height; y += 4) order.push_back(y);
    for (int y = 1; y < height; y += 2) order.push_back(y);
  } else {
    for (int y = 0; y < height; ++y) order.push_back(y);
  }
  for (int y : order) {
    std::copy_n(indexes.begin() + static_cast<ptrdiff_t>(y) * width, width, line.begin());
    EGifPutLine(gif, line.data(), width);
  }
  EGifCloseFile(gif, &error);
  GifFreeMapObject(map);
  return out;
}

std::vector<uint8_t> ExifSegmentWith(int orientation, bool bigEndian) {
  std::vector<uint8_t> s = {'E', 'x', 'i', 'f', 0, 0};
  auto u16 = [&](uint32_t v) {
    if (bigEndian) {
      s.push_back(static_cast<uint8_t>(v >> 8));
      s.push_back(static_cast<uint8_t>(v));
    } else {
      s.push_back(static_cast<uint8_t>(v));
      s.push_back(static_cast<uint8_t>(v >> 8));
    }
  };
  auto u32 = [&](uint32_t v) {
    u16(bigEndian ? v >> 16 : v & 0xFFFF);
    u16(bigEndian ? v & 0xFFFF : v >> 16);
  };
  s.push_back(bigEndian ? 'M' : 'I');
  s.push_back(bigEndian ? 'M' : 'I');
  u16(42);
  u32(8);  // the first directory follows the header
  const int entries = orientation > 0 ? 2 : 1;
  u16(static_cast<uint32_t>(entries));
  // Software, ASCII, 4 bytes "abc\0" held in the value field.
  u16(0x0131);
  u16(2);
  u32(4);
  s.insert(s.end(), {'a', 'b', 'c', 0});
  if (orientation > 0) {
    u16(0x0112);
    u16(3);
    u32(1);
    u16(static_cast<uint32_t>(orientation));
    u16(0);
  }
  u32(0);  // no next directory
  return s;
}

std::string InsertApp1AfterApp0(const std::string& jpeg, const std::vector<uint8_t>& payload) {
  if (jpeg.size() < 6 || static_cast<uint8_t>(jpeg[2]) != 0xFF ||
      static_cast<uint8_t>(jpeg[3]) != 0xE0) {
    throw std::runtime_error("no APP0 segment");
  }
  const size_t app0End = 4 + (static_cast<uint8_t>(jpeg[4]) << 8 | static_cast<uint8_t>(jpeg[5]));
  const size_t length = payload.size() + 2;
  std::string segment = {static_cast<char>(0xFF), static_cast<char>(0xE1),
                         static_cast<char>(length >> 8), static_cast<char>(length & 0xFF)};
  segment.append(payload.begin(), payload.end());
  return jpeg.substr(0, app0End) + segment + jpeg.substr(app0End);
}

int MaxChannelDifference(const CImageWrap& a, const CImageWrap& b, int margin) {
  auto nearEdge = [margin](int v) {
    return margin > 0 && (v % 16 < margin || v % 16 >= 16 - margin);
  };
  int worst = 0;
  for (int y = 0; y < a.Height(); ++y) {
    for (int x = 0; x < a.Width(); ++x) {
      if (nearEdge(x) || nearEdge(y)) {
        continue;
      }
      const Rgb p = PixelAt(a, x, y);
      const Rgb q = PixelAt(b, x, y);
      worst = std::max(
          {worst, std::abs(p.red - q.red), std::abs(p.green - q.green), std::abs(p.blue - q.blue)});
    }
  }
  return worst;
}

std::string TestNameOf(const char* fileName) {
  std::string name = fileName;
  for (char& ch : name) {
    if (!std::isalnum(static_cast<unsigned char>(ch))) ch = '_';
  }
  return name;
}

void ExpectLoadFailsCleanly(const std::string& path) {
  FakePlatformUi ui;
  // A previous picture in the object does not survive a failed load.
  CImageWrap image = MakePicture24(3, 3, GradientColour);
  EXPECT_EQ(image.Load(path, ui), 0);
  ASSERT_EQ(ui.messages.size(), 1u);
  // What is wrong is said in words, without the codec's result code.
  EXPECT_EQ(ui.messages[0].text.rfind("Load image " + path + " failed:\nThe ", 0), 0u)
      << ui.messages[0].text;
  EXPECT_EQ(ui.messages[0].text.find("80004005"), std::string::npos);
  EXPECT_EQ(ui.messages[0].icon, MsgIcon::Error);
  EXPECT_EQ(ui.messages[0].buttons, MsgButtons::Ok);
  EXPECT_FALSE(image.HasBitmap());
  EXPECT_EQ(image.Width(), 0);
  EXPECT_EQ(image.BitsPerPixel(), 0);
}
