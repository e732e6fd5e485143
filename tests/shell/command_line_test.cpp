#include "shell/command_line.h"

#include <gtest/gtest.h>

#include "platform/cp1251.h"
#include "shell/book_discovery.h"
#include "test_support.h"

namespace shelf {
namespace {

class CommandLineTest : public test::IsolatedTest {};

// Start-up takes the book out of the arguments first; what is left makes the role. A switch is
// an argument of its own: host paths full of "/t" and "/h" are never switches.
TEST_F(CommandLineTest, RoleComesFromWhatTheBookArgumentLeaves) {
  const std::string book = Dir().string();
  struct Case {
    std::vector<std::string> arguments;
    TRunRole role;
    std::vector<std::string> parameters;
    bool spawned;  // started with a switch after the page
  } cases[] = {
      {{book}, TRunRole::BookShell, {}, false},  // a folder first is the book, not a parameter
      {{"--book", book}, TRunRole::BookShell, {}, false},
      {{"--book", book, "page.htm", "/t"}, TRunRole::Thesaurus, {"page.htm", "/t"}, true},
      {{"--book", book, "/tmp/tb.htm"}, TRunRole::HelpOrPlainWindow, {"/tmp/tb.htm"}, false},
      {{"--book", book, "page.htm /t"}, TRunRole::HelpOrPlainWindow, {"page.htm /t"}, false},
      {{"--book", book, "page.htm", "/h"}, TRunRole::HelpOrPlainWindow, {"page.htm", "/h"}, true},
      {{"--book", book, "/h"}, TRunRole::HelpOrPlainWindow, {"/h"}, false},  // nothing before
      {{"--book", book, "/t"}, TRunRole::Thesaurus, {"/t"}, false},
      {{"/t"}, TRunRole::Thesaurus, {"/t"}, false},  // the sample book's thesaurus window
  };
  for (auto& c : cases) {
    std::string error;
    FindStartBook(c.arguments, Dir() / "no-sample", error);
    const TCommandLine line = ParseCommandLine(c.arguments);
    EXPECT_EQ(line.Parameters, c.parameters);
    EXPECT_EQ(line.Role(), c.role) << c.arguments.size();
    EXPECT_EQ(line.NotMainShell(), !c.parameters.empty());
    EXPECT_EQ(line.Argument().SpawnedCopy(), c.spawned) << c.arguments.size();
  }
}

TEST_F(CommandLineTest, ArgumentIsWhatTheSwitchLeaves) {
  struct Case {
    std::vector<std::string> parameters;
    std::string argument;
    bool thesaurus, help;
  } cases[] = {
      {{"d:\\book\\run\\terms.htm#oil", "/t"}, "d:\\book\\run\\terms.htm#oil", true, false},
      {{"page.htm", "/h"}, "page.htm", false, true},
      // A switch with no page before it is the page name itself.
      {{"/h"}, "/h", false, false},
      // Only the first switch goes, "/t" before "/h"; the rest joins with single spaces.
      {{"a b.htm", "/h", "/t", "/t"}, "a b.htm /h /t", true, false},
      {{"/home/x.htm", "/tmp/y.htm"}, "/home/x.htm /tmp/y.htm", false, false},
      // Quotes go and the rest is trimmed, as the desktop's rule has it.
      {{"a\"b.htm", "/h"}, "ab.htm", false, true},
      {{"  pic.bmp  "}, "pic.bmp", false, false},
      {{}, "", false, false},
  };
  for (const auto& c : cases) {
    TCommandLine line;
    line.Parameters = c.parameters;
    const TCommandLineArgument argument = line.Argument();
    EXPECT_EQ(argument.Argument, c.argument);
    EXPECT_EQ(argument.Thesaurus, c.thesaurus) << c.argument;
    EXPECT_EQ(argument.Help, c.help) << c.argument;
  }
}

TEST_F(CommandLineTest, CopiesGetTheirArgumentBehindTheBookFolder) {
  std::vector<std::string> arguments{"--book", Dir().string(), "терм.htm#a", "/t"};
  std::string error;
  ASSERT_TRUE(FindStartBook(arguments, Dir() / "no-sample", error)) << error;
  const TCommandLineArgument argument = ParseCommandLine(arguments).Argument();
  EXPECT_EQ(argument.Argument, *Utf8ToCp1251("терм.htm#a"));
  EXPECT_TRUE(argument.Thesaurus);
}

}  // namespace
}  // namespace shelf
