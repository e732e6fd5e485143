#include "search/make_tesaurus_find.h"

#include <gtest/gtest.h>

#include "html/html_fixture.h"

namespace shelf::test {
namespace {

class MakeTesaurusFindTest : public HtmlTest {
 protected:
  // The index's lines, given in UTF-8.
  void Index(const std::string& utf8) { AddFiles({{"run/tezaurus.idx", W(utf8)}}); }
  TMakeTesaurusFind Find() {
    TMakeTesaurusFind find(Store());
    find.SetIndexFolder("d:\\run\\");
    find.OnWarning = [this](const std::string& text) { warnings.push_back(text); };
    return find;
  }
  std::vector<std::string> warnings;
};

TEST_F(MakeTesaurusFindTest, TheFirstEntryIsTheStartPageAndTermsFindTheirPage) {
  Index(
      " Аккумулятор ~ t1.htm#akb \r\nГенератор~t1.htm#gen\r\nбез страницы\r\nРеле~\r\n"
      "Свеча~t4.htm#svecha");
  TMakeTesaurusFind find = Find();
  struct Case {
    const char* word;
    bool found;
    const char* target;
  } cases[] = {
      {"", true, "t1.htm#akb"},            // an empty word: the first entry, trimmed
      {"  ", true, "t1.htm#akb"},          // trimmed to empty
      {"генератор", true, "t1.htm#gen"},   // letter case ignored, Cyrillic too
      {" СВЕЧА ", true, "t4.htm#svecha"},  // the last line has no line end
      {"Реле", false, ""},                 // a term without a page
      {"Стартер", false, ""},              // no such term: nothing
      {"без страницы", false, ""},
  };
  for (const Case& c : cases) {
    std::string target = "stale";
    EXPECT_EQ(find.LookUp(W(c.word), target), c.found) << c.word;
    if (c.found) EXPECT_EQ(target, c.target) << c.word;
  }
  EXPECT_TRUE(warnings.empty());
}

TEST_F(MakeTesaurusFindTest, AFirstLineWithoutPageOrAMissingIndexOpensNothing) {
  TMakeTesaurusFind find = Find();
  std::string target;
  EXPECT_FALSE(find.ThesaurusStartPage(target));  // no index: silently nothing
  Index("Оглавление\r\nАккумулятор~t1.htm\r\n");
  EXPECT_FALSE(find.ThesaurusStartPage(target));
  EXPECT_FALSE(find.LookUp("", target));
  EXPECT_TRUE(find.LookUp(W("аккумулятор"), target));
  EXPECT_EQ(target, "t1.htm");
  EXPECT_TRUE(warnings.empty());
}

TEST_F(MakeTesaurusFindTest, ATermIsFoundByAnyOfItsFormsAndByItsStart) {
  Index(
      "Поршень~t3.htm#porshen\r\nПоршневой палец~t3.htm#palec\r\nГоловка цилиндров~t1.htm#gbc\r\n"
      "Ёмкость~t1.htm#emk\r\nКлапан~t2.htm#klapan\r\nКлапаны впускные~t2.htm#vpusk");
  TMakeTesaurusFind find = Find();
  struct Case {
    const char* text;
    const char* term;
    const char* target;
  } cases[] = {
      {"порш", "Поршень", "t3.htm#porshen"},  // the start: the first such term
      {"поршневой п", "Поршневой палец", "t3.htm#palec"},
      {"головки цилиндров", "Головка цилиндров", "t1.htm#gbc"},  // forms of every word
      {"емкости", "Ёмкость", "t1.htm#emk"},
      {"КЛАПАН", "Клапан", "t2.htm#klapan"},  // the term itself before a longer one
      {"стартер", "", ""},
  };
  for (const Case& c : cases) {
    std::string term, target;
    EXPECT_EQ(find.FindTerm(W(c.text), term, target), *c.term != 0) << c.text;
    EXPECT_EQ(Cp1251ToUtf8(term), c.term) << c.text;
    EXPECT_EQ(target, c.target) << c.text;
  }
}

}  // namespace
}  // namespace shelf::test
