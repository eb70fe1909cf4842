#include "tests/support/TodayFormatFiles.h"

#include <libheif/heif.h>
#include <tiffio.h>
#include <unistd.h>
#include <webp/encode.h>

#include <cstdio>
#include <cstring>
#include <filesystem>

#include "tests/support/TempDir.h"

namespace {

void Put16(std::vector<uint8_t>& out, uint32_t v) {
  out.push_back(static_cast<uint8_t>(v >> 8));
  out.push_back(static_cast<uint8_t>(v));
}
void Put32(std::vector<uint8_t>& out, uint32_t v) {
  Put16(out, v >> 16);
  Put16(out, v & 0xFFFF);
}
void Entry(std::vector<uint8_t>& out, uint16_t tag, uint16_t type, uint32_t count, uint32_t value) {
  Put16(out, tag);
  Put16(out, type);
  Put32(out, count);
  if (type == 3 && count == 1) {
    Put16(out, value);
    Put16(out, 0);
  } else {
    Put32(out, value);
  }
}

std::vector<uint8_t> Interleaved(const TodayPicture& p, int channels) {
  std::vector<uint8_t> bytes;
  for (const Rgb& c : p.pixels) {
    bytes.insert(bytes.end(), {c.red, c.green, c.blue});
    if (channels == 4) {
      bytes.push_back(128);
    }
  }
  return bytes;
}

heif_error WriteToString(heif_context*, const void* data, size_t size, void* userdata) {
  static_cast<std::string*>(userdata)->append(static_cast<const char*>(data), size);
  return heif_error{heif_error_Ok, heif_suberror_Unspecified, "ok"};
}

std::string Heif(const TodayPicture& p, heif_compression_format compression) {
  heif_context* context = heif_context_alloc();
  heif_encoder* encoder = nullptr;
  heif_image* image = nullptr;
  std::string bytes;
  if (heif_context_get_encoder_for_format(context, compression, &encoder).code == heif_error_Ok &&
      heif_image_create(p.width, p.height, heif_colorspace_RGB, heif_chroma_interleaved_RGB, &image)
              .code == heif_error_Ok &&
      heif_image_add_plane(image, heif_channel_interleaved, p.width, p.height, 8).code ==
          heif_error_Ok) {
    int stride = 0;
    uint8_t* plane = heif_image_get_plane(image, heif_channel_interleaved, &stride);
    const std::vector<uint8_t> rgb = Interleaved(p, 3);
    for (int y = 0; y < p.height; ++y) {
      std::memcpy(plane + y * stride, rgb.data() + static_cast<size_t>(y) * p.width * 3,
                  static_cast<size_t>(p.width) * 3);
    }
    heif_color_profile_nclx* nclx = heif_nclx_color_profile_alloc();
    nclx->matrix_coefficients = heif_matrix_coefficients_ITU_R_BT_601_6;
    nclx->full_range_flag = 1;
    heif_image_set_nclx_color_profile(image, nclx);
    heif_nclx_color_profile_free(nclx);
    if (!p.icc.empty()) {
      heif_image_set_raw_color_profile(image, "prof", p.icc.data(), p.icc.size());
    }
    heif_encoder_set_lossy_quality(encoder, 95);
    heif_encoding_options* options = heif_encoding_options_alloc();
    options->image_orientation = static_cast<heif_orientation>(p.heifOrientation);
    heif_image_handle* handle = nullptr;
    if (heif_context_encode_image(context, image, encoder, options, &handle).code == heif_error_Ok) {
      if (p.exifOrientation != 0 || !p.takenAt.empty()) {
        const std::vector<uint8_t> exif = MakeExifPayload(p.exifOrientation, p.takenAt);
        heif_context_add_exif_metadata(context, handle, exif.data() + 6,
                                       static_cast<int>(exif.size() - 6));
      }
      heif_writer writer{1, WriteToString};
      heif_context_write(context, &writer, &bytes);
      heif_image_handle_release(handle);
    }
    heif_encoding_options_free(options);
  }
  heif_image_release(image);
  heif_encoder_release(encoder);
  heif_context_free(context);
  return bytes;
}

void PutLe32(std::string& out, uint32_t v) {
  for (int i = 0; i < 4; ++i) {
    out.push_back(static_cast<char>(v >> (8 * i)));
  }
}

std::string Chunk(const char* fourcc, const std::string& payload) {
  std::string chunk(fourcc, 4);
  PutLe32(chunk, static_cast<uint32_t>(payload.size()));
  chunk += payload;
  if (payload.size() % 2 != 0) {
    chunk.push_back('\0');
  }
  return chunk;
}

std::string Webp(const TodayPicture& p, bool lossless, bool alpha) {
  const int channels = alpha ? 4 : 3;
  const std::vector<uint8_t> pixels = Interleaved(p, channels);
  uint8_t* out = nullptr;
  const int stride = p.width * channels;
  size_t size = 0;
  if (alpha) {
    size = lossless ? WebPEncodeLosslessRGBA(pixels.data(), p.width, p.height, stride, &out)
                    : WebPEncodeRGBA(pixels.data(), p.width, p.height, stride, 95, &out);
  } else {
    size = lossless ? WebPEncodeLosslessRGB(pixels.data(), p.width, p.height, stride, &out)
                    : WebPEncodeRGB(pixels.data(), p.width, p.height, stride, 95, &out);
  }
  std::string simple(reinterpret_cast<const char*>(out), size);
  WebPFree(out);
  if (size < 20 || (p.exifOrientation == 0 && p.takenAt.empty() && p.icc.empty())) {
    return simple;
  }
  // The extended layout: a VP8X chunk that announces the EXIF and ICCP chunks around the
  // picture's own.
  std::string header;
  header.push_back(static_cast<char>((p.icc.empty() ? 0 : 0x20) | 0x08 | (alpha ? 0x10 : 0)));
  header.append(3, '\0');
  for (const int side : {p.width - 1, p.height - 1}) {
    for (int i = 0; i < 3; ++i) {
      header.push_back(static_cast<char>(side >> (8 * i)));
    }
  }
  const std::vector<uint8_t> exif = MakeExifPayload(p.exifOrientation, p.takenAt);
  std::string body = "WEBP" + Chunk("VP8X", header);
  if (!p.icc.empty()) {
    body += Chunk("ICCP", std::string(p.icc.begin(), p.icc.end()));
  }
  body += simple.substr(12) + Chunk("EXIF", std::string(exif.begin(), exif.end()));
  std::string file = "RIFF";
  PutLe32(file, static_cast<uint32_t>(body.size()));
  return file + body;
}

std::string Tiff(const TodayPicture& p, int bits, bool grey) {
  const TempDir dir;
  const std::string path = (dir / "picture.tif").string();
  TIFF* tiff = TIFFOpen(path.c_str(), "w");
  if (tiff == nullptr) {
    return {};
  }
  const int channels = grey ? 1 : 3;
  TIFFSetField(tiff, TIFFTAG_IMAGEWIDTH, p.width);
  TIFFSetField(tiff, TIFFTAG_IMAGELENGTH, p.height);
  TIFFSetField(tiff, TIFFTAG_SAMPLESPERPIXEL, channels);
  TIFFSetField(tiff, TIFFTAG_BITSPERSAMPLE, bits);
  TIFFSetField(tiff, TIFFTAG_PHOTOMETRIC, grey ? PHOTOMETRIC_MINISBLACK : PHOTOMETRIC_RGB);
  TIFFSetField(tiff, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG);
  TIFFSetField(tiff, TIFFTAG_COMPRESSION, COMPRESSION_ADOBE_DEFLATE);
  if (p.exifOrientation != 0) {
    TIFFSetField(tiff, TIFFTAG_ORIENTATION, p.exifOrientation);
  }
  if (!p.takenAt.empty()) {
    TIFFSetField(tiff, TIFFTAG_DATETIME, p.takenAt.c_str());
  }
  if (!p.icc.empty()) {
    TIFFSetField(tiff, TIFFTAG_ICCPROFILE, static_cast<uint32_t>(p.icc.size()), p.icc.data());
  }
  std::vector<uint8_t> row(static_cast<size_t>(p.width) * channels * (bits / 8));
  for (int y = 0; y < p.height; ++y) {
    for (int x = 0; x < p.width; ++x) {
      const Rgb& c = p.pixels[static_cast<size_t>(y) * p.width + x];
      const uint8_t values[3] = {c.red, c.green, c.blue};
      for (int k = 0; k < channels; ++k) {
        const size_t at = (static_cast<size_t>(x) * channels + k) * (bits / 8);
        row[at] = values[k];
        if (bits == 16) {
          row[at + 1] = values[k];  // native order: the same byte twice reads back as the byte
        }
      }
    }
    TIFFWriteScanline(tiff, row.data(), static_cast<uint32_t>(y), 0);
  }
  TIFFClose(tiff);
  return ReadFileBytes(path);
}

}  // namespace

