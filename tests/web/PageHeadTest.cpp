#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>

#include "tests/support/TempDir.h"
#include "web/PageHead.h"

namespace {

TEST(PageHead, IndexPageImportsTheStyleSheetInLarge) {
  EXPECT_EQ(PageHead("Trip Pictures", true),
            "<html><head>\n<meta charset=\"utf-8\">\n<style type=\"text/css\">\n<!--\n"
            "\t@import url(Large/Basic.css);\n-->\n</style>\n<title>Trip Pictures</title>\n"
            "</head>\n");
}

TEST(PageHead, PicturePageImportsTheStyleSheetBesideIt) {
  EXPECT_EQ(PageHead("IMG_0001_JPG.htm", false),
            "<html><head>\n<meta charset=\"utf-8\">\n<style type=\"text/css\">\n<!--\n"
            "\t@import url(Basic.css);\n-->\n</style>\n<title>IMG_0001_JPG.htm</title>\n"
            "</head>\n");
}

TEST(PageHead, TitleIsEscaped) {
  const std::string head = PageHead("Tom & Jerry's <b>", true);
  EXPECT_NE(head.find("<title>Tom &amp; Jerry&#39;s &lt;b&gt;</title>\n"), std::string::npos);
}

TEST(PageHead, WriteHeadWritesTheSameBytesToAFile) {
  TempDir dir;
  const auto path = dir / "head.htm";
  std::FILE* file = std::fopen(path.c_str(), "w");
  ASSERT_NE(file, nullptr);
  WriteHead(file, "x", false);
  std::fclose(file);
  EXPECT_EQ(ReadFileBytes(path), PageHead("x", false));
}

struct StyleCase {
  const char* name;
  std::string colour;
};

class StyleSheet : public testing::TestWithParam<StyleCase> {};

TEST_P(StyleSheet, BothRulesCarryTheColourNameUnchanged) {
  TempDir dir;
  std::filesystem::create_directory(dir / "Large");
  ASSERT_EQ(WriteStyleSheet(dir.Str(), GetParam().colour), 1);
  const std::string rule =
      " {\nfont-family: Arial, Helvetica, sans-serif;\nfont-size:10pt;\ncolor:" +
      GetParam().colour + "\n}\n";
  EXPECT_EQ(ReadFileBytes(dir / "Large" / "Basic.css"), "body" + rule + "td" + rule);
}

INSTANTIATE_TEST_SUITE_P(Colours, StyleSheet,
                         testing::Values(StyleCase{"maroon", "maroon"}, StyleCase{"empty", ""},
                                         StyleCase{"unknown", "Chartreuse"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(StyleSheet, FixedBytesForMaroon) {
  TempDir dir;
  std::filesystem::create_directory(dir / "Large");
  ASSERT_EQ(WriteStyleSheet(dir.Str(), "maroon"), 1);
  EXPECT_EQ(ReadFileBytes(dir / "Large" / "Basic.css"),
            "body {\nfont-family: Arial, Helvetica, sans-serif;\nfont-size:10pt;\ncolor:maroon\n}\n"
            "td {\nfont-family: Arial, Helvetica, sans-serif;\nfont-size:10pt;\ncolor:maroon\n}\n");
}

TEST(StyleSheet, IsSkippedWhenLargeDoesNotExist) {
  TempDir dir;
  EXPECT_EQ(WriteStyleSheet(dir.Str(), "maroon"), 0);
  EXPECT_FALSE(std::filesystem::exists(dir / "Large"));
}

}  // namespace
