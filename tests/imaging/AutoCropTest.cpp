#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "imaging/CropAnalyzer.h"
#include "imaging/CropReport.h"
#include "imaging/ImageWrap.h"
#include "tests/support/TestPictures.h"

namespace {

constexpr Rgb kBlack{0, 0, 0};
constexpr Rgb kWhite{255, 255, 255};
constexpr Rgb kGrey{128, 128, 128};
const Rect kUntouched{1, 2, 3, 4};

// A picture painted one 8 x 8 block at a time: colour(block column, block row).
CImageWrap MakeBlockPicture(int width, int height, const std::function<Rgb(int, int)>& colour) {
  return MakePicture24(width, height, [&](int x, int y) { return colour(x / 8, y / 8); });
}

// Grey, with a checkerboard of black and white blocks over block columns 16..23 and block
// rows 12..19 (regions 4..5 by 3..4). 61 x 33 blocks make 15 x 8 whole regions.
CImageWrap MakeBusyObjectPicture() {
  return MakeBlockPicture(488, 264, [](int c, int r) {
    if (c < 16 || c > 23 || r < 12 || r > 19) {
      return kGrey;
    }
    return (c + r) % 2 == 0 ? kBlack : kWhite;
  });
}

int ScoreAt(const CCropReport& report, int row, int column) {
  return report.regionScores[static_cast<size_t>(row) * report.regionColumns + column];
}

struct RefusedCase {
  const char* name;
  int width, height, bitsPerPixel, strategy;
};

class FindAutoCropRefuses : public testing::TestWithParam<RefusedCase> {};

TEST_P(FindAutoCropRefuses, WithZeroAndLeavesTheRectangle) {
  const RefusedCase& c = GetParam();
  const CImageWrap picture =
      c.bitsPerPixel == 8
          ? MakePicture8(c.width, c.height, [](int x, int) { return static_cast<uint8_t>(x); })
          : MakePicture24(c.width, c.height, [](int x, int) {
              return Rgb{static_cast<uint8_t>(x), 0, 0};
            });
  Rect rect = kUntouched;
  EXPECT_EQ(picture.FindAutoCrop(rect, c.strategy, 1, 0), 0);
  EXPECT_EQ(rect, kUntouched);
}

INSTANTIATE_TEST_SUITE_P(AutoCrop, FindAutoCropRefuses,
                         testing::Values(RefusedCase{"Narrow", 63, 1000, 24, 1},
                                         RefusedCase{"NarrowStrategyTwo", 63, 1000, 24, 2},
                                         RefusedCase{"Low", 1000, 63, 24, 2},
                                         RefusedCase{"EightBit", 200, 200, 8, 1},
                                         RefusedCase{"EightBitStrategyTwo", 200, 200, 8, 2},
                                         RefusedCase{"StrategyZero", 200, 136, 24, 0},
                                         RefusedCase{"StrategyThree", 200, 136, 24, 3}),
                         [](const testing::TestParamInfo<RefusedCase>& info) {
                           return std::string(info.param.name);
                         });

TEST(AutoCrop, UnknownStrategyStillReportsTheAnalysis) {
  const CImageWrap picture = MakeBusyObjectPicture();
  Rect rect = kUntouched;
  CCropReport report;
  EXPECT_EQ(picture.FindAutoCrop(rect, 3, 0, 1, &report), 0);
  EXPECT_EQ(rect, kUntouched);
  EXPECT_EQ(report.result, 0);
  EXPECT_TRUE(report.rect.IsEmpty());
  EXPECT_EQ(report.blockRows, 33);
  EXPECT_EQ(ScoreAt(report, 3, 4), 96);
}

TEST(AutoCrop, BlockMeansTruncateAndEdgeBlocksUseThePixelsTheyHave) {
  const CImageWrap picture = MakePicture24(70, 66, [](int x, int y) {
    return Rgb{static_cast<uint8_t>(x), static_cast<uint8_t>(y), 200};
  });
  CCropAnalyzer analyzer;
  ASSERT_EQ(analyzer.Analyze(picture.bitmap), 1);
  EXPECT_EQ(analyzer.BlockRows(), 9);
  EXPECT_EQ(analyzer.BlockColumns(), 9);
  EXPECT_EQ(analyzer.RegionRows(), 2);
  EXPECT_EQ(analyzer.RegionColumns(), 2);
  const auto& means = analyzer.Means();
  EXPECT_EQ(means[0], (BlockRgb{3, 3, 200}));            // 3.5 truncated
  EXPECT_EQ(means[1 * 9 + 2], (BlockRgb{19, 11, 200}));  // columns 16..23, rows 8..15
  EXPECT_EQ(means[8 * 9 + 8], (BlockRgb{66, 64, 200}));  // 6 columns 64..69, 2 rows 64..65
}

TEST(AutoCrop, UniformPictureFailsTheTrimAndKeepsEveryRegionWhole) {
  const CImageWrap picture = MakeBlockPicture(200, 136, [](int, int) { return kGrey; });
  CCropReport report;
  Rect rect = kUntouched;
  EXPECT_EQ(picture.FindAutoCrop(rect, 1, 0, 0, &report), 0);
  EXPECT_EQ(rect, kUntouched);
  // All differences are 0, u is 0, and 0 reaches all three thresholds.
  EXPECT_EQ(report.unit, 0);
  EXPECT_EQ(report.threshold, 256);
  EXPECT_EQ(report.regionScores, std::vector<int>(24, 96));

  EXPECT_EQ(picture.FindAutoCrop(rect, 2, 0, 0, &report), 2);
  EXPECT_EQ(rect, (Rect{0, 0, 192, 128}));
  EXPECT_EQ(report.blockRows, 17);
  EXPECT_EQ(report.blockColumns, 25);
  EXPECT_EQ(report.regionRows, 4);
  EXPECT_EQ(report.regionColumns, 6);
  EXPECT_EQ(report.threshold, 72);
  EXPECT_EQ(report.regionScores, std::vector<int>(24, 96));
  EXPECT_EQ(report.rect, rect);
  EXPECT_EQ(report.result, 2);

  // 192 x 128 covers 90 % of the picture: fitted keeping its area.
  EXPECT_EQ(picture.FindAutoCrop(rect, 2, 1, 0), 2);
  EXPECT_EQ(rect, (Rect{1, 0, 191, 129}));
}

TEST(AutoCrop, SmallestPictureIsOneTwoByTwoRegionGrid) {
  const CImageWrap picture = MakeBlockPicture(64, 64, [](int, int) { return kGrey; });
  Rect rect;
  EXPECT_EQ(picture.FindAutoCrop(rect, 2, 0, 0), 2);
  EXPECT_EQ(rect, (Rect{0, 0, 64, 64}));
}

TEST(AutoCrop, BusyObjectIsFramedByBothStrategies) {
  const CImageWrap picture = MakeBusyObjectPicture();
  for (int diagnostic : {0, 1}) {
    SCOPED_TRACE(diagnostic);
    CCropReport report;
    Rect rect;
    // Rows need a fifth of RR = 8 busy (2), columns a fifth of RC = 15 (3). The right and
    // bottom edges move from the picture's edges (488, 264) in steps of 32.
    EXPECT_EQ(picture.FindAutoCrop(rect, 1, 0, diagnostic, &report), 1);
    EXPECT_EQ(rect, (Rect{128, 96, 200, 200}));
    EXPECT_EQ(report.threshold, 256);
    // u = (16320 + 16320) / 2013 blocks.
    EXPECT_EQ(report.unit, 16);
    EXPECT_EQ(report.blockColumns, 61);
    EXPECT_EQ(report.regionColumns, 15);
    EXPECT_EQ(report.regionRows, 8);
    const size_t first = 12 * 61 + 16;  // black block after grey
    EXPECT_EQ(report.horizontalDifferences[first], 128);
    EXPECT_EQ(report.verticalDifferences[first], 128);
    EXPECT_EQ(report.horizontalLevels[first], 3);
    const size_t after = 12 * 61 + 24;  // grey block after white
    EXPECT_EQ(report.horizontalDifferences[after], 127);
    EXPECT_EQ(report.verticalDifferences[after], 0);
    EXPECT_EQ(report.horizontalLevels[after], 3);
    EXPECT_EQ(report.verticalLevels[after], 0);
    EXPECT_EQ(report.horizontalDifferences[0], 0);
    EXPECT_EQ(ScoreAt(report, 3, 4), 96);
    EXPECT_EQ(ScoreAt(report, 4, 5), 96);
    EXPECT_EQ(ScoreAt(report, 3, 6), 12);  // the object's right edge
    EXPECT_EQ(ScoreAt(report, 5, 4), 12);  // its bottom edge
    EXPECT_EQ(ScoreAt(report, 3, 3), 0);
    EXPECT_TRUE(report.candidates.empty());

    // M = 12, faces (96) exist: T = 9; the edges' regions count too.
    EXPECT_EQ(picture.FindAutoCrop(rect, 2, 0, diagnostic, &report), 2);
    EXPECT_EQ(rect, (Rect{128, 96, 224, 192}));
    EXPECT_EQ(report.threshold, 9);
  }
  // 72 x 104 covers under half the picture: heightened to the turned aspect 264 / 488.
  Rect rect;
  EXPECT_EQ(picture.FindAutoCrop(rect, 1, 1, 0), 1);
  EXPECT_EQ(rect, (Rect{128, 82, 200, 215}));
}

TEST(AutoCrop, BlocksBeyondTheWholeRegionsAddToNoRegion) {
  // 9 x 9 blocks make 2 x 2 regions; the detail lies only in block row 8 and block column 8.
  const CImageWrap picture = MakeBlockPicture(72, 72, [](int c, int r) {
    return c < 8 && r < 8 ? kGrey : ((c + r) % 2 == 0 ? kBlack : kWhite);
  });
  CCropReport report;
  Rect rect;
  picture.FindAutoCrop(rect, 1, 0, 0, &report);
  EXPECT_GT(report.unit, 0);
  EXPECT_EQ(report.regionScores, std::vector<int>(4, 0));
}

// Vertical stripes of blocks below some quiet region rows: one quiet row out of ten is
// exactly a tenth, which is not worth trimming; two are.
struct TrimShareCase {
  int quietRows;
  int result;
  Rect expected;
};

class TrimShare : public testing::TestWithParam<TrimShareCase> {};

TEST_P(TrimShare, NeedsMoreThanATenthOfOneSide) {
  const int quietBlockRows = GetParam().quietRows * 4;
  const CImageWrap picture = MakeBlockPicture(320, 320, [&](int c, int r) {
    return r < quietBlockRows ? kGrey : (c % 2 == 0 ? kBlack : kWhite);
  });
  Rect rect = kUntouched;
  EXPECT_EQ(picture.FindAutoCrop(rect, 1, 0, 0), GetParam().result);
  EXPECT_EQ(rect, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(AutoCrop, TrimShare,
                         testing::Values(TrimShareCase{1, 0, kUntouched},
                                         TrimShareCase{2, 1, {0, 64, 320, 320}}),
                         [](const auto& info) {
                           return "QuietRows" + std::to_string(info.param.quietRows);
                         });

// Strategy 2 with every region below the threshold, or only an isolated one above it, has
// nothing to bound: no proposal rather than an inverted rectangle.
TEST(AutoCrop, BusiestRegionsWithNothingLeftProposeNothing) {
  // The only detail lies in block row 8, below the last whole region row: all scores are 0.
  const CImageWrap belowGrid = MakeBlockPicture(
      64, 72, [](int c, int r) { return r < 8 ? kGrey : (c % 2 == 0 ? kBlack : kWhite); });
  CCropReport report;
  Rect rect = kUntouched;
  EXPECT_EQ(belowGrid.FindAutoCrop(rect, 2, 1, 0, &report), 0);
  EXPECT_EQ(rect, kUntouched);
  EXPECT_EQ(report.unit, 38);
  EXPECT_EQ(report.regionScores, std::vector<int>(4, 0));
  EXPECT_EQ(report.threshold, 0);
  EXPECT_EQ(report.result, 0);
  EXPECT_TRUE(report.rect.IsEmpty());

  // One black region on white: it scores 24, its right and lower neighbours 12, T = 12,
  // and the lone region above T is dropped as isolated.
  const CImageWrap lone = MakeBlockPicture(256, 256, [](int c, int r) {
    return c >= 8 && c < 12 && r >= 8 && r < 12 ? kBlack : kWhite;
  });
  EXPECT_EQ(lone.FindAutoCrop(rect, 2, 0, 0, &report), 0);
  EXPECT_EQ(rect, kUntouched);
  EXPECT_EQ(report.unit, 3);
  EXPECT_EQ(report.threshold, 12);
  EXPECT_EQ(ScoreAt(report, 2, 2), -1);
  EXPECT_EQ(ScoreAt(report, 2, 3), 12);
  EXPECT_EQ(ScoreAt(report, 3, 2), 12);
}

}  // namespace
