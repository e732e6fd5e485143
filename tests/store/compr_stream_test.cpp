#include "store/compr_stream.h"

#include <fstream>
#include <optional>

#include "packed_container_fixture.h"
#include "store/book_store.h"
#include "store/file_size_ceiling.h"
#include "test_support.h"

namespace shelf::test {
namespace {

// A book at d:\book\ whose container and loose files overlap in every way a lookup can meet.
class BookStoreTest : public IsolatedTest {
 protected:
  void SetUp() override {
    IsolatedTest::SetUp();
    fileSystem_.MapDrive('d', Dir() / "d");
    fileSystem_.SetCurrentDir("d:\\book\\run\\");
    const RPackedNode packed = PackedDir(
        "",
        {PackedDir("RUN", {PackedFile("STRUCT.TXT", "packed struct")}),
         PackedDir("PAGES",
                   {PackedFile("BOTH.HTM", "packed both"), PackedFile("PACKED.HTM", "packed only"),
                    PackedDir("SHADOW.HTM", {}), PackedFile("SHADOW.HTM", "packed shadow"),
                    PackedFile("DAMAGED.HTM", Compressible("packed damaged", 20)),
                    PackedFile("DAMAGED2.HTM", Compressible("lost", 20))})});
    const auto containerFile = Book() / "run" / "interface.dat";
    WriteBytes(containerFile, Pack(packed));
    BreakEntry(containerFile, "PAGES\\DAMAGED.HTM");
    BreakEntry(containerFile, "PAGES\\DAMAGED2.HTM");
    WriteTree(Book(), {{"pages/both.htm", "loose both"},
                       {"pages/Loose.htm", "loose only"},
                       {"pages/shadow.htm", "loose shadow"},
                       {"pages/damaged.htm", "loose damaged"}});
  }

  std::filesystem::path Book() const { return Dir() / "d" / "book"; }

  // Opens the container as start-up does.
  void OpenContainer() {
    std::string error;
    ASSERT_TRUE(store_.OpenPackedContainer("d:\\book\\run\\interface.dat", error)) << error;
    store_.SetPackedPrefix("d:\\book\\");
  }

