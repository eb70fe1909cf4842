// HEIF (HEIC, AVIF), WebP and TIFF pictures written through their own libraries: read at their
// shown size, the right way up, dated by their Exif, and a damaged one named and refused.

#include <gtest/gtest.h>

#include <filesystem>

#include "imaging/ImageWrap.h"
#include "imaging/PictureDate.h"
#include "tests/support/FakePlatformUi.h"
#include "tests/support/TempDir.h"
#include "tests/support/TestPictures.h"
#include "tests/support/TodayFormatFiles.h"

namespace {

constexpr int kWidth = 32;
constexpr int kHeight = 16;
const Rgb kMark{220, 30, 30};
const Rgb kGround{40, 90, 200};

enum class Corner { TopLeft, TopRight, BottomLeft, BottomRight };

struct FormatCase {
  const char* name;
  TodayFormat format;
  int exifOrientation;  // 0: no Orientation
  int heifOrientation;
  bool swapsSides;
  Corner mark;       // where the stored top-left corner shows
  int tolerance;     // per channel, for lossy coding
  bool dated;
};

// A picture with a marked top-left corner, so that any turn or mirror shows.
TodayPicture MarkedPicture(const FormatCase& c) {
  TodayPicture p;
  p.width = kWidth;
  p.height = kHeight;
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) {
      p.pixels.push_back(x < 8 && y < 8 ? kMark : kGround);
    }
  }
  p.exifOrientation = c.exifOrientation;
  p.heifOrientation = c.heifOrientation;
  p.takenAt = c.dated ? "2021:07:14 10:32:05" : "";
  return p;
}

// The colour a pixel shows: a grey file keeps the red channel it was written from, a half
// transparent one lies over white.
Rgb Shown(TodayFormat format, const Rgb& c) {
  if (format == TodayFormat::TiffGrey) {
    return {c.red, c.red, c.red};
  }
  if (format == TodayFormat::WebpAlpha) {
    const auto over = [](int v) { return static_cast<uint8_t>((v * 128 + 255 * 127 + 127) / 255); };
    return {over(c.red), over(c.green), over(c.blue)};
  }
  return c;
}

void ExpectNear(const Rgb& got, const Rgb& want, int tolerance) {
  EXPECT_NEAR(got.red, want.red, tolerance);
  EXPECT_NEAR(got.green, want.green, tolerance);
  EXPECT_NEAR(got.blue, want.blue, tolerance);
}

class TodayFormats : public ::testing::TestWithParam<FormatCase> {};

TEST_P(TodayFormats, ReadUprightAtTheShownSizeAndDatedByTheirExif) {
  const FormatCase& c = GetParam();
  const std::string bytes = WriteTodayFormat(c.format, MarkedPicture(c));
  if (bytes.empty()) {
    GTEST_SKIP() << "the library cannot write " << c.name << " here";
  }
  TempDir dir;
  const std::string path = dir.WriteFile(std::string("phone ") + c.name + ExtensionOf(c.format), bytes);
  FakePlatformUi ui;
  CImageWrap image;
  ASSERT_EQ(image.Load(path, ui), 1) << (ui.messages.empty() ? "" : ui.messages[0].text);
  ASSERT_EQ(image.Width(), c.swapsSides ? kHeight : kWidth);
  ASSERT_EQ(image.Height(), c.swapsSides ? kWidth : kHeight);
  const int right = image.Width() - 2;
  const int bottom = image.Height() - 2;
  const int x = c.mark == Corner::TopLeft || c.mark == Corner::BottomLeft ? 1 : right;
  const int y = c.mark == Corner::TopLeft || c.mark == Corner::TopRight ? 1 : bottom;
  ExpectNear(PixelAt(image, x, y), Shown(c.format, kMark), c.tolerance);
  ExpectNear(PixelAt(image, image.Width() - 1 - x, image.Height() - 1 - y),
             Shown(c.format, kGround), c.tolerance);

  std::string date;
  ASSERT_EQ(ReadPictureDate(path, date, ui), 1);
  if (c.dated) {
    EXPECT_EQ(date, FormatExifDate(2021, 7, 14, 10, 32));
  } else {
    EXPECT_EQ(date.find("2021"), std::string::npos);
  }
}

TEST_P(TodayFormats, DamagedFileIsRefusedAfterAMessageThatNamesIt) {
  const FormatCase& c = GetParam();
  const std::string bytes = WriteTodayFormat(c.format, MarkedPicture(c));
  if (bytes.empty()) {
    GTEST_SKIP() << "the library cannot write " << c.name << " here";
  }
  TempDir dir;
  const std::string path =
      dir.WriteFile(std::string("damaged ") + c.name + ExtensionOf(c.format), bytes.substr(0, bytes.size() / 3));
  FakePlatformUi ui;
  CImageWrap image;
  EXPECT_EQ(image.Load(path, ui), 0);
  EXPECT_FALSE(image.HasBitmap());
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_NE(ui.messages[0].text.find(path), std::string::npos) << ui.messages[0].text;
}

// The lossy codecs blur the mark's edge; the pixels looked at lie inside it.
INSTANTIATE_TEST_SUITE_P(
    Formats, TodayFormats,
    ::testing::Values(
        // HEIF turns by its own transforms; an Exif Orientation there is not applied again.
        FormatCase{"heic", TodayFormat::Heic, 3, 1, false, Corner::TopLeft, 24, true},
        FormatCase{"heic_turned", TodayFormat::Heic, 0, 6, true, Corner::TopRight, 24, false},
        FormatCase{"avif", TodayFormat::Avif, 0, 8, true, Corner::BottomLeft, 24, true},
        FormatCase{"webp_lossy", TodayFormat::WebpLossy, 6, 1, true, Corner::TopRight, 24, true},
        FormatCase{"webp_lossless", TodayFormat::WebpLossless, 0, 1, false, Corner::TopLeft, 0, false},
        FormatCase{"webp_alpha", TodayFormat::WebpAlpha, 3, 1, false, Corner::BottomRight, 1, true},
        FormatCase{"tiff", TodayFormat::Tiff8, 8, 1, true, Corner::BottomLeft, 0, true},
        FormatCase{"tiff16", TodayFormat::Tiff16, 0, 1, false, Corner::TopLeft, 0, false},
        FormatCase{"tiff_grey", TodayFormat::TiffGrey, 2, 1, false, Corner::TopRight, 0, true}),
    [](const ::testing::TestParamInfo<FormatCase>& info) { return std::string(info.param.name); });

}  // namespace
