// Writes the first inputs of the fuzz targets, small files of every kind each reader meets,
// into DIR/jpeg, DIR/png, DIR/gif, DIR/bmp, DIR/exif, DIR/exif_segment, DIR/record and DIR/icc.
//
//   quillaran_fuzz_seeds DIR

#include <lcms2.h>
#include <png.h>

#include <cstdio>  // jpeglib.h needs FILE and size_t
#include <filesystem>
#include <string>
#include <vector>
// after cstdio
#include <jpeglib.h>

#include "imaging/ImageWrap.h"
#include "raster/Bitmap.h"
#include "tests/support/TodayFormatFiles.h"

namespace fs = std::filesystem;

namespace {

fs::path seeds;

void Write(const std::string& folder, const std::string& name, const std::string& bytes) {
  fs::create_directories(seeds / folder);
  std::FILE* file = std::fopen((seeds / folder / name).c_str(), "wb");
  if (file != nullptr) {
    std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
  }
}

std::string ReadBack(const fs::path& path) {
  std::string bytes(fs::file_size(path), '\0');
  std::FILE* file = std::fopen(path.c_str(), "rb");
  bytes.resize(std::fread(bytes.data(), 1, bytes.size(), file));
  std::fclose(file);
  return bytes;
}

// A small picture of the given depth with a pattern in it, saved through the program's own
// encoders under the name, which chooses the format.
void Saved(const std::string& folder, const std::string& name, int width, int height, int bpp) {
  CImageWrap image;
  CreateBitmap(image.bitmap, width, height, bpp);
  for (int i = 0; i < 256; ++i) {
    image.bitmap.ColorTable()[static_cast<size_t>(i)] = RgbQuad{
        static_cast<uint8_t>(i), static_cast<uint8_t>(255 - i), static_cast<uint8_t>(i / 2), 0};
  }
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width * bpp / 8; ++x) {
      image.bitmap.Row(y)[x] = static_cast<uint8_t>(x * 7 + y * 13);
    }
  }
  fs::create_directories(seeds / folder);
  image.Save((seeds / folder / name).string());
}

// An Exif APP1 payload, big-endian, whose first directory holds the orientation and the
// camera's time stamp.
std::string ExifPayload(int orientation) {
  const std::string stamp("2008:03:05 14:07:09\0", 20);
  std::string p("Exif\0\0MM\0\x2A\0\0\0\x08", 14);
  p += std::string("\0\x02", 2);  // two entries
  p += std::string("\x01\x12\0\x03\0\0\0\x01\0", 9) + char(orientation) + std::string(2, '\0');
  p += std::string("\x01\x32\0\x02\0\0\0\x14\0\0\0\x26", 12);  // DateTime at 38
  p += std::string(4, '\0');                                   // no next directory
  return p + stamp;
}

// A JPEG written with libjpeg directly, for the kinds the program's encoder does not make.
std::string Jpeg(int width, int height, bool grey, bool progressive, bool arithmetic,
                 int orientation) {
  jpeg_compress_struct cinfo{};
  jpeg_error_mgr error{};
  cinfo.err = jpeg_std_error(&error);
  jpeg_create_compress(&cinfo);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&cinfo, &buffer, &size);
  cinfo.image_width = static_cast<JDIMENSION>(width);
  cinfo.image_height = static_cast<JDIMENSION>(height);
  cinfo.input_components = grey ? 1 : 3;
  cinfo.in_color_space = grey ? JCS_GRAYSCALE : JCS_RGB;
  jpeg_set_defaults(&cinfo);
  jpeg_set_quality(&cinfo, 75, TRUE);
  if (progressive) {
    jpeg_simple_progression(&cinfo);
  }
  cinfo.arith_code = arithmetic ? TRUE : FALSE;
  cinfo.restart_in_rows = arithmetic ? 1 : 0;
  jpeg_start_compress(&cinfo, TRUE);
  if (orientation > 0) {
    const std::string exif = ExifPayload(orientation);
    jpeg_write_marker(&cinfo, JPEG_APP0 + 1, reinterpret_cast<const JOCTET*>(exif.data()),
                      static_cast<unsigned>(exif.size()));
  }
  std::vector<JSAMPLE> row(static_cast<size_t>(width) * cinfo.input_components);
  while (cinfo.next_scanline < cinfo.image_height) {
    for (size_t x = 0; x < row.size(); ++x) {
      row[x] = static_cast<JSAMPLE>(x * 5 + cinfo.next_scanline * 9);
    }
    JSAMPROW rows[1] = {row.data()};
    jpeg_write_scanlines(&cinfo, rows, 1);
  }
  jpeg_finish_compress(&cinfo);
  std::string bytes(reinterpret_cast<char*>(buffer), size);
  jpeg_destroy_compress(&cinfo);
  std::free(buffer);
  return bytes;
}

