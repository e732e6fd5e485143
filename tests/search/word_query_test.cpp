#include "search/word_query.h"

#include <gtest/gtest.h>

#include "platform/cp1251.h"

namespace shelf::test {
namespace {

std::string W(const std::string& utf8) {
  return Utf8ToCp1251Lossy(utf8);
}

TEST(WordQueryTest, APageHoldsAWordInAnyOfItsFormsAndOnlyThose) {
  struct Case {
    const char* query;
    const char* page;
    bool exact;
    bool holds;
  } cases[] = {
      // nouns
      {"двигатель", "Снятие двигателя с автомобиля", false, true},
      {"двигатель", "между двигателем и коробкой", false, true},
      {"двигатели", "оба двигателя", false, true},
      {"двигатель", "не двигайте автомобиль", false, false},  // another word, not a form
      {"двигать", "снятие двигателя", false, false},
      {"колодки", "замена колодкой", false, true},
      // adjectives
      {"тормозной", "тормозная жидкость", false, true},
      {"тормозная", "из тормозных трубок", false, true},
      // verbs
      {"прокачать", "прокачайте тормоза", false, true},
      {"проверяют", "зазор проверяется щупом", false, true},
      // «ё» is «е», and letter case does not count
      {"колёса", "колеса и шины", false, true},
      {"емкость", "Заправочные ёмкости", false, true},
      {"двигатель", "ДВИГАТЕЛЯ", false, true},
      {"ПОРШЕНЬ", "поршень", false, true},
      // English words by the English stemmer
      {"engines", "the engine", false, true},
      // several words: each somewhere on the page
      {"замена колодки", "колодкой ... для замены", false, true},
      {"замена колодки", "только колодки", false, false},
      // as typed only
      {"двигатель", "снятие двигателя", true, false},
      {"двигатель", "Двигатель снят", true, true},
      {"ёмкость", "емкость бака", true, true},
      // the text as written still counts, inside a longer word too
      {"двигатель", "Электродвигатель", false, true},
      {"20–25", "момент 20–25 Н·м", false, true},
  };
  for (const Case& c : cases) {
    TWordQuery query(W(c.query), c.exact);
    EXPECT_EQ(query.Score(W(c.page), false).Holds, c.holds) << c.query << " / " << c.page;
  }
}

TEST(WordQueryTest, ScoresCountFormsAndTheWordsAsTyped) {
  TWordQuery query(W("двигатель"), false);
  const RPageScore score = query.Score(W("двигателя, двигатель и двигателем; двигать"), false);
  EXPECT_EQ(score.Matches, 3);
  EXPECT_EQ(score.ExactWords, 1);
  EXPECT_EQ(query.Score(W("двигателя"), false).ExactWords, 0);
  EXPECT_EQ(query.WordsIn(W("2.2. Снятие и установка двигателя")), 1);
  EXPECT_EQ(query.WordsIn(W("Двигать")), 0);
}

TEST(WordQueryTest, TheNextPlaceIsTheNextFormOrRunOfForms) {
  const std::string text = W("Снятие двигателя. С двигателем снимают головку цилиндров.");
  TWordQuery word(W("двигатель"), false);
  std::vector<std::string> found;
  for (auto at = word.Next(text, 0, false); at; at = word.Next(text, at->Start + at->Length, false))
    found.push_back(Cp1251ToUtf8(text.substr(at->Start, at->Length)));
  EXPECT_EQ(found, (std::vector<std::string>{"двигателя", "двигателем"}));

  TWordQuery phrase(W("головки цилиндра"), false);
  const auto run = phrase.Next(text, 0, false);
  ASSERT_TRUE(run);
  EXPECT_EQ(Cp1251ToUtf8(text.substr(run->Start, run->Length)), "головку цилиндров");
  EXPECT_FALSE(TWordQuery(W("цилиндров головки"), false).Next(text, 0, false));
}

}  // namespace
}  // namespace shelf::test
