#include "imaging/codec/JpegTurn.h"

#include <turbojpeg.h>

#include <memory>

#include "imaging/codec/ExifSegment.h"
#include "imaging/codec/JpegHead.h"

namespace codec {
namespace {

// The eight Exif orientations as the matrix that takes a stored pixel's place (from the
// picture's centre, y downwards) to where it shows: x' = xx x + xy y, y' = yx x + yy y.
struct Placement {
  int xx, xy, yx, yy;
  bool operator==(const Placement&) const = default;
};
constexpr Placement kShown[9] = {
    {1, 0, 0, 1},                                   // (no orientation 0)
    {1, 0, 0, 1},   {-1, 0, 0, 1}, {-1, 0, 0, -1},  // 1 as stored, 2 mirrored, 3 upside down
    {1, 0, 0, -1},  {0, 1, 1, 0},                   // 4 mirrored top to bottom, 5 transposed
    {0, -1, 1, 0},  {0, -1, -1, 0},                 // 6 turned clockwise, 7 transversed
    {0, 1, -1, 0}};                                 // 8 turned counter-clockwise
constexpr int kClockwise = 6;
constexpr int kCounterClockwise = 8;

Placement Then(const Placement& first, const Placement& second) {
  return {second.xx * first.xx + second.xy * first.yx, second.xx * first.xy + second.xy * first.yy,
          second.yx * first.xx + second.yy * first.yx, second.yx * first.xy + second.yy * first.yy};
}

struct TjHandleCloser {
  void operator()(void* handle) const { tjDestroy(handle); }
};
struct TjBufferFree {
  void operator()(unsigned char* buffer) const { tjFree(buffer); }
};

// Whether the picture is a whole number of blocks across and down: then every quarter turn of
// it, and of what it becomes, can be stored exactly.
bool WholeBlocks(void* handle, ByteSpan file) {
  int width = 0;
  int height = 0;
  int subsampling = -1;
  int colourSpace = 0;
  if (tjDecompressHeader3(handle, file.data, file.size, &width, &height, &subsampling,
                          &colourSpace) != 0 ||
      subsampling < 0 || subsampling >= TJ_NUMSAMP) {
    return false;
  }
  return width % tjMCUWidth[subsampling] == 0 && height % tjMCUHeight[subsampling] == 0;
}

// The compressed picture turned as it stands, with every segment copied and the bytes after
// the picture (a motion photo's video, an appended payload) kept as they were; none when its
// size is not a whole number of blocks or the file is damaged.
std::optional<std::vector<uint8_t>> TurnCompressed(ByteSpan file, int direction) {
  std::unique_ptr<void, TjHandleCloser> handle(tjInitTransform());
  const std::optional<size_t> end = JpegImageEnd(file.data, file.size);
  if (!handle || !end || !WholeBlocks(handle.get(), file)) {
    return std::nullopt;
  }
  tjtransform transform{};
  transform.op = direction == 0 ? TJXOP_ROT270 : TJXOP_ROT90;
  transform.options = TJXOPT_PERFECT;
  unsigned char* out = nullptr;
  unsigned long outSize = 0;
  const int result = tjTransform(handle.get(), file.data, file.size, 1, &out, &outSize, &transform,
                                 TJFLAG_STOPONWARNING);
  std::unique_ptr<unsigned char, TjBufferFree> owned(out);
  if (result != 0 || out == nullptr) {
    return std::nullopt;
  }
  std::vector<uint8_t> turned(out, out + outSize);
  turned.insert(turned.end(), file.data + *end, file.data + file.size);
  return turned;
}

// The file with the Exif Orientation set; none when the Exif segment cannot take it.
std::optional<std::vector<uint8_t>> WithOrientation(const uint8_t* data, size_t size,
                                                    int orientation) {
  std::vector<JpegSegment> segments;
  if (!ReadJpegHead(data, size, segments)) {
    return std::nullopt;
  }
  std::vector<uint8_t> exif;
  if (const std::optional<JpegSegment> old = FindExifSegment(data, segments)) {
    exif.assign(data + old->payload, data + old->payload + old->length);
  }
  exif = ExifWithOrientation(std::move(exif), orientation);
  if (exif.empty()) {
    return std::nullopt;
  }
  return WithExifSegment(data, size, segments, exif);
}

}  // namespace

int TurnedOrientation(int shown, int direction) {
  const Placement turned =
      Then(kShown[shown], kShown[direction == 0 ? kCounterClockwise : kClockwise]);
  for (int orientation = 1; orientation <= 8; ++orientation) {
    if (kShown[orientation] == turned) {
      return orientation;
    }
  }
  return 1;
}

std::optional<std::vector<uint8_t>> TurnJpeg(ByteSpan file, int direction) {
  std::vector<JpegSegment> segments;
  if ((direction != 0 && direction != 1) || !ReadJpegHead(file.data, file.size, segments) ||
      HasTooManyScans(file.data, file.size)) {
    return std::nullopt;
  }
  const std::optional<JpegSegment> exif = FindExifSegment(file.data, segments);
  const uint8_t* payload = exif ? file.data + exif->payload : nullptr;
  const size_t length = exif ? exif->length : 0;
  if (!HasExifOrientation(payload, length)) {
    if (std::optional<std::vector<uint8_t>> turned = TurnCompressed(file, direction)) {
      return turned;
    }
  }
  return WithOrientation(file.data, file.size,
                         TurnedOrientation(ReadExifOrientation(payload, length), direction));
}

}  // namespace codec
