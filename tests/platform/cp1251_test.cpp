#include "platform/cp1251.h"

#include <gtest/gtest.h>

#include <QString>

namespace shelf {
namespace {

TEST(Cp1251, EveryByteSurvivesTheTripToUtf8AndBack) {
  std::string all;
  for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
  EXPECT_EQ(Utf8ToCp1251(Cp1251ToUtf8(all)), all);
  EXPECT_EQ(FromQString(ToQString(all)), all);
  EXPECT_EQ(Cp1251ToUtf8("\xC0\xFF\xA8\xB9"), "АяЁ№");
}

TEST(Cp1251, TextOutsideTheCodePageIsRefusedOrMarked) {
  EXPECT_EQ(Utf8ToCp1251("日本"), std::nullopt);
  EXPECT_EQ(Utf8ToCp1251("\xC3"), std::nullopt);  // a cut sequence
  EXPECT_EQ(Utf8ToCp1251Lossy("Шина 日"), *Utf8ToCp1251("Шина ") + "?");
}

TEST(Cp1251, CaseFoldingCoversLatinAndCyrillicOnly) {
  EXPECT_EQ(Cp1251LowerString(*Utf8ToCp1251("ABC Двигатель ЁЖ №1")),
            *Utf8ToCp1251("abc двигатель ёж №1"));
  EXPECT_EQ(AsciiLower(*Utf8ToCp1251("ABC Двигатель")), *Utf8ToCp1251("abc Двигатель"));
}

}  // namespace
}  // namespace shelf
