#include <gtest/gtest.h>

#include "web/HtmlText.h"
#include "tests/support/CaseName.h"

namespace {

TEST(HtmlText, EscapesTheFiveMarkupCharacters) {
  EXPECT_EQ(EscapeHtml("a&b<c>d\"e'f"), "a&amp;b&lt;c&gt;d&quot;e&#39;f");
  EXPECT_EQ(EscapeHtml("<script>alert(1)</script>"), "&lt;script&gt;alert(1)&lt;/script&gt;");
  EXPECT_EQ(EscapeHtml("Größe 100% #1"), "Größe 100% #1");
}

struct Encoding {
  std::string name;
  std::string encoded;
};

class UrlSegment : public testing::TestWithParam<Encoding> {};

TEST_P(UrlSegment, PercentEncodesEverythingButUnreservedCharacters) {
  EXPECT_EQ(EncodeUrlPathSegment(GetParam().name), GetParam().encoded);
}

INSTANTIATE_TEST_SUITE_P(
    Names, UrlSegment,
    testing::Values(Encoding{"IMG_0001.JPG", "IMG_0001.JPG"}, Encoding{"a-b~c.png", "a-b~c.png"},
                    Encoding{"my photo.jpg", "my%20photo.jpg"}, Encoding{"#1.jpg", "%231.jpg"},
                    Encoding{"100%.jpg", "100%25.jpg"}, Encoding{"why?.jpg", "why%3F.jpg"},
                    Encoding{"a\"b'c.jpg", "a%22b%27c.jpg"}, Encoding{"x&y/z.gif", "x%26y%2Fz.gif"},
                    Encoding{"Ärger.jpg", "%C3%84rger.jpg"}),
    ByNameField());

}  // namespace
