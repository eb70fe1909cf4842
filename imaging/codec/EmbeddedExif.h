#pragma once
// The Exif that HEIF, WebP and TIFF files carry: a HEIF file in an item of its own, a WebP file
// in its EXIF chunk, a TIFF file in its own directories. Each is handed out as a JPEG's Exif
// payload would be ("Exif\0\0" and the TIFF structure), so that one reader serves them all.

#include <cstdint>
#include <string>
#include <vector>

#include "imaging/codec/Codec.h"

namespace codec {

// The payload with the "Exif\0\0" header that a WebP EXIF chunk or a HEIF Exif item may lack;
// empty stays empty.
std::vector<uint8_t> ExifPayloadOf(std::vector<uint8_t> bytes);

// The Exif payload of a HEIF or WebP file in memory; empty when it has none or is of another
// format.
std::vector<uint8_t> EmbeddedExif(ByteSpan file);

// The camera's time stamp ("yyyy:mm:dd hh:mm:ss") that a HEIF, WebP or TIFF file in memory
// carries in its Exif; empty when there is none.
std::string EmbeddedCameraTime(ByteSpan file);

// Whether the first bytes of a file are those of a format whose Exif lies outside its head.
bool HoldsEmbeddedExif(const uint8_t* head, size_t size);

}  // namespace codec
