#include "html/book_url.h"

#include <gtest/gtest.h>

#include "html/frame_set_layout.h"

namespace shelf {
namespace {

TEST(BookUrlTest, ExpandsAgainstThePagesFolder) {
  const std::string page = "d:\\book\\run\\html\\a.htm";
  const struct {
    const char* url;
    const char* expanded;
  } cases[] = {
      {"b.htm", "d:\\book\\run\\html\\b.htm"},
      {"sub/c.htm#part", "d:\\book\\run\\html\\sub\\c.htm#part"},
      {"..\\pics\\x.gif", "d:\\book\\run\\pics\\x.gif"},
      {"./my%20page.htm", "d:\\book\\run\\html\\my page.htm"},
      {"#top", "d:\\book\\run\\html\\a.htm#top"},
      {"e:\\setup\\setup.exe", "e:\\setup\\setup.exe"},
      {"file:///d:/book/x.htm", "d:\\book\\x.htm"},
      {"http://example.com/a.htm", "http://example.com/a.htm"},
      {"mailto:me@example.com", "mailto:me@example.com"},
  };
  for (const auto& c : cases) EXPECT_EQ(ExpandBookUrl(c.url, page), c.expanded) << c.url;
}

TEST(BookUrlTest, SchemesAndFragments) {
  EXPECT_EQ(UrlScheme("HTTP://x"), "http");
  EXPECT_EQ(UrlScheme("d:\\x.htm"), "");
  EXPECT_EQ(UrlScheme("copy:a.zip"), "copy");
  EXPECT_EQ(UrlWithoutFragment("a.htm#b"), "a.htm");
  EXPECT_EQ(UrlFragment("a.htm#b"), "b");
  EXPECT_EQ(UrlFragment("a.htm"), "");
}

TEST(FrameSizesTest, PixelsPercentsAndShares) {
  const struct {
    const char* list;
    int total;
    std::vector<int> sizes;
  } cases[] = {
      {"100,*", 500, {100, 400}}, {"20%,*,2*", 1000, {200, 266, 534}},
      {"", 300, {300}},           {"300,300", 400, {300, 100}},
      {"*,*", 101, {50, 51}},     {"50%,50%", 200, {100, 100}},
  };
  for (const auto& c : cases) EXPECT_EQ(FrameSizes(c.list, c.total), c.sizes) << c.list;
}

}  // namespace
}  // namespace shelf
