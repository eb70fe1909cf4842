#include "imaging/codec/CicpProfile.h"

namespace codec {
namespace {

constexpr cmsCIExyY kD65{0.3127, 0.3290, 1.0};
constexpr cmsCIExyY kIlluminantC{0.310, 0.316, 1.0};
constexpr cmsCIExyY kDci{0.314, 0.351, 1.0};

struct Primaries {
  int code;
  cmsCIExyYTRIPLE rgb;
  cmsCIExyY white;
};

constexpr Primaries kPrimaries[] = {
    {1, {{0.640, 0.330, 1}, {0.300, 0.600, 1}, {0.150, 0.060, 1}}, kD65},         // BT.709, sRGB
    {4, {{0.670, 0.330, 1}, {0.210, 0.710, 1}, {0.140, 0.080, 1}}, kIlluminantC}, // BT.470 M
    {5, {{0.640, 0.330, 1}, {0.290, 0.600, 1}, {0.150, 0.060, 1}}, kD65},         // BT.601 625
    {6, {{0.630, 0.340, 1}, {0.310, 0.595, 1}, {0.155, 0.070, 1}}, kD65},         // BT.601 525
    {7, {{0.630, 0.340, 1}, {0.310, 0.595, 1}, {0.155, 0.070, 1}}, kD65},         // SMPTE 240M
    {8, {{0.681, 0.319, 1}, {0.243, 0.692, 1}, {0.145, 0.049, 1}}, kIlluminantC}, // film
    {9, {{0.708, 0.292, 1}, {0.170, 0.797, 1}, {0.131, 0.046, 1}}, kD65},         // BT.2020
    {11, {{0.680, 0.320, 1}, {0.265, 0.690, 1}, {0.150, 0.060, 1}}, kDci},        // DCI-P3
    {12, {{0.680, 0.320, 1}, {0.265, 0.690, 1}, {0.150, 0.060, 1}}, kD65},        // Display P3
    {22, {{0.630, 0.340, 1}, {0.295, 0.605, 1}, {0.155, 0.077, 1}}, kD65},        // EBU 3213
};

// The decoding of each transfer as a Little CMS parametric curve: type 1 is Y = X^g; type 4 is
// Y = (aX + b)^g from X = d up, cX below it ({g, a, b, c, d}), the inverse of the standards'
// encoding functions.
struct Transfer {
  int code;
  int type;
  cmsFloat64Number params[5];
};

constexpr cmsFloat64Number kBt709[5] = {1 / 0.45, 1 / 1.099, 0.099 / 1.099, 1 / 4.5, 0.081};

constexpr Transfer kTransfers[] = {
    {1, 4, {kBt709[0], kBt709[1], kBt709[2], kBt709[3], kBt709[4]}},   // BT.709
    {4, 1, {2.2}},                                                     // BT.470 M
    {5, 1, {2.8}},                                                     // BT.470 B/G
    {6, 4, {kBt709[0], kBt709[1], kBt709[2], kBt709[3], kBt709[4]}},   // BT.601
    {7, 4, {1 / 0.45, 1 / 1.1115, 0.1115 / 1.1115, 1 / 4.0, 0.0913}},  // SMPTE 240M
    {8, 1, {1.0}},                                                     // linear
    {13, 4, {2.4, 1 / 1.055, 0.055 / 1.055, 1 / 12.92, 0.04045}},      // sRGB
    {14, 4, {kBt709[0], kBt709[1], kBt709[2], kBt709[3], kBt709[4]}},  // BT.2020, 10 bits
    {15, 4, {kBt709[0], kBt709[1], kBt709[2], kBt709[3], kBt709[4]}},  // BT.2020, 12 bits
};

}  // namespace

Profile CicpProfile(int primaries, int transfer, std::string& why) {
  primaries = primaries == 2 ? 1 : primaries;
  transfer = transfer == 0 || transfer == 2 ? 13 : transfer;
  const Primaries* chosen = nullptr;
  for (const Primaries& p : kPrimaries) {
    chosen = p.code == primaries ? &p : chosen;
  }
  const Transfer* curve = nullptr;
  for (const Transfer& t : kTransfers) {
    curve = t.code == transfer ? &t : curve;
  }
  if (chosen == nullptr) {
    why = "CICP colour primaries " + std::to_string(primaries) + " are not supported";
    return nullptr;
  }
  if (curve == nullptr) {
    why = "CICP transfer " + std::to_string(transfer) +
          (transfer == 16 || transfer == 18 ? " is of high dynamic range, not supported"
                                            : " is not supported");
    return nullptr;
  }
  cmsToneCurve* tone = cmsBuildParametricToneCurve(nullptr, curve->type, curve->params);
  if (tone == nullptr) {
    why = "the profile cannot be converted to sRGB";
    return nullptr;
  }
  cmsToneCurve* const curves[3] = {tone, tone, tone};
  Profile profile(cmsCreateRGBProfile(&chosen->white, &chosen->rgb, curves));
  cmsFreeToneCurve(tone);
  if (!profile) {
    why = "the profile cannot be converted to sRGB";
  }
  return profile;
}

}  // namespace codec
