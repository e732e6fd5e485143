#include "html/style_sheet_guard.h"

#include <gtest/gtest.h>

#include "html/page_source_filter.h"

namespace shelf {
namespace {

std::string Repeat(const std::string& part, int count) {
  std::string text;
  for (int i = 0; i < count; ++i) text += part;
  return text;
}

TEST(StyleSheetGuardTest, DropsOnlyRulesWithOverlongSelectors) {
  const std::string deep = "p" + Repeat(" span", 6000);       // 12 001 parts
  const std::string list = Repeat("h1, ", 1100) + "h2";       // short selectors, a long list
  const std::string parts64 = "a" + Repeat(">b", 31) + ".c";  // 64 parts: the most allowed
  struct Case {
    std::string in, out;
    int dropped;
  };
  const Case cases[] = {
      {"p { color: red }", "p { color: red }", 0},
      {deep + " { color: red } p { color: blue }", "p { color: blue }\n", 1},
      {list + " { color: red }\nb { font-weight: bold }", "b { font-weight: bold }\n", 1},
      {parts64 + " { x: 1 } " + parts64 + ".d { x: 2 }", parts64 + " { x: 1 }\n", 1},
      {"a:not(" + Repeat(".x", 70) + ") { x: 1 }", "", 1},
      // Inside @media, between @import and after comments, as the engine splits a sheet.
      {"@import url(a.css);\n@media screen { " + deep + " { x: 1 } i { x: 2 } }\n/* { */ u {}",
       "@import url(a.css);\n@media screen {i { x: 2 }\n}\nu {}\n", 1},
      // A rule whose end comes before its block: the engine would take the selector on.
      {deep + " } q { x: 1 }", "q { x: 1 }\n", 1},
  };
  for (const Case& c : cases) {
    std::string css = c.in;
    EXPECT_EQ(DropOverlongSelectors(css), c.dropped) << c.in.substr(0, 80);
    EXPECT_EQ(css, c.dropped ? c.out : c.in) << c.in.substr(0, 80);
  }
}

TEST(StyleSheetGuardTest, PageStyleBlocksMeetTheGuardAndTheRestOfThePageStays) {
  const std::string page =
      "<style>p" + Repeat(" span", 6000) + " { color: red } p { color: blue }</style><p>text</p>";
  TSourceCuts cuts;
  const std::string out = FilterPageSource(page, kMaxTagNesting, &cuts);
  EXPECT_EQ(out, "<style>p { color: blue }\n</style><p>text</p>");
  EXPECT_EQ(cuts.DroppedStyleRules, 1);
  EXPECT_NE(cuts.Describe().find("1 style rule(s)"), std::string::npos);
  // An end tag of another kind does not end the sheet for the parser, nor for the guard.
  EXPECT_EQ(FilterPageSource("<STYLE>i {}</b>" + page.substr(7), kMaxTagNesting, &cuts),
            "<STYLE>i {}\np { color: blue }\n</style><p>text</p>");
}

}  // namespace
}  // namespace shelf
