#include "search/find_txt_html.h"

#include <gtest/gtest.h>
#include <QLineEdit>
#include <QTest>
#include <QTimer>

#include "html/document_view.h"
#include "html/frame_viewer.h"
#include "html/html_fixture.h"
#include "search/find_host.h"
#include "store/book_folders.h"
#include "test_support.h"

namespace shelf::test {
namespace {

class FindTxtHtmlTest : public HtmlTest, public TFindHost {
 protected:
  void SetUp() override {
    HtmlTest::SetUp();
    folders.ProgramDir = "d:\\run\\";
    folders.BookRoot = "d:\\";
    AddPages({{"run/a.htm", "<p>тормоз и ещё тормоз</p>"},
              {"run/b.htm", "<p>ничего</p>"},
              {"run/C.htm", "<p>Тормоз на третьей</p>"},
              {"run/d.htm", "<p>тормоз, но без строки в индексе</p>"}});
    AddFiles({{"run/keywords.idx", "x\r\n"},
              {"run/index.idx", "1\r\n"},
              {"run/files.idx", W("a.htm#:#Первая\r\nc.htm#:#Третья")}});
    window.resize(800, 600);
    viewer = new TFrameViewer(Store(), &window);
    viewer->resize(600, 400);
    window.show();
    ASSERT_TRUE(viewer->LoadFromFile("d:\\run\\a.htm"));
    RFindTxt first{10, 10, 200, 30, "", {}, 1, 0, "h"}, second = first;
    second.Number = 2;
    finder = std::make_unique<TFindTxtHtml>(*this, Store(), FileSystem(), folders,
                                            TDynamicFindTxtArray{first, second});
  }
  void TearDown() override {
    finder.reset();
    HtmlTest::TearDown();
  }
  std::string Find(const std::string& utf8, int box = 1) {
    finder->Box(box - 1)->setText(QString::fromStdString(utf8));
    status.clear();
    finder->FindNext(box);
    return Cp1251ToUtf8(viewer->ActiveViewer()->SelectedText());
  }
  std::string Shown() const { return viewer->CurrentFile(); }

  // TFindHost
  bool Busy() const override { return busy; }
  void SetBusy(bool value) override { busy = value; }
  int CurrentScreen() const override { return 0; }
  bool ThesaurusWindow() const override { return false; }
  bool MatchCase() const override { return false; }
  void ShowStatus(const std::string& text) override { status = Cp1251ToUtf8(text); }
  void ShowMessage(const std::string& text) override { messages.push_back(Cp1251ToUtf8(text)); }
  TFrameViewer* CurrentViewer() const override { return viewer; }
  void OpenFoundFile(const std::string& file) override { viewer->LoadFromFile(file); }
  bool FindCaption(const std::string&) override { return false; }
  TFindDialog* SearchDialog() const override { return nullptr; }
  TScaleBar* SearchScale() const override { return nullptr; }
  QWidget& Window() override { return window; }

