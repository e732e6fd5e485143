#include "shell/command_line.h"

#include <gtest/gtest.h>

#include "platform/cp1251.h"
#include "shell/book_discovery.h"
#include "test_support.h"

namespace shelf {
namespace {

class CommandLineTest : public test::IsolatedTest {};

// Start-up takes the book out of the arguments first; what is left makes the role.
TEST_F(CommandLineTest, RoleComesFromWhatTheBookArgumentLeaves) {
  const std::string book = Dir().string();
  struct Case {
    std::vector<std::string> arguments;
    TRunRole role;
    std::string raw;
    bool spawned;  // started with " /t" or " /h"
  } cases[] = {
      {{book}, TRunRole::BookShell, "", false},  // a folder first is the book, not a parameter
      {{"--book", book}, TRunRole::BookShell, "", false},
      {{"--book", book, "page.htm", "/t"}, TRunRole::Thesaurus, "page.htm /t", true},
      {{"a/tb.htm"}, TRunRole::Thesaurus, "a/tb.htm", false},  // "/t" anywhere
      {{"--book", book, "page.htm", "/h"}, TRunRole::HelpOrPlainWindow, "page.htm /h", true},
      {{"--book", book, "/h"}, TRunRole::HelpOrPlainWindow, "/h", false},  // no space before
      {{"d:\\book\\pic.bmp"}, TRunRole::HelpOrPlainWindow, "d:\\book\\pic.bmp", false},
  };
  for (auto& c : cases) {
    std::string error;
    FindStartBook(c.arguments, Dir() / "no-sample", error);
    const TCommandLine line = ParseCommandLine(c.arguments);
    EXPECT_EQ(line.Raw, c.raw);
    EXPECT_EQ(line.Role(), c.role) << line.Raw;
    EXPECT_EQ(line.NotMainShell(), !c.raw.empty()) << line.Raw;
    EXPECT_EQ(line.Argument("shelf").SpawnedCopy(), c.spawned) << line.Raw;
  }
}

TEST_F(CommandLineTest, ArgumentFollowsTheDesktopsCommandLineRules) {
  const std::string quoted = "\"C:\\Program Files\\Book\\shelf.exe\"";
  struct Case {
    std::string raw;
    std::size_t pathLength;
    std::string argument;
    bool thesaurus, help;
  } cases[] = {
      // A quoted path with spaces ends at its closing quote and the space after it.
      {quoted + " d:\\book\\run\\terms.htm#oil /t", quoted.size(), "d:\\book\\run\\terms.htm#oil",
       true, false},
      {"shelf.exe page.htm /h", 9, "page.htm", false, true},
      // "/h" alone has no space before it once trimmed: it is the argument itself.
      {"shelf.exe /h", 9, "/h", false, false},
      {quoted + " /h", quoted.size(), "/h", false, false},
      // The first quote followed by a space ends the "program path", even a page's closing
      // quote; only the first switch is taken out.
      {"shelf.exe \"a b.htm\" /t /t", 9, "/t", true, false},
      {"shelf.exe a\"b.htm /h", 9, "ab.htm", false, true},
      {"shelf.exe   pic.bmp  ", 9, "pic.bmp", false, false},
      {"shelf.exe", 9, "", false, false},
  };
  for (const auto& c : cases) {
    const TCommandLineArgument argument = CommandLineArgument(c.raw, c.pathLength);
    EXPECT_EQ(argument.Argument, c.argument) << c.raw;
    EXPECT_EQ(argument.Thesaurus, c.thesaurus) << c.raw;
    EXPECT_EQ(argument.Help, c.help) << c.raw;
  }
}

TEST_F(CommandLineTest, CopiesGetTheirArgumentBehindTheBookFolder) {
  std::vector<std::string> arguments{"--book", Dir().string(), "терм.htm#a", "/t"};
  std::string error;
  ASSERT_TRUE(FindStartBook(arguments, Dir() / "no-sample", error)) << error;
  const TCommandLine line = ParseCommandLine(arguments);
  // A program path with a space is quoted, as the desktop would hand it over.
  for (const std::string path : {"/opt/shelf/shelf", "/opt/my books/shelf"}) {
    const TCommandLineArgument argument = line.Argument(path);
    EXPECT_EQ(argument.Argument, *Utf8ToCp1251("терм.htm#a")) << path;
    EXPECT_TRUE(argument.Thesaurus) << path;
  }
  EXPECT_EQ(RawCommandLine("/a b/shelf", "x /h"), "\"/a b/shelf\" x /h");
}

}  // namespace
}  // namespace shelf
