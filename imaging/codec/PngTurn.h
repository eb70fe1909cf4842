#pragma once
// Quarter turns of PNG files that keep everything but the turn: the samples are turned as the
// file stores them (any colour type and bit depth, 16 bits stay 16), and every chunk that does
// not depend on how the pixels are laid out is copied byte for byte in its place (text, XMP,
// Exif, colour profile and chromaticities, palette and transparency, unknown chunks that are
// safe to copy). The physical pixel size and scale have their axes swapped; what describes the
// old layout and cannot be mended (a stereo pair's arrangement, chunks the format marks as
// unsafe to copy once the pixels change) is left out.

#include <cstdint>
#include <optional>
#include <vector>

#include "imaging/codec/Codec.h"

namespace codec {

// The file turned a quarter turn: direction 0 counter-clockwise, 1 clockwise. None when the
// file is no PNG that can be read whole.
std::optional<std::vector<uint8_t>> TurnPng(ByteSpan file, int direction);

}  // namespace codec