  TBookFolders folders;
  QWidget window;
  TFrameViewer* viewer = nullptr;
  std::unique_ptr<TFindTxtHtml> finder;
  bool busy = false;
  std::string status;
  std::vector<std::string> messages;
};

TEST_F(FindTxtHtmlTest, TheLimitedSearchCyclesThroughThePageAndCleansTheText) {
  EXPECT_EQ(Find("  тормоз   "), "тормоз");
  EXPECT_EQ(finder->Box(0)->text().toStdString(), "тормоз");
  const int first = viewer->ActiveViewer()->Caret();
  finder->FindNext(1);
  EXPECT_GT(viewer->ActiveViewer()->Caret(), first);
  finder->FindNext(1);
  EXPECT_EQ(viewer->ActiveViewer()->Caret(), first);  // back to the top of the same page
  EXPECT_EQ(Shown(), "d:\\run\\a.htm");
  EXPECT_EQ(Find("  и   ещё "), "и ещё");
  Find("колесо");
  EXPECT_EQ(status, "Текст не найден");
  Find("   ");
  EXPECT_EQ(status, "Введите слово для поиска");
}

TEST_F(FindTxtHtmlTest, TheWalkGoesOnThroughTheFolderAndNeverBackToTheStartPage) {
  finder->SetScope(true);
  Find("тормоз");
  finder->FindNext(1);
  EXPECT_EQ(Shown(), "d:\\run\\a.htm");
  finder->FindNext(1);  // the page is used up: the next page that has it, in name order
  EXPECT_EQ(Shown(), "d:\\run\\C.htm");
  finder->FindNext(1);
  EXPECT_EQ(Shown(), "d:\\run\\d.htm");
  status.clear();
  finder->FindNext(1);
  EXPECT_EQ(Shown(), "d:\\run\\d.htm");
  EXPECT_EQ(status, "Текст не найден");
  EXPECT_EQ(finder->PageCursor(), -1);
  // A new text starts again from the page on show.
  Find("ничего");
  EXPECT_EQ(Shown(), "d:\\run\\b.htm");
}

TEST_F(FindTxtHtmlTest, EnterSearchesOnlyFromTheFirstBox) {
  window.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
  for (QLineEdit* box : {finder->Box(0), finder->Box(1)}) {
    box->show();
    box->setText(QString::fromUtf8("тормоз"));
  }
  QTest::mouseClick(finder->Box(1), Qt::LeftButton, {}, QPoint(5, 5));
  ASSERT_EQ(Keyboard(), finder->Box(1));
  QTest::keyClick(Keyboard(), Qt::Key_Return);
  EXPECT_TRUE(viewer->ActiveViewer()->SelectedText().empty());
  QTest::mouseClick(finder->Box(0), Qt::LeftButton, {}, QPoint(5, 5));
  ASSERT_EQ(Keyboard(), finder->Box(0));
  QTest::keyClick(Keyboard(), Qt::Key_Return);
  EXPECT_EQ(Cp1251ToUtf8(viewer->ActiveViewer()->SelectedText()), "тормоз");
}

// A found page opened from the result list stays the page on show, however often the reader
// asks for the word there: the page list of the scan before is no walk.
TEST_F(FindTxtHtmlTest, AFoundPageKeepsItsPlaceAfterAScanOfAllPages) {
  finder->SetIndexMode();
  Find("тормоз");  // not in the index: the pages are scanned
  ASSERT_EQ(finder->ResultFiles().size(), 2u);
  viewer->LoadFromFile("d:\\run\\C.htm");  // one place on this page
  for (int click = 0; click < 4; ++click) {
    finder->FindInPage(1);
    EXPECT_EQ(Shown(), "d:\\run\\C.htm") << click;
    EXPECT_EQ(Cp1251ToUtf8(viewer->ActiveViewer()->SelectedText()), "Тормоз") << click;
  }
}

TEST_F(FindTxtHtmlTest, AWordTheIndexDoesNotKnowIsScannedForListedPagesOnly) {
  finder->SetIndexMode();
  Find("тормоз");
  EXPECT_EQ(finder->ResultFiles(), (TDynamicStringArray{"d:\\run\\a.htm", "d:\\run\\C.htm"}));
  EXPECT_EQ(finder->ResultTitles(), (TDynamicStringArray{W("Первая"), W("Третья")}));
  finder->SetIndexMode();
  Find("ничего");  // b.htm is not in files.idx
  EXPECT_TRUE(finder->ResultFiles().empty());
  EXPECT_EQ(status, "Текст не найден");
}

TEST_F(FindTxtHtmlTest, TheStopFlagEndsTheScanBeforeTheNextPage) {
  finder->SetIndexMode();
  finder->Box(0)->setText("тормоз");
  QTimer::singleShot(0, [this] { finder->SetSearching(true); });  // the find button, pressed
  finder->FindNext(1);
  EXPECT_TRUE(finder->ResultFiles().empty());
  EXPECT_TRUE(finder->SearchStopped());
}

}  // namespace
}  // namespace shelf::test
