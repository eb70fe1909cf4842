// quillaran_write_profile FILE: writes an ICC profile of the Adobe RGB (1998) colours, made with
// Little CMS, for the benchmarks of profile-tagged albums.

#include <cstdio>
#include <vector>

#include "tests/support/ColourProfiles.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: quillaran_write_profile FILE\n");
    return 2;
  }
  const std::vector<uint8_t> profile = AdobeRgbLikeProfile();
  std::FILE* file = std::fopen(argv[1], "wb");
  const bool written = file != nullptr &&
                       std::fwrite(profile.data(), 1, profile.size(), file) == profile.size();
  if (file == nullptr || std::fclose(file) != 0 || !written) {
    std::fprintf(stderr, "could not write %s\n", argv[1]);
    return 1;
  }
  return 0;
}
