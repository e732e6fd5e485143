#include "store/book_path.h"

#include <gtest/gtest.h>

#include "platform/cp1251.h"
#include "test_support.h"

namespace shelf {
namespace {

std::string Cp(const char* utf8) {
  return *Utf8ToCp1251(utf8);
}

TEST(BookPath, ResolveBookPathFollowsTheProgramFolder) {
  const TBookFolders folders{"d:\\book\\run\\", "d:\\book\\", "d:\\", {}, {}, {}};
  struct Case {
    const char* text;
    const char* path;
  } cases[] = {
      {"..\\html\\a.htm", "d:\\book\\html\\a.htm"},
      {"\\html\\a.htm", "d:\\book\\html\\a.htm"},
      {"<cd>video\\a.avi", "d:\\video\\a.avi"},
      {"minimize", "minimize"},
      {"c:\\x\\y.htm", "c:\\x\\y.htm"},
      {"page=..\\a.htm", "page=d:\\book\\a.htm"},
      {"a.htm", "d:\\book\\run\\a.htm"},
      {"", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(ResolveBookPath(c.text, folders), c.path) << c.text;
}

TEST(BookPath, CombineBookPathNeverClimbsAboveTheRootPart) {
  struct Case {
    const char* base;
    const char* name;
    const char* path;
  } cases[] = {
      {"d:\\book\\run\\", "..\\..\\..\\a.htm", "d:\\book\\a.htm"},
      {"d:\\book\\run", " x\\..\\a.htm ", "d:\\book\\run\\a.htm"},
      {"d:\\", "..\\a.htm", "d:\\a.htm"},
      {"d:\\", "\\a.htm", "d:\\a.htm"},
      {"d:\\book\\run\\deep\\", "\\x\\..\\a.htm", "d:\\book\\a.htm"},
      {"book\\run\\", "\\..\\a.htm", "book\\a.htm"},
      {"run", "a.htm", "run\\a.htm"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(CombineBookPath(c.base, c.name), c.path) << c.base << " + " << c.name;
  }
}

class FindFilesTest : public test::IsolatedTest {
 protected:
  void SetUp() override {
    IsolatedTest::SetUp();
    test::WriteTree(Dir() / "disc", {{"Book/RUN/FONT.TTF", ""},
                                     {"Book/RUN/b.ttf", ""},
                                     {"Book/RUN/page.HTM", ""},
                                     {"Book/RUN/page.html", ""},
                                     {"Book/RUN/readme", ""},
                                     {"Book/RUN/日本.ttf", ""},
                                     {"Book/RUN/Шрифт.ttf", ""},
                                     {"Book/RUN/sub/c.TTF", ""},
                                     {"Book/RUN/sub/deeper/d.ttf", ""},
                                     {"Book/RUN/sub2/e.ttf", ""}});
    fileSystem.MapDrive('d', Dir() / "disc");
  }
  TDosFileSystem fileSystem;
};

TEST_F(FindFilesTest, MatchesMasksWithoutRegardToCase) {
  const std::string run = "d:\\book\\run\\";
  EXPECT_EQ(FindFiles(fileSystem, "d:\\book\\run", {"*.TTF"}, false, false),
            (TDynamicStringArray{run + "b.ttf", run + "FONT.TTF", run + Cp("Шрифт.ttf")}));
  EXPECT_EQ(FindFiles(fileSystem, run, {"*.htm*", Cp("ш*")}, false, false),
            (TDynamicStringArray{run + "page.HTM", run + "page.html", run + Cp("Шрифт.ttf")}));
  EXPECT_EQ(FindFiles(fileSystem, run, {"read*.*", "?.ttf"}, false, false),
            (TDynamicStringArray{run + "readme", run + "b.ttf"}));
}

TEST_F(FindFilesTest, WalksSubfoldersBreadthFirst) {
  const std::string run = "d:\\book\\run\\";
  EXPECT_EQ(FindFiles(fileSystem, run + "sub", {"*.ttf"}, true, true),
            (TDynamicStringArray{run + "sub\\", run + "sub\\c.TTF", run + "sub\\deeper\\",
                                 run + "sub\\deeper\\d.ttf"}));
  EXPECT_EQ(FindFiles(fileSystem, run, {"*.ttf"}, true, false).size(), 6u);
}

TEST_F(FindFilesTest, MissingFolderListsNothing) {
  EXPECT_TRUE(FindFiles(fileSystem, "d:\\book\\none\\", {"*.*"}, true, true).empty());
  EXPECT_TRUE(FindFiles(fileSystem, "", {"*.*"}, true, true).empty());
  EXPECT_TRUE(FindFiles(fileSystem, "e:\\", {"*.*"}, true, true).empty());
}

}  // namespace
}  // namespace shelf
