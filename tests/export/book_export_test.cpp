// The bookexport tool, run as a reader runs it, on a small book with every kind of page and
// link, and on the sample book; the EPUB is read back as an e-reader would open it.
#include <archive.h>
#include <archive_entry.h>
#include <sys/wait.h>

#include <QBuffer>
#include <QImage>
#include <cstdlib>
#include <map>

#include "store/packed_container_fixture.h"
#include "test_support.h"

namespace shelf::test {
namespace {

namespace fs = std::filesystem;

struct REpub {
  std::vector<std::string> Names;  // in the archive's order
  std::map<std::string, std::string> Files;
};

REpub ReadEpub(const fs::path& file) {
  REpub epub;
  archive* zip = archive_read_new();
  archive_read_support_format_zip(zip);
  if (archive_read_open_filename(zip, file.c_str(), 65536) != ARCHIVE_OK) {
    archive_read_free(zip);
    return epub;
  }
  archive_entry* entry = nullptr;
  while (archive_read_next_header(zip, &entry) == ARCHIVE_OK) {
    std::string bytes;
    char buffer[65536];
    for (la_ssize_t n; (n = archive_read_data(zip, buffer, sizeof buffer)) > 0;)
      bytes.append(buffer, static_cast<std::size_t>(n));
    epub.Names.push_back(archive_entry_pathname(entry));
    epub.Files[epub.Names.back()] = bytes;
  }
  archive_read_free(zip);
  return epub;
}

std::string Bmp() {
  QImage image(6, 4, QImage::Format_RGB32);
  image.fill(Qt::red);
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, "BMP");
  return bytes.toStdString();
}

class BookExportTest : public IsolatedTest {
 protected:
  struct RRun {
    int Exit = -1;
    std::string Out, Err;
  };

  RRun Export(const std::string& arguments, const std::string& environment = "") {
    const fs::path out = Dir() / "stdout.txt", err = Dir() / "stderr.txt";
    const std::string command = environment + " '" SHELF_BOOKEXPORT "' " + arguments + " >'" +
                                out.string() + "' 2>'" + err.string() + "' </dev/null";
    const int status = std::system(command.c_str());
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, ReadFile(out), ReadFile(err)};
  }

  // A book at Dir()/book: a contents tree with nesting, a page only links reach, a frameset,
  // a picture, link commands, a thesaurus and a damaged page in the container.
  fs::path MakeBook() {
    const fs::path run = Dir() / "book" / "run";
    WriteTree(run, {{"Struct.txt",
                     "1_screen=fon.bmp\r\n2_screen=fon.bmp\r\n"
                     "2_tree vw=248;vh=511;colorselect=31,78,121;"
                     "colorselecttext=255,255,255;fn=contents.txt\r\n"},
                    {"Title.txt", Win("Проверочная книга")},
                    {"contents.txt", Win("a.htm;Глава А\r\n\tb.htm#part;Раздел Б\r\n"
                                         "\tmissing.htm;Нет такой\r\nc.htm;Глава В\r\n")},
                    {"a.htm", Win("<title>Страница А</title><p>Текст <a href=\"b.htm#part\">Б</a>"
                                  " <a href=\"linked.htm\">дальше</a> <a href=\"setup.rar\">"
                                  "архив</a> <a href=\"printhtml:a.htm\">печать</a> "
                                  "<a href=\"http://example.com/a b\">сайт</a> "
                                  "<a href=\"gone.htm\">нет</a> <a href=\"song.mp3\">песня</a>"
                                  "</p><img src=\"pic.bmp\">")},
                    {"b.htm", Win("<p><a name=\"part\">Часть</a> <a href=\"A.HTM#nowhere\">"
                                  "назад</a></p>")},
                    {"c.htm",
                     "<frameset rows=\"50,*\"><frame src=\"top.htm\">"
                     "<frame src=\"b.htm\"></frameset>"},
                    {"top.htm", Win("<p>Верхняя рамка <a href=\"damaged.htm\">сломана</a></p>")},
                    {"linked.htm", Win("<p>Только по ссылке <a href=\"a.htm\">А</a></p>")},
                    {"terms.htm", Win("<p><a name=\"t1\">Термин</a> — пояснение</p>")},
                    {"tezaurus.idx", Win("Термин~terms.htm#t1\r\nДругой~nowhere.htm\r\n")},
                    {"pic.bmp", Bmp()},
                    {"song.mp3", "ID3\x03\0\0\0\0\0\0"}});
    const fs::path container = run / "interface.dat";
    WriteBytes(
        container,
        Pack(PackedDir(
            "", {PackedDir("RUN", {PackedFile("DAMAGED.HTM", Compressible("<p>x</p>", 40))})})));
    BreakEntry(container, "RUN\\DAMAGED.HTM");
    return run;
  }
};

