// The bookpack tool, run as book authors run it.
#include <sys/wait.h>

#include <cstdio>
#include <map>
#include <string>

#include "packed_container_fixture.h"
#include "test_support.h"

namespace shelf::test {
namespace {

namespace fs = std::filesystem;

struct RRun {
  int Exit = -1;
  std::string Out;
  std::string Err;
};

std::string Quote(const std::string& arg) {
  return "'" + arg + "'";
}

class BookpackTest : public IsolatedTest {
 protected:
  // `args` are quoted by the caller where needed.
  RRun Run(const std::string& args) {
    const fs::path errFile = Dir() / "stderr.txt";
    const std::string command =
        Quote(SHELF_BOOKPACK) + " " + args + " 2>" + Quote(errFile.string()) + " </dev/null";
    RRun run;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return run;
    char buffer[4096];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
      run.Out.append(buffer, n);
    const int status = pclose(pipe);
    run.Exit = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    run.Err = ReadFile(errFile);
    return run;
  }

  std::string Path(const std::string& name) const { return Quote((Dir() / name).string()); }
};

TEST_F(BookpackTest, RoundTripsATreeWithCyrillicNames) {
  const std::string page = Compressible("<p>Глава первая, страница 1</p>", 200);
  const std::string picture = Incompressible(2000);
  WriteTree(Dir() / "src", {{"run/Struct.txt", "[screen]\r\n"},
                            {"Глава 1/Страница.htm", page},
                            {"Глава 1/Страница.files/рис.bmp", picture},
                            {"Глава 1/ёлка.txt", ""}});
  fs::create_directories(Dir() / "src" / "empty");
  ASSERT_EQ(Run("create " + Path("src") + " " + Path("a.dat")).Exit, 0);

  EXPECT_EQ(Run("list " + Path("a.dat")).Out,
            "RUN\\STRUCT.TXT\n"
            "ГЛАВА 1\\ёЛКА.TXT\n"  // ё (0xB8) sorts before С (0xD1) and is not folded
            "ГЛАВА 1\\СТРАНИЦА.FILES\\РИС.BMP\n"
            "ГЛАВА 1\\СТРАНИЦА.HTM\n");
  const RRun cat =
      Run("cat " + Path("a.dat") + " 'd:/book/глава 1/страница.htm' --prefix 'd:\\book\\'");
  EXPECT_EQ(cat.Exit, 0) << cat.Err;
  EXPECT_EQ(cat.Out, page);
  EXPECT_EQ(Run("verify " + Path("a.dat")).Exit, 0);

  ASSERT_EQ(Run("extract " + Path("a.dat") + " " + Path("out")).Exit, 0);
  EXPECT_EQ(ReadFile(Dir() / "out" / "ГЛАВА 1" / "СТРАНИЦА.FILES" / "РИС.BMP"), picture);
  EXPECT_EQ(ReadFile(Dir() / "out" / "ГЛАВА 1" / "СТРАНИЦА.HTM"), page);
  EXPECT_TRUE(fs::is_directory(Dir() / "out" / "EMPTY"));
  ASSERT_EQ(Run("create " + Path("out") + " " + Path("b.dat")).Exit, 0);
  EXPECT_EQ(ReadFile(Dir() / "b.dat"), ReadFile(Dir() / "a.dat"));
}

TEST_F(BookpackTest, RefusesNamesThatCannotBeStored) {
  const std::pair<std::map<std::string, std::string>, const char*> cases[] = {
      {{{"日本.txt", "x"}}, "日本.txt"},
      {{{std::string(65, 'n'), "x"}}, "nnnnn"},
      {{{"dir/Page.htm", "x"}, {"dir/PAGE.HTM", "y"}}, "PAGE.HTM"},
  };
  for (const auto& [files, named] : cases) {
    fs::remove_all(Dir() / "src");
    WriteTree(Dir() / "src", files);
    const RRun run = Run("create " + Path("src") + " " + Path("c.dat"));
    EXPECT_EQ(run.Exit, 1) << named;
    EXPECT_NE(run.Err.find(named), std::string::npos) << run.Err;
  }
}

TEST_F(BookpackTest, ReportsDamagedEntriesAndGoesOnWithTheOthers) {
  WriteBytes(
      Dir() / "c.dat",
      Pack(PackedDir("", {PackedFile("A.TXT", "a"), PackedFile("B.TXT", Compressible("b", 30))})));
  BreakEntry(Dir() / "c.dat", "B.TXT");
  const RRun verify = Run("verify " + Path("c.dat"));
  EXPECT_EQ(verify.Exit, 1);
  EXPECT_EQ(verify.Out, "damaged: B.TXT\n2 files, 1 damaged\n");
  EXPECT_EQ(Run("cat " + Path("c.dat") + " b.txt").Exit, 1);
  EXPECT_EQ(Run("extract " + Path("c.dat") + " " + Path("out")).Exit, 1);
  EXPECT_EQ(ReadFile(Dir() / "out" / "A.TXT"), "a");
}

TEST_F(BookpackTest, UsageAndOpenErrors) {
  WriteBytes(Dir() / "c.dat", Pack(PackedDir("", {PackedFile("A.TXT", "a")})));
  WriteBytes(Dir() / "bad.dat", "short");
  const std::pair<std::string, int> cases[] = {
      {"", 2},
      {"frob", 2},
      {"cat " + Path("c.dat"), 2},
      {"cat " + Path("c.dat") + " a.txt --prefx x", 2},
      {"cat " + Path("c.dat") + " '日本'", 2},
      {"cat " + Path("c.dat") + " none.txt", 1},
      {"list " + Path("bad.dat"), 1},
      {"verify " + Path("missing.dat"), 1},
      {"create " + Path("missing") + " " + Path("x.dat"), 1},
  };
  for (const auto& [args, exitCode] : cases) {
    const RRun run = Run(args);
    EXPECT_EQ(run.Exit, exitCode) << args;
    EXPECT_FALSE(run.Err.empty()) << args;
  }
}

}  // namespace
}  // namespace shelf::test
