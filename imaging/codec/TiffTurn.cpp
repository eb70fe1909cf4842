// A TIFF picture is turned by the Orientation tag of its first directory, which libtiff reports
// and our decoder applies.

#include "imaging/codec/CarriedTurn.h"
#include "imaging/codec/ExifSegment.h"
#include "imaging/codec/JpegTurn.h"

namespace codec {

std::optional<std::vector<uint8_t>> TurnTiff(ByteSpan file, int direction) {
  if (FormatFromMagic(file.data, file.size) != Format::Tiff) {
    return std::nullopt;
  }
  const int turned = TurnedOrientation(ReadTiffOrientation(file.data, file.size), direction);
  std::vector<uint8_t> out = TiffWithOrientation({file.data, file.data + file.size}, turned);
  if (out.empty()) {
    return std::nullopt;
  }
  return out;
}

}  // namespace codec
