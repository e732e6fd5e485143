#include "shell/command_line.h"

#include <gtest/gtest.h>

#include "test_support.h"

namespace shelf {
namespace {

class CommandLineTest : public test::IsolatedTest {};

TEST_F(CommandLineTest, RoleAndBookComeFromTheArguments) {
  const std::string book = Dir().string();
  struct Case {
    std::vector<std::string> arguments;
    TRunRole role;
    bool hasBook;
    bool spawned;
  } cases[] = {
      {{}, TRunRole::BookShell, false, false},
      {{book}, TRunRole::BookShell, true, false},  // a folder first is the book, not a parameter
      {{"--book", book}, TRunRole::BookShell, true, false},
      {{"--book", book, "page.htm", "/t"}, TRunRole::Thesaurus, true, true},  // "/t" anywhere
      {{"a/tb.htm"}, TRunRole::Thesaurus, false, false},
      {{"--book", book, "/h"}, TRunRole::HelpOrPlainWindow, true, true},
      {{"d:\\book\\pic.bmp"}, TRunRole::HelpOrPlainWindow, false, false},
  };
  for (const auto& c : cases) {
    std::string error;
    const auto line = ParseCommandLine(c.arguments, error);
    ASSERT_TRUE(line) << error;
    EXPECT_EQ(line->Role(), c.role) << line->Raw;
    EXPECT_EQ(line->BookFolder.has_value(), c.hasBook) << line->Raw;
    EXPECT_EQ(line->SpawnedCopy(), c.spawned) << line->Raw;
  }
  std::string error;
  EXPECT_FALSE(ParseCommandLine({"--book"}, error));
  EXPECT_FALSE(error.empty());
}

}  // namespace
}  // namespace shelf
