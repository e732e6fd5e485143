// The bookindex tool, run as book authors run it, on a book with a container and loose pages;
// what it writes is read back the way the program reads it.
#include <gtest/gtest.h>

#include <QProcess>

#include "book/book_session.h"
#include "platform/cp1251.h"
#include "search/make_find.h"
#include "test_support.h"

namespace shelf::test {
namespace {
namespace fs = std::filesystem;

std::string W(const std::string& utf8) {
  return Utf8ToCp1251Lossy(utf8);
}

struct RRun {
  int Exit = -1;
  QString Out, Err;
};

RRun RunTool(const QString& program, const QStringList& arguments) {
  QProcess process;
  process.start(program, arguments);
  RRun run;
  if (!process.waitForFinished(30000)) return run;
  run.Exit = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
  run.Out = QString::fromUtf8(process.readAllStandardOutput());
  run.Err = QString::fromUtf8(process.readAllStandardError());
  return run;
}

class BookindexTest : public IsolatedTest {};

TEST_F(BookindexTest, IndexesContainerAndLoosePagesAndTheThesaurus) {
  const fs::path stage = Dir() / "stage", book = Dir() / "book";
  WriteTree(stage, {{"run/Brakes.htm", W("<title>Тормоза</title><p>Колодка и диск</p>")},
                    {"run/sub/pads.htm", W("<title>Колодки</title><p>Замена колодки</p>")},
                    {"run/tez/terms.htm", W("<title>Тезаурус</title><h3><a name=\"pad\"></a>"
                                            "~ Колодка</h3><p>Деталь тормоза.</p>")},
                    {"run/notes.txt", "колодка"},
                    {"man/manual.htm", W("<p>колодка</p>")}});
  fs::create_directories(book / "run");
  ASSERT_EQ(RunTool(SHELF_BOOKPACK, {"create", QString::fromStdString(stage.string()),
                                     QString::fromStdString((book / "run/interface.dat").string())})
                .Exit,
            0);
  WriteTree(book / "run", {{"loose.htm", W("<p>ДИСК снят</p>")}});

  const RRun run = RunTool(SHELF_BOOKINDEX, {QString::fromStdString((book / "run").string()),
                                             "--leave-out", QString::fromUtf8("снят")});
  ASSERT_EQ(run.Exit, 0) << run.Err.toStdString();
  EXPECT_EQ(run.Out.toStdString(), "bookindex: 4 pages, 7 keywords, 1 thesaurus entries\n");
  EXPECT_EQ(ReadFile(book / "run/files.idx"),
            W("BRAKES.HTM#:#Тормоза\r\nloose.htm#:#loose.htm\r\nSUB\\PADS.HTM#:#Колодки\r\n"
              "TEZ\\TERMS.HTM#:#Тезаурус\r\n"));
  EXPECT_EQ(ReadFile(book / "run/tezaurus.idx"), W("Колодка~TEZ\\TERMS.HTM#pad\r\n"));

  std::string error;
  const auto session = OpenBookSession(book / "run", error);
  ASSERT_TRUE(session) << error;
  TMakeFind find(session->Store);
  find.SetIndexFolder(session->Folders.ProgramDir);
  struct Case {
    const char* word;
    TDynamicStringArray files;
  } cases[] = {{"колодка", {"BRAKES.HTM", "TEZ\\TERMS.HTM"}},
               {"колодки", {"SUB\\PADS.HTM"}},
               {"диск", {"BRAKES.HTM", "loose.htm"}},
               {"снят", {}}};
  for (const Case& c : cases) {
    TDynamicStringArray files, titles;
    find.SearchIndex(W(c.word), files, titles, false);
    EXPECT_EQ(files, c.files) << c.word;
  }
}

TEST_F(BookindexTest, RefusesWhatItCannotUse) {
  WriteTree(Dir() / "empty/run", {{"Title.txt", "x"}});
  EXPECT_EQ(RunTool(SHELF_BOOKINDEX, {}).Exit, 2);
  EXPECT_EQ(
      RunTool(SHELF_BOOKINDEX, {QString::fromStdString((Dir() / "empty/run").string()), "--words"})
          .Exit,
      2);
  const RRun empty =
      RunTool(SHELF_BOOKINDEX, {QString::fromStdString((Dir() / "empty/run").string())});
  EXPECT_EQ(empty.Exit, 1);
  EXPECT_TRUE(empty.Err.contains("no pages")) << empty.Err.toStdString();
  EXPECT_FALSE(fs::exists(Dir() / "empty/run/keywords.idx"));
}

}  // namespace
}  // namespace shelf::test

namespace shelf::test {
namespace {

// bookfind answers from what bookindex wrote, and says by its exit status how it went.
TEST_F(BookindexTest, BookfindPrintsTheRankedPagesAndExitsByWhatItFound) {
  const fs::path run = Dir() / "book/run";
  WriteTree(run, {{"a.htm", W("<title>Тормоза</title><p>Колодки и колодка</p>")},
                  {"b.htm", W("<title>Колодки</title><p>Замена колодкой</p>")},
                  {"c.htm", W("<title>Диски</title><p>Диск</p>")}});
  ASSERT_EQ(RunTool(SHELF_BOOKINDEX, {QString::fromStdString(run.string())}).Exit, 0);
  fs::create_directories(Dir() / "empty");
  const QString book = QString::fromStdString(run.string());
  struct Case {
    QStringList arguments;
    int exit;
    std::string out;
  } cases[] = {
      {{book, QString::fromUtf8("колодка")}, 0, "b.htm\tКолодки\na.htm\tТормоза\n"},
      {{book, QString::fromUtf8("колодка"), "--exact"}, 0, "a.htm\tТормоза\n"},
      {{book, QString::fromUtf8("КОЛОДКИ"), QString::fromUtf8("замена")}, 0, "b.htm\tКолодки\n"},
      {{book, QString::fromUtf8("суппорт")}, 1, ""},
      {{}, 2, ""},
      {{book}, 2, ""},
      {{book, "--fast", "x"}, 2, ""},
      {{QString::fromStdString((Dir() / "none").string()), "x"}, 2, ""},
      {{QString::fromStdString((Dir() / "empty").string()), "x"}, 2, ""},
  };
  for (const Case& c : cases) {
    const RRun result = RunTool(SHELF_BOOKFIND, c.arguments);
    EXPECT_EQ(result.Exit, c.exit) << c.arguments.join(' ').toStdString();
    EXPECT_EQ(result.Out.toStdString(), c.out) << c.arguments.join(' ').toStdString();
    EXPECT_EQ(result.Err.isEmpty(), c.exit != 2) << result.Err.toStdString();
  }
}

}  // namespace
}  // namespace shelf::test
