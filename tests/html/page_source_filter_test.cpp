#include "html/page_source_filter.h"

#include <gtest/gtest.h>

namespace shelf {
namespace {

TEST(PageSourceFilterTest, ShrinksWhiteSpaceOutsidePreformattedText) {
  const struct {
    const char* in;
    const char* out;
  } cases[] = {
      {"<p>a   b\r\n\t c</p>", "<p>a b c</p>"},
      {"<table>\r\n  <tr>\r\n    <td> x </td>\r\n  </tr>\r\n</table>",
       "<table><tr><td> x </td></tr></table>"},
      {"<b>a</b>   <i>b</i>", "<b>a</b> <i>b</i>"},  // between inline tags the space stays
      {"<pre>a   b\n  c</pre> d   e", "<pre>a   b\n  c</pre> d e"},
      {"<script>if (a  <  b)   x();</script>", "<script>if (a  <  b)   x();</script>"},
      {"<!--  a   b  -->", "<!--  a   b  -->"},
      {"a < b", "a < b"},
      // A <br> that starts a line keeps an empty line, as browsers show it.
      {"a<br><br>b", "a<br>&nbsp;<br>b"},
      {"a<br>\r\n<font size=2><br>b</font>", "a<br> <font size=2>&nbsp;<br>b</font>"},
      {"</table><br><table>", "</table>&nbsp;<br><table>"},
      {"a<br>b<br>c", "a<br>b<br>c"},
      {"<pre>a<br><br>b</pre>", "<pre>a<br><br>b</pre>"},
  };
  for (const auto& c : cases) EXPECT_EQ(FilterPageSource(c.in), c.out) << c.in;
}

TEST(PageSourceFilterTest, DropsTagsNestedBeyondTheLimitWithTheirEndTags) {
  EXPECT_EQ(FilterPageSource("<b><i><u>x</u></i></b>", 2), "<b><i>x</i></b>");
  EXPECT_EQ(FilterPageSource("<font><font><font>x", 2), "<font><font>x");
  EXPECT_EQ(FilterPageSource("<div><div></div><div></div></div>", 2),
            "<div><div></div><div></div></div>");
}

TEST(PageSourceFilterTest, EveryTagCountsTowardsTheDepthAsTheParserNestsIt) {
  const struct {
    std::string in;
    std::string out;
    int dropped;
    int depth = 2;
  } cases[] = {
      {"<x><y><z>a</z></y></x>", "<x><y>a</y></x>", 1},
      // Void elements and implied ends open no level.
      {"<p>a<p>b<p>c<br><img><hr>", "<p>a<p>b<p>c<br><img><hr>", 0},
      {"<ul><li>a<li>b<li>c</ul>", "<ul><li>a<li>b<li>c</ul>", 0},
      {"<table><tr><td>a<td>b<tr><td>c</table>", "<table><tr><td>a<td>b<tr><td>c</table>", 0, 3},
      {"<html><body><div>a</div></body></html>", "<html><body><div>a</div></body></html>", 0},
      // An end tag closes what was opened after its element too.
      {"<div><span>a</div><div><i>b</i></div>", "<div><span>a</div><div><i>b</i></div>", 0},
      {"<div><div><div><div></div></div></div></div>", "<div><div></div></div>", 2},
  };
  for (const auto& c : cases) {
    TSourceCuts cuts;
    EXPECT_EQ(FilterPageSource(c.in, c.depth, &cuts), c.out) << c.in;
    EXPECT_EQ(cuts.DroppedTags, c.dropped) << c.in;
  }
  std::string deep;
  for (int i = 0; i < 30000; ++i) deep += "<section>";
  TSourceCuts cuts;
  const std::string kept = FilterPageSource(deep + "end", kMaxTagNesting, &cuts);
  EXPECT_EQ(cuts.DroppedTags, 30000 - kMaxTagNesting);
  EXPECT_EQ(kept.size(), kMaxTagNesting * std::string("<section>").size() + 3);
  EXPECT_NE(cuts.Describe().find("left out"), std::string::npos);
}

TEST(PageSourceFilterTest, BeyondTheElementCountTheRestIsPlainText) {
  TSourceCuts cuts;
  EXPECT_EQ(FilterPageSource("<b>a</b><i>b</i><u>c & d</u>", kMaxTagNesting, &cuts, 2),
            "<b>a</b><i>b</i>&lt;u>c &amp; d&lt;/u>");
  EXPECT_TRUE(cuts.TextOnlyTail);
  EXPECT_NE(cuts.Describe().find("plain text"), std::string::npos);
  FilterPageSource("<b>a</b>", kMaxTagNesting, &cuts);
  EXPECT_FALSE(cuts.Any());
}

}  // namespace
}  // namespace shelf