const char* ExtensionOf(TodayFormat format) {
  switch (format) {
    case TodayFormat::Heic:
      return ".HEIC";
    case TodayFormat::Avif:
      return ".avif";
    case TodayFormat::WebpLossy:
    case TodayFormat::WebpLossless:
    case TodayFormat::WebpAlpha:
      return ".webp";
    case TodayFormat::Tiff8:
    case TodayFormat::TiffGrey:
      return ".tif";
    case TodayFormat::Tiff16:
      return ".TIFF";
  }
  return "";
}

std::vector<uint8_t> MakeExifPayload(int orientation, const std::string& takenAt) {
  std::vector<uint8_t> tiff = {'M', 'M', 0, 42, 0, 0, 0, 8};
  const uint16_t entries = static_cast<uint16_t>((orientation != 0) + (!takenAt.empty()));
  const uint32_t exifDirectory = 8 + 2 + 12 * entries + 4;
  Put16(tiff, entries);
  if (orientation != 0) {
    Entry(tiff, 0x0112, 3, 1, static_cast<uint32_t>(orientation));
  }
  if (!takenAt.empty()) {
    Entry(tiff, 0x8769, 4, 1, exifDirectory);
  }
  Put32(tiff, 0);
  if (!takenAt.empty()) {
    Put16(tiff, 1);
    Entry(tiff, 0x9003, 2, static_cast<uint32_t>(takenAt.size() + 1), exifDirectory + 2 + 12 + 4);
    Put32(tiff, 0);
    tiff.insert(tiff.end(), takenAt.begin(), takenAt.end());
    tiff.push_back(0);
  }
  tiff.insert(tiff.begin(), 6, 0);
  std::memcpy(tiff.data(), "Exif", 4);
  return tiff;
}

std::string WriteTodayFormat(TodayFormat format, const TodayPicture& picture) {
  switch (format) {
    case TodayFormat::Heic:
      return Heif(picture, heif_compression_HEVC);
    case TodayFormat::Avif:
      return Heif(picture, heif_compression_AV1);
    case TodayFormat::WebpLossy:
      return Webp(picture, false, false);
    case TodayFormat::WebpLossless:
      return Webp(picture, true, false);
    case TodayFormat::WebpAlpha:
      return Webp(picture, true, true);
    case TodayFormat::Tiff8:
      return Tiff(picture, 8, false);
    case TodayFormat::Tiff16:
      return Tiff(picture, 16, false);
    case TodayFormat::TiffGrey:
      return Tiff(picture, 8, true);
  }
  return {};
}