// An interlaced PNG of the colour type, 8 bits per sample, with the ICC profile when given.
std::string InterlacedPng(int width, int height, int colourType,
                          const std::string& icc = std::string()) {
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  std::string bytes;
  png_set_write_fn(
      png, &bytes,
      [](png_structp p, png_bytep data, size_t n) {
        static_cast<std::string*>(png_get_io_ptr(p))->append(reinterpret_cast<char*>(data), n);
      },
      nullptr);
  png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8,
               colourType, PNG_INTERLACE_ADAM7, PNG_COMPRESSION_TYPE_DEFAULT,
               PNG_FILTER_TYPE_DEFAULT);
  std::vector<png_color> palette(16);
  if (colourType == PNG_COLOR_TYPE_PALETTE) {
    for (size_t i = 0; i < palette.size(); ++i) {
      palette[i] = {static_cast<png_byte>(i * 16), static_cast<png_byte>(255 - i * 16), 99};
    }
    png_set_PLTE(png, info, palette.data(), static_cast<int>(palette.size()));
  }
  if (!icc.empty()) {
    png_set_iCCP(png, info, "seed", PNG_COMPRESSION_TYPE_BASE,
                 reinterpret_cast<png_const_bytep>(icc.data()), static_cast<png_uint_32>(icc.size()));
  }
  png_write_info(png, info);
  const int channels = colourType == PNG_COLOR_TYPE_RGB ? 3 : 1;
  std::vector<png_byte> pixels(static_cast<size_t>(width * height * channels));
  std::vector<png_bytep> rows(static_cast<size_t>(height));
  for (size_t i = 0; i < pixels.size(); ++i) {
    pixels[i] = static_cast<png_byte>(i % 16);
  }
  for (int y = 0; y < height; ++y) {
    rows[static_cast<size_t>(y)] = pixels.data() + static_cast<size_t>(y * width * channels);
  }
  png_write_image(png, rows.data());
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return bytes;
}

std::string Le(uint32_t value, int bytes) {
  std::string text;
  for (int i = 0; i < bytes; ++i) {
    text += static_cast<char>((value >> (8 * i)) & 0xFF);
  }
  return text;
}

// A BMP with a BITMAPINFOHEADER and a 16-entry colour table.
std::string Bmp(int32_t width, int32_t height, int bits, uint32_t compression,
                const std::string& pixels) {
  const uint32_t offset = 14 + 40 + 16 * 4;
  std::string bytes = "BM" + Le(offset + static_cast<uint32_t>(pixels.size()), 4) + Le(0, 4) +
                      Le(offset, 4) + Le(40, 4) + Le(static_cast<uint32_t>(width), 4) +
                      Le(static_cast<uint32_t>(height), 4) + Le(1, 2) + Le(bits, 2) +
                      Le(compression, 4) + Le(static_cast<uint32_t>(pixels.size()), 4) +
                      Le(2835, 4) + Le(2835, 4) + Le(16, 4) + Le(0, 4);
  for (uint32_t i = 0; i < 16; ++i) {
    bytes += Le(i * 0x101010, 4);
  }
  return bytes + pixels;
}

// A profile made with Little CMS, as its bytes.
std::string ProfileBytes(cmsHPROFILE profile) {
  cmsUInt32Number size = 0;
  cmsSaveProfileToMem(profile, nullptr, &size);
  std::string bytes(size, '\0');
  cmsSaveProfileToMem(profile, bytes.data(), &size);
  cmsCloseProfile(profile);
  return bytes;
}

// An RGB profile of the primaries with a gamma curve: Adobe RGB's or Display P3's, say.
std::string RgbProfile(const cmsCIExyYTRIPLE& primaries, double gamma) {
  cmsToneCurve* curve = cmsBuildGamma(nullptr, gamma);
  cmsToneCurve* const curves[3] = {curve, curve, curve};
  const cmsCIExyY d65{0.3127, 0.3290, 1.0};
  const std::string bytes = ProfileBytes(cmsCreateRGBProfile(&d65, &primaries, curves));
  cmsFreeToneCurve(curve);
  return bytes;
}

