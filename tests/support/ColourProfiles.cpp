#include "tests/support/ColourProfiles.h"

#include <lcms2.h>
#include <zlib.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "tests/support/TestPictures.h"

namespace {

constexpr cmsCIExyY kD65{0.3127, 0.3290, 1.0};

std::vector<uint8_t> Saved(cmsHPROFILE profile) {
  cmsUInt32Number size = 0;
  cmsSaveProfileToMem(profile, nullptr, &size);
  std::vector<uint8_t> bytes(size);
  cmsSaveProfileToMem(profile, bytes.data(), &size);
  cmsCloseProfile(profile);
  return bytes;
}

std::vector<uint8_t> RgbProfile(const cmsCIExyYTRIPLE& primaries, cmsToneCurve* curve) {
  cmsToneCurve* const curves[3] = {curve, curve, curve};
  std::vector<uint8_t> bytes = Saved(cmsCreateRGBProfile(&kD65, &primaries, curves));
  cmsFreeToneCurve(curve);
  return bytes;
}

std::string BigEndian(uint32_t value, int bytes) {
  std::string out;
  for (int i = bytes - 1; i >= 0; --i) {
    out.push_back(static_cast<char>(value >> (8 * i)));
  }
  return out;
}

}  // namespace

std::vector<uint8_t> AdobeRgbLikeProfile() {
  return RgbProfile({{0.64, 0.33, 1}, {0.21, 0.71, 1}, {0.15, 0.06, 1}},
                    cmsBuildGamma(nullptr, 563.0 / 256));
}

std::vector<uint8_t> DisplayP3LikeProfile() {
  const cmsFloat64Number srgbCurve[5] = {2.4, 1 / 1.055, 0.055 / 1.055, 1 / 12.92, 0.04045};
  return RgbProfile({{0.680, 0.320, 1}, {0.265, 0.690, 1}, {0.150, 0.060, 1}},
                    cmsBuildParametricToneCurve(nullptr, 4, srgbCurve));
}

std::vector<uint8_t> SrgbProfile() { return Saved(cmsCreate_sRGBProfile()); }

std::vector<uint8_t> GreyProfile(double gamma) {
  cmsToneCurve* curve = cmsBuildGamma(nullptr, gamma);
  std::vector<uint8_t> bytes = Saved(cmsCreateGrayProfile(cmsD50_xyY(), curve));
  cmsFreeToneCurve(curve);
  return bytes;
}

std::vector<uint8_t> LabProfile() { return Saved(cmsCreateLab4Profile(nullptr)); }

std::string JpegWithProfile(const std::string& jpeg, const std::vector<uint8_t>& icc,
                            size_t segmentBytes, bool reversed, int skip) {
  const size_t count = (icc.size() + segmentBytes - 1) / segmentBytes;
  std::vector<std::string> segments;
  for (size_t i = 0; i < count; ++i) {
    const size_t begin = i * segmentBytes;
    const size_t end = std::min(icc.size(), begin + segmentBytes);
    std::string payload("ICC_PROFILE\0", 12);
    payload += static_cast<char>(i + 1);
    payload += static_cast<char>(count);
    payload.append(reinterpret_cast<const char*>(icc.data()) + begin, end - begin);
    if (static_cast<int>(i + 1) != skip) {
      segments.push_back("\xFF\xE2" + BigEndian(static_cast<uint32_t>(payload.size() + 2), 2) +
                         payload);
    }
  }
  if (reversed) {
    std::reverse(segments.begin(), segments.end());
  }
  std::string out = jpeg.substr(0, 2);
  for (const std::string& segment : segments) {
    out += segment;
  }
  return out + jpeg.substr(2);
}

std::string PngWithProfile(const std::string& png, const std::vector<uint8_t>& icc) {
  uLongf packedSize = compressBound(static_cast<uLong>(icc.size()));
  std::string packed(packedSize, '\0');
  compress(reinterpret_cast<Bytef*>(packed.data()), &packedSize, icc.data(),
           static_cast<uLong>(icc.size()));
  packed.resize(packedSize);
  const std::string body = std::string("iCCPtest\0\0", 10) + packed;
  const auto crc = static_cast<uint32_t>(
      crc32(0, reinterpret_cast<const Bytef*>(body.data()), static_cast<uInt>(body.size())));
  // The signature (8 bytes) and the header chunk (25) come first.
  return png.substr(0, 33) + BigEndian(static_cast<uint32_t>(body.size() - 4), 4) + body +
         BigEndian(crc, 4) + png.substr(33);
}

CImageWrap ColourBlocks() {
  static const Rgb kColours[16] = {
      {255, 0, 0},     {0, 255, 0},     {0, 0, 255},     {255, 255, 0},
      {0, 255, 255},   {255, 0, 255},   {200, 40, 30},   {40, 180, 60},
      {30, 60, 200},   {224, 172, 140}, {120, 170, 230}, {128, 128, 128},
      {32, 32, 32},    {240, 240, 240}, {250, 120, 20},  {90, 30, 120}};
  return MakePicture24(64, 64, [](int x, int y) { return kColours[(y / 16) * 4 + x / 16]; });
}

int BlockMeanDifference(const CImageWrap& a, const CImageWrap& b) {
  double largest = 0;
  for (int top = 0; top < 64; top += 16) {
    for (int left = 0; left < 64; left += 16) {
      double sum[3] = {};
      for (int y = top + 3; y < top + 13; ++y) {
        for (int x = left + 3; x < left + 13; ++x) {
          const Rgb p = PixelAt(a, x, y);
          const Rgb q = PixelAt(b, x, y);
          sum[0] += p.red - q.red;
          sum[1] += p.green - q.green;
          sum[2] += p.blue - q.blue;
        }
      }
      for (const double channel : sum) {
        largest = std::max(largest, std::abs(channel) / 100);
      }
    }
  }
  return static_cast<int>(std::lround(largest));
}

CImageWrap LcmsToSrgb(const CImageWrap& picture, const std::vector<uint8_t>& icc) {
  cmsHPROFILE source = cmsOpenProfileFromMem(icc.data(), static_cast<cmsUInt32Number>(icc.size()));
  cmsHPROFILE srgb = cmsCreate_sRGBProfile();
  cmsHTRANSFORM transform = cmsCreateTransform(source, TYPE_BGR_8, srgb, TYPE_BGR_8,
                                               INTENT_RELATIVE_COLORIMETRIC,
                                               cmsFLAGS_BLACKPOINTCOMPENSATION);
  CImageWrap converted;
  picture.CopyTo(converted);
  for (int y = 0; y < converted.Height(); ++y) {
    cmsDoTransform(transform, picture.bitmap.Row(y), converted.bitmap.Row(y),
                   static_cast<cmsUInt32Number>(converted.Width()));
  }
  cmsDeleteTransform(transform);
  cmsCloseProfile(srgb);
  cmsCloseProfile(source);
  return converted;
}
