#include "store/book_text.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "platform/cp1251.h"
#include "store/compr_stream.h"

namespace shelf {
namespace {

std::string Cp(const char* utf8) {
  return *Utf8ToCp1251(utf8);
}

TBookFolders BookInD() {
  return {"d:\\book\\run\\", "d:\\book\\", "d:\\", {}, {}, {}};
}

TEST(BookText, ReadBookLineEndsLinesAtCrAndDropsLf) {
  struct Case {
    std::string bytes;
    std::vector<std::string> lines;
  } cases[] = {
      {"a\r\nb", {"a", "b"}},
      {"a\r\n", {"a", ""}},  // a final CR LF gives one last empty line
      {"a\rb\n\rc\r", {"a", "b", "c"}},
      {"", {}},
  };
  for (const auto& c : cases) {
    TComprStream stream(c.bytes);
    std::vector<std::string> lines;
    std::string line;
    while (ReadBookLine(stream, line)) lines.push_back(line);
    EXPECT_EQ(lines, c.lines) << testing::PrintToString(c.bytes);
    EXPECT_EQ(line, "");
  }
}

TEST(BookText, ReadIndexLineReportsWhetherMoreFollows) {
  TComprStream stream(std::string("a\r\nb"));
  std::vector<std::pair<bool, std::string>> read;
  std::string line;
  for (bool more = true; more;) {
    more = ReadIndexLine(stream, line);
    read.emplace_back(more, line);
  }
  EXPECT_EQ(read, (std::vector<std::pair<bool, std::string>>{{true, "a"}, {false, "b"}}));
}

TEST(BookText, SplitTextKeepsTheRestAfterTheLastSeparator) {
  struct Case {
    const char* separator;
    const char* text;
    MyArray pieces;
  } cases[] = {
      {"~", "abc~def", {"abc", "def"}},
      {"~", "abc~", {"abc", ""}},
      {"~", "~def", {"def"}},
      {"~", "a~~b", {"a", "b"}},
      // Pieces before a separator are trimmed, the rest after the last one is not.
      {"~", " a ~ b ", {"a", " b "}},
      {"~", "a~b~", {"a", "b"}},
      {"~", "plain", {"plain"}},
      {"~", "", {}},
      {"<>", "x<>y<>z", {"x", "y", "z"}},
      {"", "whole", {"whole"}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(SplitText(c.separator, c.text), c.pieces) << c.separator << " " << c.text;
  }
}

TEST(BookText, ReplaceAllTextIgnoresLetterCase) {
  EXPECT_EQ(ReplaceAllText("D:\\Book\\Page.FILES\\a.doc", "d:\\book\\page.files\\", ""), "a.doc");
  EXPECT_EQ(ReplaceAllText(Cp("Папка и ПАПКА"), Cp("папка"), "x"), Cp("x и x"));
  EXPECT_EQ(ReplaceAllText("aaa", "a", "aa"), "aaaaaa");
  EXPECT_EQ(ReplaceAllText("abc", "", "x"), "abc");
}

TEST(BookText, ValueIntTakesTheFirstRunOfDigitsAndMinus) {
  struct Case {
    const char* line;
    std::size_t position;
    std::int32_t value;
  } cases[] = {
      {"vx=-12;", 1, -12},
      {"vx=;", 1, -1},
      {"vx=;vy=40", 1, 40},  // a missing value takes the
                             // next number on the line
      {"vx=12;vy=40", 7, 40},
      {"a=1-2", 1, -1},
      {"a=-", 1, -1},
      {"a=99999999999", 1, -1},
      {"a=007", 1, 7},
      {"1button", 1, 1},
      {"vx=5", 40, -1},
      {"", 1, -1},
  };
  for (const auto& c : cases) EXPECT_EQ(ValueInt(c.line, c.position), c.value) << c.line;
}

TEST(BookText, ValueWordRunsToTheSeparatorTrimmed) {
  struct Case {
    const char* line;
    std::size_t position;
    const char* word;
  } cases[] = {
      {"fn1= btn1.bmp ;fn2=b.bmp", 5, "btn1.bmp"},
      {"hint=no separator ", 6, "no separator"},
      {"hint=;wav=a.wav", 6, ""},
      {"wav", 5, ""},
      {"", 1, ""},
  };
  for (const auto& c : cases) EXPECT_EQ(ValueWord(c.line, c.position), c.word) << c.line;
}

TEST(BookText, ValueColorReadsThreeComponents) {
  struct Case {
    const char* line;
    std::int32_t color;
  } cases[] = {
      {"textfontcolorup=0,0,255", 255 * 65536},
      {"color=255,128,0;", 255 + 128 * 256},
      {"color=300,0,0", 44},  // each component modulo 256
      {"color=none", 0},
  };
  for (const auto& c : cases) EXPECT_EQ(ValueColor(c.line, 1), c.color) << c.line;
}

TEST(BookText, ValueListRunsOverLinesAndResolvesFileNames) {
  struct Case {
    TDynamicStringArray lines;
    std::size_t start;
    std::optional<TDynamicStringArray> items;
    std::size_t end;
  } cases[] = {
      {{"fnbtnup=[a.bmp; ..\\b.bmp]"}, 0, {{"d:\\book\\run\\a.bmp", "d:\\book\\b.bmp"}}, 0},
      {{"x", "caption=[one;", "two", "three];go=x"}, 1, {{"one", "", "two", "three"}}, 3},
      {{"bgsounddef=none"}, 0, {{}}, 0},
      {{"vertex=[1,2;", "3,4"}, 0, std::nullopt, 0},  // no ']': refused, index unchanged
      {{"go=[]"}, 0, {{""}}, 0},
  };
  for (const auto& c : cases) {
    std::size_t index = c.start;
    EXPECT_EQ(ValueList(c.lines, index, BookInD()), c.items) << c.lines[c.start];
    EXPECT_EQ(index, c.end) << c.lines[c.start];
  }
}

TEST(BookText, CommandPartsSplitAtTheEqualsSigns) {
  struct Case {
    const char* command;
    const char* word;
    const char* between;
    const char* after;
  } cases[] = {
      {"html=page.htm", "html", "d:\\book\\run\\page.htm", ""},
      {"htmlpos=..\\a.htm=120", "htmlpos", "d:\\book\\a.htm", "120"},
      {"a=b=c=x.htm", "a", "b=c", "d:\\book\\run\\x.htm"},
      {"exit", "", "", ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(CommandWord(c.command), c.word) << c.command;
    EXPECT_EQ(ValueBetweenEquals(c.command, BookInD()), c.between) << c.command;
    EXPECT_EQ(ValueAfterLastEquals(c.command, BookInD()), c.after) << c.command;
  }
}

}  // namespace
}  // namespace shelf
