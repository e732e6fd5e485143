#include "search/contents_trees.h"

#include <gtest/gtest.h>

#include <QSplitter>
#include <QTest>

#include "book/book_session.h"
#include "html/frame_viewer.h"
#include "reading_book.h"
#include "search/contents_host.h"
#include "shell/main_form.h"
#include "widgets/panel_bkgrd.h"

namespace shelf {
namespace {

class ContentsTreesTest : public test::IsolatedTest {
 protected:
  void SetUp() override {
    IsolatedTest::SetUp();
    std::string error;
    session = OpenBookSession(test::MakeReadingBook(Dir()), error);
    ASSERT_TRUE(session) << error;
    form = std::make_unique<TMainForm>(*session);
    ASSERT_EQ(form->BuildBookShell(), std::nullopt);
    ASSERT_NE(form->ContentsTrees(), nullptr);
    Run("2");
    tree = form->ContentsTrees()->ActiveTree();
    viewer = form->PageAreas()->CurrentScreenViewer();
  }
  void TearDown() override {
    form.reset();
    session.reset();
    IsolatedTest::TearDown();
  }
  void Run(const std::string& command, int button = 0) {
    form->Dispatcher().ExecuteCommand(command, "", true, TElementKind::Button, button);
  }
  std::string Shown() const {
    const std::string& file = viewer->CurrentFile();
    return file.substr(file.find_last_of('\\') + 1);
  }
  std::string Hint(int button) const { return form->Description().Screens[1].Buttons[button].Hint; }
  void ClickLink() {
    TDocumentView* page = viewer->ActiveViewer();
    for (int y = 0; y < 100; y += 2)
      for (int x = 0; x < 300; x += 2)
        if (!page->ObjectAt({x, y}).Url.empty()) {
          const int before = viewer->HistoryCount();
          QTest::mouseClick(page->viewport(), Qt::LeftButton, {}, {x, y});
          ASSERT_TRUE(QTest::qWaitFor([&] { return viewer->HistoryCount() > before; }, 2000));
          return;
        }
    FAIL() << "no link on " << Shown();
  }

