#pragma once
// ICC profiles made with Little CMS, picture files that embed them, and Little CMS's own
// conversion to sRGB to compare with, for the colour tests.

#include <cstdint>
#include <string>
#include <vector>

#include "imaging/ImageWrap.h"

// Adobe RGB (1998): wide primaries, gamma 563/256.
std::vector<uint8_t> AdobeRgbLikeProfile();
// Display P3: the primaries of DCI-P3 with the D65 white and the sRGB curve.
std::vector<uint8_t> DisplayP3LikeProfile();
std::vector<uint8_t> SrgbProfile();
std::vector<uint8_t> GreyProfile(double gamma);
std::vector<uint8_t> LabProfile();

// The JPEG's bytes with the profile in APP2 "ICC_PROFILE" segments of at most segmentBytes
// each, inserted after the start of image: in reverse order when reversed, and without the
// segment numbered skip (from 1) when skip is above 0.
std::string JpegWithProfile(const std::string& jpeg, const std::vector<uint8_t>& icc,
                            size_t segmentBytes = 65519, bool reversed = false, int skip = 0);
// The PNG's bytes with an iCCP chunk of the profile after the header chunk.
std::string PngWithProfile(const std::string& png, const std::vector<uint8_t>& icc);

// Sixteen 16 x 16 blocks of colours that a wide gamut moves far: saturated primaries and
// secondaries, skin, sky, greys.
CImageWrap ColourBlocks();
// The largest difference of any channel's mean over the inside of a block between two pictures
// of ColourBlocks' size, rounded: the edges, where JPEG's chroma subsampling blends
// neighbouring blocks, are left out, and the means hold what its quantisation keeps.
int BlockMeanDifference(const CImageWrap& a, const CImageWrap& b);

// A 24-bit picture's pixels, taken to be in the colours of icc, converted by Little CMS to
// sRGB with the relative colorimetric intent and black point compensation.
CImageWrap LcmsToSrgb(const CImageWrap& picture, const std::vector<uint8_t>& icc);
