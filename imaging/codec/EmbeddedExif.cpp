#include "imaging/codec/EmbeddedExif.h"

#include <libheif/heif.h>
#include <webp/demux.h>

#include <cstring>
#include <memory>

#include "imaging/codec/ExifSegment.h"
#include "imaging/codec/HeifFile.h"

namespace codec {
namespace {

constexpr uint8_t kExifHeader[6] = {'E', 'x', 'i', 'f', 0, 0};

std::vector<uint8_t> WebpExif(ByteSpan file) {
  const WebPData data{file.data, file.size};
  WebPDemuxer* demux = WebPDemux(&data);
  std::vector<uint8_t> bytes;
  WebPChunkIterator chunk;
  if (demux != nullptr && WebPDemuxGetChunk(demux, "EXIF", 1, &chunk)) {
    bytes.assign(chunk.chunk.bytes, chunk.chunk.bytes + chunk.chunk.size);
    WebPDemuxReleaseChunkIterator(&chunk);
  }
  WebPDemuxDelete(demux);
  return bytes;
}

}  // namespace

std::vector<uint8_t> ExifPayloadOf(std::vector<uint8_t> bytes) {
  if (bytes.empty() || (bytes.size() >= 6 && std::memcmp(bytes.data(), kExifHeader, 6) == 0)) {
    return bytes;
  }
  bytes.insert(bytes.begin(), kExifHeader, kExifHeader + 6);
  return bytes;
}

std::vector<uint8_t> EmbeddedExif(ByteSpan file) {
  switch (FormatFromMagic(file.data, file.size)) {
    case Format::Webp:
      return ExifPayloadOf(WebpExif(file));
    case Format::Heif: {
      HeifFile heif(file);
      return heif.PrimaryHandle() != nullptr ? heif.ExifPayload() : std::vector<uint8_t>{};
    }
    default:
      return {};
  }
}

std::string EmbeddedCameraTime(ByteSpan file) {
  if (FormatFromMagic(file.data, file.size) == Format::Tiff) {
    return TiffCameraTime(file.data, file.size);
  }
  const std::vector<uint8_t> exif = EmbeddedExif(file);
  return ExifCameraTime(exif.data(), exif.size());
}

bool HoldsEmbeddedExif(const uint8_t* head, size_t size) {
  const Format format = FormatFromMagic(head, size);
  return format == Format::Heif || format == Format::Webp || format == Format::Tiff;
}

}  // namespace codec