// The JPEG with the profile in APP2 "ICC_PROFILE" segments of segmentBytes after its start.
std::string WithIcc(const std::string& jpeg, const std::string& icc, size_t segmentBytes) {
  std::string out = jpeg.substr(0, 2);
  const size_t count = (icc.size() + segmentBytes - 1) / segmentBytes;
  for (size_t i = 0; i < count; ++i) {
    const std::string part = icc.substr(i * segmentBytes, segmentBytes);
    const size_t length = 2 + 12 + 2 + part.size();
    out += std::string("\xFF\xE2") + static_cast<char>(length >> 8) + static_cast<char>(length) +
           std::string("ICC_PROFILE\0", 12) + static_cast<char>(i + 1) +
           static_cast<char>(count) + part;
  }
  return out + jpeg.substr(2);
}

void WriteProfiles() {
  const std::string adobe = RgbProfile({{0.64, 0.33, 1}, {0.21, 0.71, 1}, {0.15, 0.06, 1}}, 2.2);
  Write("icc", "adobe.icc", adobe);
  Write("icc", "p3.icc", RgbProfile({{0.68, 0.32, 1}, {0.265, 0.69, 1}, {0.15, 0.06, 1}}, 2.4));
  Write("icc", "srgb.icc", ProfileBytes(cmsCreate_sRGBProfile()));
  cmsHPROFILE srgb2 = cmsCreate_sRGBProfile();
  cmsSetProfileVersion(srgb2, 2.1);
  Write("icc", "srgb-v2.icc", ProfileBytes(srgb2));
  cmsToneCurve* grey = cmsBuildGamma(nullptr, 1.8);
  const std::string greyProfile = ProfileBytes(cmsCreateGrayProfile(cmsD50_xyY(), grey));
  cmsFreeToneCurve(grey);
  Write("icc", "grey.icc", greyProfile);
  Write("icc", "lab.icc", ProfileBytes(cmsCreateLab4Profile(nullptr)));
  // A table instead of curves and a matrix: Adobe RGB to sRGB as a device link.
  cmsHPROFILE from = cmsOpenProfileFromMem(adobe.data(), static_cast<cmsUInt32Number>(adobe.size()));
  cmsHPROFILE to = cmsCreate_sRGBProfile();
  cmsHTRANSFORM transform = cmsCreateTransform(from, TYPE_RGB_8, to, TYPE_RGB_8,
                                               INTENT_PERCEPTUAL, 0);
  Write("icc", "link.icc", ProfileBytes(cmsTransform2DeviceLink(transform, 4.3, 0)));
  cmsDeleteTransform(transform);
  cmsCloseProfile(to);
  cmsCloseProfile(from);
  // CICP code points: "C", primaries, transfer.
  Write("icc", "cicp-p3", std::string("C\x0C\x0D", 3));
  Write("icc", "cicp-bt2020-pq", std::string("C\x09\x10", 3));

  Write("jpeg", "adobe-in-two-segments.jpg", WithIcc(Jpeg(16, 8, false, false, false, 0), adobe, 300));
  Write("jpeg", "grey-profile.jpg", WithIcc(Jpeg(8, 8, true, false, false, 0), greyProfile, 65519));
  Write("png", "adobe.png", InterlacedPng(8, 8, PNG_COLOR_TYPE_RGB, adobe));
}

}  // namespace

