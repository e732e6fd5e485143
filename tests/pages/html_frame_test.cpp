#include "pages/html_frame.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QTest>

#include "book/book_session.h"
#include "html/frame_viewer.h"
#include "platform/cp1251.h"
#include "platform/registry.h"
#include "store/packed_container_writer.h"
#include "test_support.h"
#include "widgets/path_input_box.h"
#include "widgets/status_line.h"
#include "widgets/text_msg.h"

#include <QPainter>

namespace shelf {
namespace {
namespace fs = std::filesystem;

std::string Page(const std::string& title, const std::string& body) {
  return *Utf8ToCp1251("<html><head><title>" + title + "</title></head><body>" + body +
                       "</body></html>");
}

bool SameText(const std::string& a, const std::string& b) {
  return Cp1251LowerString(a) == Cp1251LowerString(b);
}

bool EndsWith(const std::string& file, const std::string& name) {
  const std::string lower = Cp1251LowerString(file);
  return lower.size() >= name.size() &&
         lower.compare(lower.size() - name.size(), name.size(), name) == 0;
}

// A window with page areas: area 1 on screen 4, area 2 on screen 1, area 3 on screen 4 again.
class HtmlFrameTest : public test::IsolatedTest, public THtmlFrameHost {
 protected:
  void SetUp() override {
    IsolatedTest::SetUp();
    QImage picture(60, 40, QImage::Format_RGB888);
    picture.fill(Qt::red);
    test::WriteTree(Dir() / "book/run",
                    {{"a.htm", Page("Первая",
                                    "<p>Текст <a href=\"b.htm\">дальше</a></p>"
                                    "<img src=\"p.png\" title=\"Схема\" width=60 height=40>")},
                     {"b.htm", Page("Вторая", "<p>Второй лист</p>")},
                     {"c.htm", Page("Третья", "<p>Третий</p>")}});
    picture.save(QString::fromStdString((Dir() / "book/run/p.png").string()));
    std::string error;
    session = OpenBookSession(Dir() / "book", error);
    ASSERT_TRUE(session) << error;
    window.resize(800, 600);
    window.show();
    labels = CreateTextMsg({{10, 10, 300, "arial", 10, "", 0, "", 1, 0, ""}}, nullptr);
  }
  void TearDown() override {
    frame.reset();
    boxes.reset();
    session.reset();
    IsolatedTest::TearDown();
  }
  void Build() {
    const std::string run = session->Folders.ProgramDir;
    TDynamicHTMLArray areas = {{0, 0, 300, 200, run + "a.htm", 1, 3},
                               {10, 10, 310, 210, run + "b.htm", 2, 0},
                               {0, 0, 300, 200, run + "c.htm", 3, 3}};
    frame = CreateHtmlFrame(*this, session->Store, session->FileSystem, session->Folders, areas,
                            "SOFTWARE\\Brevandor\\Test");
  }
  // One path box on screen 0 whose text is `folder` (a host folder).
  void MakeBox(const std::string& folder) {
    boxes = std::make_unique<TPathInputBox>(
        window, TDynamicPathInputArray{{0, 0, 100, 20, folder, 0, ""}}, "SOFTWARE\\Brevandor\\Test",
        0, THostFolderNames(session->FileSystem, session->Folders.CdRoot));
  }
  void SwitchTo(int screen) {
    screen_ = screen;
    frame->ShowScreenPage();
  }

  int CurrentScreen() const override { return screen_; }
  QWidget& Window() override { return window; }
  TPanelBkgrd* BackgroundPanel() const override { return nullptr; }
  TTextMsg* TextMessages() const override { return labels.get(); }
  TStatusLine* StatusLine() const override { return status.get(); }
  TPathInputBox* PathInputs() const override { return boxes.get(); }
  void PointerLeftElements() override { ++pointerLeft; }

