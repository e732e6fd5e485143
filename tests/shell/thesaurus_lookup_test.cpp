#include "shell/thesaurus_lookup.h"

#include <gtest/gtest.h>

#include <QTest>
#include <QWidget>

#include "html/html_fixture.h"
#include "platform/shell_open.h"
#include "shell/recording_desktop.h"
#include "shell/window_messages.h"
#include "store/book_folders.h"

namespace shelf::test {
namespace {
namespace fs = std::filesystem;

// A window of a running copy: the thesaurus window shows what the messages hand it.
class Window : public TWindowMessagesHost {
 public:
  Window(const char* caption, bool thesaurus, const TDosFileSystem& files,
         const TBookFolders& folders)
      : thesaurus_(thesaurus) {
    widget.setWindowTitle(QString::fromUtf8(caption));
    widget.show();
    messages = std::make_unique<TWindowMessages>(*this, bus, files, folders);
  }
  bool HasPageAreas() const override { return true; }
  bool ThesaurusWindow() const override { return thesaurus_; }
  int CurrentScreen() const override { return 0; }
  std::string CurrentPageFile() const override { return {}; }
  void LoadPage(const std::string& file) override { loaded.push_back(file); }
  void DispatchCommand(const std::string&) override {}
  void PrintPage(const std::string&, const TPicturePrint&) override {}
  std::string ShownFile() const override { return {}; }

  QWidget widget;
  TWindowBus bus{widget};
  std::unique_ptr<TWindowMessages> messages;
  std::vector<std::string> loaded;

 private:
  bool thesaurus_;
};

class ThesaurusLookupTest : public HtmlTest {
 protected:
  void SetUp() override {
    HtmlTest::SetUp();
    folders_.ProgramDir = "d:\\run\\";
    AddFiles({{"run/tezaurus.idx", W("Аккумулятор~t1.htm#akb\r\nСтартер~нет.htm#s\r\n"
                                     "Генератор~t1.htm#gen\r\n")},
              {"run/t1.htm", "<p>~ akb"}});
  }
  TThesaurusLookup Lookup() { return TThesaurusLookup(Store(), FileSystem(), folders_, desktop_); }
  TBookFolders folders_;
  RecordingDesktop desktop_;
};

TEST_F(ThesaurusLookupTest, StartsTheThesaurusOnlyForAPageOfTheBook) {
  using R = TThesaurusLookup::TResult;
  struct Case {
    const char* word;
    R result;
    const char* page;  // the page the copy is started with; empty: none started
  } cases[] = {
      {"", R::Started, "d:\\run\\t1.htm#akb"},  // the first entry, anchor kept
      {" генератор ", R::Started, "d:\\run\\t1.htm#gen"},
      {"Стартер", R::NoPage, ""},   // its page is not in the book: nothing starts
      {"Тормоз", R::NotFound, ""},  // an unknown word starts nothing
  };
  for (const Case& c : cases) {
    desktop_.starts.clear();
    TThesaurusLookup lookup = Lookup();
    EXPECT_EQ(lookup.LookUpThesaurus(W(c.word)), c.result) << c.word;
    if (*c.page == '\0') {
      EXPECT_TRUE(desktop_.starts.empty()) << c.word;
      continue;
    }
    ASSERT_EQ(desktop_.starts.size(), 1u) << c.word;
    const std::vector<std::string>& start = desktop_.starts.front();
    // The book folder first, then the thesaurus window's own command line: page and "/t".
    ASSERT_EQ(start.size(), 4u);
    EXPECT_EQ(start[0], "--book");
    EXPECT_TRUE(fs::equivalent(start[1], Dir() / "run")) << start[1];
    EXPECT_EQ(start[2], c.page);
    EXPECT_EQ(start[3], "/t");
  }
}

TEST_F(ThesaurusLookupTest, ARunningThesaurusWindowGetsThePageOverTheBus) {
  Window running("Тезаурус", true, FileSystem(), folders_);
  Window shell("Книга", false, FileSystem(), folders_);
  TThesaurusLookup lookup = Lookup();
  lookup.HandOver = [&](const std::string& page) { return shell.messages->ShowInThesaurus(page); };
  EXPECT_EQ(lookup.LookUpThesaurus(W("Генератор")), TThesaurusLookup::TResult::HandedOver);
  EXPECT_EQ(running.loaded, std::vector<std::string>{"d:\\run\\t1.htm#gen"});
  EXPECT_TRUE(desktop_.starts.empty());

  // Once it is closed, the next lookup starts a new one.
  running.widget.hide();
  EXPECT_EQ(lookup.LookUpThesaurus(""), TThesaurusLookup::TResult::Started);
  EXPECT_EQ(desktop_.starts.size(), 1u);
}

}  // namespace
}  // namespace shelf::test
