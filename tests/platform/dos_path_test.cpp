#include "platform/dos_path.h"

#include <gtest/gtest.h>

#include "platform/book_location.h"
#include "platform/cp1251.h"
#include "test_support.h"

namespace shelf {
namespace {
namespace fs = std::filesystem;

std::string Cp(const char* utf8) {
  return *Utf8ToCp1251(utf8);
}

class DosPathTest : public test::IsolatedTest {
 protected:
  void SetUp() override {
    IsolatedTest::SetUp();
    medium = Dir() / "disc";
    test::WriteTree(
        medium,
        {{"Book/RUN/Struct.TXT", "s"}, {"Book/RUN/Картинки/Фото.BMP", "p"}, {"video/A.avi", "v"}});
    fileSystem.MapDrive('D', medium);
    fileSystem.SetCurrentDir("d:\\book\\run\\");
  }
  fs::path medium;
  TDosFileSystem fileSystem;
};

TEST_F(DosPathTest, FindsEveryComponentWithoutRegardToCase) {
  struct Case {
    std::string dos;
    fs::path host;
  } cases[] = {
      {"d:\\BOOK\\run\\struct.txt", medium / "Book/RUN/Struct.TXT"},
      {"D:/book/Run/STRUCT.txt", medium / "Book/RUN/Struct.TXT"},
      {Cp("d:\\book\\run\\КАРТИНКИ\\фото.bmp"), medium / "Book/RUN/Картинки/Фото.BMP"},
      {"struct.txt", medium / "Book/RUN/Struct.TXT"},  // relative to the run folder
      {"\\video\\a.AVI", medium / "video/A.avi"},      // root of the current drive
      {"d:\\book\\run\\..\\..\\..\\..\\video\\a.avi", medium / "video/A.avi"},  // never above d:
      {"d:\\book\\run\\.\\new\\File.txt", medium / "Book/RUN/new/File.txt"},    // missing: as given
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(Cp1251ToUtf8(c.dos));
    EXPECT_EQ(fileSystem.ToHost(c.dos), c.host);
  }
  EXPECT_EQ(fileSystem.ToHost("e:\\x.txt"), std::nullopt);
}

TEST_F(DosPathTest, HostPathsTurnBackIntoDosPaths) {
  fileSystem.MapDrive('c', "/");
  EXPECT_EQ(fileSystem.ToDos(medium / "Book/RUN/Картинки", true), Cp("d:\\Book\\RUN\\Картинки\\"));
  EXPECT_EQ(fileSystem.ToDos(medium / "video/A.avi", false), "d:\\video\\A.avi");
  EXPECT_EQ(fileSystem.ToDos(medium, true), "d:\\");
  EXPECT_EQ(fileSystem.ToDos("/usr/share", true), "c:\\usr\\share\\");
}

TEST_F(DosPathTest, BookFolderGivenAsRunOrTopFolderMountsTheSameBook) {
  for (const fs::path& given : {medium / "Book", medium / "Book/RUN"}) {
    std::string error;
    const auto book = LocateBook(given, error);
    ASSERT_TRUE(book) << error;
    TDosFileSystem mounted;
    EXPECT_EQ(MountBook(*book, mounted, error), "d:\\Book\\RUN\\");
    EXPECT_EQ(mounted.ToHost("d:\\book\\run\\struct.txt"), medium / "Book/RUN/Struct.TXT");
  }
  std::string error;
  EXPECT_FALSE(LocateBook(Dir() / "missing", error));
  EXPECT_NE(error.find("missing"), std::string::npos);
}

}  // namespace
}  // namespace shelf