  std::unique_ptr<TBookSession> session;
  QWidget window;
  std::unique_ptr<TTextMsg> labels;
  std::unique_ptr<TStatusLine> status;
  std::unique_ptr<TPathInputBox> boxes;
  std::unique_ptr<THtmlFrame> frame;
  int screen_ = 0;
  int pointerLeft = 0;
};

TEST_F(HtmlFrameTest, AreasOfOneScreenShareAViewerAndOtherScreensPreload) {
  Build();
  ASSERT_EQ(frame->ViewerCount(), 2);
  TFrameViewer* first = frame->CurrentScreenViewer();  // screen 1: area 2
  ASSERT_NE(first, nullptr);
  EXPECT_TRUE(first->isVisible());
  EXPECT_EQ(first->geometry(), QRect(10, 10, 300, 200));
  EXPECT_EQ(labels->Text(0), *Utf8ToCp1251("Вторая  "));  // the page title on label 1

  // Area 3 lies on screen 4: its page is loaded out of sight.
  frame->ShowPage(3, session->Folders.ProgramDir + "c.htm");
  EXPECT_TRUE(first->isVisible());
  SwitchTo(3);
  TFrameViewer* fourth = frame->CurrentScreenViewer();
  ASSERT_NE(fourth, first);
  EXPECT_TRUE(fourth->isVisible());
  EXPECT_FALSE(first->isVisible());
  EXPECT_EQ(fourth->HistoryCount(), 1);  // c.htm was ready; the start page was not needed
  EXPECT_TRUE(EndsWith(fourth->CurrentFile(), "c.htm"));
  frame->ShowPage(1, "");  // area 1 shares that viewer: its start page
  EXPECT_TRUE(EndsWith(fourth->CurrentFile(), "a.htm"));
  EXPECT_EQ(labels->Text(0), *Utf8ToCp1251("Первая  "));

  SwitchTo(3);  // the same screen again keeps the page on show
  EXPECT_TRUE(fourth->isVisible());
  SwitchTo(2);  // a screen without page areas shows none
  EXPECT_FALSE(fourth->isVisible());
  EXPECT_FALSE(first->isVisible());
}

TEST_F(HtmlFrameTest, PageFontSettingsHaveDefaultsAndAreWrittenBack) {
  Build();
  EXPECT_EQ(frame->FontSettings().FontName, "Arial");
  EXPECT_EQ(frame->FontSettings().FontSize, 8);
  EXPECT_EQ(frame->FontSettings().FontColor, 0u);
  EXPECT_EQ(frame->FontSettings().HotSpotColor, 0x003366u);
  EXPECT_EQ(frame->FontSettings().Background, 0xFFFFFFu);
  const TViewerSettings& s = frame->CurrentScreenViewer()->Settings();
  EXPECT_EQ(s.DefOverLinkColor, 0x0000FFu);
  EXPECT_TRUE(s.Has(fvNoBorder) && s.Has(fvOverLinksActive));
  EXPECT_EQ(frame->CurrentScreenViewer()->HistoryMaxCount(), 10);
  frame.reset();

  TRegistry key;
  ASSERT_TRUE(key.OpenKey("SOFTWARE\\Brevandor\\Test", false));
  EXPECT_EQ(key.ReadString("FontName"), "Arial");
  EXPECT_EQ(key.ReadInteger("HotSpotColor"), 0x003366);
  key.WriteInteger("FontSize", 14);
  key.WriteString("FontName", "");  // an empty name means the default
  key.CloseKey();
  Build();
  EXPECT_EQ(frame->FontSettings().FontSize, 14);
  EXPECT_EQ(frame->FontSettings().FontName, "Arial");
}

TEST_F(HtmlFrameTest, LinkStatusTexts) {
  Build();
  const std::string run = session->Folders.ProgramDir;
  struct Case {
    const char* target;
    const char* url;
    std::string text;
  } cases[] = {
      {"", "#top", run + "b.htm#top"},
      {"", "c.htm", run + "c.htm"},
      {"main", "c.htm", "Url: " + run + "c.htm  Target: main"},
      {"", "http://example.org/", "http://example.org/"},
      {"", "copy:c.htm", run + "c.htm"},  // without a path box: just the file
      {"", "", ""},
  };
  for (const auto& c : cases)
    EXPECT_TRUE(SameText(frame->LinkStatusText(c.target, c.url), c.text)) << c.url;
  frame->SetArchiveMode(true);
  EXPECT_EQ(frame->LinkStatusText("", "c.htm"), "");
}

TEST_F(HtmlFrameTest, CopyingAPageTakesItsCompanionFolderAlong) {
  test::WriteTree(Dir() / "book/run", {{"d.htm", Page("Четвёртая", "<p>Схемы")},
                                       {"d.files/scheme.gif", "GIF89a"},
                                       {"d.files/Подробно/note.txt", "note"}});
  const fs::path out = Dir() / "out";
  MakeBox(out.string() + "/");
  status = std::make_unique<TStatusLine>(labels.get());
  Build();
  frame->OpenLinkedPage(session->Folders.ProgramDir + "d.htm");
  frame->CopyPageFiles();
  EXPECT_EQ(test::ReadFile(out / "d.htm"), Page("Четвёртая", "<p>Схемы"));
  EXPECT_EQ(test::ReadFile(out / "d.files/scheme.gif"), "GIF89a");
  EXPECT_EQ(test::ReadFile(out / "d.files/Подробно/note.txt"), "note");
  EXPECT_EQ(status->Message(), *Utf8ToCp1251("Файл скопирован"));
}

// A copy that writes nothing says so; a box that names no folder asks for one.
TEST_F(HtmlFrameTest, AFailedCopyIsReported) {
  test::WriteTree(Dir(), {{"blocked", "a file where the folder should be"}});
  status = std::make_unique<TStatusLine>(labels.get());
  const struct {
    std::string box;
    const char* message;
  } cases[] = {{(Dir() / "blocked/sub/").string(), "Не удалось скопировать файл"},
               {"relative/folder", "Укажите полный путь к папке"}};
  MakeBox("");
  Build();
  frame->OpenLinkedPage(session->Folders.ProgramDir + "b.htm");
  for (const auto& c : cases) {
    boxes->Edit(0)->setText(QString::fromStdString(c.box));
    frame->CopyPageFiles();
    EXPECT_EQ(status->Message(), *Utf8ToCp1251(c.message)) << c.box;
  }
  EXPECT_FALSE(fs::exists(Dir() / "relative"));
}

TEST_F(HtmlFrameTest, CompanionFilesThatOnlyTheContainerHoldsAreCopiedToo) {
  RPackedNode files{"E.FILES", true, {}, {{"PIC.GIF", false, "GIF89a", {}}}};
  RPackedNode run{"RUN", true, {}, {{"E.HTM", false, Page("Пятая", "<p>x"), {}}, files}};
  std::string bytes, error;
  ASSERT_TRUE(WritePackedContainer({"", true, {}, {run}}, {}, bytes, error)) << error;
  test::WriteTree(Dir() / "book/run", {{"interface.dat", bytes}});
  session = OpenBookSession(Dir() / "book", error);
  ASSERT_TRUE(session) << error;
  const fs::path out = Dir() / "out";
  test::WriteTree(out, {{"e.files/pic.gif", "an older copy"}});
  MakeBox(out.string());
  Build();
  frame->OpenLinkedPage(session->Folders.ProgramDir + "e.htm");
  frame->CopyPageFiles();
  EXPECT_EQ(test::ReadFile(out / "e.htm"), Page("Пятая", "<p>x"));
  EXPECT_EQ(test::ReadFile(out / "e.files/pic.gif"), "GIF89a");
}

TEST_F(HtmlFrameTest, PrintedPagesCarryTheirNumberAtTheTopRight) {
  Build();
  QImage page(600, 100, QImage::Format_RGB888);
  page.fill(Qt::white);
  QPainter canvas(&page);
  frame->DrawPrintHeader(canvas, 7, 600);
  canvas.end();
  QRect inked;
  for (int y = 0; y < page.height(); ++y)
    for (int x = 0; x < page.width(); ++x)
      if (page.pixelColor(x, y).lightness() < 128) inked |= QRect(x, y, 1, 1);
  ASSERT_FALSE(inked.isEmpty());
  EXPECT_LE(inked.right(), 550);
  EXPECT_GT(inked.left(), 450);
  EXPECT_GE(inked.top(), 40);
  EXPECT_LT(inked.bottom(), THtmlFrame::PageNumberBand());  // the content starts below
}

TEST_F(HtmlFrameTest, APictureHintAppearsAtTheSecondTickAndGoesAfterTheTwentieth) {
  Build();
  SwitchTo(3);
  TDocumentView* view = frame->CurrentScreenViewer()->ActiveViewer();
  ASSERT_NE(view, nullptr);
  QPoint over;  // find the picture on the page
  for (int y = 0; y < 200 && over.isNull(); y += 4)
    for (int x = 0; x < 300 && over.isNull(); x += 4)
      if (view->ObjectAt({x, y}).IsPicture()) over = {x + 2, y + 2};
  ASSERT_FALSE(over.isNull());
  QCursor::setPos(view->mapToGlobal(over));
  QTest::mouseMove(view, over);
  EXPECT_GT(pointerLeft, 0);  // moves over a page end the window's highlights

  frame->HintTick();
  EXPECT_FALSE(frame->HintShown());
  frame->HintTick();
  EXPECT_TRUE(frame->HintShown());
  for (int tick = 3; tick <= 20; ++tick) frame->HintTick();
  EXPECT_TRUE(frame->HintShown());
  frame->HintTick();
  EXPECT_FALSE(frame->HintShown());
}

// Text is no object for the hints: leaving the picture onto text ends the hint at the next
// tick, and coming back hints the picture again.
TEST_F(HtmlFrameTest, APictureHintEndsOverTextAndComesBack) {
  Build();
  SwitchTo(3);
  TDocumentView* view = frame->CurrentScreenViewer()->ActiveViewer();
  QPoint picture, text;
  for (int y = 0; y < 200; y += 2)
    for (int x = 0; x < 300; x += 2) {
      const TPageObject object = view->ObjectAt({x, y});
      if (object.IsPicture() && picture.isNull()) picture = {x + 2, y + 2};
      if (object.Kind == TPageObject::Text && text.isNull()) text = {x, y};
    }
  ASSERT_FALSE(picture.isNull());
  ASSERT_FALSE(text.isNull());
  const auto moveTo = [&](QPoint at) {
    QCursor::setPos(view->mapToGlobal(at));
    QTest::mouseMove(view, at);
  };
  for (int round = 0; round < 2; ++round) {
    moveTo(picture);
    frame->HintTick();
    frame->HintTick();
    EXPECT_TRUE(frame->HintShown()) << "round " << round;
    moveTo(text);
    frame->HintTick();
    EXPECT_FALSE(frame->HintShown()) << "round " << round;
  }
}

// A menu opened over the page takes the hint away: the press that opens it ends the hint at
// once, and while the menu covers the pointer no hint comes back over its items.
TEST_F(HtmlFrameTest, APictureHintGivesWayToAMenuOverThePage) {
  Build();
  SwitchTo(3);
  TDocumentView* view = frame->CurrentScreenViewer()->ActiveViewer();
  QPoint over;
  for (int y = 0; y < 200 && over.isNull(); y += 4)
    for (int x = 0; x < 300 && over.isNull(); x += 4)
      if (view->ObjectAt({x, y}).IsPicture()) over = {x + 2, y + 2};
  ASSERT_FALSE(over.isNull());
  const QPoint global = view->mapToGlobal(over);
  QCursor::setPos(global);
  QTest::mouseMove(view, over);
  frame->HintTick();
  frame->HintTick();
  ASSERT_TRUE(frame->HintShown());
  QWidget* page = view->viewport();
  QTest::mousePress(page, Qt::RightButton, {}, page->mapFrom(view, over));
  EXPECT_FALSE(frame->HintShown()) << "the press ends it";
  QTest::mouseRelease(page, Qt::RightButton, {}, page->mapFrom(view, over));

  QWidget menu(nullptr, Qt::ToolTip | Qt::FramelessWindowHint);
  menu.setGeometry(QRect(global - QPoint(4, 4), QSize(120, 80)));
  menu.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&menu));
  for (int tick = 0; tick < 4; ++tick) frame->HintTick();
  EXPECT_FALSE(frame->HintShown()) << "no hint over the menu";
  menu.hide();
  frame->HintTick();
  frame->HintTick();
  EXPECT_TRUE(frame->HintShown()) << "the page's own hint comes back";
}

