#pragma once
// Quarter turns of JPEG files that change no pixel. A file without an Exif Orientation whose
// picture is a whole number of blocks across and down has its compressed picture turned as
// it stands (libjpeg-turbo's lossless transform); every other file has the turn written into
// its Exif Orientation, which decoders (ours too) apply, and gets an Exif segment when it has
// none. Each file thus keeps one way of being turned, so that four turns, or a turn and its
// opposite, give back exactly the picture it was. Every other segment of the file is kept.

#include <cstdint>
#include <optional>
#include <vector>

#include "imaging/codec/Codec.h"

namespace codec {

// The file turned a quarter turn as it shows (its Exif Orientation applied): direction 0
// counter-clockwise, 1 clockwise. None when the file is no JPEG that can be turned.
std::optional<std::vector<uint8_t>> TurnJpeg(ByteSpan file, int direction);

// The Exif orientation (1 to 8) that shows a picture stored as the one of orientation `shown`
// shows, turned a further quarter turn in direction.
int TurnedOrientation(int shown, int direction);

}  // namespace codec
