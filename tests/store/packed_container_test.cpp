#include "store/packed_container.h"

#include <functional>
#include <optional>

#include "packed_container_fixture.h"
#include "test_support.h"

namespace shelf::test {
namespace {

// A small book as several writers lay it out; every layout must read the same.
RPackedNode Book() {
  return PackedDir(
      "",
      {
          PackedDir("RUN",
                    {PackedFile("STRUCT.TXT", Compressible("[screen]", 50)),
                     PackedFile("PIC.BMP", Incompressible(3000)), PackedFile("EMPTY.TXT", "")}),
          PackedDir("ГЛАВА", {PackedFile("СТРАНИЦА.HTM", Compressible("<p>Страница</p>", 100))}),
          PackedFile("ЁЛКА.TXT", "yolka"),
          PackedFile(".HIDDEN", "hidden"),
          PackedDir(".SVN", {PackedFile("ENTRIES", "svn")}),
      });
}

struct RLayout {
  const char* Name;
  RPackWriteOptions Options;
};

const RLayout kLayouts[] = {
    {"Compressed", {}},
    {"RawDirectory", {.CompressDirectory = false}},
    {"RawFiles", {.CompressFiles = false}},
    {"DotEntriesAndThirdWord", {.DotEntries = true, .ThirdWord = 0xDEADBEEF}},
};

class PackedContainerLayoutTest : public IsolatedTest,
                                  public ::testing::WithParamInterface<RLayout> {
 protected:
  void SetUp() override {
    IsolatedTest::SetUp();
    WriteBytes(Dir() / "interface.dat", Pack(Book(), GetParam().Options));
    std::string error;
    ASSERT_TRUE(container_.OpenPackedContainer(Dir() / "interface.dat", error)) << error;
  }

  std::optional<std::string> Read(std::string_view path) {
    const int index = container_.ResolvePackedPath(path);
    std::string bytes;
    if (index < 0) return std::nullopt;
    EXPECT_TRUE(container_.ReadPackedEntry(index, bytes)) << path;
    return bytes;
  }

  TPackedContainer container_;
};

std::string LongPrefix(std::size_t length) {
  return "d:\\" + std::string(length - 4, 'x') + "\\";
}

TEST_P(PackedContainerLayoutTest, ResolvesNormalisedPathsAfterThePrefix) {
  const std::string structTxt = Compressible("[screen]", 50);
  struct RCase {
    std::string Path;
    std::string Prefix;
    std::optional<std::string> Bytes;
  };
  const RCase cases[] = {
      {"d:/book/Run/struct.txt", "d:\\book\\", structTxt},
      {"D:\\BOOK\\RUN\\STRUCT.TXT", "d:/book/", structTxt},
      {"\\run\\struct.txt", "", structTxt},
      {"run/struct.txt", "", structTxt},
      {Win("глава\\Страница.htm"), "", Compressible("<p>Страница</p>", 100)},
      {Win("ЁЛКА.TXT"), "", "yolka"},
      {Win("ёлка.txt"), "", std::nullopt},  // ё is not folded to Ё
      {"d:\\other\\run\\struct.txt", "d:\\book\\", std::nullopt},
      {"", "", std::nullopt},
      {"run", "", std::nullopt},
      {"run\\", "", std::nullopt},
      {"run\\missing.txt", "", std::nullopt},
      {"struct.txt", "", std::nullopt},
      {".svn\\entries", "", "svn"},  // hidden from the list, not from lookups
      {LongPrefix(1009) + "run\\struct.txt", LongPrefix(1009), structTxt},  // 1023 bytes
      {LongPrefix(1010) + "run\\struct.txt", LongPrefix(1010), std::nullopt},
  };
  for (const RCase& c : cases) {
    container_.SetPackedPrefix(c.Prefix);
    EXPECT_EQ(Read(c.Path), c.Bytes) << c.Path << " with prefix " << c.Prefix;
  }
}

TEST_P(PackedContainerLayoutTest, ListsFilesInStoredOrderWithoutDotNames) {
  const TDynamicStringArray expected = {"RUN\\STRUCT.TXT", "RUN\\PIC.BMP", "RUN\\EMPTY.TXT",
                                        Win("ГЛАВА\\СТРАНИЦА.HTM"), Win("ЁЛКА.TXT")};
  EXPECT_EQ(container_.ListPackedFiles(), expected);
}

TEST_P(PackedContainerLayoutTest, ReadsRawAndCompressedEntriesWhole) {
  EXPECT_EQ(Read("run\\pic.bmp"), Incompressible(3000));
  EXPECT_EQ(Read("run\\empty.txt"), "");
  const RPackedEntry& raw = container_.Entry(container_.ResolvePackedPath("run\\pic.bmp"));
  EXPECT_EQ(raw.StoredSize, raw.Size);
  const RPackedEntry& text = container_.Entry(container_.ResolvePackedPath("run\\struct.txt"));
  EXPECT_EQ(text.StoredSize == text.Size, !GetParam().Options.CompressFiles);
}

INSTANTIATE_TEST_SUITE_P(Layouts, PackedContainerLayoutTest, ::testing::ValuesIn(kLayouts),
                         [](const auto& info) { return std::string(info.param.Name); });

class PackedContainerTest : public IsolatedTest {
 protected:
  std::filesystem::path Write(const std::string& container) {
    const auto path = Dir() / "interface.dat";
    WriteBytes(path, container);
    return path;
  }

