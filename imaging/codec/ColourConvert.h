#pragma once
// Pictures in sRGB whatever colours their files are in: the pixels a decoder made are converted
// with Little CMS from the colours the file names (an embedded ICC profile, or CICP primaries
// and transfer) to sRGB, with the relative colorimetric intent and black point compensation,
// or the perceptual one where the profile has its own table for it. The transform of each
// profile is made once and kept, so that a folder of photographs from one camera pays for it
// once; any thread may convert.

#include <string>

#include "imaging/codec/Codec.h"

class CBitmap;

namespace codec {

// Converts a 24-bit bitmap's pixels, or an 8-bit bitmap's colour table, from the colours of
// tag to sRGB. Empty when that is done or nothing needs doing (no tag, an sRGB profile, or one
// that comes to the same); otherwise why the tag was not used, the bitmap left as it was.
std::string ConvertToSrgb(const ColourTag& tag, CBitmap& bitmap);

}  // namespace codec
