#include "shell/book_discovery.h"

#include <cctype>
#include <cstdlib>

#include "book/book_session.h"
#include "platform/cp1251.h"
#include "platform/disc_image.h"
#include "shell/recent_books.h"
#include "test_support.h"

namespace shelf {
namespace {
namespace fs = std::filesystem;

class BookDiscoveryTest : public test::IsolatedTest {
 protected:
  void SetUp() override {
    IsolatedTest::SetUp();
    // A copied disc: the book "car" with its run folder, pages below it, a second folder.
    test::WriteTree(Dir() / "disc", {{"car/run/Struct.txt", "[main]\n"},
                                     {"car/run/Title.txt", "\xca\xed\xe8\xe3\xe0\n"},  // Книга
                                     {"car/run/html/ch1/page.htm", "<p>1</p>"},
                                     {"car/run/html/ch1/notes.txt", "n"},
                                     {"other/readme.txt", "r"}});
    run_ = fs::canonical(Dir() / "disc/car/run");
  }

  std::optional<RFoundBook> Find(const fs::path& path) {
    std::string error;
    auto found = discovery_.Find(path, error);
    error_ = error;
    return found;
  }

  TBookDiscovery discovery_{Dir() / "cache"};
  fs::path run_;
  std::string error_;
};

// Every way a reader may point at the book finds the same run folder; a page becomes the start
// page, the book's own files do not.
TEST_F(BookDiscoveryTest, FindsTheBookFromAnyPartOfIt) {
  const struct {
    const char* path;
    bool startPage;
  } cases[] = {{"disc/car/run", false},
               {"disc/car", false},
               {"disc", false},
               {"disc/car/run/Struct.txt", false},
               {"disc/car/run/html/ch1/page.htm", true},
               {"disc/car/run/html/ch1/notes.txt", false},
               {"disc/car/run/html/ch1", false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.path);
    const auto found = Find(Dir() / c.path);
    ASSERT_TRUE(found) << error_;
    EXPECT_EQ(found->Location.RunFolder, run_);
    EXPECT_EQ(found->Location.MediumRoot, fs::canonical(Dir() / "disc"));
    EXPECT_EQ(found->StartPage.has_value(), c.startPage);
  }
}

TEST_F(BookDiscoveryTest, FindsTheRunFolderFromInterfaceDat) {
  test::WriteTree(Dir() / "disc", {{"car/run/interface.dat", "x"}});
  const auto found = Find(Dir() / "disc/car/run/interface.dat");
  ASSERT_TRUE(found) << error_;
  EXPECT_EQ(found->Location.RunFolder, run_);
  EXPECT_FALSE(found->StartPage);
}

TEST_F(BookDiscoveryTest, ReportsWhatHoldsNoBook) {
  EXPECT_FALSE(Find(Dir() / "disc/other/readme.txt"));
  EXPECT_NE(error_.find("no book holds"), std::string::npos);
  EXPECT_FALSE(Find(Dir() / "nowhere"));
  EXPECT_NE(error_.find("does not exist"), std::string::npos);
  // A folder without a book is still taken, so that start-up says what it lacks.
  const auto folder = Find(Dir() / "disc/other");
  ASSERT_TRUE(folder);
  EXPECT_EQ(folder->Location.RunFolder, fs::canonical(Dir() / "disc/other"));
}

// The page named on the command line goes first among the book's parameters, as a DOS path.
TEST_F(BookDiscoveryTest, StartBookPutsANamedPageFirst) {
  std::vector<std::string> arguments{(Dir() / "disc/car/run/html/ch1/page.htm").string(), "/x"};
  std::string error;
  const auto found = FindStartBook(arguments, Dir() / "no-sample", error);
  ASSERT_TRUE(found) << error;
  EXPECT_EQ(arguments, (std::vector<std::string>{"d:\\car\\run\\html\\ch1\\page.htm", "/x"}));

  arguments = {"--book", run_.string(), "/h"};
  ASSERT_TRUE(FindStartBook(arguments, Dir() / "no-sample", error));
  EXPECT_EQ(arguments, std::vector<std::string>{"/h"});

  arguments = {};
  EXPECT_FALSE(FindStartBook(arguments, Dir() / "no-sample", error));
  EXPECT_TRUE(error.empty());
  arguments = {"--book"};
  EXPECT_FALSE(FindStartBook(arguments, Dir() / "no-sample", error));
  EXPECT_NE(error.find("--book"), std::string::npos);
}

// A disc image with the sample book under upper-case names opens as a book, and the book's
// files are read through its DOS paths, the container's among them.
TEST_F(BookDiscoveryTest, OpensTheSampleBookFromADiscImage) {
  const fs::path source = Dir() / "image";
  for (const auto& entry : fs::recursive_directory_iterator(SHELF_SAMPLE_BOOK "/..")) {
    const fs::path relative = entry.path().lexically_relative(SHELF_SAMPLE_BOOK "/..");
    fs::path upper;
    for (const auto& part : relative) {
      std::string name = part.string();
      for (char& c : name) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
      upper /= name;
    }
    if (entry.is_directory())
      fs::create_directories(source / "VECTOR" / upper);
    else
      fs::copy_file(entry.path(), source / "VECTOR" / upper);
  }
  const fs::path image = Dir() / "vector.iso";
  const std::string command = "xorriso -report_about SORRY -outdev '" + image.string() +
                              "' -joliet on -map '" + source.string() +
                              "' / -commit >/dev/null 2>&1";
  ASSERT_EQ(std::system(command.c_str()), 0);

  const auto found = Find(image);
  ASSERT_TRUE(found) << error_;
  ASSERT_TRUE(found->Location.Image);
  EXPECT_EQ(found->Source(), fs::canonical(image));
  std::string error;
  const auto session = OpenBookSession(found->Location, error);
  ASSERT_TRUE(session) << error;
  EXPECT_EQ(session->Folders.ProgramDir, "d:\\VECTOR\\RUN\\");
  EXPECT_TRUE(session->Store.Container().IsOpen());
  EXPECT_TRUE(session->Store.BookFileExists(session->Folders.ProgramDir + "struct.txt"));
  EXPECT_FALSE(ReadBookTitle(*session).empty());
  std::string bytes;
  EXPECT_TRUE(session->Store.ReadBookFile(session->Folders.ProgramDir + "struct.txt", bytes));
  const auto original = OpenBookSession(fs::path(SHELF_SAMPLE_BOOK), error);
  ASSERT_TRUE(original) << error;
  std::string expected;
  ASSERT_TRUE(original->Store.ReadBookFile(original->Folders.ProgramDir + "Struct.txt", expected));
  EXPECT_EQ(bytes, expected);

  // Another copy of the program names the book by its folder in the cache: the same image.
  const auto again = Find(found->Location.RunFolder);
  ASSERT_TRUE(again) << error_;
  ASSERT_TRUE(again->Location.Image);
  EXPECT_EQ(again->Location.RunFolder, found->Location.RunFolder);
}

TEST_F(BookDiscoveryTest, ListsBooksOnMediaAndRecentOnes) {
  // /media/cdrom/car/run and /media/user/DISC/car/run: one and two levels down.
  test::WriteTree(Dir() / "media", {{"cdrom/car/run/Struct.txt", ""},
                                    {"user/DISC/car/run/Struct.txt", ""},
                                    {"user/DISC/car/run/Title.txt", "Disc\n"},
                                    {"user/empty/readme.txt", ""}});
  TRecentBooks recent(Dir() / "recent");
  recent.Add({run_, "Old"});
  recent.Add({Dir() / "gone", "Gone"});
  recent.Add({run_, "Kniga"});
  const auto books = KnownBooks(discovery_, recent, {Dir() / "media", Dir() / "no-media"});
  ASSERT_EQ(books.size(), 3u);
  EXPECT_EQ(books[0].Path, fs::canonical(Dir() / "media/cdrom/car/run"));
  EXPECT_EQ(books[1].Path, fs::canonical(Dir() / "media/user/DISC/car/run"));
  EXPECT_EQ(books[1].Title, "Disc");
  EXPECT_EQ(books[2].Path, run_);
  EXPECT_EQ(books[2].Title, "Kniga");  // the newest entry for a book wins, the gone one is left out
}

}  // namespace
}  // namespace shelf
