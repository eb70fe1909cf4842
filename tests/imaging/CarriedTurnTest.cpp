// R and L on HEIF, AVIF, WebP and TIFF pictures write the turn into the orientation the file
// carries: the picture shows turned, and a turn and its opposite show it exactly as it was,
// which no new encoding of a lossy picture would.

#include <gtest/gtest.h>

#include <cstdlib>

#include "imaging/OriginalEdit.h"
#include "tests/support/CaseName.h"
#include "tests/support/FakePlatformUi.h"
#include "tests/support/TempDir.h"
#include "tests/support/TestPictures.h"
#include "tests/support/TodayFormatFiles.h"

namespace {

struct CarriedCase {
  const char* name;
  TodayFormat format;
  int exifOrientation;  // 0: none
  int heifOrientation;  // 1: none
};

const CarriedCase kCases[] = {
    {"heic_plain", TodayFormat::Heic, 0, 1},
    {"heic_turned", TodayFormat::Heic, 0, 6},
    {"heic_mirrored_and_turned", TodayFormat::Heic, 0, 5},
    {"avif_plain", TodayFormat::Avif, 0, 1},
    {"webp_lossy_without_exif", TodayFormat::WebpLossy, 0, 1},
    {"webp_lossy_upside_down", TodayFormat::WebpLossy, 3, 1},
    {"webp_lossless", TodayFormat::WebpLossless, 0, 1},
    {"webp_alpha", TodayFormat::WebpAlpha, 1, 1},
    {"tiff_without_orientation", TodayFormat::Tiff8, 0, 1},
    {"tiff16_turned", TodayFormat::Tiff16, 6, 1},
    {"tiff_grey", TodayFormat::TiffGrey, 0, 1},
};

class CarriedTurn : public testing::TestWithParam<CarriedCase> {};

CImageWrap Shown(const std::string& path) {
  FakePlatformUi ui;
  CImageWrap picture;
  EXPECT_EQ(picture.Load(path, ui), 1) << path;
  return picture;
}

void ExpectSamePixels(const CImageWrap& actual, const CImageWrap& expected, const char* when) {
  ASSERT_EQ(actual.Width(), expected.Width()) << when;
  ASSERT_EQ(actual.Height(), expected.Height()) << when;
  for (int y = 0; y < expected.Height(); ++y) {
    for (int x = 0; x < expected.Width(); ++x) {
      ASSERT_EQ(PixelAt(actual, x, y), PixelAt(expected, x, y)) << when << " at " << x << "," << y;
    }
  }
}

TEST_P(CarriedTurn, ShowsTurnedAndTurnsBackToThePictureAsItWas) {
  const CarriedCase& c = GetParam();
  TodayPicture picture;
  picture.width = 24;
  picture.height = 16;
  for (int y = 0; y < picture.height; ++y) {
    for (int x = 0; x < picture.width; ++x) {
      picture.pixels.push_back(GradientColour(x * 9, y * 13));
    }
  }
  picture.exifOrientation = c.exifOrientation;
  picture.heifOrientation = c.heifOrientation;
  const std::string bytes = WriteTodayFormat(c.format, picture);
  ASSERT_FALSE(bytes.empty());
  TempDir dir;
  const std::string path = dir.WriteFile(std::string("photo") + ExtensionOf(c.format), bytes);
  const CImageWrap before = Shown(path);
  CImageWrap turned = Shown(path);
  ASSERT_EQ(turned.Rotate(1), 1);

  ASSERT_EQ(TurnPictureFile(path, 1), 1);
  ExpectSamePixels(Shown(path), turned, "after R");

  ASSERT_EQ(TurnPictureFile(path, 0), 1);
  ExpectSamePixels(Shown(path), before, "after R and L");
  // The picture data were not written again: only a few bytes of orientation (at most a copied
  // directory) were added.
  EXPECT_LT(
      std::abs(static_cast<long>(ReadFileBytes(path).size()) - static_cast<long>(bytes.size())),
      256);
}

INSTANTIATE_TEST_SUITE_P(Formats, CarriedTurn, testing::ValuesIn(kCases), ByNameField());

}  // namespace
