#pragma once
// Quarter turns of HEIF, AVIF, WebP and TIFF files that leave their picture data as it is: the
// turn is written into the orientation the format itself carries (HEIF's rotation property,
// WebP's Exif Orientation, TIFF's Orientation tag), which decoders (ours too) apply. Every
// other byte of the file is kept; a turn and its opposite give back the same picture.

#include <cstdint>
#include <optional>
#include <vector>

#include "imaging/codec/Codec.h"

namespace codec {

// Each gives the file turned a quarter turn as it shows (direction 0 counter-clockwise, 1
// clockwise), or none when the file is not of the format or its structure cannot be followed.
std::optional<std::vector<uint8_t>> TurnHeif(ByteSpan file, int direction);
std::optional<std::vector<uint8_t>> TurnWebp(ByteSpan file, int direction);
std::optional<std::vector<uint8_t>> TurnTiff(ByteSpan file, int direction);

}  // namespace codec