std::size_t At(const std::string& text, const std::string& part) {
  return text.find(part);
}

TEST_F(BookExportTest, WritesEveryReachablePageInContentsOrderWithNavigationAndGlossary) {
  const fs::path run = MakeBook();
  const fs::path epubFile = Dir() / "book.epub";
  const RRun result = Export("'" + run.string() + "' '" + epubFile.string() + "' --quiet");
  // The damaged page is reported and skipped; the rest is written.
  EXPECT_EQ(result.Exit, 1) << result.Err;
  EXPECT_NE(At(result.Err, "skipped d:\\book\\run\\damaged.htm"), std::string::npos) << result.Err;
  EXPECT_EQ(result.Out, "");

  const std::string raw = ReadFile(epubFile);
  ASSERT_GT(raw.size(), 60u);
  // What e-readers check first: "mimetype" leads, stored, with no extra field.
  EXPECT_EQ(raw.substr(0, 4), std::string("PK\x03\x04", 4));
  EXPECT_EQ(raw.substr(8, 2), std::string(2, '\0'));   // stored
  EXPECT_EQ(raw.substr(28, 2), std::string(2, '\0'));  // no extra field
  EXPECT_EQ(raw.substr(30, 28), "mimetypeapplication/epub+zip");

  const REpub epub = ReadEpub(epubFile);
  ASSERT_FALSE(epub.Names.empty());
  EXPECT_EQ(epub.Names.front(), "mimetype");
  for (const char* name : {"META-INF/container.xml", "EPUB/package.opf", "EPUB/nav.xhtml",
                           "EPUB/style.css", "EPUB/images/pic.png", "EPUB/glossary.xhtml"})
    EXPECT_TRUE(epub.Files.count(name)) << name;

  // Reading order: the tree's pages, the pages they lead to, then the glossary and its pages.
  const std::string& package = epub.Files.at("EPUB/package.opf");
  std::vector<std::size_t> order;
  for (const char* page : {"a.xhtml", "b.xhtml", "c.xhtml", "linked.xhtml", "damaged.xhtml",
                           "glossary.xhtml", "terms.xhtml"})
    order.push_back(At(package, "href=\"" + std::string(page) + "\""));
  for (std::size_t i = 0; i < order.size(); ++i) ASSERT_NE(order[i], std::string::npos) << i;
  EXPECT_TRUE(std::is_sorted(order.begin(), order.end())) << package;
  EXPECT_NE(At(package, "<dc:title>Проверочная книга</dc:title>"), std::string::npos);
  EXPECT_NE(At(package, "<dc:language>ru</dc:language>"), std::string::npos);
  EXPECT_NE(At(package, "urn:uuid:"), std::string::npos);
  EXPECT_EQ(At(package, "top.xhtml"), std::string::npos);  // a frame goes into its frameset

  const std::string& nav = epub.Files.at("EPUB/nav.xhtml");
  EXPECT_NE(At(nav,
               "<li><a href=\"a.xhtml\">Глава А</a>\n<ol>\n<li><a href=\"b.xhtml#part\">"
               "Раздел Б</a></li>\n</ol>\n</li>"),
            std::string::npos)
      << nav;
  EXPECT_NE(At(nav, "<a href=\"glossary.xhtml\">Тезаурус</a>"), std::string::npos);
  EXPECT_EQ(At(nav, "Нет такой"), std::string::npos);

  const std::string& a = epub.Files.at("EPUB/a.xhtml");
  for (const char* part :
       {"<title>Страница А</title>", "<a href=\"b.xhtml#part\">Б</a>",
        "<a href=\"linked.xhtml\">дальше</a>",
        "архив</span> <span class=\"note\">[архив "
        "«setup.rar» — только на диске книги]</span>",
        "<span class=\"note\">[печать", "<a href=\"http://example.com/a%20b\">",
        "<span class=\"note\">[«gone.htm» нет в книге]", "<img src=\"images/pic.png\" alt=\"\"/>"})
    EXPECT_NE(At(a, part), std::string::npos) << part << "\n" << a;
  EXPECT_NE(At(epub.Files.at("EPUB/b.xhtml"), "<a href=\"a.xhtml\">назад</a>"), std::string::npos);
  const std::string& c = epub.Files.at("EPUB/c.xhtml");
  EXPECT_LT(At(c, "Верхняя рамка"), At(c, "Часть"));
  EXPECT_NE(At(c, "<a href=\"damaged.xhtml\">"), std::string::npos);
  EXPECT_NE(At(epub.Files.at("EPUB/damaged.xhtml"), "[страница «damaged.htm» повреждена"),
            std::string::npos);
  EXPECT_NE(At(epub.Files.at("EPUB/glossary.xhtml"), "<a href=\"terms.xhtml#t1\">Термин</a>"),
            std::string::npos);
  EXPECT_EQ(epub.Files.at("EPUB/images/pic.png").substr(1, 3), "PNG");

  // The same book with the same date gives the same file, identifier included.
  const fs::path again = Dir() / "again.epub";
  EXPECT_EQ(Export("'" + run.string() + "' '" + epubFile.string() + "' --quiet",
                   "SOURCE_DATE_EPOCH=1700000000")
                .Exit,
            1);
  EXPECT_EQ(Export("'" + run.string() + "' '" + again.string() + "' --quiet",
                   "SOURCE_DATE_EPOCH=1700000000")
                .Exit,
            1);
  EXPECT_EQ(ReadFile(epubFile), ReadFile(again));
  EXPECT_NE(At(ReadEpub(again).Files["EPUB/package.opf"], "2023-11-14T22:13:20Z"),
            std::string::npos);
}

