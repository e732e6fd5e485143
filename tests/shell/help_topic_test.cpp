#include "shell/help_topic.h"

#include <gtest/gtest.h>

#include "chm_fixture.h"
#include "html/html_fixture.h"
#include "platform/shell_open.h"
#include "shell/recording_desktop.h"
#include "store/book_folders.h"

namespace shelf::test {
namespace {
namespace fs = std::filesystem;

class HelpTopicTest : public HtmlTest {
 protected:
  void SetUp() override {
    HtmlTest::SetUp();
    folders_.ProgramDir = "d:\\run\\";
    folders_.TempDir = "d:\\temp\\";
    fs::create_directories(Dir() / "temp");
    AddFiles({{"run/help.htm", "<a name=\"Topic12\">"},
              {"run/help.chm",
               ChmFile({{"/index.htm", "<p>index"}, {"/topic13.htm", "<p>13"}}, "index.htm")},
              {"run/help.doc", "document"}});
  }
  THelpTopic::TResult Show(const std::string& file, const std::string& topic) {
    THelpTopic help(Store(), FileSystem(), folders_, desktop_);
    help.HandOver = handOver_;
    const THelpTopic::TResult result = help.ShowHelpTopic(file, topic);
    page_ = help.Page();
    return result;
  }
  // The page the last help window was started on, after "--book" and the folder, before "/h".
  std::string StartedPage() const {
    if (desktop_.starts.empty() || desktop_.starts.back().size() != 4) return "?";
    EXPECT_EQ(desktop_.starts.back()[3], "/h");
    return desktop_.starts.back()[2];
  }
  TBookFolders folders_;
  RecordingDesktop desktop_;
  std::function<bool(const std::string&)> handOver_;
  std::string page_;
};

TEST_F(HelpTopicTest, HtmlAndCompiledHelpOpenInTheHelpWindowAtTheTopic) {
  using R = THelpTopic::TResult;
  EXPECT_EQ(Show("d:\\run\\help.htm", "Topic12"), R::Started);
  EXPECT_EQ(StartedPage(), "d:\\run\\help.htm#Topic12");

  EXPECT_EQ(Show("d:\\run\\help.chm", "Topic13"), R::Started);
  EXPECT_EQ(StartedPage(), "d:\\temp\\help\\help\\topic13.htm");
  EXPECT_EQ(ReadFile(Dir() / "temp/help/help/topic13.htm"), "<p>13");
  EXPECT_EQ(Show("d:\\run\\help.chm", "Topic18"), R::Started);  // no such page: the default one
  EXPECT_EQ(StartedPage(), "d:\\temp\\help\\help\\index.htm");

  // A help window that runs already takes the page.
  handOver_ = [](const std::string&) { return true; };
  const std::size_t starts = desktop_.starts.size();
  EXPECT_EQ(Show("d:\\run\\help.htm", "Topic13"), R::HandedOver);
  EXPECT_EQ(page_, "d:\\run\\help.htm#Topic13");
  EXPECT_EQ(desktop_.starts.size(), starts);
}

// The container holds the help file: it is written out where libchm can read it.
TEST_F(HelpTopicTest, CompiledHelpInTheContainerOpensAtTheTopic) {
  PackBook({"",
            true,
            {},
            {{"RUN",
              true,
              {},
              {{"MANUAL.CHM",
                false,
                ChmFile({{"/index.htm", "<p>index"}, {"/topic12.htm", "<p>12"}}, "index.htm"),
                {}}}}}});
  EXPECT_EQ(Show("d:\\run\\manual.chm", "Topic12"), THelpTopic::TResult::Started);
  EXPECT_EQ(StartedPage(), "d:\\temp\\help\\manual\\topic12.htm");
  EXPECT_EQ(ReadFile(Dir() / "temp/help/manual/topic12.htm"), "<p>12");
}

TEST_F(HelpTopicTest, OtherFormatsGoToTheDesktopWhenSomethingCanShowThem) {
  using R = THelpTopic::TResult;
  EXPECT_EQ(Show("d:\\run\\help.doc", "Topic12"), R::NothingShowsIt);
  EXPECT_TRUE(desktop_.opened.empty());
  desktop_.hasHandler = true;
  EXPECT_EQ(Show("d:\\run\\help.doc", "Topic12"), R::Desktop);
  EXPECT_EQ(desktop_.opened, std::vector<fs::path>{Dir() / "run/help.doc"});
  EXPECT_EQ(Show("", "Topic12"), R::NoHelpFile);
  EXPECT_EQ(Show("d:\\run\\missing.htm", "Topic12"), R::NoHelpFile);
  EXPECT_TRUE(desktop_.starts.empty());
}

}  // namespace
}  // namespace shelf::test