  std::unique_ptr<TBookSession> session;
  std::unique_ptr<TMainForm> form;
  TTreeViews* tree = nullptr;
  TFrameViewer* viewer = nullptr;
};

TEST_F(ContentsTreesTest, OneRecordMakesTheSecondTreeBesideThePage) {
  EXPECT_EQ(form->ContentsTrees()->First(), nullptr);
  ASSERT_EQ(tree, form->ContentsTrees()->Second());
  ASSERT_EQ(tree->Items().size(), 5u);
  EXPECT_EQ(tree->ItemAt(2)->parent(), tree->ItemAt(1));
  EXPECT_TRUE(tree->isVisible());
  EXPECT_EQ(form->BackgroundPanel()->Splitter()->indexOf(tree), 0);
  EXPECT_EQ(tree->width(), 233 - 33 + 1);
  EXPECT_EQ(tree->SelectedIndex(), 0);  // the start page is the first chapter

  Run("1");
  EXPECT_FALSE(tree->isVisible());
  EXPECT_TRUE(tree->HiddenByScreen);
}

TEST_F(ContentsTreesTest, TheTreeFollowsLinksAndHistoryAndOpensWhatIsChosen) {
  ClickLink();
  EXPECT_EQ(Shown(), "d.htm");
  EXPECT_EQ(tree->SelectedIndex(), 1);  // the first item of the page, not its section
  ClickLink();
  EXPECT_EQ(tree->SelectedIndex(), 3);
  EXPECT_TRUE(tree->ItemAt(1)->isExpanded());  // the parents of the chapter open
  Run("back", 2);
  EXPECT_EQ(Shown(), "d.htm");
  EXPECT_EQ(tree->SelectedIndex(), 1);

  const QRect last = tree->visualItemRect(tree->ItemAt(4));
  QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, last.center());
  EXPECT_EQ(Shown(), "b.htm");
  EXPECT_EQ(viewer->HistoryIndex(), 0);
  EXPECT_EQ(tree->SelectedIndex(), 4);
}

TEST_F(ContentsTreesTest, ChapterStepsSkipTheSamePageAndHintsNameTheNeighbours) {
  EXPECT_EQ(Hint(0), *Utf8ToCp1251("Глава Д"));
  EXPECT_EQ(Hint(1), *Utf8ToCp1251("Первый раздел"));
  Run("nextchapter");
  EXPECT_EQ(Shown(), "d.htm");
  Run("nextchapter");  // "Раздел Д1" shows the same page: skipped
  EXPECT_EQ(Shown(), "e.htm");
  EXPECT_EQ(tree->SelectedIndex(), 3);
  EXPECT_EQ(Hint(0), *Utf8ToCp1251("Последняя"));
  EXPECT_EQ(Hint(1), *Utf8ToCp1251("Глава Д : Раздел Д1"));
  Run("nextchapter");
  Run("nextchapter");  // there is no further chapter: the selection stays
  EXPECT_EQ(Shown(), "b.htm");
  EXPECT_EQ(Hint(0), *Utf8ToCp1251("Последний раздел"));
  Run("prevchapter");
  EXPECT_EQ(Shown(), "e.htm");
  // The hints reach the buttons' tooltips.
  EXPECT_EQ(form->Description().Screens[1].Buttons[1].Hint, *Utf8ToCp1251("Глава Д : Раздел Д1"));
}

TEST_F(ContentsTreesTest, CaptionSearchSectionPagesAndSwitchingTheTreeOff) {
  Run("nextchapter");
  Run("nextchapter");
  ASSERT_EQ(tree->SelectedIndex(), 3);  // "Раздел Е"
  // On from the focused item, round past the end: "Раздел Д1", whose page is d.htm.
  EXPECT_TRUE(tree->FindCaption(*Utf8ToCp1251("РАЗДЕЛ")));
  EXPECT_EQ(Shown(), "d.htm");
  EXPECT_EQ(tree->SelectedIndex(), 1);  // the tree follows the page to its first item
  EXPECT_TRUE(tree->FindCaption(*Utf8ToCp1251("начало")));
  EXPECT_EQ(Shown(), "a.htm");
  EXPECT_FALSE(tree->FindCaption(*Utf8ToCp1251("рама")));

  const int pageWidth = viewer->width();
  Run("offtree");
  EXPECT_FALSE(tree->isVisible());
  EXPECT_TRUE(tree->TreeOff());
  QCoreApplication::processEvents();
  EXPECT_GT(viewer->width(), pageWidth);
  EXPECT_TRUE(viewer->isVisible());
  Run("ontree");
  EXPECT_TRUE(tree->isVisible());
  EXPECT_FALSE(tree->TreeOff());

  // "screen2=" with a page: the tree opens that chapter when the reading screen shows.
  Run("1");
  Run("screen2=b.htm");
  EXPECT_EQ(Shown(), "b.htm");
  EXPECT_EQ(tree->SelectedIndex(), 4);
}

class NoWindow : public TContentsHost {
 public:
  int CurrentScreen() const override { return 0; }
  TPanelBkgrd* BackgroundPanel() const override { return nullptr; }
  THtmlFrame* PageAreas() const override { return nullptr; }
  void SetChapterHints(const std::string&, const std::string&) override {}
  void ClosePopups() override {}
  void PointerLeftElements() override {}
};

TEST_F(ContentsTreesTest, TwoRecordsMakeTheFirstTreeFromTheSecondRecord) {
  test::WriteTree(Dir() / "book/run", {{"other.txt", "x.htm;X\r\ny.htm;Y\r\n"}});
  NoWindow host;
  const RTree one{233, 511, 0, 0, "contents.txt", 1}, two{233, 511, 0, 0, "other.txt", 1},
      missing{233, 511, 0, 0, "none.txt", 1};
  const auto trees = CreateContentsTrees(host, {one, two}, session->Store, session->Folders);
  ASSERT_NE(trees, nullptr);
  EXPECT_EQ(trees->Second(), nullptr);
  ASSERT_NE(trees->First(), nullptr);
  EXPECT_EQ(trees->First()->Items().size(), 2u);
  EXPECT_EQ(trees->ActiveTree(), trees->First());
  EXPECT_EQ(CreateContentsTrees(host, {}, session->Store, session->Folders), nullptr);
  // A contents file the book lacks gives an empty tree whose operations do nothing.
  const auto empty = CreateContentsTrees(host, {missing}, session->Store, session->Folders);
  ASSERT_NE(empty, nullptr);
  EXPECT_TRUE(empty->Second()->Items().empty());
  empty->NextChapter();
  empty->SyncTreeWithPage();
  EXPECT_FALSE(empty->Second()->FindCaption("x"));
}

}  // namespace
}  // namespace shelf
