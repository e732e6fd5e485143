#include "archive/unrar.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <regex>
#include <set>

#include "archive/rar5_volume.h"
#include "platform/cp1251.h"
#include "platform/dos_path.h"
#include "rar4_writer.h"
#include "test_support.h"

namespace shelf {
namespace {
namespace fs = std::filesystem;

class FakeHost : public TUnRarHost {
 public:
  void ShowArchiveMessage(const std::string& text) override { messages.push_back(text); }
  void OpenListingPage(const std::string& page) override { opened.push_back(page); }
  bool ArchiveMode() const override { return archiveMode; }
  std::optional<fs::path> ChosenFolder() const override { return chosen; }
  void SetBusy(bool busy) override { busyCalls.push_back(busy); }
  bool AskArchiveQuestion(const std::string& text) override {
    questions.push_back(text);
    return answer;
  }

  std::vector<std::string> messages, opened, questions;
  bool answer = false;
  std::vector<bool> busyCalls;
  bool archiveMode = false;
  std::optional<fs::path> chosen;
};

class UnRarTest : public test::IsolatedTest {
 protected:
  void SetUp() override {
    IsolatedTest::SetUp();
    setenv("TZ", "UTC", 1);
    tzset();
    files_.MapDrive('c', "/");
    fs::create_directories(Dir() / "temp");
    tempDir_ = *files_.ToDos(Dir() / "temp", true);
  }
  std::string Archive(const std::string& name, const std::string& bytes) {
    EXPECT_TRUE(rar4::WriteFile(Dir() / name, bytes));
    return *files_.ToDos(Dir() / name, false);
  }
  fs::path Host(const std::string& dos) { return *files_.ToHost(dos); }
  // The page the link named `name` on `page` leads to, with its text.
  static std::string LinkTarget(const std::string& page, const std::string& name) {
    const std::size_t at = page.find("\">" + name + "</a>");
    if (at == std::string::npos) return {};
    const std::size_t start = page.rfind("href=\"", at) + 6;
    return page.substr(start, at - start);
  }
  std::string Page(const std::string& folderPage) {
    return test::ReadFile(Host(unrar_->TempFolder()) / folderPage);
  }
  void Make() { unrar_ = std::make_unique<TUnRar>(host_, files_, tempDir_); }

