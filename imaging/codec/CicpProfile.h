#pragma once
// Little CMS profiles for the colours that CICP code points (ITU-T H.273) name, as HEIF and AVIF
// files give them in place of an ICC profile.

#include <lcms2.h>

#include <memory>
#include <string>

namespace codec {

struct ProfileCloser {
  void operator()(void* profile) const { cmsCloseProfile(profile); }
};
// An open Little CMS profile.
using Profile = std::unique_ptr<void, ProfileCloser>;

// The RGB profile of these primaries and transfer characteristics; 2 (unspecified) reads as
// BT.709 primaries and the sRGB transfer, a transfer of 0 as sRGB's. None for codes it does not
// know and for high dynamic range transfers (PQ, HLG), with why.
Profile CicpProfile(int primaries, int transfer, std::string& why);

}  // namespace codec
