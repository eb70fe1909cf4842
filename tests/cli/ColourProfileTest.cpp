#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "imaging/codec/Codec.h"
#include "tests/cli/QuillaranWebFixture.h"
#include "tests/support/ColourProfiles.h"

// Photographs tagged with a colour profile: their web copies show what Little CMS makes of
// them in sRGB; a profile that cannot be used, and no profile, leave the colours as they are.

namespace {

namespace fs = std::filesystem;

struct TaggedFile {
  const char* name;
  // The profile embedded, and how: a JPEG's APP2 segments (of this size, in reverse order or
  // one left out) or a PNG's iCCP chunk.
  std::vector<uint8_t> (*profile)();
  size_t segmentBytes = 65519;
  bool reversed = false;
  int skip = 0;
  bool honoured = true;  // the colours are converted from the profile's
};

std::vector<uint8_t> None() { return {}; }

const TaggedFile kFiles[] = {
    {"adobe.jpg", AdobeRgbLikeProfile},
    {"p3.png", DisplayP3LikeProfile},
    {"p3 in segments.jpg", DisplayP3LikeProfile, 100, true},
    {"segment lost.jpg", AdobeRgbLikeProfile, 100, false, 2, false},
    {"untagged.jpg", None, 65519, false, 0, false},
};

// The pixels as the file holds them, before any conversion.
CImageWrap StoredPixels(const fs::path& path) {
  CImageWrap picture;
  codec::DecodeOptions asStored;
  asStored.fileColours = true;
  codec::DecodeFile(path.string(), picture.bitmap, asStored);
  return picture;
}

using ColourProfiles = QuillaranWebFixture;

// The picture as a JPEG web copy of it shows it: written and read back, so that what JPEG does
// to saturated colours (red 255 comes back as 252) counts for the copy and its reference alike.
CImageWrap AsJpegCopy(const CImageWrap& picture, const TempDir& dir) {
  const std::string path = (dir / "reference.jpg").string();
  EXPECT_EQ(picture.Save(path), 0u);
  return LoadFile(path);
}

TEST_F(ColourProfiles, WebCopiesShowTheProfilesColoursInSrgb) {
  const CImageWrap blocks = ColourBlocks();
  for (const TaggedFile& file : kFiles) {
    const std::string name = file.name;
    const bool png = name.ends_with(".png");
    const std::string untagged = "untagged" + std::string(png ? ".png" : ".jpg");
    ASSERT_EQ(blocks.Save((temp / untagged).string()), 0u);
    const std::string bytes = ReadFileBytes(temp / untagged);
    const std::vector<uint8_t> icc = file.profile();
    temp.WriteFile("My Album/" + name,
                   icc.empty() ? bytes
                   : png       ? PngWithProfile(bytes, icc)
                               : JpegWithProfile(bytes, icc, file.segmentBytes, file.reversed,
                                                 file.skip));
  }
  ASSERT_EQ(Run({album.string()}), 0) << err.str();
  for (const TaggedFile& file : kFiles) {
    SCOPED_TRACE(file.name);
    const CImageWrap copy = LoadFile(album / "Large" / file.name);
    ASSERT_TRUE(copy.HasBitmap());
    CImageWrap expected = StoredPixels(album / file.name);
    if (file.honoured) {
      expected = LcmsToSrgb(expected, file.profile());
    }
    if (std::string(file.name).ends_with(".jpg")) {
      expected = AsJpegCopy(expected, temp);
    }
    EXPECT_LE(BlockMeanDifference(copy, expected), 2);
    if (file.honoured) {
      EXPECT_GT(BlockMeanDifference(copy, StoredPixels(album / file.name)), 10)
          << "the colours did not move";
    }
  }
}

}  // namespace
