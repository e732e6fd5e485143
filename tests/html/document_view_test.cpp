#include "html/document_view.h"

#include <zlib.h>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPainter>
#include <QRadioButton>
#include <QScrollBar>
#include <QTest>
#include <cmath>
#include <ctime>

#include "html/html_fixture.h"
#include "html/image_store.h"

namespace shelf::test {
namespace {

class DocumentViewTest : public HtmlTest {
 protected:
  std::unique_ptr<TDocumentView> Show(const std::string& page, int width = 400, int height = 300) {
    auto view = std::make_unique<TDocumentView>(Store());
    TViewerSettings settings;
    settings.fvOptions = fvNoBorder;
    view->SetSettings(settings);
    view->resize(width, height);
    view->show();
    EXPECT_TRUE(view->LoadFile(Dos(page))) << page;
    return view;
  }
};

TEST_F(DocumentViewTest, DecodesWindows1251AndDeclaredCharsets) {
  AddPages({{"a.htm", "<title>Двигатель</title><p>Снятие и установка</p>"}});
  AddFiles({{"u.htm", "<meta charset=utf-8><title>Ёлка</title><p>Текст</p>"},
            {"k.htm",
             "<meta http-equiv=Content-Type content='text/html; charset=koi8-r'>"
             "<title>\xF4\xC5\xCB\xD3\xD4</title>"}});
  EXPECT_EQ(Show("a.htm")->DocumentTitle(), W("Двигатель"));
  EXPECT_EQ(Show("a.htm")->PageText(), W("Снятие и установка\n"));
  EXPECT_EQ(Show("u.htm")->DocumentTitle(), W("Ёлка"));
  EXPECT_EQ(Show("k.htm")->DocumentTitle(), W("Текст"));
}

TEST_F(DocumentViewTest, BodyMarginAttributesMoveThePage) {
  const char* table = "<table width=100% bgcolor=#ff0000><tr><td>x</td></tr></table>";
  AddPages({{"tight.htm", std::string("<body leftmargin=0 topmargin=0>") + table},
            {"wide.htm", std::string("<body marginwidth=30 marginheight=20>") + table},
            {"plain.htm", std::string("<body>") + table}});
  const auto redAt = [&](const char* page, QPoint p) {
    return Show(page)->viewport()->grab().toImage().pixelColor(p) == QColor(Qt::red);
  };
  EXPECT_TRUE(redAt("tight.htm", {1, 1}));
  EXPECT_FALSE(redAt("plain.htm", {1, 1}));  // the default margin
  EXPECT_FALSE(redAt("wide.htm", {25, 25}));
  EXPECT_TRUE(redAt("wide.htm", {32, 22}));
}

TEST_F(DocumentViewTest, FindsFromTheCaretWithAndWithoutCase) {
  AddPages({{"a.htm", "<p>Двигатель снят.</p><p>Второй ДВИГАТЕЛЬ стоит.</p>"}});
  auto view = Show("a.htm");
  const std::string word = W("двигатель");
  ASSERT_TRUE(view->FindNext(word, false));
  EXPECT_EQ(view->SelectedText(), W("Двигатель"));
  ASSERT_TRUE(view->FindNext(word, false));
  EXPECT_EQ(view->SelectedText(), W("ДВИГАТЕЛЬ"));
  EXPECT_FALSE(view->FindNext(word, false));  // no wrap: the caller starts again
  view->SetCaret(0);
  EXPECT_TRUE(view->FindNext(word, false));
  EXPECT_EQ(view->SelectedText(), W("Двигатель"));

  view->SetCaret(0);
  EXPECT_FALSE(view->FindNext(word, true));
  EXPECT_TRUE(view->FindNext(W("ДВИГАТЕЛЬ"), true));
  EXPECT_TRUE(view->FindNext(W("снят. втор"), false) == false);  // blocks do not join
}

TEST_F(DocumentViewTest, FindScrollsToTheMatch) {
  std::string page = "<body>";
  for (int i = 0; i < 200; ++i) page += "<p>строка " + std::to_string(i) + "</p>";
  AddPages({{"long.htm", page + "<p>цель</p></body>"}});
  auto view = Show("long.htm");
  ASSERT_TRUE(view->FindNext(W("цель"), false));
  EXPECT_GT(view->VScrollPos(), 1000);
}

TEST_F(DocumentViewTest, CopiesSelectionWithTheSpacesOfWrappedLines) {
  const std::string text = "один два три четыре пять шесть семь восемь девять десять";
  AddPages({{"a.htm", "<p>" + text + "</p><p><b>жирный</b>текст рядом</p>"}});
  auto view = Show("a.htm", 120, 300);
  view->SelectAll();
  EXPECT_EQ(view->SelectedText(), W(text + "\nжирныйтекст рядом\n"));
  view->SetCaret(0);
  EXPECT_EQ(view->SelectedText(), "");

  QWidget* area = view->viewport();
  const int line = 16;  // the first line: the body's margin above, the paragraph's dropped
  QTest::mousePress(area, Qt::LeftButton, {}, QPoint(9, line));
  QMouseEvent move(QEvent::MouseMove, QPointF(110, line), area->mapToGlobal(QPointF(110, line)),
                   Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(area, &move);
  QTest::mouseRelease(area, Qt::LeftButton, {}, QPoint(110, line));
  const std::string dragged = view->SelectedText();  // as far as x = 110 reaches
  EXPECT_TRUE(dragged.starts_with(W("один два"))) << dragged;
  EXPECT_TRUE(W(text).starts_with(dragged)) << dragged;
  view->CopyToClipboard();
  EXPECT_EQ(FromQString(QApplication::clipboard()->text()), dragged);
}

TEST_F(DocumentViewTest, PageImagesShowTheWholePageAtTheViewsWidth) {
  std::string page = "<table width=1200 bgcolor=#ff0000><tr><td>wide</td></tr></table>";
  for (int i = 0; i < 1300; ++i) page += "<p>строка " + std::to_string(i) + "</p>";
  AddPages({{"a.htm", page}});
  auto view = Show("a.htm", 800, 600);
  const QImage whole = view->PageImage(1 << 30);
  EXPECT_EQ(whole.width(), 1208);  // the table and the body's margin on its left
  EXPECT_GT(view->DocumentHeight(), 20000);
  EXPECT_EQ(whole.height(), view->DocumentHeight());
  EXPECT_EQ(whole.pixelColor(1200, 10), QColor(Qt::red));
  EXPECT_EQ(view->PageImage(1000).height(), 1000);
}

TEST_F(DocumentViewTest, VerticalScrollStaysWithinTheDocument) {
  std::string page;
  for (int i = 0; i < 100; ++i) page += "<p>абзац</p>";
  AddPages({{"a.htm", page}});
  auto view = Show("a.htm", 300, 200);
  view->SetVScrollPos(1000000);
  EXPECT_EQ(view->VScrollPos(), view->DocumentHeight() - view->viewport()->height());
  view->SetVScrollPos(-10);
  EXPECT_EQ(view->VScrollPos(), 0);
  view->SetVScrollPos(50);
  view->ScrollToTop();
  EXPECT_EQ(view->VScrollPos(), 0);

  QTest::keyClick(view.get(), Qt::Key_End);
  EXPECT_EQ(view->VScrollPos(), view->verticalScrollBar()->maximum());
  QTest::keyClick(view.get(), Qt::Key_Home);
  EXPECT_EQ(view->VScrollPos(), 0);
  QTest::keyClick(view.get(), Qt::Key_PageDown);
  EXPECT_EQ(view->VScrollPos(), view->viewport()->height());
  QTest::keyClick(view.get(), Qt::Key_Down);
  EXPECT_GT(view->VScrollPos(), view->viewport()->height());
}

TEST_F(DocumentViewTest, ScrollsToNamedAnchors) {
  std::string page = "<p><a href='#end'>к концу</a></p>";
  for (int i = 0; i < 60; ++i) page += "<p>абзац</p>";
  page += "<a name=end></a><h2>Конец</h2><p>абзац</p><p id=after>после</p>";
  for (int i = 0; i < 60; ++i) page += "<p>ещё</p>";
  AddPages({{"a.htm", page}});
  auto view = Show("a.htm#end");
  const int top = view->VScrollPos();
  EXPECT_GT(top, 500);
  view->ScrollToTop();
  EXPECT_TRUE(view->ScrollToAnchor("END"));
  EXPECT_EQ(view->VScrollPos(), top);
  EXPECT_TRUE(view->ScrollToAnchor("after"));
  EXPECT_GT(view->VScrollPos(), top);
  EXPECT_FALSE(view->ScrollToAnchor("missing"));
  view->ScrollToTop();
  view->FollowLink("#end");
  EXPECT_EQ(view->VScrollPos(), top);
}

TEST_F(DocumentViewTest, ListsFormControlsWithTheirWidgets) {
  AddPages({{"f.htm",
             "<form><input name=sn value='12-34'><input type=hidden name=h value=x>"
             "<select name=model><option>ВАЗ 2108<option selected>ВАЗ 2109</select>"
             "<input type=checkbox name=ok checked><input type=radio name=r>"
             "<input type=radio name=r checked><input type=submit value=Найти></form>"}});
  auto view = Show("f.htm");
  const auto controls = view->FormControls();
  ASSERT_EQ(controls.size(), 6u);
  EXPECT_EQ(controls[0].Name, "sn");
  EXPECT_EQ(qobject_cast<QLineEdit*>(controls[0].Control)->text(), "12-34");
  EXPECT_EQ(controls[1].Kind, TFormControl::Select);
  EXPECT_EQ(FromQString(qobject_cast<QComboBox*>(controls[1].Control)->currentText()),
            W("ВАЗ 2109"));
  EXPECT_TRUE(qobject_cast<QCheckBox*>(controls[2].Control)->isChecked());
  auto* first = qobject_cast<QRadioButton*>(controls[3].Control);
  auto* second = qobject_cast<QRadioButton*>(controls[4].Control);
  EXPECT_TRUE(second->isChecked());
  first->setChecked(true);
  EXPECT_FALSE(second->isChecked());  // one group per name
  EXPECT_EQ(controls[5].Kind, TFormControl::Button);
  EXPECT_TRUE(controls[0].Control->isVisible());
}

TEST_F(DocumentViewTest, HitTestsWrappedLinksAndPicturesWithTitles) {
  AddFiles({{"p.png", SolidPng(40, 30, Qt::red)}});
  AddPages({{"a.htm",
             "<body style='margin:0'><a href='b.htm' target=main>первое второе третье "
             "четвёртое пятое</a><br><img src=p.png title='Общий вид'><img src=p.png "
             "alt='Подпись'></body>"}});
  auto view = Show("a.htm", 90, 300);
  const TPageObject first = view->ObjectAt(QPoint(5, 5));
  EXPECT_EQ(first.Kind, TPageObject::Link);
  EXPECT_EQ(first.Url, "b.htm");
  EXPECT_EQ(first.Target, "main");
  const int secondLine = first.Bounds.bottom() + 3;
  const TPageObject wrapped = view->ObjectAt(QPoint(5, secondLine));
  EXPECT_EQ(wrapped.Kind, TPageObject::Link);
  EXPECT_GT(wrapped.Bounds.top(), first.Bounds.top());

  std::vector<TPageObject> pictures;
  for (int y = 0; y < 300 && pictures.size() < 2; ++y)
    for (int x = 0; x < 90; x += 10)
      if (auto object = view->ObjectAt(QPoint(x, y));
          object.IsPicture() && (pictures.empty() || pictures.back().Bounds != object.Bounds))
        pictures.push_back(object);
  ASSERT_EQ(pictures.size(), 2u);
  EXPECT_EQ(pictures[0].Title, W("Общий вид"));
  EXPECT_EQ(pictures[1].Title, W("Подпись"));
  EXPECT_EQ(pictures[0].Source, "d:\\p.png");
  EXPECT_EQ(view->LastPictureSize(), QSize(40, 30));
  EXPECT_EQ(view->ObjectAt(QPoint(85, 295)).Kind, TPageObject::None);
}

TEST_F(DocumentViewTest, AScrolledViewShowsTheSamePixelsAsTheWholePage) {
  AddFiles({{"p.png", SolidPng(50, 120, Qt::darkGreen)}});
  std::string page = "<body bgcolor=#ffffee>";
  for (int i = 0; i < 12; ++i)
    page += "<p><img src=p.png align=left>абзац " + std::to_string(i) +
            "</p><table border=1 bgcolor=#ccddff cellpadding=6><tr><td>ячейка<td height=60>" +
            "вторая</table><div>блок</div>";
  AddPages({{"s.htm", page}});
  auto whole = Show("s.htm", 300, 3000);
  ASSERT_LT(whole->DocumentHeight(), 3000);
  const QImage all = whole->grab().toImage();
  auto part = Show("s.htm", 300, 200);
  for (int top : {137, 555, 1001}) {
    part->SetVScrollPos(top);
    const QImage shown = part->viewport()->grab().toImage();
    const QImage expected = all.copy(0, top, part->viewport()->width(), 200);
    EXPECT_EQ(shown.convertToFormat(QImage::Format_RGB32),
              expected.convertToFormat(QImage::Format_RGB32))
        << "at " << top;
  }
}

int CountPixels(const QImage& image, QColor color) {
  int count = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (image.pixelColor(x, y) == color) ++count;
  return count;
}

TEST_F(DocumentViewTest, LinksUnderThePointerTakeTheOverLinkColour) {
  AddPages({{"a.htm", "<body style='margin:0'><font size=7><a href=b.htm>ССЫЛКА</a></font>"}});
  auto view = std::make_unique<TDocumentView>(Store());
  TViewerSettings settings;
  settings.fvOptions = fvNoBorder | fvOverLinksActive;
  settings.DefOverLinkColor = 0x0000FF;  // red
  view->SetSettings(settings);
  view->resize(300, 100);
  view->show();
  ASSERT_TRUE(view->LoadFile(Dos("a.htm")));
  EXPECT_EQ(CountPixels(view->viewport()->grab().toImage(), Qt::red), 0);
  QTest::mouseMove(view->viewport(), QPoint(10, 10));
  EXPECT_GT(CountPixels(view->viewport()->grab().toImage(), Qt::red), 20);
  QTest::mouseMove(view->viewport(), QPoint(290, 90));
  EXPECT_EQ(CountPixels(view->viewport()->grab().toImage(), Qt::red), 0);
}

TEST_F(DocumentViewTest, AnimatedGifsShowTheirFramesInTurn) {
  // 1x1 pixels, two frames of 100 ms: red, then blue, looping.
  const std::string frame = std::string("\x21\xF9\x04\x00\x0A\x00\x00\x00", 8) +
                            std::string("\x2C\x00\x00\x00\x00\x01\x00\x01\x00\x00\x02\x02", 12);
  const std::string gif = std::string("GIF89a\x01\x00\x01\x00\x80\x00\x00", 13) +
                          std::string("\xFF\x00\x00\x00\x00\xFF", 6) +
                          std::string("\x21\xFF\x0BNETSCAPE2.0\x03\x01\x00\x00\x00", 19) + frame +
                          std::string("\x44\x01\x00", 3) + frame + std::string("\x4C\x01\x00", 3) +
                          "\x3B";
  AddFiles({{"a.gif", gif}});
  AddPages({{"a.htm", "<body style='margin:0'><img src=a.gif width=20 height=20>"}});
  auto view = Show("a.htm", 100, 100);
  bool red = false, blue = false;
  for (int i = 0; i < 40 && !(red && blue); ++i) {
    const QColor pixel = view->viewport()->grab().toImage().pixelColor(10, 10);
    red = red || pixel == Qt::red;
    blue = blue || pixel == Qt::blue;
    QTest::qWait(25);
  }
  EXPECT_TRUE(red);
  EXPECT_TRUE(blue);
}

// Pages recorded as pictures of a small sheet at screen resolution.
class ImageCanvas : public TPageCanvas {
 public:
  TSheetMetrics Metrics() const override {
    TSheetMetrics m;
    m.DpiX = m.DpiY = 96;
    m.PhysicalWidth = m.PrintableWidth = 400;
    m.PhysicalHeight = m.PrintableHeight = 300;
    m.OffsetX = m.OffsetY = 0;
    return m;
  }
  void BeginDoc() override { NewPage(); }
  void NewPage() override {
    if (painter_.isActive()) painter_.end();
    pages.emplace_back(400, 300, QImage::Format_RGB32);
    pages.back().fill(Qt::white);
    painter_.begin(&pages.back());
  }
  QPainter& Canvas() override { return painter_; }
  void EndDoc() override { painter_.end(); }
  bool PrintPageNumbers() const override { return true; }

  std::vector<QImage> pages;

 private:
  QPainter painter_;
};

bool HasInk(const QImage& image, int row) {
  for (int x = 0; x < image.width(); ++x)
    if (qGray(image.pixel(x, row)) < 128) return true;
  return false;
}

TEST_F(DocumentViewTest, PrintsPagesThatCutNoLineOrPicture) {
  AddFiles({{"black.png", SolidPng(60, 45, Qt::black)}});
  std::string page = "<body>";
  for (int i = 0; i < 30; ++i)
    page += "<p>строка " + std::to_string(i) + "</p><img src=black.png><br>";
  AddPages({{"p.htm", page + "</body>"}});
  auto view = Show("p.htm");
  std::vector<int> events;
  view->OnPageEvent = [&](int page, bool&) { events.push_back(page); };
  int headers = 0;
  view->OnPrintHeader = [&](QPainter&, int, int, int, bool&) { ++headers; };
  ImageCanvas canvas;
  view->PrintMarginCm = 0;
  const int count = view->PrintPages(canvas, 1.0);
  ASSERT_GT(count, 5);
  ASSERT_EQ(int(canvas.pages.size()), count);
  EXPECT_EQ(headers, count);
  EXPECT_EQ(events.front(), 0);
  EXPECT_EQ(int(events.size()), count + 1);
  int inkRows = 0;
  for (const QImage& image : canvas.pages) {
    EXPECT_FALSE(HasInk(image, 0));
    int last = image.height() - 1;
    while (last > 0 && !HasInk(image, last)) --last;
    inkRows += last;
    // The content ends before the sheet does: the next line or picture did not fit whole.
    EXPECT_LT(last, image.height() - 1);
  }
  EXPECT_GT(inkRows, 0);

  ImageCanvas part;
  bool stopAt = false;
  view->OnPageEvent = [&](int page, bool& stop) { stop = stopAt = page == 3; };
  view->PrintPages(part, 1.0);
  EXPECT_TRUE(stopAt);
  EXPECT_EQ(part.pages.size(), 2u);  // a stop from the page event ends the run
}

// The page header has a band of its own on every sheet, at any print scale: the content of a
// sheet that starts in the middle of the page is drawn below the band, never under the header.
TEST_F(DocumentViewTest, PrintedContentStartsBelowThePageHeadersBand) {
  std::string page = "<body style='margin:0'>";
  for (int i = 0; i < 60; ++i) page += "<div style='background:black;height:20px'>x</div>";
  AddPages({{"p.htm", page + "</body>"}});
  constexpr int kBand = 30;
  for (const double scale : {1.0, 0.5}) {
    for (const bool header : {true, false}) {
      auto view = Show("p.htm");
      TViewerSettings settings = view->Settings();
      settings.PrintHeaderHeight = kBand;
      view->SetSettings(settings);
      view->PrintMarginCm = 0;
      if (header) view->OnPrintHeader = [](QPainter&, int, int, int, bool&) {};
      ImageCanvas canvas;
      view->PrintPages(canvas, scale);
      ASSERT_GE(canvas.pages.size(), 2u);
      for (std::size_t i = 0; i < canvas.pages.size(); ++i) {
        int first = 0;
        while (first < 300 && !HasInk(canvas.pages[i], first)) ++first;
        const int band = header ? int(std::ceil(kBand * scale)) : 0;
        EXPECT_EQ(first, band) << "scale " << scale << ", sheet " << i + 1;
      }
    }
  }
}

TEST_F(DocumentViewTest, PrintsTableBackgroundsOnlyWhenAsked) {
  AddPages({{"t.htm",
             "<body bgcolor=black><table bgcolor=#0000ff width=200 height=100 border=1>"
             "<tr bgcolor=#0000ff><td bgcolor=#0000ff>ячейка</td></tr></table>"}});
  for (bool print : {true, false}) {
    auto view = Show("t.htm");
    TViewerSettings settings = view->Settings();
    settings.PrintTableBackground = print;
    view->SetSettings(settings);
    ImageCanvas canvas;
    view->PrintPages(canvas, 1.0);
    ASSERT_EQ(canvas.pages.size(), 1u);
    const int blue = CountPixels(canvas.pages[0], Qt::blue);
    EXPECT_EQ(blue > 10000, print) << blue;
    EXPECT_EQ(CountPixels(canvas.pages[0], Qt::black) > 10000, false);  // the page's own colour
  }
}

TEST_F(DocumentViewTest, SurvivesMalformedAndHugeInput) {
  std::string deep;
  for (int i = 0; i < 3000; ++i) deep += "<div><b><i>";
  std::string nested;
  for (int i = 0; i < 12; ++i) nested += "<table width=100%><tr><td>a</td><td>";
  nested += "центр";
  for (int i = 0; i < 12; ++i) nested += "</td></tr></table>";
  std::string wide = "<table><tr>";
  for (int i = 0; i < 2000; ++i) wide += "<td>" + std::to_string(i) + "</td>";
  const std::string inputs[] = {"",
                                "<",
                                "<table><tr><td>",
                                "</td></tr></table>",
                                "<html><html><body><body>",
                                "<frameset><frameset>",
                                "<img src>",
                                "<a href=>x</a>",
                                "<font size=99 face=>x",
                                "<table cellpadding=-5 cellspacing=abc border=999999><td>x",
                                "\xFF\xFE\x00\x01",
                                "<select><option></select><input type=radio>",
                                deep,
                                nested,
                                wide};
  TDocumentView view(Store());
  view.resize(400, 300);
  view.show();
  EXPECT_FALSE(view.LoadFile(Dos("none.htm")));
  for (const std::string& input : inputs) {
    QElapsedTimer timer;
    timer.start();
    view.LoadString(input, Dos("x.htm"));
    view.SelectAll();
    view.FindNext("a", false);
    EXPECT_LT(timer.elapsed(), 3000) << input.substr(0, 40);
  }

  // A picture far beyond the decoding budget stands in small instead of stalling the program.
  QImage huge(6000, 6000, QImage::Format_Mono);
  huge.fill(1);
  QByteArray png;
  QBuffer buffer(&png);
  buffer.open(QIODevice::WriteOnly);
  huge.save(&buffer, "PNG");
  AddFiles({{"huge.png", png.toStdString()}});
  QElapsedTimer timer;
  timer.start();
  view.LoadString("<img src=huge.png>", Dos("x.htm"));
  EXPECT_EQ(view.LastPictureSize(), QSize(kStandInSide, kStandInSide));
  EXPECT_LT(view.DocumentHeight(), 1000);
  EXPECT_LT(timer.elapsed(), 5000);
}

std::string Repeat(const std::string& text, int count) {
  std::string out;
  out.reserve(text.size() * count);
  for (int i = 0; i < count; ++i) out += text;
  return out;
}

// A GIF whose logical screen is `side` pixels square, with `frames` frames of one pixel.
std::string ScreenGif(int side, int frames) {
  const char w[2] = {char(side & 0xFF), char(side >> 8)};
  std::string gif = std::string("GIF89a", 6) + std::string(w, 2) + std::string(w, 2) +
                    std::string("\x80\x00\x00\xFF\x00\x00\x00\x00\xFF", 9) +
                    std::string("\x21\xFF\x0BNETSCAPE2.0\x03\x01\x00\x00\x00", 19);
  for (int i = 0; i < frames; ++i)
    gif += std::string("\x21\xF9\x04\x00\x0A\x00\x00\x00", 8) +
           std::string("\x2C\x00\x00\x00\x00\x01\x00\x01\x00\x00\x02\x02\x44\x01\x00", 15);
  return gif + "\x3B";
}

// A PNG header that claims a picture of `side` pixels square, and nothing else.
std::string ClaimedPng(quint32 side) {
  std::string ihdr = "IHDR";
  for (quint32 value : {side, side})
    for (int shift : {24, 16, 8, 0}) ihdr += char(value >> shift);
  ihdr += std::string("\x08\x02\x00\x00\x00", 5);
  const quint32 crc = crc32(0, reinterpret_cast<const Bytef*>(ihdr.data()), uInt(ihdr.size()));
  std::string png = std::string("\x89PNG\r\n\x1A\n", 8) + std::string("\x00\x00\x00\x0D", 4) + ihdr;
  for (int shift : {24, 16, 8, 0}) png += char(crc >> shift);
  return png + std::string("\x00\x00\x00\x00IEND\xAE\x42\x60\x82", 12);
}

// Pages that broke the engine (crashes, stalls, gigabytes): each shows within a few seconds,
// degraded where it goes beyond a bound, and the whole run stays under the memory limit.
TEST_F(DocumentViewTest, HostilePagesShowWithinTheirBounds) {
  AddFiles({{"self.css", "@import url(self.css); p { color: #ff0000 }"},
            {"a.css", "@import url(b.css);"},
            {"b.css", "@import url(a.css); p { color: #ff0000 }"},
            {"screen.gif", ScreenGif(4000, 40)},
            {"claim.png", ClaimedPng(30000)},
            {"small.png", SolidPng(4, 4, Qt::blue)}});
  const struct {
    const char* Name;
    std::string Page;
    const char* Text;  // a word the page must still show
  } cases[] = {
      {"rule size", "<hr size=-2147483648><p>end", "end"},
      {"style sheet importing itself", "<link rel=stylesheet href=self.css><p>end", "end"},
      {"style sheets importing each other", "<style>@import url(a.css);</style><p>end", "end"},
      {"30 000 nested unknown tags", Repeat("<x>", 30000) + "end", "end"},
      {"100 000 nested sections", "<html><body>" + Repeat("<section>", 100000) + "end", "end"},
      {"30 000 sections without a body", Repeat("<section>", 30000) + "end", "end"},
      {"20 000 nested framesets", Repeat("<frameset>", 20000), nullptr},
      {"2 000 nested tables",
       Repeat("<table><tr><td>", 2000) + "end" + Repeat("</td></tr></table>", 2000), "end"},
      {"100 000 selects", Repeat("<select>", 100000) + "end", nullptr},
      {"100 000 objects", Repeat("<object>", 100000) + "end", nullptr},
      {"huge column span", "<table><tr><td colspan=2147483647>a</td><td rowspan=-9>end</td></tr>",
       "end"},
      {"animation frames of a huge screen", "<img src=screen.gif><p>end", "end"},
      {"background claiming 30000 pixels", "<body background=claim.png><p>end", "end"},
      {"background tile of 30000 pixels",
       "<body style='background:url(small.png);background-size:30000px 30000px'><p>end", "end"},
      {"20 000 floats in a narrow box",
       "<div style='width:100px'>" + Repeat("<span style='float:left;width:60px'>x</span>", 20000) +
           "</div><p>end",
       "end"},
      {"attributes at the int range",
       "<font size='+2147483647'>a</font><textarea cols=2147483647 rows=2147483647></textarea>"
       "<input size=2147483647><select size=-2147483648><option>o</select>"
       "<table cellpadding=2147483647 border=-2147483648 width=1e300 height=inf><tr>"
       "<td width=nan>b</td></tr></table><img src=small.png hspace=2147483647 width=1e400>"
       "<p style='padding:-2147483648px;margin:2147483647px'>end",
       "end"},
  };
  AddPages({{"h.htm", ""}});
  auto view = Show("h.htm");
  for (const auto& c : cases) {
    const std::clock_t start = std::clock();  // processor time: a busy machine does not count
    AddPages({{"h.htm", c.Page}});
    ASSERT_TRUE(view->LoadFile(Dos("h.htm"))) << c.Name;
    view->viewport()->grab();
    if (c.Text) EXPECT_NE(view->PageText().find(c.Text), std::string::npos) << c.Name;
    EXPECT_LT(double(std::clock() - start) / CLOCKS_PER_SEC, 20.0) << c.Name;
  }
  EXPECT_LT(PeakResidentBytes(), kHostileInputMemory);
}

// Pages printed on sheets of one picture, counted.
class CountingCanvas : public TPageCanvas {
 public:
  TSheetMetrics Metrics() const override {
    TSheetMetrics m;
    m.DpiX = m.DpiY = 96;
    m.PhysicalWidth = m.PrintableWidth = 400;
    m.PhysicalHeight = m.PrintableHeight = 300;
    m.OffsetX = m.OffsetY = 0;
    return m;
  }
  void BeginDoc() override { painter_.begin(&sheet_); }
  void NewPage() override { ++sheets; }
  QPainter& Canvas() override { return painter_; }
  void EndDoc() override { painter_.end(); }
  bool PrintPageNumbers() const override { return false; }

  int sheets = 1;

 private:
  QImage sheet_{400, 300, QImage::Format_RGB32};
  QPainter painter_;
};

TEST_F(DocumentViewTest, PrintingAPageOfEndlessHeightStopsAtTheSheetLimit) {
  AddPages({{"tall.htm",
             "<div style='height:2147483000px'>a</div>"
             "<div style='height:2147483000px'>b</div>"}});
  auto view = Show("tall.htm");
  CountingCanvas canvas;
  view->PrintMarginCm = 0;
  const int count = view->PrintPages(canvas, 1.0);
  EXPECT_GT(count, 100);
  EXPECT_LE(count, 2000);
  EXPECT_EQ(canvas.sheets, count);
}

}  // namespace
}  // namespace shelf::test
