#include "search/book_search.h"

#include <gtest/gtest.h>

#include "html/html_fixture.h"
#include "search/word_index_builder.h"

namespace shelf::test {
namespace {

// A book of six pages about an engine whose index bookindex's builder writes.
class BookSearchTest : public HtmlTest {
 protected:
  void Write(bool withStems, const std::vector<std::string>& leftOut = {}) {
    const std::vector<std::pair<std::string, std::string>> pages = {
        {"a.htm", "<title>Общие сведения</title><p>двигатель, двигатель и двигателя</p>"},
        {"b.htm", "<title>Снятие двигателя</title><p>Снятие двигателя</p>"},
        {"c.htm", "<title>Ремонт</title><p>двигателем, двигателя, двигателю, двигателе</p>"},
        {"d.htm", "<title>Двигатель</title><p>Двигатель</p>"},
        {"e.htm", "<title>Колёса</title><p>не двигайте автомобиль</p>"},
        {"f.htm", "<title>Прочее</title><p>двигателя</p>"}};
    TWordIndexBuilder builder;
    scan.clear();
    for (const std::string& word : leftOut) builder.LeaveOut(W(word));
    for (const auto& [file, page] : pages) {
      AddPages({{"run/" + file, page}});
      builder.AddPage(file, W(page));
      scan.push_back("d:\\run\\" + file);
    }
    AddFiles({{"run/keywords.idx", builder.KeywordsFile()},
              {"run/index.idx", builder.NumbersFile()},
              {"run/files.idx", builder.FilesFile()}});
    if (withStems) AddFiles({{"run/stems.idx", builder.StemsFile()}});
  }
  std::vector<std::string> Find(const std::string& text, bool exact = false) {
    TBookSearch search(Store(), "d:\\run\\");
    search.Exact = exact;
    search.ScanPages = [this] {
      scanned = true;
      return &scan;
    };
    std::vector<std::string> files;
    for (const RFoundPage& page : search.Find(W(text))) {
      EXPECT_EQ(page.Page, "d:\\run\\" + page.File);
      files.push_back(page.File);
    }
    return files;
  }
  TDynamicStringArray scan;
  bool scanned = false;
};

using Files = std::vector<std::string>;

TEST_F(BookSearchTest, FormsAreRankedByTitleThenTheWordAsTypedThenMatchesThenIndexOrder) {
  for (const bool withStems : {true, false}) {
    Write(withStems);
    EXPECT_EQ(Find("двигатель"), (Files{"d.htm", "b.htm", "a.htm", "c.htm", "f.htm"})) << withStems;
    EXPECT_FALSE(scanned);
  }
  // No page holds this form: the title and the number of matches order them.
  EXPECT_EQ(Find("Двигателями"), (Files{"b.htm", "d.htm", "c.htm", "a.htm", "f.htm"}));
  EXPECT_EQ(Find("двигатель", true), (Files{"d.htm", "a.htm"}));
  EXPECT_EQ(Find("снятие двигателя"), (Files{"b.htm"}));  // pages holding both words
  EXPECT_EQ(Find("двигайте"), (Files{"e.htm"}));
}

TEST_F(BookSearchTest, AWordTheIndexLeavesOutIsScannedByItsFormsWithTheSameRanking) {
  Write(true, {"двигателем"});
  EXPECT_EQ(Find("двигателем"), (Files{"b.htm", "d.htm", "c.htm", "a.htm", "f.htm"}));
  EXPECT_TRUE(scanned);
  scanned = false;
  EXPECT_TRUE(Find("карбюратор").empty());
  EXPECT_TRUE(scanned);
}

}  // namespace
}  // namespace shelf::test
