#include "search/word_index_builder.h"

#include <gtest/gtest.h>

#include "html/html_fixture.h"
#include "search/make_find.h"

namespace shelf::test {
namespace {

class WordIndexBuilderTest : public HtmlTest {
 protected:
  // Writes the builder's files into the program folder and looks `word` up through the reader.
  TDynamicStringArray Lookup(const TWordIndexBuilder& builder, const std::string& word,
                             TDynamicStringArray* titles = nullptr) {
    AddFiles({{"run/keywords.idx", builder.KeywordsFile()},
              {"run/index.idx", builder.NumbersFile()},
              {"run/files.idx", builder.FilesFile()}});
    TMakeFind find(Store());
    find.SetIndexFolder("d:\\run\\");
    TDynamicStringArray files, found;
    find.SearchIndex(W(word), files, titles ? *titles : found, false);
    return files;
  }
};

TEST_F(WordIndexBuilderTest, IndexesTheVisibleWordsAndReadsBackThroughTheIndexReader) {
  TWordIndexBuilder builder;
  builder.LeaveOut(W("ДИСК"));
  builder.AddPage("a.htm", W("<html><head><title>Глава &laquo;1&raquo;</title>"
                             "<script>скрипт</script></head><body><p>Тормоз ВАЗ-2107. "
                             "Кол<b>одка</b> &amp; диск.<!-- комментарий --></p></body></html>"));
  builder.AddPage("sub\\b.htm", W("<p>тормоз, колодка и ТОРМОЗ; ёлка</p>"));
  builder.AddPage("c.htm", W("<title> </title><p>Ёлка  2107</p>"));

  // Keywords in the case the book first writes them, in the byte order of their small letters.
  EXPECT_EQ(Cp1251ToUtf8(builder.KeywordsFile()),
            "2107\r\nёлка\r\nВАЗ\r\nи\r\nКолодка\r\nТормоз\r\n");
  EXPECT_EQ(builder.NumbersFile(), "1:3\r\n2:3\r\n1\r\n2\r\n1:2\r\n1:2\r\n");
  EXPECT_EQ(Cp1251ToUtf8(builder.FilesFile()),
            "a.htm#:#Глава «1»\r\nsub\\b.htm#:#sub\\b.htm\r\nc.htm#:#c.htm\r\n");

  struct Case {
    const char* word;
    TDynamicStringArray files;
  } cases[] = {{"тормоз", {"a.htm", "sub\\b.htm"}},
               {"КОЛОДКА", {"a.htm", "sub\\b.htm"}},  // one word across a tag
               {"Ёлка", {"sub\\b.htm", "c.htm"}},
               {"2107", {"a.htm", "c.htm"}},
               {"ваз-2107", {}},  // a word is letters and digits only
               {"диск", {}},      // left out
               {"скрипт", {}},    // never shown
               {"комментарий", {}}};
  for (const Case& c : cases) EXPECT_EQ(Lookup(builder, c.word), c.files) << c.word;
  TDynamicStringArray titles;
  Lookup(builder, "ваз", &titles);
  EXPECT_EQ(titles, TDynamicStringArray{W("Глава «1»")});
}

}  // namespace
}  // namespace shelf::test
