#include "search/make_find.h"

#include <gtest/gtest.h>

#include "html/html_fixture.h"

namespace shelf::test {
namespace {

class MakeFindTest : public HtmlTest {
 protected:
  void Index(const std::string& keywords, const std::string& numbers, const std::string& files) {
    AddFiles({{"run/keywords.idx", W(keywords)},
              {"run/index.idx", numbers},
              {"run/files.idx", W(files)}});
  }
  bool Search(TMakeFind& find, const std::string& word) {
    find.SetIndexFolder("d:\\run\\");
    files.clear();
    titles.clear();
    return find.SearchIndex(W(word), files, titles, false);
  }
  TDynamicStringArray files, titles;
  std::vector<std::string> messages;
};

TEST_F(MakeFindTest, KeywordLookupIgnoresCaseButNotLength) {
  Index("Тормоз\r\nколодка \r\nрычаг\r\n", "1\r\n2\r\n2:x:1\r\n",
        "a.htm#:#Первая\r\nb.htm#:#Вторая");
  TMakeFind find(Store());
  struct Case {
    const char* word;
    bool found;
    TDynamicStringArray files;
  } cases[] = {{"тормоз", true, {"a.htm"}},
               {"ТОРМОЗ", true, {"a.htm"}},
               {"колодка", false, {}},               // the keyword line ends with a space
               {"рычаг", true, {"a.htm", "b.htm"}},  // "x" is no number; the last line counts
               {"нет", false, {}}};
  for (const Case& c : cases) {
    EXPECT_EQ(Search(find, c.word), c.found) << c.word;
    EXPECT_EQ(files, c.files) << c.word;
  }
  Search(find, "рычаг");
  EXPECT_EQ(titles, (TDynamicStringArray{W("Первая"), W("Вторая")}));
}

TEST_F(MakeFindTest, ReadsExactlyTheKeywordsLineOfNumbersAndListsPagesOnceInFileOrder) {
  std::string keywords, numbers;
  for (int k = 1; k <= 20; ++k) {
    keywords += "w" + std::to_string(k) + "\r\n";
    numbers += k == 12 ? "5:2:5\r\n" : "1\r\n";
  }
  Index(keywords, numbers, "p1.htm#:#1\r\np2.htm#:#2\r\np3.htm\r\np4.htm#:#4\r\np5.htm#:#5\r\n");
  TMakeFind find(Store());
  ASSERT_TRUE(Search(find, "W12"));
  EXPECT_EQ(find.IndexLinesRead(), 12);
  EXPECT_EQ(files, (TDynamicStringArray{"p2.htm", "p5.htm"}));
}

TEST_F(MakeFindTest, MissingIndexFilesAreReportedAndTitlesAreFoundForTheScan) {
  TMakeFind find(Store());
  find.OnMessage = [this](const std::string& text) { messages.push_back(text); };
  EXPECT_FALSE(Search(find, "слово"));
  EXPECT_EQ(messages, (std::vector<std::string>{W("Индескный(е) файл(ы) не найден")}));

  Index("a\r\n", "1\r\n", "html\\A.htm#:# Первая \r\nlast.htm#:#Последняя");
  std::string title;
  EXPECT_TRUE(find.PageTitle("html\\a.htm", title));
  EXPECT_EQ(title, W("Первая"));
  EXPECT_TRUE(find.PageTitle("last.htm", title));  // the last line has no line end
  EXPECT_EQ(title, W("Последняя"));
  EXPECT_FALSE(find.PageTitle("other.htm", title));
}

}  // namespace
}  // namespace shelf::test
