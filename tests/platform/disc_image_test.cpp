#include "platform/disc_image.h"

#include <cstdlib>

#include "platform/cp1251.h"
#include "platform/dos_path.h"
#include "test_support.h"

namespace shelf {
namespace {
namespace fs = std::filesystem;

class DiscImageTest : public test::IsolatedTest {
 protected:
  // An image of `tree` made by xorriso; `options` choose which names it records.
  fs::path MakeImage(const std::map<std::string, std::string>& tree, const std::string& options) {
    const fs::path source = Dir() / "source";
    test::WriteTree(source, tree);
    const fs::path image = Dir() / "disc.iso";
    const std::string command = "xorriso -report_about SORRY " + options + " -outdev '" +
                                image.string() + "' -map '" + source.string() +
                                "' / -commit >/dev/null 2>&1";
    EXPECT_EQ(std::system(command.c_str()), 0) << command;
    return image;
  }

  std::shared_ptr<const TDiscImage> Open(const fs::path& image) {
    std::string error;
    std::shared_ptr<const TDiscImage> disc = TDiscImage::Open(image, Dir() / "cache", error);
    EXPECT_TRUE(disc) << error;
    return disc;
  }
};

// Upper-case names as a Windows disc writes them, found by the book's lower-case names; a file
// is copied out only when asked for, a folder with its files.
TEST_F(DiscImageTest, ReadsFilesThroughTheDosPathsInAnyCase) {
  const auto disc = Open(MakeImage({{"BOOK/RUN/STRUCT.TXT", "[main]\n"},
                                    {"BOOK/RUN/PAGES/CH1.HTM", "<p>one</p>"},
                                    {"BOOK/RUN/PAGES/CH2.HTM", "<p>two</p>"},
                                    {"VIDEO/CAR.AVI", std::string(100000, 'v')}},
                                   "-joliet on"));
  ASSERT_TRUE(disc);
  TDosFileSystem fileSystem;
  fileSystem.MapImage('d', disc);

  const auto structFile = fileSystem.ToHost("d:\\book\\run\\struct.txt");
  ASSERT_TRUE(structFile);
  EXPECT_EQ(*structFile, disc->Root() / "BOOK/RUN/STRUCT.TXT");
  EXPECT_EQ(test::ReadFile(*structFile), "[main]\n");
  EXPECT_FALSE(fs::exists(disc->Root() / "VIDEO/CAR.AVI"));
  EXPECT_TRUE(fs::is_directory(disc->Root() / "VIDEO"));  // folders are laid out at once

  const auto pages = fileSystem.ToHost("d:\\Book\\Run\\pages\\");
  ASSERT_TRUE(pages);
  EXPECT_EQ(test::ReadFile(*pages / "CH2.HTM"), "<p>two</p>");
  EXPECT_EQ(test::ReadFile(disc->Root() / "BOOK/RUN/PAGES/CH1.HTM"), "<p>one</p>");
  EXPECT_EQ(fs::status(*pages / "CH1.HTM").permissions() & fs::perms::owner_write,
            fs::perms::none);  // a read-only medium stays read-only

  EXPECT_EQ(fileSystem.ToHost("d:\\book\\run\\missing.htm"), disc->Root() / "BOOK/RUN/missing.htm");
  EXPECT_EQ(fileSystem.ToDos(*structFile, false), "d:\\BOOK\\RUN\\STRUCT.TXT");
}

// Cyrillic names arrive as the disc wrote them: UCS-2 in Joliet, and raw Windows-1251 bytes in
// Rock Ridge names of a disc made where that was the system's code page.
TEST_F(DiscImageTest, CyrillicNamesInTheImagesEncoding) {
  const std::string folder = Cp1251ToUtf8("\xca\xcd\xc8\xc3\xc0");    // КНИГА
  const std::string page = Cp1251ToUtf8("\xc3\xcb\xc0\xc2\xc0.HTM");  // ГЛАВА.HTM
  const std::string lowerPath = "d:\\\xea\xed\xe8\xe3\xe0\\\xe3\xeb\xe0\xe2\xe0.htm";
  struct {
    const char* options;
    bool cp1251Names;
  } cases[] = {
      {"-joliet on -rockridge off", false}, {"-rockridge on", false}, {"-rockridge on", true}};
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.options) + (c.cp1251Names ? " cp1251" : " utf-8"));
    fs::remove_all(Dir() / "source");
    fs::remove_all(Dir() / "cache");
    fs::remove(Dir() / "disc.iso");
    const std::string name =
        c.cp1251Names ? "\xca\xcd\xc8\xc3\xc0/\xc3\xcb\xc0\xc2\xc0.HTM" : folder + "/" + page;
    // Names that are not UTF-8 pass through xorriso untouched as single-byte Latin-1.
    const char* charset = c.cp1251Names ? "-local_charset ISO-8859-1 -charset ISO-8859-1 "
                                        : "-local_charset UTF-8 -charset UTF-8 ";
    const auto disc = Open(MakeImage({{name, "text"}}, charset + std::string(c.options)));
    ASSERT_TRUE(disc);
    TDosFileSystem fileSystem;
    fileSystem.MapImage('d', disc);
    const auto host = fileSystem.ToHost(lowerPath);
    ASSERT_TRUE(host);
    EXPECT_EQ(*host, disc->Root() / folder / page);
    EXPECT_EQ(test::ReadFile(*host), "text");
  }
}

TEST_F(DiscImageTest, RefusesWhatIsNoImage) {
  test::WriteTree(Dir(), {{"fake.iso", std::string(70000, 'x')}});
  std::string error;
  EXPECT_FALSE(TDiscImage::Open(Dir() / "fake.iso", Dir() / "cache", error));
  EXPECT_NE(error.find("fake.iso"), std::string::npos);
  error.clear();
  EXPECT_FALSE(TDiscImage::Open(Dir() / "none.iso", Dir() / "cache", error));
  EXPECT_FALSE(error.empty());
}

}  // namespace
}  // namespace shelf
