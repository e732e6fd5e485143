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

}  // namespace
}  // namespace shelf