TEST_F(BookExportTest, WithMediaKeepsMp3SoundsAsAudio) {
  const fs::path epubFile = Dir() / "media.epub";
  EXPECT_EQ(
      Export("'" + MakeBook().string() + "' '" + epubFile.string() + "' --with-media --quiet").Exit,
      1);
  const REpub epub = ReadEpub(epubFile);
  EXPECT_EQ(epub.Files.at("EPUB/audio/song.mp3").substr(0, 3), "ID3");
  EXPECT_NE(
      At(epub.Files.at("EPUB/package.opf"), "href=\"audio/song.mp3\" media-type=\"audio/mpeg\""),
      std::string::npos);
  EXPECT_NE(At(epub.Files.at("EPUB/a.xhtml"),
               "<span>песня</span><audio controls=\"controls\" src=\"audio/song.mp3\"></audio>"),
            std::string::npos)
      << epub.Files.at("EPUB/a.xhtml");
}

TEST_F(BookExportTest, RefusesWrongCommandLinesAndBooksWithExitTwo) {
  const fs::path run = MakeBook();
  const std::string out = "'" + (Dir() / "x.epub").string() + "'";
  const std::pair<const char*, std::string> cases[] = {
      {"no arguments", ""},
      {"no output", "'" + run.string() + "'"},
      {"unknown option", "'" + run.string() + "' " + out + " --fast"},
      {"no such book", "'" + (Dir() / "nothing").string() + "' " + out},
      {"output folder missing", "'" + run.string() + "' '" + (Dir() / "no/x.epub").string() + "'"},
  };
  for (const auto& [name, arguments] : cases) {
    const RRun result = Export(arguments);
    EXPECT_EQ(result.Exit, 2) << name << "\n" << result.Err;
    EXPECT_NE(At(result.Err, "bookexport: "), std::string::npos) << name;
  }
  EXPECT_FALSE(fs::exists(Dir() / "x.epub"));
  EXPECT_FALSE(fs::exists(Dir() / "no/x.epub.part"));
}

// epubcheck, the reference checker of EPUB files, finds no error in the export of the sample
// book and of the small book. It runs where it is installed (CI installs it).
TEST_F(BookExportTest, EpubcheckFindsNoErrors) {
  const char* jar = "/usr/share/java/epubcheck.jar";
  if (!fs::exists(jar) || std::system("command -v java >/dev/null 2>&1") != 0)
    GTEST_SKIP() << "epubcheck is not installed";
  const fs::path small = Dir() / "small.epub", sample = Dir() / "sample.epub";
  EXPECT_EQ(Export("'" + MakeBook().string() + "' '" + small.string() + "' --quiet").Exit, 1);
  const RRun sampleRun = Export("'" SHELF_SAMPLE_BOOK "' '" + sample.string() + "'");
  EXPECT_EQ(sampleRun.Exit, 0) << sampleRun.Err;
  EXPECT_NE(At(sampleRun.Out, " 0 skipped"), std::string::npos) << sampleRun.Out;
  for (const fs::path& epub : {small, sample}) {
    const fs::path report = Dir() / "epubcheck.txt";
    const std::string command = std::string("java -jar ") + jar + " '" + epub.string() + "' >'" +
                                report.string() + "' 2>&1";
    const int status = std::system(command.c_str());
    const std::string text = ReadFile(report);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << epub << "\n" << text;
    EXPECT_EQ(At(text, "ERROR"), std::string::npos) << epub << "\n" << text;
    EXPECT_EQ(At(text, "FATAL"), std::string::npos) << epub << "\n" << text;
  }
}

}  // namespace
}  // namespace shelf::test
