#include <gtest/gtest.h>

#include <lcms2.h>

#include <functional>
#include <string>
#include <vector>

#include "imaging/codec/ColourConvert.h"
#include "tests/imaging/CodecTestFiles.h"
#include "tests/support/ColourProfiles.h"
#include "tests/support/TestPictures.h"

// Pixels in the colours a file names come out in sRGB as Little CMS itself converts them; a
// profile in sRGB leaves them alone, and one that cannot be used leaves them alone with the
// reason.

namespace {

enum class Kind { kColour, kPalette, kGrey };

struct ColourCase {
  const char* name;
  std::function<codec::ColourTag()> tag;
  Kind kind;
  // The profile that Little CMS converts the same pixels with for comparison; none: the
  // pixels must stay as they are.
  std::function<std::vector<uint8_t>()> reference;
  const char* ignoredBecause;  // a part of the reason, when the tag is not used
};

codec::ColourTag Icc(const std::vector<uint8_t>& icc) {
  codec::ColourTag tag;
  tag.icc = icc;
  return tag;
}

codec::ColourTag Cicp(int primaries, int transfer) {
  codec::ColourTag tag;
  tag.cicpPrimaries = primaries;
  tag.cicpTransfer = transfer;
  return tag;
}

CImageWrap PictureOf(Kind kind) {
  if (kind == Kind::kColour) {
    return MakePicture24(64, 64, GradientColour);
  }
  CImageWrap picture = MakePicture8(16, 16, [](int x, int y) { return y * 16 + x; });
  for (int i = 0; kind == Kind::kGrey && i < 256; ++i) {
    const auto v = static_cast<uint8_t>(i);
    picture.bitmap.ColorTable()[static_cast<size_t>(i)] = RgbQuad{v, v, v, 0};
  }
  return picture;
}

// Little CMS's conversion of the picture (its colour table expanded).
CImageWrap Reference(const CImageWrap& picture, const std::vector<uint8_t>& icc) {
  CImageWrap expanded;
  ExpandToTrueColor(picture.bitmap, expanded.bitmap);
  cmsHPROFILE profile = cmsOpenProfileFromMem(icc.data(), static_cast<cmsUInt32Number>(icc.size()));
  const bool grey = cmsGetColorSpace(profile) == cmsSigGrayData;
  cmsCloseProfile(profile);
  if (!grey) {
    return LcmsToSrgb(expanded, icc);
  }
  // Grey levels through the grey profile, which gives greys in sRGB.
  std::vector<uint8_t> rgb(256 * 3);
  cmsHPROFILE source = cmsOpenProfileFromMem(icc.data(), static_cast<cmsUInt32Number>(icc.size()));
  cmsHPROFILE srgb = cmsCreate_sRGBProfile();
  cmsHTRANSFORM transform = cmsCreateTransform(source, TYPE_GRAY_8, srgb, TYPE_RGB_8,
                                               INTENT_RELATIVE_COLORIMETRIC,
                                               cmsFLAGS_BLACKPOINTCOMPENSATION);
  std::vector<uint8_t> levels(256);
  for (int i = 0; i < 256; ++i) {
    levels[static_cast<size_t>(i)] = static_cast<uint8_t>(i);
  }
  cmsDoTransform(transform, levels.data(), rgb.data(), 256);
  cmsDeleteTransform(transform);
  cmsCloseProfile(srgb);
  cmsCloseProfile(source);
  return MakePicture24(expanded.Width(), expanded.Height(), [&](int x, int y) {
    const uint8_t level = PixelAt(expanded, x, y).green;
    const uint8_t v = rgb[level * 3u + 1];
    return Rgb{v, v, v};
  });
}

class ColourConversion : public ::testing::TestWithParam<ColourCase> {};

TEST_P(ColourConversion, GivesLittleCmsColoursOrLeavesThePixelsWithTheReason) {
  const ColourCase& c = GetParam();
  const CImageWrap original = PictureOf(c.kind);
  CImageWrap picture;
  ASSERT_EQ(original.CopyTo(picture), 1);
  const std::string why = codec::ConvertToSrgb(c.tag(), picture.bitmap);
  if (c.ignoredBecause != nullptr) {
    EXPECT_NE(why.find(c.ignoredBecause), std::string::npos) << why;
  } else {
    EXPECT_EQ(why, "");
  }
  CImageWrap shown;
  ExpandToTrueColor(picture.bitmap, shown.bitmap);
  CImageWrap before;
  ExpandToTrueColor(original.bitmap, before.bitmap);
  if (c.reference) {
    const CImageWrap expected = Reference(original, c.reference());
    EXPECT_LE(MaxChannelDifference(shown, expected), 1);
    EXPECT_GT(MaxChannelDifference(shown, before), 8) << "the colours did not move";
  } else {
    EXPECT_EQ(MaxChannelDifference(shown, before), 0);
  }
}

std::vector<uint8_t> CutShort() {
  std::vector<uint8_t> icc = AdobeRgbLikeProfile();
  icc.resize(icc.size() - 40);
  return icc;
}

// sRGB's profile with a colour space signature that no profile has.
std::vector<uint8_t> UnknownSpace() {
  std::vector<uint8_t> icc = SrgbProfile();
  icc[16] = icc[17] = icc[18] = icc[19] = 0xE7;
  return icc;
}

std::vector<uint8_t> Garbage() {
  std::vector<uint8_t> icc(300, 0x5A);
  icc[0] = icc[1] = 0;
  icc[2] = 1;
  icc[3] = 44;  // the size it declares, 300, is right
  return icc;
}

INSTANTIATE_TEST_SUITE_P(
    Tags, ColourConversion,
    ::testing::Values(
        ColourCase{"AdobeRgbProfile", [] { return Icc(AdobeRgbLikeProfile()); }, Kind::kColour,
                   AdobeRgbLikeProfile, nullptr},
        ColourCase{"AdobeRgbProfileOnAPalette", [] { return Icc(AdobeRgbLikeProfile()); },
                   Kind::kPalette, AdobeRgbLikeProfile, nullptr},
        ColourCase{"DisplayP3Cicp", [] { return Cicp(12, 13); }, Kind::kColour,
                   DisplayP3LikeProfile, nullptr},
        ColourCase{"GreyProfileOnGreyLevels", [] { return Icc(GreyProfile(1.8)); }, Kind::kGrey,
                   [] { return GreyProfile(1.8); }, nullptr},
        ColourCase{"SrgbProfile", [] { return Icc(SrgbProfile()); }, Kind::kColour, nullptr,
                   nullptr},
        ColourCase{"SrgbCicp", [] { return Cicp(1, 13); }, Kind::kPalette, nullptr, nullptr},
        ColourCase{"NoTag", [] { return codec::ColourTag(); }, Kind::kColour, nullptr, nullptr},
        ColourCase{"ProfileCutShort", [] { return Icc(CutShort()); }, Kind::kColour, nullptr,
                   "damaged"},
        ColourCase{"ProfileOfGarbage", [] { return Icc(Garbage()); }, Kind::kColour, nullptr,
                   "damaged"},
        ColourCase{"ProfileLibraryRefused",
                   [] {
                     codec::ColourTag tag;
                     tag.unreadable = true;
                     return tag;
                   },
                   Kind::kColour, nullptr, "damaged"},
        ColourCase{"LabProfile", [] { return Icc(LabProfile()); }, Kind::kColour, nullptr,
                   "a Lab profile"},
        ColourCase{"UnknownColourSpace", [] { return Icc(UnknownSpace()); }, Kind::kColour,
                   nullptr, "an unusual profile"},
        ColourCase{"GreyProfileOnColours", [] { return Icc(GreyProfile(1.8)); }, Kind::kColour,
                   nullptr, "grey profile"},
        ColourCase{"HighDynamicRangeCicp", [] { return Cicp(9, 16); }, Kind::kColour, nullptr,
                   "high dynamic range"},
        ColourCase{"UnknownCicpPrimaries", [] { return Cicp(99, 13); }, Kind::kColour, nullptr,
                   "primaries 99"}),
    [](const ::testing::TestParamInfo<ColourCase>& info) { return std::string(info.param.name); });

}  // namespace