  TDosFileSystem files_;
  std::string tempDir_;
  FakeHost host_;
  std::unique_ptr<TUnRar> unrar_;
};

TEST(UnRarNames, WorkingFolderKeepsOtherDots) {
  EXPECT_EQ(TUnRar::WorkingFolderOf("t:\\tmp\\", "C:\\books\\x.rar"),
            "t:\\tmp\\as_C__books_x_rar\\");
  EXPECT_EQ(TUnRar::WorkingFolderOf("t:\\", "d:\\a.b\\x.y.rar"), "t:\\as_d__a.b_x.y_rar\\");
}

TEST_F(UnRarTest, ImpliedFoldersGetPagesWithParentRowsAndTheRootHasNone) {
  Make();
  const std::string archive = Archive("x.rar", rar4::WriteRar4({
                                                   {"a\\b\\one.txt", std::string(999, '1'), false,
                                                    false, rar4::DosTime(2024, 3, 14, 10, 20, 0)},
                                                   {"a\\b\\two.txt", std::string(1500, '2')},
                                                   {"top.txt", std::string(2500, '3')},
                                               }));
  unrar_->ShowArchive(archive, "c:\\book\\files.htm");
  ASSERT_EQ(host_.opened.size(), 1u);
  EXPECT_TRUE(host_.messages.empty());
  const std::string frameset = host_.opened[0];
  EXPECT_EQ(frameset, unrar_->TempFolder() + "as_x.rar.htm");
  const std::string framesetText = test::ReadFile(Host(frameset));
  EXPECT_NE(framesetText.find(*Utf8ToCp1251("<title>Содержимое архива: ") + archive),
            std::string::npos);
  const std::size_t src = framesetText.find("name=\"Top\"> <frame src=\"") + 24;
  const std::string rootPage = framesetText.substr(src, framesetText.find('"', src) - src);

  const std::string root = Page(rootPage);
  EXPECT_EQ(root.find(">..</a>"), std::string::npos);
  EXPECT_EQ(LinkTarget(root, rootPage), "");  // the root does not list itself
  EXPECT_NE(root.find("2 " + *Utf8ToCp1251("Кбайт")), std::string::npos);  // 2500: half to even
  const std::string a = Page(LinkTarget(root, "a"));
  EXPECT_EQ(LinkTarget(a, ".."), rootPage);
  const std::string b = Page(LinkTarget(a, "b"));
  EXPECT_EQ(LinkTarget(b, ".."), LinkTarget(root, "a"));
  EXPECT_EQ(LinkTarget(b, "one.txt"), "a/b/one.txt");
  EXPECT_NE(b.find(">999 " + *Utf8ToCp1251("байт") + "<"), std::string::npos);
  EXPECT_NE(b.find(">2 " + *Utf8ToCp1251("Кбайт") + "<"), std::string::npos);  // 1500
  EXPECT_NE(b.find(*Utf8ToCp1251("14 мар 24 10:20")), std::string::npos);

  EXPECT_TRUE(unrar_->UpdateListingFlag(false, frameset));
  EXPECT_TRUE(unrar_->UpdateListingFlag(true, "c:\\book\\other.htm"));
  EXPECT_FALSE(unrar_->UpdateListingFlag(true, "C:\\BOOK\\FILES.HTM"));
}

TEST_F(UnRarTest, SameArchiveTwiceIsNotReopenedAndTheFoldersGoAtTheEnd) {
  Make();
  const std::string archive = Archive("x.rar", rar4::WriteRar4({{"f.txt", "f"}}));
  unrar_->ShowArchive(archive, "c:\\p.htm");
  fs::remove(Host(archive));  // a second opening would fail now
  unrar_->ShowArchive(archive, "c:\\p.htm");
  EXPECT_EQ(host_.opened.size(), 2u);
  EXPECT_TRUE(host_.messages.empty());
  const fs::path folder = Host(unrar_->TempFolder());
  ASSERT_TRUE(fs::exists(folder));
  unrar_.reset();
  EXPECT_FALSE(fs::exists(folder));
}

TEST_F(UnRarTest, EarlierRunsFoldersAreRemovedAtFirstUse) {
  fs::create_directories(Dir() / "temp" / "AS_old" / "sub");
  test::WriteTree(Dir() / "temp", {{"AS_old/sub/f.txt", "x"}, {"keep/f.txt", "y"}});
  fs::permissions(Dir() / "temp" / "AS_old" / "sub" / "f.txt", fs::perms::owner_read);
  Make();
  EXPECT_FALSE(fs::exists(Dir() / "temp" / "AS_old"));
  EXPECT_TRUE(fs::exists(Dir() / "temp" / "keep" / "f.txt"));
}

TEST_F(UnRarTest, ExtractingTwiceMakesNumberedFoldersAndNamesWhatWasRefused) {
  Make();
  const std::string archive = Archive("x.rar", rar4::WriteRar4({
                                                   {"ok.txt", "fine"},
                                                   {"..\\evil.txt", "no"},
                                                   {"locked.txt", "x", false, true},
                                                   {"c:\\drive.txt", "no"},
                                               }));
  unrar_->ShowArchive(archive, "c:\\p.htm");
  host_.chosen = Dir() / "chosen";
  fs::create_directories(*host_.chosen);
  unrar_->ExtractArchive(true, false);
  unrar_->ExtractArchive(true, false);
  EXPECT_EQ(test::ReadFile(Dir() / "chosen" / "x.rar" / "ok.txt"), "fine");
  EXPECT_EQ(test::ReadFile(Dir() / "chosen" / "x1.rar" / "ok.txt"), "fine");
  EXPECT_FALSE(fs::exists(Dir() / "chosen" / "evil.txt"));
  // One line per reason.
  EXPECT_EQ(host_.messages,
            std::vector<std::string>(
                2, *Utf8ToCp1251("Не распакованы (путь вне папки распаковки): ..\\evil.txt, "
                                 "c:\\drive.txt\nНе распакованы (зашифрован, нужен пароль): "
                                 "locked.txt")));
  EXPECT_EQ(host_.busyCalls, (std::vector<bool>{true, false, true, false}));

  host_.chosen.reset();  // no path box: nothing happens
  unrar_->ExtractArchive(true, false);
  EXPECT_FALSE(fs::exists(Dir() / "chosen" / "x2.rar"));

  unrar_->ExtractArchive(false, true);  // a file link of the listing
  EXPECT_EQ(test::ReadFile(Host(unrar_->TempFolder()) / "ok.txt"), "fine");
}

TEST_F(UnRarTest, NamesAreEscapedAndLinksLeadOnlyToTheListingAndItsEntries) {
  Make();
  const std::string planted = "a\"><font color=red size=7>INJ</font><a href=\"b.txt";
  const std::string archive =
      Archive("x.rar", rar4::WriteRar4({{planted, "1"},
                                        {"copy:c:\\x.txt", "2"},
                                        {"c:\\evil.txt", "3"},
                                        {"x&y 'z'.txt", "4"},
                                        {"файл.txt", "5", false, false, 0, true}}));
  unrar_->ShowArchive(archive, "c:\\p.htm");
  ASSERT_TRUE(host_.messages.empty());
  // Every link of every listing page: another listing page, or one of these entries.
  std::set<std::string> entries = {
      "a%22%3E%3Cfont%20color%3Dred%20size%3D7%3EINJ%3C/font%3E%3Ca%20href%3D%22b.txt",
      "x%26y%20%27z%27.txt", "%F4%E0%E9%EB.txt"};
  const std::regex link("href=\"([^\"]*)\"");
  std::string all;
  for (const auto& file : fs::directory_iterator(Host(unrar_->TempFolder()))) {
    const std::string page = test::ReadFile(file.path());
    all += page;
    for (std::sregex_iterator it(page.begin(), page.end(), link), end; it != end; ++it) {
      const std::string target = (*it)[1];
      if (entries.erase(target) == 0)
        EXPECT_TRUE(target.starts_with("as_") && fs::exists(file.path().parent_path() / target))
            << target;
    }
  }
  EXPECT_TRUE(entries.empty()) << *entries.begin();
  EXPECT_EQ(all.find("<font"), std::string::npos);
  EXPECT_NE(all.find("&gt;&lt;font color=red size=7&gt;INJ&lt;"), std::string::npos);
  EXPECT_NE(all.find(">x&amp;y &#39;z&#39;.txt</a>"), std::string::npos);
  // Names that would unpack outside the folder are shown, without a link.
  EXPECT_NE(all.find("<td width=\"50%\">evil.txt</td>"), std::string::npos);
}

TEST_F(UnRarTest, AnExtractionFarLargerThanItsArchiveIsAskedFirst) {
  Make();
  // Stated sizes the data do not have: a bomb's headers are all the reader is asked about.
  rar4::TRar4Writer writer;
  writer.Add({"big1.bin", "x"}, {.WholeSize = 600u << 20});
  writer.Add({"big2.bin", "y"}, {.WholeSize = 600u << 20});
  const std::string bomb = Archive("bomb.rar", writer.Finish());
  const std::string small = Archive("small.rar", rar4::WriteRar4({{"ok.txt", "fine"}}));
  host_.chosen = Dir() / "chosen";
  fs::create_directories(*host_.chosen);
  unrar_->ShowArchive(small, "c:\\p.htm");
  unrar_->ExtractArchive(true, false);
  EXPECT_TRUE(host_.questions.empty());
  EXPECT_EQ(test::ReadFile(Dir() / "chosen" / "small.rar" / "ok.txt"), "fine");

  unrar_->ShowArchive(bomb, "c:\\p.htm");
  unrar_->ExtractArchive(true, false);  // the reader says no
  ASSERT_EQ(host_.questions.size(), 1u);
  EXPECT_EQ(host_.questions[0],
            *Utf8ToCp1251("Файлы архива ") + bomb +
                *Utf8ToCp1251(" займут 1200 Мбайт, во много раз больше самого архива (1 Мбайт). "
                              "Распаковать?"));
  EXPECT_FALSE(fs::exists(Dir() / "chosen" / "bomb.rar"));
  EXPECT_EQ(TUnRar::ExtractionAllowance(1000), TUnRar::kExtractionFloor);
  EXPECT_EQ(TUnRar::ExtractionAllowance(1ull << 30), 10ull << 30);
  EXPECT_EQ(TUnRar::ExtractionAllowance(UINT64_MAX / 2), UINT64_MAX);
}

TEST_F(UnRarTest, ErrorsReachTheReaderOnce) {
  Make();
  unrar_->ShowArchive(*files_.ToDos(Dir() / "none.rar", false), "c:\\p.htm");
  ASSERT_EQ(host_.messages.size(), 1u);
  EXPECT_EQ(host_.messages[0].rfind("Cannot open ", 0), 0u);
  EXPECT_TRUE(host_.opened.empty());

  host_.messages.clear();
  const std::string text = Archive("t.rar", "not an archive at all");
  unrar_->ShowArchive(text, "c:\\p.htm");
  EXPECT_EQ(host_.messages, (std::vector<std::string>{*Utf8ToCp1251("Файл ") + text +
                                                      *Utf8ToCp1251(" не является RAR архивом.")}));

  host_.messages.clear();
  std::string bytes = rar4::WriteRar4({{"one.txt", "1"}, {"two.txt", "2"}, {"bad.txt", "data"}});
  bytes[bytes.find("data")] = 'D';
  const std::string crc = Archive("crc.rar", bytes);
  unrar_->ShowArchive(crc, "c:\\p.htm");
  host_.chosen = Dir();
  unrar_->ExtractArchive(true, true);
  EXPECT_EQ(host_.messages,
            (std::vector<std::string>{*Utf8ToCp1251("У файла bad.txt ошибка контрольной суммы.")}));

  host_.messages.clear();
  bytes[bytes.find("two.txt")] = 'T';
  unrar_->ShowArchive(Archive("hdr.rar", bytes), "c:\\p.htm");
  EXPECT_EQ(host_.messages,
            (std::vector<std::string>{*Utf8ToCp1251("У файла: one.txt испорчен заголовок.")}));
}

TEST_F(UnRarTest, ListingLeavesOutOverlongNamesAndStopsAtTheEntryBound) {
  Make();
  std::vector<rar4::TRar4Entry> entries{{std::string(TUnRar::kMaxListedName + 1, 'n'), "x"}};
  for (std::size_t i = 0; i < TUnRar::kMaxListedEntries; ++i)
    entries.push_back({"f" + std::to_string(i), ""});
  unrar_->ShowArchive(Archive("many.rar", rar4::WriteRar4(entries)), "c:\\p.htm");
  ASSERT_EQ(host_.opened.size(), 1u);
  const std::string frameset = test::ReadFile(Host(host_.opened[0]));
  const std::size_t src = frameset.find("name=\"Top\"> <frame src=\"") + 24;
  const std::string root = Page(frameset.substr(src, frameset.find('"', src) - src));
  std::size_t rows = 0;
  for (std::size_t at = root.find("<tr>"); at != std::string::npos; at = root.find("<tr>", at + 1))
    ++rows;
  EXPECT_EQ(rows, TUnRar::kMaxListedEntries - 1);  // the long name and the last one left out
  EXPECT_EQ(root.find(">nnnn"), std::string::npos);
  const std::string last = "f" + std::to_string(TUnRar::kMaxListedEntries - 1);
  EXPECT_EQ(LinkTarget(root, last), "");
  EXPECT_EQ(LinkTarget(root, "f0"), "f0");
}

TEST_F(UnRarTest, MissingVolumeIsNamedAndReadingStops) {
  rar4::TRar4Writer one(true, true);
  one.Add({"a.txt", "alpha"});
  one.Add({"split.txt", "first"}, {false, true, 0, 10});
  const std::pair<std::string, std::string> firstVolumes[] = {
      {"set.part1.rar", one.Finish(true)},
      {"set5.part1.rar",
       test::Rar5Volume(0, {{"a.txt", "alpha"}, {"split.txt", "first", false, true, 10}}, true)}};
  for (const auto& [name, bytes] : firstVolumes) {
    Make();
    host_.messages.clear();
    host_.opened.clear();
    const std::string first = Archive(name, bytes);
    unrar_->ShowArchive(first, "c:\\p.htm");
    ASSERT_EQ(host_.messages.size(), 1u) << name;
    const std::string second = name.substr(0, name.find('.')) + ".part2.rar";
    EXPECT_EQ(host_.messages[0], *Utf8ToCp1251("Том ") + *files_.ToDos(Dir() / second, false) +
                                     *Utf8ToCp1251(" не найден."));
    EXPECT_EQ(host_.opened.size(), 1u);  // what was read is still shown
  }
}

}  // namespace
}  // namespace shelf