  bool Open(const std::string& container, std::string* error = nullptr) {
    std::string message;
    const bool opened = container_.OpenPackedContainer(Write(container), message);
    if (error) *error = message;
    return opened;
  }

  TPackedContainer container_;
};

TEST_F(PackedContainerTest, DirectoryNamedLikeTheFileHidesItOnlyWhenStoredFirst) {
  for (const bool directoryFirst : {true, false}) {
    RPackedNode file = PackedFile("PAGE.HTM", "page");
    RPackedNode dir = PackedDir("PAGE.HTM", {PackedFile("X", "x")});
    const RPackedNode root =
        directoryFirst ? PackedDir("", {dir, file}) : PackedDir("", {file, dir});
    ASSERT_TRUE(Open(Pack(root)));
    EXPECT_EQ(container_.ResolvePackedPath("page.htm") < 0, directoryFirst);
    EXPECT_GE(container_.ResolvePackedPath("page.htm\\x"), directoryFirst ? 0 : -1);
  }
}

// Three files, data in this order: two compressed, the last raw.
RPackedNode SmallBook() {
  return PackedDir("", {PackedFile("A.TXT", Compressible("alpha", 40)),
                        PackedFile("B.TXT", Compressible("beta", 40)),
                        PackedFile("LAST.BMP", Incompressible(500))});
}

TEST_F(PackedContainerTest, RefusesDamagedOrInconsistentContainersWithAMessage) {
  const RPackWriteOptions raw{.CompressDirectory = false};
  struct RCase {
    const char* Name;
    RPackWriteOptions Options;
    std::function<void(std::string&)> Damage;
  };
  const RCase cases[] = {
      {"shorter than the header", raw, [](std::string& c) { c.resize(5); }},
      {"directory cut short", raw, [](std::string& c) { c.resize(DataBase(c) - 1); }},
      {"directory does not inflate", {}, [](std::string& c) { c[DataBase(c) - 1] ^= 0x55; }},
      {"absurd unpacked size",
       {},
       [](std::string& c) { PutWordAt(c, 0, 0xF0000000 ^ kPackedSizeDiffMask); }},
      {"tables past the block", raw, [](std::string& c) { PutWordAt(c, DirWordOffset(0), 1000); }},
      {"root out of range", raw, [](std::string& c) { PutWordAt(c, DirWordOffset(3), 1); }},
      {"directory past the entries", raw,
       [](std::string& c) { PutWordAt(c, DirWordOffset(4) + 4, 4); }},
      {"entry names a missing directory", raw,
       [](std::string& c) {
         PutWordAt(c, EntryOffset(c, 0) + 76, kPackedDirectory);
         PutWordAt(c, EntryOffset(c, 0) + 64, 7);
       }},
  };
  for (const RCase& c : cases) {
    std::string container = Pack(SmallBook(), c.Options);
    c.Damage(container);
    std::string error;
    EXPECT_FALSE(Open(container, &error)) << c.Name;
    EXPECT_NE(error.find("interface.dat"), std::string::npos) << c.Name << ": " << error;
    EXPECT_EQ(container_.ResolvePackedPath("b.txt"), -1) << c.Name;
    EXPECT_TRUE(container_.ListPackedFiles().empty()) << c.Name;
  }
  std::string error;
  EXPECT_FALSE(container_.OpenPackedContainer(Dir() / "missing.dat", error));
  EXPECT_NE(error.find("missing.dat"), std::string::npos);
  EXPECT_FALSE(container_.OpenPackedContainer(Dir(), error));
}

TEST_F(PackedContainerTest, DamagedEntryIsUnreadableWhileTheOthersStillRead) {
  const std::string intact = Pack(SmallBook(), {.CompressDirectory = false});
  ASSERT_TRUE(Open(intact));
  const int a = container_.ResolvePackedPath("a.txt");
  const int b = container_.ResolvePackedPath("b.txt");
  const RPackedEntry entryA = container_.Entry(a);
  struct RCase {
    const char* Name;
    std::function<void(std::string&)> Damage;
    const char* Unreadable;
  };
  const RCase cases[] = {
      {"checksum broken",
       [&](std::string& c) { c[DataBase(c) + entryA.Offset + entryA.StoredSize - 1] ^= 1; },
       "A.TXT"},
      {"stream cut", [&](std::string& c) { PutWordAt(c, EntryOffset(c, a) + 68, 5); }, "A.TXT"},
      {"inflates past its size", [&](std::string& c) { PutWordAt(c, EntryOffset(c, a) + 72, 10); },
       "A.TXT"},
      {"absurd size", [&](std::string& c) { PutWordAt(c, EntryOffset(c, b) + 72, 0xFFFFFFF0); },
       "B.TXT"},
      {"offset past the end",
       [&](std::string& c) { PutWordAt(c, EntryOffset(c, b) + 64, 1u << 30); }, "B.TXT"},
      {"file truncated", [](std::string& c) { c.resize(c.size() - 10); }, "LAST.BMP"},
  };
  for (const RCase& c : cases) {
    std::string container = intact;
    c.Damage(container);
    ASSERT_TRUE(Open(container)) << c.Name;
    for (const char* name : {"A.TXT", "B.TXT", "LAST.BMP"}) {
      std::string bytes = "stale";
      const bool unreadable = std::string_view(name) == c.Unreadable;
      EXPECT_NE(container_.ReadPackedEntry(container_.ResolvePackedPath(name), bytes), unreadable)
          << c.Name << ": " << name;
      EXPECT_EQ(bytes.empty(), unreadable) << c.Name << ": " << name;
    }
  }
}

TEST_F(PackedContainerTest, ClaimedSizesAreNotAllocatedBeforeInflating) {
  // A megabyte of damage that claims to unpack to 500 MB (within the deflate ratio, so only
  // inflating can tell): the buffer grows with what zlib produces, which is next to nothing.
  const std::string intact = Pack(PackedDir("", {PackedFile("BIG.BIN", Incompressible(1 << 20))}),
                                  {.CompressDirectory = false});
  ASSERT_TRUE(Open(intact));
  std::string container = intact;
  PutWordAt(container, EntryOffset(container, 0) + 72, 500u << 20);
  ASSERT_TRUE(Open(container));
  const long long before = PeakResidentBytes();
  std::string bytes;
  EXPECT_FALSE(container_.ReadPackedEntry(container_.ResolvePackedPath("big.bin"), bytes));
  EXPECT_TRUE(bytes.empty());
  EXPECT_LT(PeakResidentBytes() - before, 64LL << 20);
  // Beyond the ceiling for one entry a claim is refused whatever the ratio.
  PutWordAt(container, EntryOffset(container, 0) + 72, 0xFFFFFFFF);
  ASSERT_TRUE(Open(container));
  EXPECT_FALSE(container_.ReadPackedEntry(container_.ResolvePackedPath("big.bin"), bytes));
  EXPECT_LT(PeakResidentBytes() - before, 64LL << 20);
}

TEST_F(PackedContainerTest, OpeningAnotherContainerReplacesTablesAndPrefix) {
  ASSERT_TRUE(Open(Pack(SmallBook())));
  container_.SetPackedPrefix("d:\\book\\");
  ASSERT_TRUE(Open(Pack(PackedDir("", {PackedFile("NEW.TXT", "new")}))));
  EXPECT_EQ(container_.ResolvePackedPath("a.txt"), -1);
  EXPECT_GE(container_.ResolvePackedPath("new.txt"), 0);
  EXPECT_EQ(container_.ResolvePackedPath("d:\\book\\new.txt"), -1);  // the prefix was emptied
}

TEST_F(PackedContainerTest, DirectoryTablesThatLoopStillListOnce) {
  // SUB's entry "LOOP" points back to the root directory.
  std::string container =
      Pack(PackedDir("", {PackedDir("SUB", {PackedDir("LOOP", {})}), PackedFile("F.TXT", "f")}),
           {.CompressDirectory = false});
  PutWordAt(container, EntryOffset(container, 2) + 64, 0);
  ASSERT_TRUE(Open(container));
  EXPECT_EQ(container_.ListPackedFiles(), TDynamicStringArray{"F.TXT"});
  EXPECT_GE(container_.ResolvePackedPath("sub\\loop\\sub\\loop\\f.txt"), 0);
}

}  // namespace
}  // namespace shelf::test
