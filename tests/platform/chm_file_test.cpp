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

TEST_F(ChmFileTest, StatedLengthsAreCheckedBeforeAnythingIsRead) {
  const std::string content = "<p>ok";
  const fs::path file = Write(test::ChmFileOf({{"/ok.htm", 0, 5},
                                               {"/huge.htm", 0, 3ull << 30},
                                               {"/giant.htm", 0, 1ull << 62},
                                               {"/past.htm", 0, 60ull << 20},  // under the limit
                                               {"/late.htm", 1ull << 40, 5}},
                                              content));
  const auto help = TChmFile::Open(file);
  ASSERT_TRUE(help);
  const std::pair<const char*, std::optional<std::string>> cases[] = {
      {"/ok.htm", "<p>ok"},        {"/huge.htm", std::nullopt}, {"/giant.htm", std::nullopt},
      {"/past.htm", std::nullopt}, {"/late.htm", std::nullopt},
  };
  for (const auto& [name, expected] : cases) EXPECT_EQ(help->Read(name), expected) << name;
  EXPECT_EQ(help->Read("/ok.htm", 4), std::nullopt);  // over the caller's limit
  EXPECT_EQ(UnpackHelpTopic(file, "ok", Dir() / "out"), Dir() / "out" / "ok.htm");
  EXPECT_FALSE(fs::exists(Dir() / "out" / "huge.htm"));
  EXPECT_LT(test::PeakResidentBytes(), test::kHostileInputMemory);
}

TEST_F(ChmFileTest, FilesSharingTheSameBytesUnpackOnlyUpToTheBound) {
  // 100 names on the same MiB: 100 MiB if all were unpacked.
  std::vector<test::TChmEntry> entries = {{"/index.htm", 0, 5}};
  for (int i = 0; i < 100; ++i) entries.push_back({"/p" + std::to_string(i) + ".gif", 0, 1 << 20});
  const fs::path file = Write(test::ChmFileOf(entries, std::string(1 << 20, 'x')));
  const fs::path folder = Dir() / "out";
  EXPECT_EQ(UnpackHelpTopic(file, "index", folder), folder / "index.htm");
  std::uint64_t unpacked = 0;
  for (const auto& written : fs::directory_iterator(folder)) unpacked += written.file_size();
  const std::uint64_t bound = HelpUnpackAllowance(fs::file_size(file));
  EXPECT_EQ(bound, kHelpUnpackFloor);
  EXPECT_LE(unpacked, bound);
  EXPECT_GT(unpacked, bound - (1 << 20) - 1);

  const std::pair<std::uint64_t, std::uint64_t> allowances[] = {
      {0, kHelpUnpackFloor},
      {10ull << 20, 200ull << 20},
      {1ull << 40, kHelpUnpackCeiling},
  };
  for (const auto& [size, allowed] : allowances) EXPECT_EQ(HelpUnpackAllowance(size), allowed);
}

}  // namespace
}  // namespace shelf
