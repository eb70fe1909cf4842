#include "imaging/codec/Codec.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <memory>
#include <new>
#include <optional>
#include <string_view>

#include "imaging/codec/ColourConvert.h"
#include "imaging/codec/Formats.h"
#include "raster/AtomicFile.h"
#include "raster/Bitmap.h"
#include "raster/FileHandle.h"

namespace codec {
namespace {

std::string LowerExtension(const std::string& path) {
  const size_t slash = path.find_last_of('/');
  const size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
  const size_t dot = path.find_last_of('.');
  if (dot == std::string::npos || dot < nameStart) {
    return {};
  }
  std::string extension = path.substr(dot);
  for (char& c : extension) {
    if (c >= 'A' && c <= 'Z') {
      c = static_cast<char>(c - 'A' + 'a');
    }
  }
  return extension;
}

}  // namespace

FileBytes ReadPictureFile(const std::string& path) {
  FileBytes result;
  // Not blocking, so that a pipe named like a picture cannot hang the loader.
  FileHandle file(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
  struct stat info {};
  // A file above the limit is refused before anything is read: a sparse file can claim
  // gigabytes on a few kilobytes of disk.
  if (file.Get() < 0 || ::fstat(file.Get(), &info) != 0 || !S_ISREG(info.st_mode) ||
      info.st_size <= 0 || info.st_size > kMaxFileBytes) {
    return result;
  }
  const auto expected = static_cast<size_t>(info.st_size);
  result.data.reset(new (std::nothrow) uint8_t[expected]);
  if (!result.data) {
    result.outOfMemory = true;
    return result;
  }
  size_t got = 0;
  while (got < expected) {
    const ssize_t n = ::read(file.Get(), result.data.get() + got, expected - got);
    if (n < 0 && errno == EINTR) {
      continue;
    }
    if (n < 0) {
      result.data.reset();
      return result;
    }
    if (n == 0) {
      break;  // the file shrank while we read it; decode what is there
    }
    got += static_cast<size_t>(n);
  }
  result.size = got;
  return result;
}

bool SizeAcceptable(int64_t width, int64_t height, size_t fileBytes) {
  return width > 0 && height > 0 && width <= kMaxSide && height <= kMaxSide &&
         width * height <= kMaxPixels &&
         width * height <= static_cast<int64_t>(std::min<size_t>(fileBytes, kMaxFileBytes)) *
                               kMaxPixelsPerFileByte;
}

Format FormatFromMagic(const uint8_t* bytes, size_t size) {
  static const uint8_t kPng[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
  if (size >= 3 && bytes[0] == 0xFF && bytes[1] == 0xD8 && bytes[2] == 0xFF) {
    return Format::Jpeg;
  }
  if (size >= 8 && std::memcmp(bytes, kPng, 8) == 0) {
    return Format::Png;
  }
  if (size >= 6 && (std::memcmp(bytes, "GIF87a", 6) == 0 || std::memcmp(bytes, "GIF89a", 6) == 0)) {
    return Format::Gif;
  }
  if (size >= 2 && bytes[0] == 'B' && bytes[1] == 'M') {
    return Format::Bmp;
  }
  if (size >= 12 && std::memcmp(bytes, "RIFF", 4) == 0 && std::memcmp(bytes + 8, "WEBP", 4) == 0) {
    return Format::Webp;
  }
  if (size >= 4 && (std::memcmp(bytes, "II*\0", 4) == 0 || std::memcmp(bytes, "MM\0*", 4) == 0)) {
    return Format::Tiff;
  }
  if (size >= 12 && std::memcmp(bytes + 4, "ftyp", 4) == 0) {
    // The major brand of an ISO media file that holds a still picture.
    static const char* const kBrands[] = {"heic", "heix", "hevc", "hevx", "heim", "heis",
                                          "mif1", "msf1", "avif", "avis"};
    for (const char* brand : kBrands) {
      if (std::memcmp(bytes + 8, brand, 4) == 0) {
        return Format::Heif;
      }
    }
  }
  return Format::Unknown;
}

bool IsAnimated(ByteSpan file) {
  switch (FormatFromMagic(file.data, file.size)) {
    case Format::Gif:
      return IsAnimatedGif(file);
    case Format::Png:
      return IsAnimatedPng(file);
    default:
      return false;
  }
}

Format FormatFromExtension(const std::string& path) {
  const std::string extension = LowerExtension(path);
  if (extension == ".jpg" || extension == ".jpeg" || extension == ".jpe" || extension == ".jfif") {
    return Format::Jpeg;
  }
  if (extension == ".png") {
    return Format::Png;
  }
  if (extension == ".gif") {
    return Format::Gif;
  }
  if (extension == ".bmp" || extension == ".dib") {
    return Format::Bmp;
  }
  if (extension == ".heic" || extension == ".heif" || extension == ".avif") {
    return Format::Heif;
  }
  if (extension == ".webp") {
    return Format::Webp;
  }
  if (extension == ".tif" || extension == ".tiff") {
    return Format::Tiff;
  }
  return Format::Unknown;
}

bool GateOpens(const DecodeOptions& options, DecodeCost cost) {
  if (!options.gate) {
    return true;
  }
  cost.bytes += static_cast<int64_t>(CBitmap::RowBytes(cost.width, cost.depth)) * cost.height;
  if (cost.fileWidth == 0) {
    cost.fileWidth = cost.width;
    cost.fileHeight = cost.height;
  }
  return options.gate(cost);
}

DecodeResult DecodeFile(const std::string& path, CBitmap& bitmap, const DecodeOptions& options) {
  DestroyBitmap(bitmap);
  const FileBytes file = ReadPictureFile(path);
  if (!file.data) {
    DecodeResult unread = Failed(file.outOfMemory ? kOutOfMemory : kFail);
    unread.failure = DecodeFailure::Unreadable;
    return unread;
  }
  return DecodeBytes({file.data.get(), file.size}, bitmap, options);
}

DecodeResult DecodeBytes(ByteSpan bytes, CBitmap& bitmap, const DecodeOptions& options) {
  DestroyBitmap(bitmap);
  DecodeResult result;
  switch (FormatFromMagic(bytes.data, bytes.size)) {
    case Format::Jpeg:
      result = DecodeJpeg(bytes, bitmap, options);
      break;
    case Format::Png:
      result = DecodePng(bytes, bitmap, options);
      break;
    case Format::Gif:
      result = DecodeGif(bytes, bitmap, options);
      break;
    case Format::Bmp:
      result = DecodeBmp(bytes, bitmap, options);
      break;
    case Format::Heif:
      result = DecodeHeif(bytes, bitmap, options);
      break;
    case Format::Webp:
      result = DecodeWebp(bytes, bitmap, options);
      break;
    case Format::Tiff:
      result = DecodeTiff(bytes, bitmap, options);
      break;
    case Format::Unknown:
      result = Failed();
      result.failure = DecodeFailure::NotAPicture;
      break;
  }
  if (result.status == kFail && result.failure == DecodeFailure::None) {
    result.failure = DecodeFailure::Damaged;
  }
  if (result.status != kOk || (result.depth != 8 && result.depth != 24)) {
    DestroyBitmap(bitmap);
    return result;
  }
  if (result.fileWidth == 0) {
    result.fileWidth = bitmap.Width();
    result.fileHeight = bitmap.Height();
  }
  if (!options.fileColours) {
    const std::string why = ConvertToSrgb(result.colour, bitmap);
    if (!why.empty() && options.colourIgnored) {
      options.colourIgnored(why);
    }
  }
  return result;
}

bool ReadPictureSize(const std::string& path, int& width, int& height) {
  width = 0;
  height = 0;
  DecodeOptions options;
  // The gate is asked once the head is read, before any pixel memory is taken: closing it
  // stops the decode there.
  options.gate = [&](const DecodeCost& cost) {
    width = cost.fileWidth;
    height = cost.fileHeight;
    return false;
  };
  CBitmap unused;
  DecodeFile(path, unused, options);
  return width > 0 && height > 0;
}

namespace {

bool EncodeInto(const CBitmap& bitmap, Format format, const SaveOptions& options,
                ByteSink& encoded) {
  if (bitmap.IsNull() || (bitmap.BitsPerPixel() != 8 && bitmap.BitsPerPixel() != 24)) {
    return false;
  }
  switch (format) {
    case Format::Jpeg:
      return EncodeJpeg(bitmap, options, encoded);
    case Format::Png:
      return EncodePng(bitmap, encoded);
    case Format::Gif:
      return EncodeGif(bitmap, encoded);
    case Format::Bmp:
      return EncodeBmp(bitmap, encoded);
    case Format::Heif:
    case Format::Webp:
    case Format::Tiff:
    case Format::Unknown:
      break;
  }
  return false;
}

}  // namespace

std::optional<std::vector<uint8_t>> EncodeAs(const CBitmap& bitmap, Format format,
                                             const SaveOptions& options) {
  ByteSink encoded;
  if (!EncodeInto(bitmap, format, options, encoded)) {
    return std::nullopt;
  }
  return std::vector<uint8_t>(encoded.Data(), encoded.Data() + encoded.Size());
}

uint32_t EncodeFile(const CBitmap& bitmap, const std::string& path, const SaveOptions& options,
                    int* writeError) {
  if (writeError != nullptr) {
    *writeError = 0;
  }
  ByteSink encoded;
  if (!EncodeInto(bitmap, FormatFromExtension(path), options, encoded)) {
    return kFail;
  }
  const std::string_view bytes(reinterpret_cast<const char*>(encoded.Data()), encoded.Size());
  const int error =
      ReplaceFileAtomically(path, bytes, options.durable ? Flush::ToDisk : Flush::None,
                            options.replaceLink ? LinkAtPath::Replace : LinkAtPath::Follow);
  if (error != 0) {
    if (writeError != nullptr) {
      *writeError = error;
    }
    return kFail;
  }
  return kOk;
}

}  // namespace codec