// HEIF, AVIF, WebP and TIFF files as their own libraries write them: plain, turned, dated.
void WriteTodayFormats() {
  TodayPicture picture;
  picture.width = 24;
  picture.height = 16;
  for (int i = 0; i < picture.width * picture.height; ++i) {
    picture.pixels.push_back(Rgb{static_cast<uint8_t>(i * 7), static_cast<uint8_t>(i * 3), 90});
  }
  const struct {
    TodayFormat format;
    const char* folder;
    const char* name;
  } kinds[] = {{TodayFormat::Heic, "heif", "plain.heic"},  {TodayFormat::Avif, "heif", "plain.avif"},
               {TodayFormat::WebpLossy, "webp", "lossy.webp"},
               {TodayFormat::WebpLossless, "webp", "lossless.webp"},
               {TodayFormat::WebpAlpha, "webp", "alpha.webp"},
               {TodayFormat::Tiff8, "tiff", "rgb.tif"},    {TodayFormat::Tiff16, "tiff", "rgb16.tif"},
               {TodayFormat::TiffGrey, "tiff", "grey.tif"}};
  for (const auto& kind : kinds) {
    Write(kind.folder, kind.name, WriteTodayFormat(kind.format, picture));
  }
  picture.exifOrientation = 6;
  picture.heifOrientation = 8;
  picture.takenAt = "2021:07:14 10:32:05";
  Write("heif", "turned-dated.heic", WriteTodayFormat(TodayFormat::Heic, picture));
  Write("webp", "turned-dated.webp", WriteTodayFormat(TodayFormat::WebpLossy, picture));
  Write("tiff", "turned-dated.tif", WriteTodayFormat(TodayFormat::Tiff8, picture));
}

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s DIR\n", argv[0]);
    return 2;
  }
  seeds = argv[1];

  Saved("jpeg", "plain.jpg", 33, 17, 24);
  Saved("jpeg", "grey-from-8-bit.jpg", 16, 9, 8);
  Write("jpeg", "grey.jpg", Jpeg(19, 11, true, false, false, 0));
  Write("jpeg", "progressive.jpg", Jpeg(40, 24, false, true, false, 0));
  Write("jpeg", "arithmetic.jpg", Jpeg(24, 16, false, false, true, 0));
  Write("jpeg", "turned-6.jpg", Jpeg(20, 12, false, false, false, 6));
  Write("jpeg", "mirrored-4-progressive.jpg", Jpeg(12, 20, false, true, false, 4));

  Saved("png", "palette.png", 13, 7, 8);
  Saved("png", "rgb.png", 13, 7, 24);
  Write("png", "interlaced-rgb.png", InterlacedPng(11, 9, PNG_COLOR_TYPE_RGB));
  Write("png", "interlaced-palette.png", InterlacedPng(9, 11, PNG_COLOR_TYPE_PALETTE));
  Write("png", "interlaced-grey.png", InterlacedPng(10, 10, PNG_COLOR_TYPE_GRAY));

  Saved("gif", "palette.gif", 21, 9, 8);
  Saved("gif", "cube.gif", 9, 21, 24);

  Saved("bmp", "palette.bmp", 7, 5, 8);
  Saved("bmp", "rgb.bmp", 5, 7, 24);
  // 4 x 3: runs, a literal run, end of line, a move, end of picture.
  Write("bmp", "rle8.bmp",
        Bmp(4, 3, 8, 1,
            std::string("\x04\x01\x00\x00\x00\x03\x02\x03\x02\x00\x01\x05\x00\x00"
                        "\x00\x02\x01\x00\x02\x04\x00\x01",
                        22)));
  Write("bmp", "top-down.bmp", Bmp(2, -2, 24, 0, std::string(16, '\x42')));
  // The OS/2 header: 16-bit sizes and 3-byte colours.
  Write("bmp", "os2.bmp",
        "BM" + Le(26 + 6 + 8, 4) + Le(0, 4) + Le(26 + 6, 4) + Le(12, 4) + Le(2, 2) + Le(2, 2) +
            Le(1, 2) + Le(8, 2) + std::string("\x10\x20\x30\x40\x50\x60", 6) +
            std::string("\x00\x01\x00\x00\x01\x00\x00\x00", 8));

  // The date reader sees the file from its third byte.
  const std::string dated = Jpeg(8, 8, false, false, false, 1);
  Write("exif", "jpeg-head", dated.substr(2, 1024));
  Write("exif", "payload", ExifPayload(6));
  // Whole JPEG files with an Exif segment after their JFIF segment, and one without.
  Write("exif_segment", "exif-1.jpg", dated);
  Write("exif_segment", "grey-exif-6.jpg", Jpeg(9, 7, true, false, false, 6));
  Write("exif_segment", "progressive-no-exif.jpg", Jpeg(9, 7, false, true, false, 0));
  Write("exif", "little-endian-payload",
        std::string("Exif\0\0II\x2A\0\x08\0\0\0\x01\0\x12\x01\x03\0\x01\0\0\0\x03\0\0\0\0\0\0\0",
                    32));

  Write("record", "full",
        "QLNV_A t120 x2000 p600 f2 d0 c0 #maroon\n"
        "IMG_0001.JPG\tSunset at the lake\t3:45pm Jul 12, 2008\t3\t120 40 880 600\n"
        "b.png\t?\t\t0\n"
        "c d.gif\tA caption\t2008\t1\t0 0 10 10\tX\n"
        "IMG_0001.JPG\t\t\t2\n");
  Write("record", "windows-lines", "QLNV_A t20 x300 p300 f1 d1 c1 #navy\r\nb.png\tx\ty\t0\r\n");
  Write("record", "header-only", "QLNV_A t400 x300 p1000 f0 d1 c0\n");
  WriteProfiles();
  WriteTodayFormats();
  return 0;
}
