#include "book/contents_items.h"

#include <gtest/gtest.h>

#include "platform/cp1251.h"

namespace shelf {
namespace {

TDynamicStringArray Lines(std::initializer_list<const char*> lines) {
  TDynamicStringArray out;
  for (const char* line : lines) out.push_back(*Utf8ToCp1251(line));
  return out;
}

std::vector<int> Parents(const std::vector<TContentsItem>& items) {
  std::vector<int> parents;
  for (const TContentsItem& item : items) parents.push_back(item.Parent);
  return parents;
}

TEST(ContentsItems, TabsNestTheItems) {
  struct Case {
    const char* name;
    TDynamicStringArray lines;
    std::vector<int> parents;
  } cases[] = {
      {"two top items, the first with two children",
       Lines({"a", "\tb", "\tc", "d"}),
       {-1, 0, 0, -1}},
      {"a first line with TABs is still top level", Lines({"\t\ta", "\t\tb", "c"}), {-1, 0, -1}},
      {"fewer TABs go back to the nearest item one level up",
       Lines({"a", "\tb", "\t\tc", "\t\t\td", "\te", "f", "\tg", "\t\th", "\ti"}),
       {-1, 0, 1, 2, 0, -1, 5, 6, 5}},
      {"more TABs than one level deeper still make a child",
       Lines({"a", "\t\t\tb", "\t\t\tc"}),
       {-1, 0, 1}},
      {"equal TABs make siblings; empty lines are skipped",
       Lines({"a", "\tb", "", "\tc"}),
       {-1, 0, 0}},
  };
  for (const auto& c : cases) EXPECT_EQ(Parents(ParseContentsLines(c.lines)), c.parents) << c.name;
}

TEST(ContentsItems, NestingStopsAtTheDepthBound) {
  // Every line one level deeper than the one before, far beyond the bound.
  const int lines = kMaxContentsDepth + 50;
  TDynamicStringArray deep(lines, std::string(lines, '\t') + "p.htm;x");
  const auto items = ParseContentsLines(deep);
  ASSERT_EQ(items.size(), std::size_t(lines));
  EXPECT_EQ(items[kMaxContentsDepth].Depth, kMaxContentsDepth);
  EXPECT_EQ(items.back().Depth, kMaxContentsDepth);
  EXPECT_EQ(items.back().Parent, kMaxContentsDepth - 1);  // siblings at the deepest level
  // and going back up from there still finds the parents
  deep.push_back("\tq.htm");
  EXPECT_EQ(ParseContentsLines(deep).back().Parent, 0);
}

TEST(ContentsItems, FieldsArePageAndCaptionTrimmed) {
  const auto items = ParseContentsLines(
      Lines({" ch01.htm ; Глава 1 ; лишнее", "\tch02.htm", "\t..\\doc\\a.htm;Схемы"}));
  ASSERT_EQ(items.size(), 3u);
  EXPECT_EQ(items[0].Page, "ch01.htm");
  EXPECT_EQ(items[0].Caption, *Utf8ToCp1251("Глава 1"));
  EXPECT_EQ(items[1].Caption, "");  // a page without a caption
  EXPECT_EQ(items[2].Page, "..\\doc\\a.htm");
  EXPECT_EQ(items[2].Depth, 1);
}

TEST(ContentsItems, ChapterStepsSkipItemsOfTheSamePage) {
  // A chapter and its first section share a page; one item has no page.
  const auto items =
      ParseContentsLines(Lines({"a.htm;A", "\ta.htm;A1", "\tb.htm;B", "\t;no page", "\tc.htm;C"}));
  EXPECT_EQ(NeighbourChapter(items, 0, 1), 2);
  EXPECT_EQ(NeighbourChapter(items, 1, 1), 2);
  EXPECT_EQ(NeighbourChapter(items, 2, 1), 4);
  EXPECT_EQ(NeighbourChapter(items, 4, 1), -1);  // the last chapter
  EXPECT_EQ(NeighbourChapter(items, 2, -1), 1);
  EXPECT_EQ(NeighbourChapter(items, 1, -1), -1);  // only the same page before it
  EXPECT_EQ(NeighbourChapter(items, -1, 1), -1);
}

TEST(ContentsItems, CaptionSearchWrapsAndIgnoresCase) {
  const auto items = ParseContentsLines(
      Lines({"a.htm;Двигатель", "b.htm;Сцепление", "c.htm;Снятие двигателя", "d.htm;Кузов"}));
  const std::string word = *Utf8ToCp1251("ДВИГАТ");
  EXPECT_EQ(FindCaptionItem(items, -1, word), 0);  // nothing focused: from the top
  EXPECT_EQ(FindCaptionItem(items, 0, word), 2);
  EXPECT_EQ(FindCaptionItem(items, 3, word), 0);  // from the last item on to the first
  EXPECT_EQ(FindCaptionItem(items, 2, word), 0);
  EXPECT_EQ(FindCaptionItem(items, 1, *Utf8ToCp1251("рама")), -1);
  EXPECT_EQ(ItemOfPage(items, " C.HTM "), 2);
  EXPECT_EQ(ItemOfPage(items, ""), -1);
}

}  // namespace
}  // namespace shelf
