#include "search/thesaurus_index_builder.h"

#include <gtest/gtest.h>

#include "platform/cp1251.h"

namespace shelf {
namespace {

std::string W(const std::string& utf8) {
  return Utf8ToCp1251Lossy(utf8);
}

TEST(ThesaurusIndexBuilderTest, EachEntryHeadingGivesItsTermAndAnchor) {
  TThesaurusIndexBuilder builder;
  builder.AddPage("brakes.htm", W("<p>Страница без статей; ~ не в начале строки</p>"));
  EXPECT_TRUE(builder.Empty());
  builder.AddPage(
      "tez\\a.htm",
      W("<html><head><title>~ Заголовок окна</title></head><body>"
        "<h3><a name=\"abs\"></a>~ АБС</h3><p>Антиблокировочная система.</p>"
        "<a name='bleed'></a><p><b>~&nbsp;Прокачка  тормозов</b> &mdash; удаление воздуха.</p>"
        "<h3>~ Без якоря</h3><p>Текст <a name=later>со ссылкой</a> после статьи.</p>"
        "<h3><A NAME=x>~ Якорь после</A></h3><p>~ </p></body></html>"));
  EXPECT_EQ(builder.EntryCount(), 4u);
  EXPECT_EQ(Cp1251ToUtf8(builder.IndexFile()),
            "АБС~tez\\a.htm#abs\r\n"
            "Прокачка тормозов~tez\\a.htm#bleed\r\n"
            "Без якоря~tez\\a.htm\r\n"
            "Якорь после~tez\\a.htm#x\r\n");
}

}  // namespace
}  // namespace shelf
