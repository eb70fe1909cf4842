#include "imaging/codec/ColourConvert.h"

#include <lcms2.h>

#include <array>
#include <cstdlib>
#include <functional>
#include <memory>
#include <mutex>
#include <string_view>
#include <unordered_map>
#include <utility>

#include "imaging/codec/CicpProfile.h"
#include "imaging/codec/FastRgbConversion.h"
#include "raster/Bitmap.h"

namespace codec {
namespace {

// No camera, phone or screen embeds a larger profile.
constexpr size_t kMaxProfileBytes = size_t{4} << 20;
// Conversions kept at once: a folder holds pictures of a few cameras and phones. A folder of
// more profiles than this makes some again, in bounded memory.
constexpr size_t kKeptConversions = 16;

struct TransformDeleter {
  void operator()(void* transform) const { cmsDeleteTransform(transform); }
};
using Transform = std::unique_ptr<void, TransformDeleter>;

// What the colours of one tag come to.
struct Conversion {
  enum class Kind { kNone, kRgb, kGrey, kIgnored };
  Kind kind = Kind::kIgnored;
  // kRgb: blue, green, red bytes to the same in sRGB, the quick way where it serves
  std::unique_ptr<FastRgbConversion> fast;
  Transform rgb;
  std::array<uint8_t, 256> grey{};    // kGrey: each grey level in sRGB
  std::string why;                    // kIgnored
};

uint32_t BigEndian32(const uint8_t* p) {
  return uint32_t{p[0]} << 24 | uint32_t{p[1]} << 16 | uint32_t{p[2]} << 8 | p[3];
}

Profile OpenIcc(const std::vector<uint8_t>& icc, std::string& why) {
  if (icc.size() > kMaxProfileBytes) {
    why = "the profile is larger than 4 MB";
    return nullptr;
  }
  // The header gives the profile's size: one that lost a segment on the way is shorter.
  const size_t declared = icc.size() >= 128 ? BigEndian32(icc.data()) : 0;
  Profile profile(declared >= 128 && declared <= icc.size()
                      ? cmsOpenProfileFromMem(icc.data(), static_cast<cmsUInt32Number>(declared))
                      : nullptr);
  if (!profile) {
    why = "the profile is damaged";
  }
  return profile;
}

std::string SpaceName(uint32_t space) {
  switch (space) {
    case cmsSigCmykData:
      return "a CMYK";
    case cmsSigLabData:
      return "a Lab";
    case cmsSigXYZData:
      return "an XYZ";
    case cmsSigYCbCrData:
      return "a YCbCr";
    default:
      return "an unusual";
  }
}

constexpr cmsUInt32Number kFlags = cmsFLAGS_BLACKPOINTCOMPENSATION;

// Relative colorimetric with black point compensation, unless the profile has a table of its
// own for the perceptual intent: its maker's choice of how colours out of sRGB's reach look.
cmsUInt32Number IntentFor(cmsHPROFILE profile) {
  return cmsIsCLUT(profile, INTENT_PERCEPTUAL, LCMS_USED_AS_INPUT) ? INTENT_PERCEPTUAL
                                                                   : INTENT_RELATIVE_COLORIMETRIC;
}

Transform ToSrgb(cmsHPROFILE source, cmsUInt32Number inFormat, cmsUInt32Number outFormat) {
  const Profile srgb(cmsCreate_sRGBProfile());
  if (!srgb) {
    return nullptr;
  }
  return Transform(cmsCreateTransform(source, inFormat, srgb.get(), outFormat, IntentFor(source),
                                      kFlags));
}

// Whether converted levels stay within a level of the originals: a profile that describes
// sRGB, however it is written, then costs nothing.
bool NearlyUnchanged(const uint8_t* before, const uint8_t* after, size_t count) {
  for (size_t i = 0; i < count; ++i) {
    if (std::abs(before[i] - after[i]) > 1) {
      return false;
    }
  }
  return true;
}

void MakeRgb(cmsHPROFILE source, Conversion& conversion) {
  Transform transform = ToSrgb(source, TYPE_BGR_8, TYPE_BGR_8);
  if (!transform) {
    conversion.why = "the profile cannot be converted to sRGB";
    return;
  }
  // Every channel at 16 levels, the darkest and the lightest among them.
  constexpr int kLevels = 16;
  std::array<uint8_t, kLevels * kLevels * kLevels * 3> grid{};
  std::array<uint8_t, grid.size()> converted{};
  size_t i = 0;
  for (int red = 0; red < kLevels; ++red) {
    for (int green = 0; green < kLevels; ++green) {
      for (int blue = 0; blue < kLevels; ++blue) {
        grid[i++] = static_cast<uint8_t>(blue * 17);
        grid[i++] = static_cast<uint8_t>(green * 17);
        grid[i++] = static_cast<uint8_t>(red * 17);
      }
    }
  }
  cmsDoTransform(transform.get(), grid.data(), converted.data(), kLevels * kLevels * kLevels);
  if (NearlyUnchanged(grid.data(), converted.data(), grid.size())) {
    conversion.kind = Conversion::Kind::kNone;
    return;
  }
  conversion.kind = Conversion::Kind::kRgb;
  conversion.fast = FastRgbConversion::Make(source, IntentFor(source), kFlags, grid.data(),
                                            converted.data(), grid.size() / 3);
  if (!conversion.fast) {
    conversion.rgb = std::move(transform);
  }
}

void MakeGrey(cmsHPROFILE source, Conversion& conversion) {
  const Transform transform = ToSrgb(source, TYPE_GRAY_8, TYPE_RGB_8);
  if (!transform) {
    conversion.why = "the profile cannot be converted to sRGB";
    return;
  }
  std::array<uint8_t, 256> levels{};
  std::array<uint8_t, 256 * 3> rgb{};
  for (size_t i = 0; i < levels.size(); ++i) {
    levels[i] = static_cast<uint8_t>(i);
  }
  cmsDoTransform(transform.get(), levels.data(), rgb.data(), 256);
  for (size_t i = 0; i < levels.size(); ++i) {
    conversion.grey[i] = rgb[i * 3 + 1];
  }
  conversion.kind = NearlyUnchanged(levels.data(), conversion.grey.data(), levels.size())
                        ? Conversion::Kind::kNone
                        : Conversion::Kind::kGrey;
}

Conversion MakeConversion(const ColourTag& tag) {
  Conversion conversion;
  const Profile source = tag.icc.empty()
                             ? CicpProfile(tag.cicpPrimaries, tag.cicpTransfer, conversion.why)
                             : OpenIcc(tag.icc, conversion.why);
  if (!source) {
    return conversion;
  }
  // As a number: a damaged header may hold a signature outside the library's enumeration.
  const uint32_t space = cmsGetColorSpace(source.get());
  if (space == cmsSigRgbData) {
    MakeRgb(source.get(), conversion);
  } else if (space == cmsSigGrayData) {
    MakeGrey(source.get(), conversion);
  } else {
    conversion.why = SpaceName(space) + " profile does not fit a picture of RGB or grey pixels";
  }
  return conversion;
}

// The conversion of each tag met lately, made once. Keyed by a hash of the profile: two
// profiles that collide would at worst share colours, never memory.
std::shared_ptr<const Conversion> ConversionOf(const ColourTag& tag) {
  static std::mutex mutex;
  static std::unordered_map<std::string, std::shared_ptr<const Conversion>> kept;
  const std::string key =
      tag.icc.empty()
          ? "cicp " + std::to_string(tag.cicpPrimaries) + " " + std::to_string(tag.cicpTransfer)
          : "icc " + std::to_string(tag.icc.size()) + " " +
                std::to_string(std::hash<std::string_view>{}(std::string_view(
                    reinterpret_cast<const char*>(tag.icc.data()), tag.icc.size())));
  {
    const std::lock_guard lock(mutex);
    if (const auto found = kept.find(key); found != kept.end()) {
      return found->second;
    }
  }
  // Made outside the lock, so that pictures with known profiles never wait for a new one.
  auto made = std::make_shared<const Conversion>(MakeConversion(tag));
  const std::lock_guard lock(mutex);
  if (kept.size() >= kKeptConversions) {
    kept.clear();  // those in use live on with their pictures
  }
  return kept.emplace(key, std::move(made)).first->second;
}

// Converts count pixels of blue, green, red bytes in place: each pixel is read before its
// converted bytes are written.
void ConvertPixels(const Conversion& conversion, uint8_t* pixels, size_t count) {
  if (conversion.fast) {
    conversion.fast->Convert(pixels, count);
  } else {
    cmsDoTransform(conversion.rgb.get(), pixels, pixels, static_cast<cmsUInt32Number>(count));
  }
}

void ConvertColourTable(const Conversion& conversion, CBitmap& bitmap) {
  std::array<uint8_t, 256 * 3> colours{};
  for (size_t i = 0; i < 256; ++i) {
    const RgbQuad& q = bitmap.ColorTable()[i];
    colours[i * 3] = q.blue;
    colours[i * 3 + 1] = q.green;
    colours[i * 3 + 2] = q.red;
  }
  ConvertPixels(conversion, colours.data(), 256);
  for (size_t i = 0; i < 256; ++i) {
    RgbQuad& q = bitmap.ColorTable()[i];
    q = RgbQuad{colours[i * 3], colours[i * 3 + 1], colours[i * 3 + 2], q.reserved};
  }
}

}  // namespace

std::string ConvertToSrgb(const ColourTag& tag, CBitmap& bitmap) {
  if (tag.Empty() || bitmap.IsNull()) {
    return {};
  }
  if (tag.unreadable) {
    return "the profile is damaged";
  }
  const std::shared_ptr<const Conversion> conversion = ConversionOf(tag);
  const bool indexed = bitmap.BitsPerPixel() == 8;
  switch (conversion->kind) {
    case Conversion::Kind::kNone:
      return {};
    case Conversion::Kind::kIgnored:
      return conversion->why;
    case Conversion::Kind::kGrey:
      if (!indexed) {
        return "a grey profile does not fit a colour picture";
      }
      for (RgbQuad& q : bitmap.ColorTable()) {
        q = RgbQuad{conversion->grey[q.blue], conversion->grey[q.green], conversion->grey[q.red],
                    q.reserved};
      }
      return {};
    case Conversion::Kind::kRgb:
      if (indexed) {
        ConvertColourTable(*conversion, bitmap);
      } else {
        for (int y = 0; y < bitmap.Height(); ++y) {
          ConvertPixels(*conversion, bitmap.Row(y), static_cast<size_t>(bitmap.Width()));
        }
      }
      return {};
  }
  return {};
}

}  // namespace codec
