#include "imaging/codec/FastRgbConversion.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

#include "imaging/codec/CicpProfile.h"

namespace codec {
namespace {

// sRGB's primaries and white with a straight line for a curve.
Profile LinearSrgb() {
  const cmsCIExyY white{0.3127, 0.3290, 1.0};
  const cmsCIExyYTRIPLE primaries{{0.640, 0.330, 1.0}, {0.300, 0.600, 1.0}, {0.150, 0.060, 1.0}};
  cmsToneCurve* line = cmsBuildGamma(nullptr, 1.0);
  if (line == nullptr) {
    return nullptr;
  }
  cmsToneCurve* const curves[3] = {line, line, line};
  Profile profile(cmsCreateRGBProfile(&white, &primaries, curves));
  cmsFreeToneCurve(line);
  return profile;
}

uint8_t SrgbLevel(double linear) {
  const double encoded =
      linear <= 0.0031308 ? 12.92 * linear : 1.055 * std::pow(linear, 1 / 2.4) - 0.055;
  return static_cast<uint8_t>(std::clamp(std::lround(encoded * 255), 0L, 255L));
}

// How far from black any channel alone may take linear light, in either direction.
constexpr float kFarthest = 16;

}  // namespace

std::unique_ptr<FastRgbConversion> FastRgbConversion::Make(cmsHPROFILE source,
                                                           cmsUInt32Number intent,
                                                           cmsUInt32Number flags,
                                                           const uint8_t* grid,
                                                           const uint8_t* expected, size_t count) {
  const Profile linear = LinearSrgb();
  cmsHTRANSFORM toLinear =
      linear ? cmsCreateTransform(source, TYPE_BGR_8, linear.get(), TYPE_RGB_FLT, intent, flags)
             : nullptr;
  if (toLinear == nullptr) {
    return nullptr;
  }
  // Each level of each channel alone, the others at 0: blue, green, red bytes.
  std::vector<uint8_t> ramps(3 * 256 * 3, 0);
  for (size_t channel = 0; channel < 3; ++channel) {
    for (size_t level = 0; level < 256; ++level) {
      ramps[(channel * 256 + level) * 3 + channel] = static_cast<uint8_t>(level);
    }
  }
  std::vector<float> light(ramps.size());
  cmsDoTransform(toLinear, ramps.data(), light.data(), 3 * 256);
  cmsDeleteTransform(toLinear);

  auto fast = std::make_unique<FastRgbConversion>();
  std::array<Linear, 256>* const tables[3] = {&fast->blue_, &fast->green_, &fast->red_};
  const float* black = light.data();  // blue at level 0: all channels at 0
  for (size_t channel = 0; channel < 3; ++channel) {
    for (size_t level = 0; level < 256; ++level) {
      const float* rgb = light.data() + (channel * 256 + level) * 3;
      for (size_t i = 0; i < 3; ++i) {
        // Black is counted once, with red.
        const float value = channel == 2 ? rgb[i] : rgb[i] - black[i];
        // No screen or camera goes this far past sRGB; a damaged profile's values could
        // overflow the sums.
        if (!std::isfinite(value) || std::abs(value) > kFarthest) {
          return nullptr;
        }
        (*tables[channel])[level][i] = static_cast<int32_t>(std::lround(value * kFull));
      }
    }
  }
  for (int32_t i = 0; i <= kFull; ++i) {
    fast->encode_[static_cast<size_t>(i)] = SrgbLevel(static_cast<double>(i) / kFull);
  }
  std::vector<uint8_t> converted(grid, grid + count * 3);
  fast->Convert(converted.data(), count);
  for (size_t i = 0; i < converted.size(); ++i) {
    if (std::abs(converted[i] - expected[i]) > 1) {
      return nullptr;
    }
  }
  return fast;
}

void FastRgbConversion::Convert(uint8_t* pixels, size_t count) const {
  for (uint8_t* p = pixels; p != pixels + count * 3; p += 3) {
    const Linear& b = blue_[p[0]];
    const Linear& g = green_[p[1]];
    const Linear& r = red_[p[2]];
    p[0] = encode_[static_cast<size_t>(std::clamp(r[2] + g[2] + b[2], 0, kFull))];
    p[1] = encode_[static_cast<size_t>(std::clamp(r[1] + g[1] + b[1], 0, kFull))];
    p[2] = encode_[static_cast<size_t>(std::clamp(r[0] + g[0] + b[0], 0, kFull))];
  }
}

}  // namespace codec