// Ctrl+C copies from the frame that has the keyboard, though a link there filled the other.
TEST_F(HtmlFrameTest, CopyTakesTheFrameWithTheKeyboard) {
  test::WriteTree(Dir() / "book/run",
                  {{"f.htm",
                    "<frameset cols=\"150,*\"><frame name=toc src=l.htm>"
                    "<frame name=main src=b.htm></frameset>"},
                   {"l.htm", Page("Оглавление", "<p><a href=c.htm target=main>Глава</a>")}});
  Build();
  frame->OpenLinkedPage(session->Folders.ProgramDir + "f.htm");
  TFrameViewer* viewer = frame->CurrentScreenViewer();
  TDocumentView* toc = viewer->ViewerOfFrame("toc");
  ASSERT_NE(toc, nullptr);
  QPoint link;
  for (int y = 0; y < 100 && link.isNull(); y += 2)
    for (int x = 0; x < 140 && link.isNull(); x += 2)
      if (!toc->ObjectAt({x, y}).Url.empty()) link = {x, y};
  ASSERT_FALSE(link.isNull());
  QApplication::setActiveWindow(&window);
  QTest::mouseClick(toc->viewport(), Qt::LeftButton, {}, link);
  ASSERT_TRUE(QTest::qWaitFor(
      [&] { return EndsWith(viewer->ViewerOfFrame("main")->CurrentFile(), "c.htm"); }, 2000));
  ASSERT_NE(viewer->ActiveViewer(), toc);  // the link's target is the frame last used
  ASSERT_TRUE(toc->hasFocus());
  toc->SelectAll();
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(QGuiApplication::clipboard()->text().trimmed(), QString::fromUtf8("Глава"));
}

}  // namespace
}  // namespace shelf
