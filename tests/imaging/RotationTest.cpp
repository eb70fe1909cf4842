#include <gtest/gtest.h>

#include <string>

#include "imaging/ImageWrap.h"
#include "imaging/Rotation.h"
#include "raster/PixelBuffer.h"
#include "tests/support/CaseName.h"
#include "tests/support/TestPictures.h"

namespace {

// The letter pictures below: every pixel a distinct letter, in 8 bits as the index itself and
// in 24 bits as three different channel values, so that a swapped channel shows.
Rgb LetterColour(char letter) {
  const auto c = static_cast<uint8_t>(letter);
  return {c, static_cast<uint8_t>(c + 1), static_cast<uint8_t>(c + 2)};
}

CImageWrap LetterPicture(int bpp, const std::vector<std::string>& rows) {
  const int width = static_cast<int>(rows[0].size());
  const int height = static_cast<int>(rows.size());
  if (bpp == 8) {
    return MakePicture8(width, height, [&](int x, int y) {
      return static_cast<uint8_t>(rows[static_cast<size_t>(y)][static_cast<size_t>(x)]);
    });
  }
  return MakePicture24(width, height, [&](int x, int y) {
    return LetterColour(rows[static_cast<size_t>(y)][static_cast<size_t>(x)]);
  });
}

// The picture's rows as letters; '?' for a pixel that is no letter colour.
std::vector<std::string> LetterRows(const CImageWrap& picture) {
  std::vector<std::string> rows;
  for (int y = 0; y < picture.Height(); ++y) {
    std::string row;
    for (int x = 0; x < picture.Width(); ++x) {
      if (picture.BitsPerPixel() == 8) {
        row += static_cast<char>(picture.bitmap.Row(y)[x]);
      } else {
        const Rgb c = PixelAt(picture, x, y);
        row += c == LetterColour(static_cast<char>(c.red)) ? static_cast<char>(c.red) : '?';
      }
    }
    rows.push_back(row);
  }
  return rows;
}

using Rows = std::vector<std::string>;

class RotateLetters : public ::testing::TestWithParam<int> {};

TEST_P(RotateLetters, QuarterTurnCounterClockwise) {
  CImageWrap picture = LetterPicture(GetParam(), {"abcd", "efgh"});
  ASSERT_EQ(picture.Rotate(0), 1);
  EXPECT_EQ(picture.BitsPerPixel(), GetParam());
  EXPECT_EQ(LetterRows(picture), (Rows{"dh", "cg", "bf", "ae"}));
}

TEST_P(RotateLetters, QuarterTurnClockwise) {
  CImageWrap picture = LetterPicture(GetParam(), {"abcd", "efgh"});
  ASSERT_EQ(picture.Rotate(1), 1);
  EXPECT_EQ(LetterRows(picture), (Rows{"ea", "fb", "gc", "hd"}));
}

TEST_P(RotateLetters, TwoTurnsEachWayGiveTheStartBack) {
  CImageWrap picture = LetterPicture(GetParam(), {"abcde", "fghij", "klmno"});
  ASSERT_EQ(picture.Rotate(0), 1);
  ASSERT_EQ(picture.Rotate(0), 1);
  EXPECT_EQ(LetterRows(picture), (Rows{"onmlk", "jihgf", "edcba"}));
  ASSERT_EQ(picture.Rotate(1), 1);
  ASSERT_EQ(picture.Rotate(1), 1);
  EXPECT_EQ(LetterRows(picture), (Rows{"abcde", "fghij", "klmno"}));
}

INSTANTIATE_TEST_SUITE_P(Depths, RotateLetters, ::testing::Values(8, 24), [](const auto& info) {
  return std::to_string(info.param) + "Bits";
});

TEST(Rotate, EightBitPictureKeepsItsColourTableAndDisplaySize) {
  CImageWrap picture =
      MakePicture8(5, 3, [](int x, int y) { return static_cast<uint8_t>(x * 3 + y); });
  picture.displayWidth = 50;
  picture.displayHeight = 30;
  const auto table = picture.bitmap.ColorTable();
  ASSERT_EQ(picture.Rotate(1), 1);
  EXPECT_EQ(picture.BitsPerPixel(), 8);
  EXPECT_EQ(picture.bitmap.ColorTable(), table);
  EXPECT_EQ(picture.Width(), 3);
  EXPECT_EQ(picture.Height(), 5);
  EXPECT_EQ(picture.displayWidth, 50);
  EXPECT_EQ(picture.displayHeight, 30);
}

TEST(Rotate, LargePictureTurnsEveryPixel) {
  // Larger than the tiles that the turn works in, with sizes that do not divide them.
  const int w = 150;
  const int h = 70;
  CImageWrap picture = MakePicture24(w, h, CoordinateColour);
  ASSERT_EQ(picture.Rotate(0), 1);
  ASSERT_EQ(picture.Width(), h);
  ASSERT_EQ(picture.Height(), w);
  // The source's top-right pixel is now top-left, its top-left bottom-left.
  EXPECT_EQ(PixelAt(picture, 0, 0), CoordinateColour(w - 1, 0));
  EXPECT_EQ(PixelAt(picture, 0, w - 1), CoordinateColour(0, 0));
  for (int y = 0; y < w; ++y) {
    for (int x = 0; x < h; ++x) {
      ASSERT_EQ(PixelAt(picture, x, y), CoordinateColour(w - 1 - y, x)) << x << "," << y;
    }
  }
}

TEST(Rotate, RefusesAnEmptyPictureAndAnUnknownDirection) {
  CImageWrap empty;
  EXPECT_EQ(empty.Rotate(0), 0);
  CImageWrap picture = LetterPicture(24, {"ab"});
  EXPECT_EQ(picture.Rotate(2), 0);
  EXPECT_EQ(LetterRows(picture), (Rows{"ab"}));
}

// A rectangle on the letter picture abcde / fghij / klmno keeps its letters through the turn.
struct RectTurn {
  int direction;
  Rect rect;
  Rect turned;
  Rows letters;  // of the turned rectangle in the turned picture
};

class TurnedRectangle : public ::testing::TestWithParam<RectTurn> {};

TEST_P(TurnedRectangle, HoldsTheSamePixelsInTheTurnedPicture) {
  const RectTurn& c = GetParam();
  EXPECT_EQ(TurnedRect(c.rect, 5, 3, c.direction), c.turned);
  CImageWrap picture = LetterPicture(24, {"abcde", "fghij", "klmno"});
  ASSERT_EQ(picture.Rotate(c.direction), 1);
  Rect turned = c.turned;
  CImageWrap part;
  if (c.letters.empty()) {
    EXPECT_TRUE(turned.IsEmpty());
    return;
  }
  ASSERT_EQ(picture.CropTo(turned, part), 1);
  EXPECT_EQ(LetterRows(part), c.letters);
}

// b c / g h in the picture: turned left it reads c h / b g, turned right g b / h c.
INSTANTIATE_TEST_SUITE_P(Cases, TurnedRectangle, ::testing::Values(
    RectTurn{0, {1, 0, 3, 2}, {0, 2, 2, 4}, {"ch", "bg"}},
    RectTurn{1, {1, 0, 3, 2}, {1, 1, 3, 3}, {"gb", "hc"}},
    RectTurn{0, {0, 0, 5, 3}, {0, 0, 3, 5}, {"ejo", "din", "chm", "bgl", "afk"}},
    RectTurn{1, {4, 2, 9, 9}, {0, 4, 1, 5}, {"o"}},  // cut at the edge first
    RectTurn{1, {}, {}, {}}),
    [](const auto& info) {
      const Rect& r = info.param.rect;
      return std::string(info.param.direction == 1 ? "Right_" : "Left_") +
             (r.IsEmpty() ? std::string("empty")
                          : std::to_string(r.left) + "_" + std::to_string(r.top) + "_" +
                                std::to_string(r.right) + "_" + std::to_string(r.bottom));
    });

TEST(RotateBufferLeft, GivesTheDestinationTheTurnedSize) {
  CPixelBuffer source;
  ASSERT_TRUE(source.Allocate(3, 2, 1));
  const char* letters = "abcdef";  // rows abc, def
  for (int i = 0; i < 6; ++i) {
    source.data[static_cast<size_t>(i)] = static_cast<uint8_t>(letters[i]);
  }
  CPixelBuffer destination;  // no data yet: allocated on the way
  RotateBufferLeft(source, destination);
  ASSERT_FALSE(destination.IsEmpty());
  EXPECT_EQ(destination.width, 2);
  EXPECT_EQ(destination.height, 3);
  EXPECT_EQ(destination.size, 6);
  const std::string turned(reinterpret_cast<const char*>(destination.data.get()), 6);
  EXPECT_EQ(turned, "cfbead");
}

}  // namespace
