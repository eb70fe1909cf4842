#include <gtest/gtest.h>

#include <string>

#include "album/PixDir.h"
#include "tests/support/FakePlatformUi.h"

namespace {

// Settings that a header can change, as one value to compare.
struct HeaderResult {
  int result, thumbSize, maxOsize, wpWidth, ownPage, ownWindow, oneDate, oneCaption;
  std::string color;
  bool oldFormat;
};

struct HeaderCase {
  const char* name;
  std::string line;
  HeaderResult expected;
};

class RecordHeader : public ::testing::TestWithParam<HeaderCase> {
 protected:
  FakePlatformUi ui;
  CPixDir album{ui};
};

// The album starts from the defaults with both large-image switches off and a non-default
// colour, so that every change shows.
TEST_P(RecordHeader, AppliesToTheSettings) {
  album.Record().ChangeSettings([&](CAlbumSettings& s) {
    s.WebViewSettings.LIOwnWP = 0;
    s.WebViewSettings.LIOwnBrW = 0;
    s.WebViewSettings.WTextColor = "olive";
  });
  const HeaderResult& want = GetParam().expected;
  const int result = album.Record().ParseRecordHeader(GetParam().line);
  const CWebViewSettings& web = album.Settings().WebViewSettings;
  EXPECT_EQ(result, want.result);
  EXPECT_EQ(album.Settings().GeneralSettings.ThumbSize, want.thumbSize);
  EXPECT_EQ(web.MaxOsize, want.maxOsize);
  EXPECT_EQ(web.WPwidth, want.wpWidth);
  EXPECT_EQ(web.LIOwnWP, want.ownPage);
  EXPECT_EQ(web.LIOwnBrW, want.ownWindow);
  EXPECT_EQ(web.Only1Date, want.oneDate);
  EXPECT_EQ(web.Only1Caption, want.oneCaption);
  EXPECT_EQ(web.WTextColor, want.color);
  if (want.oldFormat) {
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, "Quillaran.txt has old format.\nIt is ignored");
    EXPECT_EQ(ui.messages[0].icon, MsgIcon::Error);
  } else {
    EXPECT_TRUE(ui.messages.empty());
  }
}

const std::string kLong63(63, 'k');

INSTANTIATE_TEST_SUITE_P(
    Lines, RecordHeader,
    ::testing::Values(
        HeaderCase{"OutOfRangeValuesAreClamped",
                   "QLNV_A t10 x100 p5000 f2 d0 c1 #navy",
                   {1, 120, 2000, 600, 1, 1, 0, 1, "navy", false}},
        HeaderCase{"NoColourMeansMaroon",
                   "QLNV_A t150 x800 p700 f1 d1 c0",
                   {1, 150, 800, 700, 1, 0, 1, 0, "maroon", false}},
        HeaderCase{"HashWithoutNameMeansMaroon",
                   "QLNV_A t150 x800 p700 f0 d0 c0 #",
                   {1, 150, 800, 700, 0, 0, 0, 0, "maroon", false}},
        HeaderCase{"UnknownModeLeavesTheSwitchesOtherSwitchesReadAsOff",
                   "QLNV_A t20 x300 p300 f7 d5 c-1 #teal",
                   {1, 20, 300, 300, 0, 0, 0, 0, "teal", false}},
        HeaderCase{"BlanksAndSignsAsScanfReadsThem",
                   "QLNV_A  t +400\tx 2000 p1000 f+2 d0 c0  #  navy",
                   {1, 400, 2000, 1000, 1, 1, 0, 0, "navy", false}},
        HeaderCase{"ColourNameStopsAt63Characters",
                   "QLNV_A t120 x2000 p600 f0 d0 c0 #" + kLong63 + "xyz",
                   {1, 120, 2000, 600, 0, 0, 0, 0, "maroon", false}},
        // The name went into the style sheet as it stood.
        HeaderCase{"ColourWordThatIsNoColourMeansMaroon",
                   "QLNV_A t120 x2000 p600 f0 d0 c0 #red;}body{background:url(http://x/)}",
                   {1, 120, 2000, 600, 0, 0, 0, 0, "maroon", false}},
        HeaderCase{"ColourNamesAreLowerCase",
                   "QLNV_A t120 x2000 p600 f0 d0 c0 #Red",
                   {1, 120, 2000, 600, 0, 0, 0, 0, "maroon", false}},
        HeaderCase{"MostNegativeNumberIsReadThenClamped",
                   "QLNV_A t-2147483648 x2000 p600 f2 d0 c0",
                   {1, 120, 2000, 600, 1, 1, 0, 0, "maroon", false}},
        HeaderCase{"OldFormatKeepsWhatWasConverted",
                   "QLNV_A t150 x800 q3 f2 d1 c1 #navy",
                   {0, 150, 800, 600, 0, 0, 0, 0, "olive", true}},
        HeaderCase{"OldFormatIsNotClamped",
                   "QLNV_A t10 x100",
                   {0, 10, 100, 600, 0, 0, 0, 0, "olive", true}},
        HeaderCase{"OtherMagicChangesNothing",
                   "QLNV_B t150 x800 p700 f1 d1 c1",
                   {0, 120, 2000, 600, 0, 0, 0, 0, "olive", true}},
        HeaderCase{"LeadingBlankIsNotTheMagic",
                   " QLNV_A t150 x800 p700 f1 d1 c1",
                   {0, 120, 2000, 600, 0, 0, 0, 0, "olive", true}},
        HeaderCase{"OverflowIsUnreadable",
                   "QLNV_A t150 x2147483648 p700 f1 d1 c1",
                   {0, 150, 2000, 600, 0, 0, 0, 0, "olive", true}},
        HeaderCase{"HugeNumberIsUnreadable",
                   "QLNV_A t99999999999999999999999 x800 p700 f1 d1 c1",
                   {0, 120, 2000, 600, 0, 0, 0, 0, "olive", true}},
        HeaderCase{"SignWithoutDigitsIsUnreadable",
                   "QLNV_A t150 x- p700 f1 d1 c1",
                   {0, 150, 2000, 600, 0, 0, 0, 0, "olive", true}},
        HeaderCase{"EmptyLineIsOldFormat", "", {0, 120, 2000, 600, 0, 0, 0, 0, "olive", true}}),
    [](const ::testing::TestParamInfo<HeaderCase>& info) { return std::string(info.param.name); });

}  // namespace
