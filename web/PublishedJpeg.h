#pragma once
// A JPEG picture published as its own file rather than encoded again: what it says of where
// and with what it was taken stays at home.

#include <cstddef>
#include <cstdint>
#include <string>

// The file's bytes without its metadata segments (Exif with its place and camera, XMP, other
// application data, comments), keeping its colour profile, tables and picture data. Empty when
// the bytes are no JPEG whose head can be read, or when the Exif turns the picture: the turn
// would be lost with it.
std::string PublishedJpeg(const uint8_t* data, size_t size);
