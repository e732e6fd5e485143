#include "platform/chm_file.h"

#include <gtest/gtest.h>

#include "chm_fixture.h"
#include "platform/help_viewer.h"
#include "test_support.h"

namespace shelf {
namespace {
namespace fs = std::filesystem;

class ChmFileTest : public test::IsolatedTest {
 protected:
  fs::path Write(const std::string& bytes) {
    const fs::path file = Dir() / "help.chm";
    test::WriteTree(Dir(), {{"help.chm", bytes}});
    return file;
  }
};

TEST_F(ChmFileTest, ListsReadsAndNamesItsDefaultPage) {
  const fs::path file = Write(test::ChmFile(
      {{"/start.htm", "<p>start"}, {"/Topic12.htm", "<p>twelve"}, {"/pics/a.gif", "GIF89a"}},
      "Topic12.htm"));
  const auto help = TChmFile::Open(file);
  ASSERT_TRUE(help);
  EXPECT_EQ(help->Files(), (std::vector<std::string>{"/start.htm", "/Topic12.htm", "/pics/a.gif"}));
  EXPECT_EQ(help->Read("/pics/a.gif"), "GIF89a");
  EXPECT_EQ(help->Read("/topic12.htm"), "<p>twelve");  // names are found without regard to case
  EXPECT_EQ(help->Read("/missing.htm"), std::nullopt);
  EXPECT_EQ(help->DefaultPage(), "/Topic12.htm");

  // Without a default topic the first page is the default.
  const auto plain = TChmFile::Open(Write(test::ChmFile({{"/a.gif", "x"}, {"/b.htm", "b"}})));
  ASSERT_TRUE(plain);
  EXPECT_EQ(plain->DefaultPage(), "/b.htm");
  EXPECT_FALSE(TChmFile::Open(Write("not a help file")));
}

TEST_F(ChmFileTest, UnpacksTheTopicsPageOrTheDefaultAndNothingOutsideItsFolder) {
  const fs::path file = Write(test::ChmFile({{"/index.htm", "<p>index"},
                                             {"/html/topic13.htm", "<img src=\"../p.gif\">"},
                                             {"/p.gif", "GIF89a"},
                                             {"/../escape.htm", "bad"}},
                                            "index.htm"));
  const fs::path folder = Dir() / "out";
  EXPECT_EQ(UnpackHelpTopic(file, "Topic13", folder), folder / "html/topic13.htm");
  EXPECT_EQ(test::ReadFile(folder / "p.gif"), "GIF89a");  // the page's pictures come along
  EXPECT_FALSE(fs::exists(Dir() / "escape.htm"));
  EXPECT_EQ(UnpackHelpTopic(file, "Topic99", folder), folder / "index.htm");
  EXPECT_EQ(UnpackHelpTopic(Dir() / "none.chm", "Topic12", folder), std::nullopt);
}

}  // namespace
}  // namespace shelf
