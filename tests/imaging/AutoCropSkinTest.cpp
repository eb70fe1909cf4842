#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "imaging/CropColor.h"
#include "imaging/CropReport.h"
#include "imaging/ImageWrap.h"
#include "tests/support/TestPictures.h"

namespace {

constexpr Rgb kSkin{220, 170, 140};
constexpr Rgb kGrey{128, 128, 128};

bool InAny(const std::vector<BlockBox>& boxes, int c, int r) {
  for (const BlockBox& b : boxes) {
    if (c >= b.left && c <= b.right && r >= b.top && r <= b.bottom) {
      return true;
    }
  }
  return false;
}

// A 256 x 256 picture (32 x 32 blocks, 8 x 8 regions) whose blocks inside the boxes are skin
// and all others background(c, r).
template <typename Background>
CImageWrap MakeSkinPicture(const std::vector<BlockBox>& skin, Background background) {
  return MakePicture24(256, 256, [&](int x, int y) {
    return InAny(skin, x / 8, y / 8) ? kSkin : background(x / 8, y / 8);
  });
}

TEST(AutoCropSkin, BlobInNoiseBecomesAFaceScoring64) {
  ASSERT_TRUE(IsSkinTone(BlockRgb{kSkin.red, kSkin.green, kSkin.blue}));
  // Every block its own random colour, skin tones excluded.
  std::mt19937 random(7);
  std::vector<Rgb> noise(32 * 32);
  for (Rgb& colour : noise) {
    do {
      const uint32_t bits = random();
      colour = {static_cast<uint8_t>(bits), static_cast<uint8_t>(bits >> 8),
                static_cast<uint8_t>(bits >> 16)};
    } while (IsSkinTone(BlockRgb{colour.red, colour.green, colour.blue}));
  }
  const CImageWrap picture = MakeSkinPicture(
      {{9, 10, 14, 17}}, [&](int c, int r) { return noise[static_cast<size_t>(r) * 32 + c]; });
  CCropReport report;
  Rect rect;
  picture.FindAutoCrop(rect, 1, 0, 0, &report);
  ASSERT_EQ(report.candidates.size(), 1u);
  EXPECT_EQ(report.candidates[0], (CropCandidate{{9, 10, 14, 17}, 48}));
  // Block rows 10..17 reach region rows 2..4, block columns 9..14 region columns 2..3.
  for (int row = 0; row < 8; ++row) {
    for (int column = 0; column < 8; ++column) {
      const int score = report.regionScores[static_cast<size_t>(row) * 8 + column];
      if (row >= 2 && row <= 4 && column >= 2 && column <= 3) {
        EXPECT_EQ(score, 64) << row << "," << column;
      }
    }
  }
  // Faces are always busy enough for the busiest-regions strategy.
  ASSERT_EQ(picture.FindAutoCrop(rect, 2, 0, 0, &report), 2);
  EXPECT_LE(rect.left, 64);
  EXPECT_LE(rect.top, 64);
  EXPECT_GE(rect.right, 128);
  EXPECT_GE(rect.bottom, 160);
}

// On a black background every edge of the blob lies in a region that the face covers, so the
// face regions score 64 and all others 0. A box reaching below the last whole region row marks
// the regions of the last row only.
struct FaceCase {
  const char* name;
  int height;
  BlockBox skin;
  BlockBox faceRegions;
};

class FaceRegions : public testing::TestWithParam<FaceCase> {};

TEST_P(FaceRegions, ScoreAsFacesAndNoOthers) {
  const FaceCase& c = GetParam();
  const CImageWrap picture = MakePicture24(
      256, c.height, [&](int x, int y) { return InAny({c.skin}, x / 8, y / 8) ? kSkin : Rgb{}; });
  CCropReport report;
  Rect rect;
  picture.FindAutoCrop(rect, 1, 0, 0, &report);
  ASSERT_EQ(report.candidates.size(), 1u);
  ASSERT_EQ(report.regionColumns, 8);
  for (int row = 0; row < report.regionRows; ++row) {
    for (int column = 0; column < 8; ++column) {
      const bool face = InAny({c.faceRegions}, column, row);
      EXPECT_EQ(report.regionScores[static_cast<size_t>(row) * 8 + column], face ? 64 : 0)
          << row << "," << column;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(
    AutoCropSkin, FaceRegions,
    testing::Values(FaceCase{"InsideTheGrid", 256, {9, 10, 14, 17}, {2, 2, 3, 4}},
                    // 35 block rows make 8 region rows; block rows 30..33 reach row 8.
                    FaceCase{"ReachingBelowTheGrid", 280, {5, 30, 8, 33}, {1, 7, 2, 7}}),
    [](const testing::TestParamInfo<FaceCase>& info) { return std::string(info.param.name); });

struct CandidateCase {
  const char* name;
  std::vector<BlockBox> skin;
  size_t candidates;
};

class SkinCandidate : public testing::TestWithParam<CandidateCase> {};

TEST_P(SkinCandidate, FollowsTheFaceRules) {
  const CImageWrap picture = MakeSkinPicture(GetParam().skin, [](int, int) { return kGrey; });
  CCropReport report;
  Rect rect;
  picture.FindAutoCrop(rect, 2, 0, 0, &report);
  EXPECT_EQ(report.candidates.size(), GetParam().candidates);
}

INSTANTIATE_TEST_SUITE_P(
    AutoCropSkin, SkinCandidate,
    testing::Values(
        CandidateCase{"TwoByTwo", {{5, 5, 6, 6}}, 1},
        CandidateCase{"OneBlockWide", {{5, 5, 5, 10}}, 0},
        CandidateCase{"OneBlockHigh", {{5, 5, 10, 5}}, 0},
        CandidateCase{"TouchingLeftBorder", {{0, 5, 3, 9}}, 0},
        CandidateCase{"TouchingTopBorder", {{5, 0, 8, 4}}, 0},
        CandidateCase{"NextToRightBorder", {{27, 5, 30, 9}}, 1},
        CandidateCase{"TouchingRightBorder", {{28, 5, 31, 9}}, 0},
        CandidateCase{"NextToBottomBorder", {{1, 26, 4, 30}}, 1},
        CandidateCase{"TouchingBottomBorder", {{1, 27, 4, 31}}, 0},
        CandidateCase{"ExactlyPointSixHigh", {{5, 5, 9, 7}}, 1},       // 3 / 5
        CandidateCase{"FlatterThanPointSix", {{5, 5, 9, 6}}, 0},       // 2 / 5
        CandidateCase{"ExactlyTwoPointOneHigh", {{5, 4, 14, 24}}, 1},  // 21 / 10
        CandidateCase{"TallerThanTwoPointOne", {{5, 4, 14, 25}}, 0},   // 22 / 10
        // An L of 11 blocks in a 6 x 6 box fills under a third of it; a 12th block is enough.
        CandidateCase{"SparseL", {{5, 5, 5, 10}, {6, 10, 10, 10}}, 0},
        CandidateCase{"ThirdFilledL", {{5, 5, 5, 10}, {6, 10, 10, 10}, {6, 9, 6, 9}}, 1},
        CandidateCase{"TwoFaces", {{3, 3, 5, 5}, {20, 20, 23, 24}}, 2}),
    [](const testing::TestParamInfo<CandidateCase>& info) { return std::string(info.param.name); });

}  // namespace
