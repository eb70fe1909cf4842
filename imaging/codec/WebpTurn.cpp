// A WebP picture, lossy or lossless, is turned by the Exif Orientation of its EXIF chunk, which
// our decoder applies. A file without one gets it: a simple file (one VP8 or VP8L chunk) first
// becomes an extended one, whose VP8X chunk says that the EXIF chunk follows the picture.

#include <webp/decode.h>

#include <algorithm>
#include <cstring>

#include "imaging/codec/CarriedTurn.h"
#include "imaging/codec/EmbeddedExif.h"
#include "imaging/codec/ExifSegment.h"
#include "imaging/codec/JpegTurn.h"

namespace codec {
namespace {

constexpr uint8_t kExifFlag = 0x08;
constexpr uint8_t kAlphaFlag = 0x10;
constexpr size_t kRiffHead = 12;  // "RIFF", the size, "WEBP"

struct Chunk {
  char tag[4];
  std::vector<uint8_t> payload;
};

uint32_t Little32(const uint8_t* at) {
  return uint32_t(at[0]) | uint32_t(at[1]) << 8 | uint32_t(at[2]) << 16 | uint32_t(at[3]) << 24;
}

void PutLittle(std::vector<uint8_t>& out, uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) {
    out.push_back(static_cast<uint8_t>(value >> (8 * i)));
  }
}

size_t RiffEnd(ByteSpan file) {
  return std::min<size_t>(file.size, size_t{Little32(file.data + 4)} + 8);
}

// The chunks of the file in their order; none when one does not fit inside the RIFF.
std::optional<std::vector<Chunk>> ReadChunks(ByteSpan file) {
  if (file.size < kRiffHead || std::memcmp(file.data, "RIFF", 4) != 0 ||
      std::memcmp(file.data + 8, "WEBP", 4) != 0) {
    return std::nullopt;
  }
  const size_t end = RiffEnd(file);
  std::vector<Chunk> chunks;
  for (size_t at = kRiffHead; at < end;) {
    if (end - at < 8) {
      return std::nullopt;
    }
    const size_t size = Little32(file.data + at + 4);
    if (size > end - at - 8) {
      return std::nullopt;
    }
    Chunk chunk;
    std::memcpy(chunk.tag, file.data + at, 4);
    chunk.payload.assign(file.data + at + 8, file.data + at + 8 + size);
    chunks.push_back(std::move(chunk));
    at += 8 + size + (size & 1);
  }
  return chunks;
}

std::vector<uint8_t> WriteChunks(const std::vector<Chunk>& chunks) {
  std::vector<uint8_t> out{'R', 'I', 'F', 'F', 0, 0, 0, 0, 'W', 'E', 'B', 'P'};
  for (const Chunk& chunk : chunks) {
    out.insert(out.end(), chunk.tag, chunk.tag + 4);
    PutLittle(out, static_cast<uint32_t>(chunk.payload.size()), 4);
    out.insert(out.end(), chunk.payload.begin(), chunk.payload.end());
    if (chunk.payload.size() & 1) {
      out.push_back(0);
    }
  }
  const auto riffSize = static_cast<uint32_t>(out.size() - 8);
  for (int i = 0; i < 4; ++i) {
    out[4 + i] = static_cast<uint8_t>(riffSize >> (8 * i));
  }
  return out;
}

Chunk* FindChunk(std::vector<Chunk>& chunks, const char* tag) {
  for (Chunk& chunk : chunks) {
    if (std::memcmp(chunk.tag, tag, 4) == 0) {
      return &chunk;
    }
  }
  return nullptr;
}

// The VP8X chunk a simple file needs to carry Exif: its canvas is the picture's stored size.
std::optional<Chunk> ExtendedHeader(ByteSpan file) {
  WebPBitstreamFeatures features;
  if (WebPGetFeatures(file.data, file.size, &features) != VP8_STATUS_OK || features.width < 1 ||
      features.height < 1) {
    return std::nullopt;
  }
  Chunk header{{'V', 'P', '8', 'X'}, {}};
  header.payload.push_back(features.has_alpha ? kAlphaFlag : 0);
  PutLittle(header.payload, 0, 3);
  PutLittle(header.payload, static_cast<uint32_t>(features.width - 1), 3);
  PutLittle(header.payload, static_cast<uint32_t>(features.height - 1), 3);
  return header;
}

}  // namespace

std::optional<std::vector<uint8_t>> TurnWebp(ByteSpan file, int direction) {
  std::optional<std::vector<Chunk>> chunks = ReadChunks(file);
  if (!chunks || chunks->empty()) {
    return std::nullopt;
  }
  if (FindChunk(*chunks, "VP8X") == nullptr) {
    std::optional<Chunk> header = ExtendedHeader(file);
    if (!header) {
      return std::nullopt;
    }
    chunks->insert(chunks->begin(), std::move(*header));
  }
  Chunk* extended = FindChunk(*chunks, "VP8X");
  if (extended->payload.empty()) {
    return std::nullopt;
  }
  extended->payload[0] |= kExifFlag;
  Chunk* exif = FindChunk(*chunks, "EXIF");
  if (exif == nullptr) {
    chunks->push_back(Chunk{{'E', 'X', 'I', 'F'}, {}});  // Exif follows the picture
    exif = &chunks->back();
  }
  // The chunk's Exif keeps its form: with or without the "Exif\0\0" that JPEG files put first.
  const bool headed =
      exif->payload.size() >= 6 && std::memcmp(exif->payload.data(), "Exif\0\0", 6) == 0;
  std::vector<uint8_t> payload = ExifPayloadOf(exif->payload);
  const int turned =
      TurnedOrientation(ReadExifOrientation(payload.data(), payload.size()), direction);
  payload = ExifWithOrientation(std::move(payload), turned);
  if (payload.empty()) {
    return std::nullopt;
  }
  exif->payload.assign(payload.begin() + (headed ? 0 : 6), payload.end());
  std::vector<uint8_t> out = WriteChunks(*chunks);
  // Whatever a program put after the RIFF stays after it.
  out.insert(out.end(), file.data + RiffEnd(file), file.data + file.size);
  return out;
}

}  // namespace codec
