#pragma once
// A quicker way through the transforms that convert camera and screen profiles to sRGB. Those
// profiles are a curve per channel and a matrix, so that their colours in linear sRGB are the
// sum of what each channel alone gives: Little CMS gives the 3 x 256 of them once, and a pixel
// costs three sums and three table look-ups, several times less than the general transform.

#include <lcms2.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>

namespace codec {

class FastRgbConversion {
 public:
  // The conversion from source to sRGB with this intent and these flags, when it is of that
  // form: its results on count pixels of grid (blue, green, red bytes) must be within a level
  // of expected, Little CMS's own 8-bit transform of them. None otherwise.
  static std::unique_ptr<FastRgbConversion> Make(cmsHPROFILE source, cmsUInt32Number intent,
                                                 cmsUInt32Number flags, const uint8_t* grid,
                                                 const uint8_t* expected, size_t count);

  // Converts count pixels of blue, green, red bytes in place.
  void Convert(uint8_t* pixels, size_t count) const;

 private:
  // Linear light in sRGB's primaries, 1 << kBits being full; values beyond the gamut are kept
  // until the encoding clamps them.
  static constexpr int kBits = 14;
  static constexpr int32_t kFull = 1 << kBits;

  // Linear red, green, blue (and padding) for one channel's level.
  using Linear = std::array<int32_t, 4>;
  std::array<Linear, 256> red_{};  // with the colour of black added
  std::array<Linear, 256> green_{};
  std::array<Linear, 256> blue_{};
  std::array<uint8_t, kFull + 1> encode_{};  // linear light to sRGB's 8-bit levels
};

}  // namespace codec
