#include "html/frame_viewer.h"

#include <QApplication>
#include <QTest>
#include <ctime>

#include "html/html_fixture.h"

namespace shelf::test {
namespace {

class FrameViewerTest : public HtmlTest {
 protected:
  void SetUp() override {
    HtmlTest::SetUp();
    // The first line of each page is its link, so a click at (5, 5) follows it.
    AddPages({
        {"set.htm",
         "<title>Набор</title><frameset cols='150,*'><frame name=left src=menu.htm>"
         "<frameset rows='30%,*'><frame name=top src=head.htm><frame name=main "
         "src=one.htm></frameset><noframes>без рамок</noframes></frameset>"},
        {"menu.htm", "<body style='margin:0'><a href=two.htm target=main>ВТОРАЯ ВТОРАЯ</a>"},
        {"head.htm", "<body style='margin:0'><a href=one.htm target=_top>НАВЕРХ НАВЕРХ</a>"},
        {"one.htm", "<title>Первая</title><body style='margin:0'><a href=two.htm>ДАЛЬШЕ</a>"},
        {"two.htm", "<title>Вторая</title><body style='margin:0'><a href=one.htm>НАЗАД</a>"},
    });
    viewer_ = std::make_unique<TFrameViewer>(Store());
    TViewerSettings settings;
    settings.fvOptions = fvNoBorder;
    viewer_->SetSettings(settings);
    viewer_->resize(600, 400);
    viewer_->show();
  }
  void Click(TDocumentView* view) {
    ASSERT_NE(view, nullptr);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, QPoint(5, 5));
    QApplication::processEvents();
  }
  std::unique_ptr<TFrameViewer> viewer_;
};

TEST_F(FrameViewerTest, LaysOutNestedFramesetsAndRoutesLinksToTheirTargets) {
  ASSERT_TRUE(viewer_->LoadFromFile(Dos("set.htm")));
  EXPECT_EQ(viewer_->DocumentTitle(), W("Набор"));
  TDocumentView* left = viewer_->ViewerOfFrame("LEFT");
  TDocumentView* main = viewer_->ViewerOfFrame("main");
  ASSERT_NE(left, nullptr);
  ASSERT_NE(main, nullptr);
  EXPECT_EQ(left->width(), 150);
  EXPECT_EQ(viewer_->ViewerOfFrame("top")->height(), (400 - 2) * 30 / 100);
  EXPECT_EQ(main->CurrentFile(), Dos("one.htm"));

  std::vector<std::string> covered;
  viewer_->OnHotSpotTargetCovered = [&](const std::string& target, const std::string& url) {
    covered.push_back(target + "|" + url);
  };
  QTest::mouseMove(left->viewport(), QPoint(5, 5));
  ASSERT_FALSE(covered.empty());
  EXPECT_EQ(covered.back(), "main|two.htm");

  std::vector<std::string> clicks;
  viewer_->OnHotSpotTargetClick = [&](const std::string& target, const std::string& url, bool&) {
    clicks.push_back(target + "|" + url);
  };
  Click(left);
  EXPECT_EQ(clicks, std::vector<std::string>{"main|two.htm"});
  EXPECT_EQ(viewer_->ViewerOfFrame("main")->CurrentFile(), Dos("two.htm"));
  EXPECT_EQ(viewer_->ViewerOfFrame("left")->CurrentFile(), Dos("menu.htm"));
  EXPECT_EQ(viewer_->CurrentFile(), Dos("two.htm"));
  EXPECT_EQ(viewer_->HistoryTitle(0), W("Вторая"));
  EXPECT_TRUE(viewer_->IsVisited(Dos("TWO.htm")));

  Click(viewer_->ViewerOfFrame("top"));  // target _top replaces the whole frameset
  EXPECT_EQ(viewer_->ViewerOfFrame("main"), nullptr);
  ASSERT_NE(viewer_->ActiveViewer(), nullptr);
  EXPECT_EQ(viewer_->ActiveViewer()->CurrentFile(), Dos("one.htm"));
  EXPECT_EQ(viewer_->HistoryCount(), 3);

  viewer_->GoBack();  // the frameset comes back with its frames as they were
  ASSERT_NE(viewer_->ViewerOfFrame("main"), nullptr);
  EXPECT_EQ(viewer_->ViewerOfFrame("main")->CurrentFile(), Dos("two.htm"));
  viewer_->SetHistoryIndex(2);
  EXPECT_EQ(viewer_->ViewerOfFrame("main")->CurrentFile(), Dos("one.htm"));
}

TEST_F(FrameViewerTest, AHandledClickIsNotFollowed) {
  ASSERT_TRUE(viewer_->LoadFromFile(Dos("one.htm")));
  viewer_->OnHotSpotTargetClick = [](const std::string&, const std::string&, bool& handled) {
    handled = true;
  };
  Click(viewer_->ActiveViewer());
  EXPECT_EQ(viewer_->CurrentFile(), Dos("one.htm"));
  EXPECT_EQ(viewer_->HistoryCount(), 1);
  viewer_->OnHotSpotTargetClick = nullptr;
  Click(viewer_->ActiveViewer());
  EXPECT_EQ(viewer_->CurrentFile(), Dos("two.htm"));
  EXPECT_EQ(viewer_->ExpandUrl("sub/x.htm#a"), Dos("sub\\x.htm#a"));
}

TEST_F(FrameViewerTest, HistoryKeepsTitlesNewestFirstUpToItsMaximum) {
  std::map<std::string, std::string> pages;
  for (int i = 0; i < 12; ++i)
    pages["p" + std::to_string(i) + ".htm"] =
        "<title>Страница " + std::to_string(i) + "</title><p>текст";
  AddPages(pages);
  int changes = 0;
  viewer_->OnHistoryChange = [&] { ++changes; };
  for (int i = 0; i < 12; ++i)
    ASSERT_TRUE(viewer_->LoadFromFile(Dos("p" + std::to_string(i) + ".htm")));
  EXPECT_EQ(changes, 12);
  ASSERT_EQ(viewer_->HistoryCount(), 10);
  EXPECT_EQ(viewer_->HistoryTitle(0), W("Страница 11"));
  EXPECT_EQ(viewer_->HistoryTitle(9), W("Страница 2"));
  EXPECT_FALSE(viewer_->CanGoForward());
  viewer_->GoBack();
  viewer_->GoBack();
  EXPECT_EQ(viewer_->HistoryIndex(), 2);
  EXPECT_EQ(viewer_->CurrentFile(), Dos("p9.htm"));
  EXPECT_TRUE(viewer_->CanGoForward());
  ASSERT_TRUE(viewer_->LoadFromFile(Dos("one.htm")));  // newer entries give way
  EXPECT_EQ(viewer_->HistoryIndex(), 0);
  EXPECT_EQ(viewer_->HistoryFile(1), Dos("p9.htm"));
  EXPECT_EQ(viewer_->HistoryCount(), 9);
  EXPECT_FALSE(viewer_->LoadFromFile(Dos("missing.htm")));
  EXPECT_EQ(viewer_->CurrentFile(), Dos("one.htm"));
}

TEST_F(FrameViewerTest, RecoloursVisitedLinks) {
  AddPages({{"c.htm",
             "<body link=#0000ff vlink=#ff0000 style='margin:0'>"
             "<font size=7><a href=two.htm>ССЫЛКА</a></font>"}});
  ASSERT_TRUE(viewer_->LoadFromFile(Dos("c.htm")));
  auto countRed = [&] {
    const QImage image = viewer_->grab().toImage();
    int red = 0;
    for (int y = 0; y < 60; ++y)
      for (int x = 0; x < 200; ++x)
        if (image.pixelColor(x, y) == QColor(255, 0, 0)) ++red;
    return red;
  };
  EXPECT_EQ(countRed(), 0);
  viewer_->AddVisited(Dos("two.htm"));
  viewer_->CheckVisitedLinks();
  EXPECT_GT(countRed(), 20);
  viewer_->SetVisitedMaxCount(0);
  EXPECT_FALSE(viewer_->IsVisited(Dos("two.htm")));
}

// Framesets whose frames load the page itself multiply at every level; the frames of one load
// are bounded in all, and sizes no frameset can have are taken as none.
TEST_F(FrameViewerTest, FramesOfOneLoadStayWithinTheLimit) {
  std::string many = "<frameset cols='" + std::string(9999, ',') + "'>";
  for (int i = 0; i < 10000; ++i) many += "<frame src=one.htm>";
  AddPages({{"self.htm",
             "<frameset cols='*,*,*,*,*'><frame src=self.htm><frame src=self.htm>"
             "<frame src=self.htm><frame src=self.htm><frame src=self.htm></frameset>"},
            {"many.htm", many},
            {"sizes.htm",
             "<frameset rows='1e300,inf,nan,-inf' cols='1e300*,inf%,nan*'>"
             "<frame src=one.htm><frame src=two.htm></frameset>"}});
  for (const char* page : {"self.htm", "many.htm", "sizes.htm"}) {
    const std::clock_t start = std::clock();  // processor time: a busy machine does not count
    ASSERT_TRUE(viewer_->LoadFromFile(Dos(page))) << page;
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_LE(viewer_->findChildren<TDocumentView*>().size(), 100) << page;
    EXPECT_LT(double(std::clock() - start) / CLOCKS_PER_SEC, 20.0) << page;
  }
  EXPECT_LT(PeakResidentBytes(), kHostileInputMemory);
}

}  // namespace
}  // namespace shelf::test
