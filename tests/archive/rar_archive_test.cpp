#include "archive/rar_archive.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "archive/rar5_volume.h"
#include "platform/cp1251.h"
#include "rar4_writer.h"
#include "test_support.h"

namespace shelf {
namespace {
namespace fs = std::filesystem;
using rar4::TRar4Entry;

class RarArchiveTest : public test::IsolatedTest {
 protected:
  void SetUp() override {
    IsolatedTest::SetUp();
    setenv("TZ", "UTC", 1);
    tzset();
  }
  fs::path Write(const std::string& name, const std::string& bytes) {
    const fs::path file = Dir() / name;
    EXPECT_TRUE(rar4::WriteFile(file, bytes));
    return file;
  }
  // Every header with the result of processing it, until the loop ends; `last` is the result
  // that ended it.
  std::vector<std::pair<RRarHeader, int>> ReadAll(TRarArchive& rar, bool extract,
                                                  const fs::path& to, int& last) {
    std::vector<std::pair<RRarHeader, int>> read;
    RRarHeader header;
    while ((last = rar.ReadHeader(header)) == kRarSuccess)
      read.emplace_back(header, rar.ProcessFile(extract, to));
    return read;
  }
  // Unpacks the whole of `file` into `to` (made first), to the end of the archive.
  std::vector<std::pair<RRarHeader, int>> Unpack(const fs::path& file, const fs::path& to) {
    fs::create_directories(to);
    TRarArchive rar;
    EXPECT_EQ(rar.Open(file), kRarSuccess);
    int last = 0;
    auto read = ReadAll(rar, true, to, last);
    EXPECT_EQ(last, kRarEndArchive);
    return read;
  }
};

TEST_F(RarArchiveTest, ListsFoldersFilesSizesTimesAndOemNames) {
  const std::uint32_t time = rar4::DosTime(2024, 3, 14, 10, 20, 30);
  const fs::path file = Write(
      "x.rar",
      rar4::WriteRar4({
          {"docs", "", true, false, time},
          {"docs\\" + rar4::Utf8ToOem("Схема.txt"), std::string(1500, 'a'), false, false, time},
          {"readme.txt", "hello", false, false, 0},
      }));
  TRarArchive rar;
  ASSERT_EQ(rar.Open(file), kRarSuccess);
  int last = 0;
  const auto read = ReadAll(rar, false, {}, last);
  EXPECT_EQ(last, kRarEndArchive);
  ASSERT_EQ(read.size(), 3u);
  EXPECT_TRUE(read[0].first.Folder);
  EXPECT_EQ(read[0].first.Name, "docs");
  EXPECT_EQ(read[0].first.FileTime, time);
  EXPECT_EQ(read[1].first.Name, "docs\\" + *Utf8ToCp1251("Схема.txt"));
  EXPECT_EQ(read[1].first.UnpSize, 1500u);
  EXPECT_FALSE(read[1].first.Folder);
  EXPECT_EQ(read[2].first.Name, "readme.txt");
  for (const auto& entry : read) EXPECT_EQ(entry.second, kRarSuccess);
}

TEST_F(RarArchiveTest, OpenErrors) {
  TRarArchive rar;
  EXPECT_EQ(rar.Open(Dir() / "missing.rar"), kRarOpenError);
  EXPECT_EQ(rar.Open(Write("text.rar", "just some text, not an archive")), kRarBadArchive);
}

TEST_F(RarArchiveTest, ExtractsKeepingFoldersAndRefusesWhatWouldLeaveTheDestination) {
  const fs::path file = Write("x.rar", rar4::WriteRar4({
                                           {"a\\b\\inside.txt", "inside"},
                                           {"..\\..\\escaped.txt", "no"},
                                           {"\\absolute.txt", "no"},
                                           {"c:\\drive.txt", "no"},
                                           {"secret.txt", "cipher", false, true},
                                           {"last.txt", "last"},
                                       }));
  const fs::path to = Dir() / "out" / "deep";
  const auto read = Unpack(file, to);
  ASSERT_EQ(read.size(), 6u);
  EXPECT_EQ(read[0].second, kRarSuccess);
  EXPECT_EQ(read[1].second, kRarUnsafeName);
  EXPECT_EQ(read[2].second, kRarUnsafeName);
  EXPECT_EQ(read[3].second, kRarUnsafeName);
  EXPECT_EQ(read[4].second, kRarEncrypted);
  EXPECT_TRUE(read[4].first.Encrypted);
  EXPECT_EQ(read[5].second, kRarSuccess);
  EXPECT_EQ(test::ReadFile(to / "a" / "b" / "inside.txt"), "inside");
  EXPECT_EQ(test::ReadFile(to / "last.txt"), "last");
  EXPECT_FALSE(fs::exists(to / "secret.txt"));
  EXPECT_FALSE(fs::exists(Dir() / "escaped.txt"));
  EXPECT_FALSE(fs::exists(Dir() / "out" / "escaped.txt"));
  EXPECT_FALSE(fs::exists("/absolute.txt"));
  EXPECT_FALSE(fs::exists(to / "absolute.txt"));
}

TEST_F(RarArchiveTest, LinksMayPointOnlyInsideTheDestination) {
  rar4::TRar4Entry inside{"docs\\latest"}, up{"up"}, absolute{"etc"}, through{"docs\\up2"};
  inside.LinkTarget = "../readme.txt";
  up.LinkTarget = "../outside";
  absolute.LinkTarget = "/etc";
  through.LinkTarget = "../../x";
  const fs::path file = Write(
      "x.rar", rar4::WriteRar4(
                   {{"readme.txt", "read me"}, {"docs", "", true}, inside, up, absolute, through}));
  const fs::path to = Dir() / "out";
  const auto read = Unpack(file, to);
  ASSERT_EQ(read.size(), 6u);
  EXPECT_EQ(read[2].second, kRarSuccess);
  EXPECT_EQ(test::ReadFile(to / "docs" / "latest"), "read me");
  EXPECT_EQ(read[3].second, kRarUnsafeName);
  EXPECT_EQ(read[4].second, kRarUnsafeName);
  EXPECT_EQ(read[5].second, kRarUnsafeName);
  EXPECT_FALSE(fs::is_symlink(to / "up"));
  EXPECT_FALSE(fs::is_symlink(to / "etc"));
}

TEST_F(RarArchiveTest, StoredEntryWithWrongCrcIsReportedAndRemoved) {
  std::string bytes = rar4::WriteRar4({{"good.txt", "good data"}, {"bad.txt", "flipped data"}});
  bytes[bytes.find("flipped")] = 'F';  // the header keeps the CRC of the original bytes
  const fs::path file = Write("x.rar", bytes);
  TRarArchive rar;
  ASSERT_EQ(rar.Open(file), kRarSuccess);
  int last = 0;
  const auto read = ReadAll(rar, true, Dir(), last);
  ASSERT_EQ(read.size(), 2u);
  EXPECT_EQ(read[0].second, kRarSuccess);
  EXPECT_EQ(read[1].second, kRarBadData);
  EXPECT_FALSE(fs::exists(Dir() / "bad.txt"));
  EXPECT_EQ(test::ReadFile(Dir() / "good.txt"), "good data");
}

// A header that understates its data cannot make the reader write more than it said; one that
// states more than the disk holds is refused before a byte is written.
TEST_F(RarArchiveTest, EntriesAreWrittenOnlyUpToTheirStatedSizeAndWhenTheyFit) {
  rar4::TRar4Writer writer;
  writer.Add({"small.txt", "fits"});
  writer.Add({"bomb.bin", std::string(100000, 'x')}, {.WholeSize = 10});
  const fs::path file = Write("x.rar", writer.Finish());
  TRarArchive rar;
  ASSERT_EQ(rar.Open(file), kRarSuccess);
  int last = 0;
  const auto read = ReadAll(rar, true, Dir() / "out", last);
  ASSERT_EQ(read.size(), 2u);
  EXPECT_EQ(read[0].second, kRarSuccess);
  EXPECT_EQ(read[1].second, kRarBadData);
  EXPECT_FALSE(fs::exists(Dir() / "out" / "bomb.bin"));

  const std::uint64_t tooBig = fs::space(Dir()).available + (1ull << 30);
  const fs::path huge =
      Write("huge.rar",
            test::Rar5Volume(0, {{.Name = "huge.bin", .Data = "x", .StatedSize = tooBig}}, false));
  ASSERT_EQ(rar.Open(huge), kRarSuccess);
  EXPECT_EQ(ReadAll(rar, true, Dir() / "out", last).at(0).second, kRarWriteError);
  EXPECT_FALSE(fs::exists(Dir() / "out" / "huge.bin"));
}

TEST_F(RarArchiveTest, UnpackingStopsAtTheBudgetOfTheWholeExtraction) {
  const fs::path file = Write("x.rar", rar4::WriteRar4({{"a.txt", std::string(60, 'a')},
                                                        {"b.txt", std::string(60, 'b')},
                                                        {"c.txt", std::string(60, 'c')},
                                                        {"d.txt", std::string(20, 'd')}}));
  TRarArchive rar;
  ASSERT_EQ(rar.Open(file), kRarSuccess);
  rar.SetWriteBudget(150);
  int last = 0;
  const auto read = ReadAll(rar, true, Dir() / "out", last);
  ASSERT_EQ(read.size(), 4u);
  const int expected[] = {kRarSuccess, kRarSuccess, kRarTooLarge, kRarSuccess};
  for (std::size_t i = 0; i < read.size(); ++i) EXPECT_EQ(read[i].second, expected[i]) << i;
  EXPECT_FALSE(fs::exists(Dir() / "out" / "c.txt"));
  EXPECT_EQ(test::ReadFile(Dir() / "out" / "d.txt"), std::string(20, 'd'));  // 140 of 150 used
}

TEST_F(RarArchiveTest, DamagedHeaderEndsTheLoopAsBadData) {
  std::string bytes = rar4::WriteRar4({{"one.txt", "1"}, {"two.txt", "2"}});
  bytes[bytes.find("two.txt")] = 'T';
  TRarArchive rar;
  ASSERT_EQ(rar.Open(Write("x.rar", bytes)), kRarSuccess);
  int last = 0;
  const auto read = ReadAll(rar, false, {}, last);
  ASSERT_EQ(read.size(), 1u);
  EXPECT_EQ(read[0].first.Name, "one.txt");
  EXPECT_EQ(last, kRarBadData);
}

TEST_F(RarArchiveTest, VolumeSetReadsAcrossVolumesAndReportsAMissingOne) {
  const std::string whole = "first half|second half";
  rar4::TRar4Writer one(true, true);
  one.Add({"a.txt", "alpha"});
  one.Add({"split.txt", whole.substr(0, 11)}, {false, true, 0, whole.size()});
  rar4::TRar4Writer two(true, false);
  two.Add({"split.txt", whole.substr(11)}, {true, false, rar4::Crc32(whole), whole.size()});
  two.Add({"z.txt", "zulu"});
  const fs::path first = Write("set.part1.rar", one.Finish(true));
  const fs::path second = Write("set.part2.rar", two.Finish());

  TRarArchive rar;
  ASSERT_EQ(rar.Open(first), kRarSuccess);
  int last = 0;
  const fs::path to = Dir() / "out";
  fs::create_directories(to);
  auto read = ReadAll(rar, true, to, last);
  EXPECT_EQ(last, kRarEndArchive);
  ASSERT_EQ(read.size(), 3u);
  EXPECT_EQ(read[1].second, kRarSuccess);
  EXPECT_EQ(test::ReadFile(to / "split.txt"), whole);
  EXPECT_EQ(test::ReadFile(to / "z.txt"), "zulu");

  fs::remove(second);
  std::vector<std::pair<fs::path, int>> asked;
  rar.SetVolumeCallback([&](const fs::path& volume, int mode) {
    asked.emplace_back(volume, mode);
    return false;
  });
  ASSERT_EQ(rar.Open(first), kRarSuccess);
  read = ReadAll(rar, false, {}, last);
  ASSERT_EQ(asked.size(), 1u);
  EXPECT_EQ(asked[0].first, second);
  EXPECT_EQ(asked[0].second, 0);
}

// A RAR 4 block: CRC16 (the low half of the CRC32 of the rest), type, flags, size, then `rest`.
std::string Block(unsigned char type, std::uint16_t flags, const std::string& rest) {
  std::string block(7, '\0');
  block[2] = char(type);
  block[3] = char(flags & 0xFF), block[4] = char(flags >> 8);
  const std::size_t size = 7 + rest.size();
  block[5] = char(size & 0xFF), block[6] = char(size >> 8);
  block += rest;
  const std::uint32_t crc = rar4::Crc32(block.substr(2));
  block[0] = char(crc & 0xFF), block[1] = char((crc >> 8) & 0xFF);
  return block;
}

std::string Little(std::uint64_t value, int bytes) {
  std::string out;
  for (int i = 0; i < bytes; ++i) out += char((value >> (8 * i)) & 0xFF);
  return out;
}

TEST_F(RarArchiveTest, APackedSizeThatRunsRoundTheOffsetEndsTheChecks) {
  // A stored file header whose 64-bit packed size brings the next header's offset back to its
  // own (it made reading the headers go round for ever).
  const std::string name = "a.txt";
  const std::size_t size = 7 + 32 + 8 + name.size();
  const std::uint64_t packed = 0 - std::uint64_t(size);
  const std::string header = Little(packed & 0xFFFFFFFF, 4) + Little(1, 4) + '\0' + Little(0, 4) +
                             Little(0, 4) + char(29) + char(0x30) + Little(name.size(), 2) +
                             Little(0x20, 4) + Little(packed >> 32, 4) + Little(0, 4) + name;
  const std::string marker("Rar!\x1A\x07\x00", 7);
  const std::string bytes =
      marker + Block(0x73, 0, std::string(6, '\0')) + Block(0x74, 0x8000 | 0x0100, header);
  TRarArchive rar;
  if (rar.Open(Write("wrap.rar", bytes)) == kRarSuccess) {
    int last = 0;
    ReadAll(rar, false, {}, last);
    EXPECT_NE(last, kRarSuccess);
  }
}

TEST_F(RarArchiveTest, VolumeNamesThatRunRoundOrOverflowEndTheSet) {
  rar4::TRar4Writer volume(true, true);
  volume.Add({"a.txt", "alpha"});
  const std::string bytes = volume.Finish(true);
  // Old-style names run x.rar, x.r00 ... x.r99 and then x.r00 again.
  const fs::path first = Write("x.rar", bytes);
  for (int n = 0; n < 100; ++n)
    Write("x.r" + std::string(n < 10 ? "0" : "") + std::to_string(n), bytes);
  fs::path missing;
  EXPECT_EQ(TRarArchive::VolumesOf(first, missing).size(), 101u);
  EXPECT_TRUE(missing.empty());
  // A part number too long for any integer is not a part number.
  const fs::path huge = Write("y.part99999999999999999999999.rar", bytes);
  EXPECT_EQ(TRarArchive::VolumesOf(huge, missing).size(), 1u);
  EXPECT_EQ(missing.filename(), "y.part99999999999999999999999.r00");
}

TEST_F(RarArchiveTest, Rar5VolumeSetReadsAcrossVolumesAndReportsAMissingOne) {
  const std::string whole = "first half|second half";
  // The last volume short (a few bytes after the split file's end, the case that makes the
  // RAR 5 reader take its rest for a broken header) and long.
  const fs::path first = Write(
      "set5.part1.rar",
      test::Rar5Volume(0, {{"a.txt", "alpha"}, {"split.txt", whole.substr(0, 11), false, true, 22}},
                       true));
  const fs::path second = Dir() / "set5.part2.rar";
  for (const std::string& zulu : {std::string("zulu"), std::string(600, 'z')}) {
    Write(second.filename().string(),
          test::Rar5Volume(1, {{"split.txt", whole.substr(11), true, false, 22}, {"z.txt", zulu}},
                           false));
    const fs::path to = Dir() / ("out" + std::to_string(zulu.size()));
    const auto read = Unpack(first, to);
    ASSERT_EQ(read.size(), 3u) << zulu.size();
    EXPECT_EQ(test::ReadFile(to / "a.txt"), "alpha");
    EXPECT_EQ(test::ReadFile(to / "split.txt"), whole);
    EXPECT_EQ(test::ReadFile(to / "z.txt"), zulu);
  }

  // Without its second volume, whether the set ends in a split file or between files.
  fs::remove(second);
  const fs::path between =
      Write("whole.part1.rar", test::Rar5Volume(0, {{"a.txt", "alpha"}}, true));
  const std::pair<fs::path, fs::path> sets[] = {{first, second},
                                                {between, Dir() / "whole.part2.rar"}};
  for (const auto& [volume, missing] : sets) {
    TRarArchive rar;
    std::vector<fs::path> asked;
    rar.SetVolumeCallback([&](const fs::path& name, int) {
      asked.push_back(name);
      return false;
    });
    ASSERT_EQ(rar.Open(volume), kRarSuccess);
    int last = 0;
    ReadAll(rar, false, {}, last);
    EXPECT_EQ(asked, std::vector<fs::path>{missing}) << volume;
    EXPECT_NE(last, kRarEndArchive) << volume;
  }
}

}  // namespace
}  // namespace shelf