  TDosFileSystem fileSystem_;
  TBookStore store_{fileSystem_};
};

TEST_F(BookStoreTest, StreamTakesTheContainerFirstAndTheLooseFileSecond) {
  OpenContainer();
  const std::pair<const char*, std::optional<std::string>> cases[] = {
      {"d:\\book\\run\\struct.txt", "packed struct"},
      {"struct.txt", std::nullopt},  // relative names are not looked up in the container
      {"d:\\book\\pages\\packed.htm", "packed only"},
      {"d:\\book\\pages\\both.htm", "packed both"},
      {"D:/BOOK/PAGES/LOOSE.HTM", "loose only"},
      {"d:\\book\\pages\\shadow.htm", "loose shadow"},  // hidden by the directory stored first
      {"d:\\book\\pages\\damaged.htm", "loose damaged"},
      {"d:\\book\\pages\\damaged2.htm", std::nullopt},
      {"d:\\book\\pages\\none.htm", std::nullopt},
      {"d:\\book\\pages", std::nullopt},
  };
  for (const auto& [path, expected] : cases) {
    if (expected) {
      const TComprStream stream(store_, path);
      EXPECT_EQ(stream.Bytes(), *expected) << path;
      EXPECT_EQ(stream.Position(), 0u);
    } else {
      EXPECT_THROW(TComprStream(store_, path), EFOpenError) << path;
    }
  }
  try {
    TComprStream(store_, Win("d:\\book\\нет.htm"));
    ADD_FAILURE();
  } catch (const EFOpenError& e) {
    EXPECT_NE(std::string(e.what()).find("d:\\book\\нет.htm"), std::string::npos) << e.what();
  }
}

TEST_F(BookStoreTest, FileExistsOnDiskOrInTheContainer) {
  OpenContainer();
  const std::pair<const char*, bool> cases[] = {
      {"d:\\book\\pages\\packed.htm", true},
      {"d:\\book\\pages\\loose.htm", true},
      {"d:\\book\\pages\\shadow.htm", true},
      {"d:\\book\\pages\\none.htm", false},
      {"d:\\book\\pages", false},
  };
  for (const auto& [path, exists] : cases) EXPECT_EQ(store_.BookFileExists(path), exists) << path;
  EXPECT_EQ(store_.ListPackedFiles().size(), 6u);
}

TEST_F(BookStoreTest, WithoutAContainerOnlyLooseFilesAreRead) {
  std::string error;
  EXPECT_FALSE(store_.OpenPackedContainer("d:\\book\\run\\missing.dat", error));
  EXPECT_NE(error.find("missing.dat"), std::string::npos) << error;
  EXPECT_EQ(TComprStream(store_, "d:\\book\\pages\\both.htm").Bytes(), "loose both");
  EXPECT_FALSE(store_.BookFileExists("d:\\book\\pages\\packed.htm"));
  EXPECT_TRUE(store_.ListPackedFiles().empty());
}

TEST_F(BookStoreTest, FilesLargerThanTheirKindMayBeAreRefusedUnread) {
  // Sparse files: a book file read whole would hold gigabytes; refused, it holds nothing.
  const std::pair<const char*, std::uint64_t> cases[] = {
      {"run/Dialog.txt", 3ull << 30},          {"run/Struct.txt", kMaxDescriptionFile + 1},
      {"run/keywords.idx", kMaxIndexFile + 1}, {"pages/big.htm", kMaxPageFile + 1},
      {"pages/big.gif", kMaxPictureFile + 1},  {"run/song.mid", kMaxOtherFile + 1},
  };
  for (const auto& [name, size] : cases) {
    std::filesystem::create_directories((Book() / name).parent_path());
    std::ofstream(Book() / name).put('x');
    std::filesystem::resize_file(Book() / name, size);
    const std::string dos = "d:\\book\\" + std::string(name);
    std::string bytes = "old";
    EXPECT_FALSE(store_.ReadBookFile(dos, bytes)) << name;
    EXPECT_TRUE(bytes.empty()) << name;
    EXPECT_THROW(TComprStream(store_, dos), EFOpenError) << name;
  }
  EXPECT_LT(PeakResidentBytes(), kHostileInputMemory);

  // At its ceiling a file is read; a container entry beyond it falls back to the loose file.
  WriteBytes(Book() / "run" / "title.txt", std::string(kMaxDescriptionFile, 'a'));
  EXPECT_EQ(TComprStream(store_, "d:\\book\\run\\title.txt").Size(), kMaxDescriptionFile);
  const RPackedNode packed = PackedDir(
      "", {PackedDir("RUN", {PackedFile("HUGE.TXT", std::string(kMaxDescriptionFile + 1, ' '))})});
  WriteBytes(Book() / "run" / "interface.dat", Pack(packed));
  OpenContainer();
  EXPECT_THROW(TComprStream(store_, "d:\\book\\run\\huge.txt"), EFOpenError);
  WriteBytes(Book() / "run" / "huge.txt", "loose");
  EXPECT_EQ(TComprStream(store_, "d:\\book\\run\\huge.txt").Bytes(), "loose");
}

TEST(ComprStreamTest, ReadsBytesFromThePosition) {
  TComprStream stream(std::string("abcdef"));
  char buffer[4] = {};
  EXPECT_EQ(stream.Read(buffer, 4), 4u);
  EXPECT_EQ(std::string(buffer, 4), "abcd");
  char byte = 0;
  EXPECT_TRUE(stream.ReadByte(byte));
  EXPECT_EQ(byte, 'e');
  EXPECT_EQ(stream.Read(buffer, 4), 1u);
  EXPECT_FALSE(stream.ReadByte(byte));
  stream.Seek(100);
  EXPECT_EQ(stream.Position(), 6u);
  stream.Seek(2);
  EXPECT_EQ(stream.Read(buffer, 2), 2u);
  EXPECT_EQ(std::string(buffer, 2), "cd");
}

}  // namespace
}  // namespace shelf::test
