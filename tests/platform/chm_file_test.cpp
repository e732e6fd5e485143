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

TEST_F(ChmFileTest, DirectoryOfSeveralChunksIsFollowedThroughItsIndex) {
  // Two listing chunks in a chain and an index chunk over them, as help compilers lay out
  // larger files: a name in the second chunk is found through the index.
  const fs::path file = Write(test::ChmFileWith(
      {{test::ListingChunk({{"/a.htm", 0, 2}}, -1, 1), test::ListingChunk({{"/m.htm", 2, 2}}, 0),
        test::IndexChunk({{"/a.htm", 0}, {"/m.htm", 1}})},
       0,
       2},
      "<pm!"));
  const auto help = TChmFile::Open(file);
  ASSERT_TRUE(help);
  EXPECT_EQ(help->Files(), (std::vector<std::string>{"/a.htm", "/m.htm"}));
  EXPECT_EQ(help->Read("/m.htm"), "m!");
  EXPECT_EQ(help->Read("/a.htm"), "<p");
}

TEST_F(ChmFileTest, DamagedDirectoriesAreRefusedBeforeTheLibraryFollowsThem) {
  // Each of these hangs libchm or sends it past a chunk's end or its buffers when it is handed
  // the file.
  using test::IndexChunk;
  using test::ListingChunk;
  const test::TChmEntry page{"/a.htm", 0, 2};
  std::string cutEntry = ListingChunk({page});
  cutEntry[4] = static_cast<char>(cutEntry[4] + 2);  // the stated free space cuts the entry
  std::string noSpace = ListingChunk({page});
  noSpace[7] = 1;  // more free space than the chunk has
  const std::pair<const char*, test::TChmDirectory> cases[] = {
      {"cyclic listing chain", {{ListingChunk({page}, -1, 1), ListingChunk({page}, 0, 0)}}},
      {"listing chunk next to itself", {{ListingChunk({page}, -1, 0)}}},
      {"next listing chunk out of range", {{ListingChunk({page}, -1, 7)}}},
      {"first listing chunk out of range", {{ListingChunk({page})}, 3}},
      {"index chunk pointing at itself", {{ListingChunk({page}), IndexChunk({{"/a", 1}})}, 0, 1}},
      {"index chunks in a cycle",
       {{ListingChunk({page}), IndexChunk({{"/a", 2}}), IndexChunk({{"/a", 1}})}, 0, 1}},
      {"index child out of range", {{ListingChunk({page}), IndexChunk({{"/a", 9}})}, 0, 1}},
      {"index root out of range", {{ListingChunk({page})}, 0, 5}},
      {"index deeper than any compiler writes",
       {{ListingChunk({page}), IndexChunk({{"/a", 0}}), IndexChunk({{"/a", 1}}),
         IndexChunk({{"/a", 2}}), IndexChunk({{"/a", 3}}), IndexChunk({{"/a", 4}}),
         IndexChunk({{"/a", 5}}), IndexChunk({{"/a", 6}}), IndexChunk({{"/a", 7}}),
         IndexChunk({{"/a", 8}})},
        0,
        9}},
      {"entry cut by the free space", {{cutEntry}}},
      {"free space beyond the chunk", {{noSpace}}},
      {"section libchm does not know", {{ListingChunk({{"/a.htm", 0, 2, 2}})}}},
  };
  for (const auto& [what, directory] : cases) {
    const fs::path file = Write(test::ChmFileWith(directory, "<p"));
    EXPECT_FALSE(TChmFile::Open(file)) << what;
    EXPECT_EQ(UnpackHelpTopic(file, "a", Dir() / "out"), std::nullopt) << what;
  }
}

TEST_F(ChmFileTest, CompressedFilesAreReadOnlyWithSoundParameters) {
  // The compressed section's reset table (its block length, how much it yields, where each
  // block starts and where the last ends) and its control data (window and reset interval, in
  // frames of 32 KiB).
  const auto table = [](std::uint64_t blockLength, std::uint64_t yields,
                        const std::vector<std::uint64_t>& starts, std::uint64_t end) {
    std::string bytes;
    for (const std::uint64_t value :
         {std::uint64_t{2}, std::uint64_t{starts.size()}, std::uint64_t{8}, std::uint64_t{0x28}})
      test::PutLe(bytes, value, 4);
    for (const std::uint64_t value : {yields, end, blockLength}) test::PutLe(bytes, value, 8);
    for (const std::uint64_t start : starts) test::PutLe(bytes, start, 8);
    return bytes;
  };
  const auto control = [](std::uint32_t window, std::uint32_t windowsPerReset) {
    std::string bytes;
    test::PutLe(bytes, 6, 4);
    bytes += "LZXC";
    for (const std::uint32_t value : {2u, 2u, window, windowsPerReset, 0u})
      test::PutLe(bytes, value, 4);
    return bytes;
  };
  const std::string sound = table(0x8000, 0x10000, {0, 100}, 200);
  struct TCase {
    const char* What;
    std::string ResetTable, ControlData;
    bool Opens;  // libchm reads the control data while it opens the file: a file whose control
                 // data is unsound is refused whole
  };
  const TCase cases[] = {
      {"no window, which libchm divides by while it opens the file", sound, control(0, 1), false},
      {"control data cut short", sound, control(2, 1).substr(0, 12), false},
      {"window the decompressor cannot make", sound, control(128, 1), false},
      {"no block between resets", sound, control(2, 0), false},
      {"block length 0, which libchm divides by", table(0, 0x10000, {0, 100}, 200), control(2, 1),
       true},
      {"block longer than libchm's buffer", table(0x8000, 0x10000, {0, 50000}, 50100),
       control(2, 1), true},
      {"blocks in the wrong order", table(0x8000, 0x10000, {100, 0}, 200), control(2, 1), true},
      {"more bytes than its blocks hold", table(0x8000, 0x30000, {0, 100}, 200), control(2, 1),
       true},
      {"file past what the section yields", table(0x8000, 0x10, {0, 100}, 200), control(2, 1),
       true},
  };
  for (const TCase& c : cases) {
    const std::string content = "<p" + c.ResetTable + c.ControlData + std::string(200, 'z');
    const std::uint64_t tableAt = 2, controlAt = tableAt + c.ResetTable.size();
    const fs::path file = Write(test::ChmFileOf(
        {{"/plain.htm", 0, 2},
         {"/packed.htm", 0, 0x100, 1},
         {"::DataSpace/Storage/MSCompressed/Transform/{7FC28940-9D31-11D0-9B27-00A0C91E9C7C}/"
          "InstanceData/ResetTable",
          tableAt, c.ResetTable.size()},
         {"::DataSpace/Storage/MSCompressed/ControlData", controlAt, c.ControlData.size()},
         {"::DataSpace/Storage/MSCompressed/Content", controlAt + c.ControlData.size(), 200}},
        content));
    const auto help = TChmFile::Open(file);
    ASSERT_EQ(help != nullptr, c.Opens) << c.What;
    if (!help) continue;
    EXPECT_EQ(help->Read("/plain.htm"), "<p") << c.What;
    EXPECT_EQ(help->Read("/packed.htm"), std::nullopt) << c.What;
  }
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
