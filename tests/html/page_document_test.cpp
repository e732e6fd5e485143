#include "html/page_document.h"

#include <QImage>
#include <QPainter>
#include <map>

#include "html/html_fixture.h"
#include "html/image_store.h"
#include "html/page_source_filter.h"

namespace shelf::test {
namespace {

// Pages laid out at 800 pixels, checked against the positions a current browser gives the same
// page at that width (measured once; the numbers below are the browser's, rounded down).
class PageLayoutTest : public HtmlTest {
 protected:
  TPageDocument& Lay(const std::string& html, int width = 800) {
    images_ = std::make_unique<TImageStore>(Store());
    page_ = std::make_unique<TPageDocument>(Store(), *images_, settings_);
    page_->Load(FilterPageSource(html), Dos("page.htm"));
    page_->Layout(width, QSize(width, 600));
    return *page_;
  }
  // The box of the n-th word with this text.
  QRect Word(const std::string& text, int nth = 0) const {
    for (const TPageItem& item : page_->Items())
      if (item.Kind == TPageItem::Word &&
          page_->Text().substr(item.TextStart, item.TextLength) == text && nth-- == 0)
        return item.Rect;
    ADD_FAILURE() << "no word " << text;
    return {};
  }
  int Top(const std::string& text, int nth = 0) const { return Word(text, nth).top(); }
  int Left(const std::string& text, int nth = 0) const { return Word(text, nth).left(); }
  int Right(const std::string& text, int nth = 0) const {
    const QRect word = Word(text, nth);
    return word.left() + word.width();
  }
  // Whether anything but the white page shows in a box of the painted page.
  static bool Inked(const QImage& image, const QRect& box) {
    for (int y = box.top(); y <= box.bottom(); ++y)
      for (int x = box.left(); x <= box.right(); ++x)
        if (image.pixelColor(x, y) != Qt::white) return true;
    return false;
  }
  QImage Paint(int width = 800, int height = 200) {
    QImage image(width, height, QImage::Format_RGB32);
    QPainter painter(&image);
    page_->Draw(painter, QRect(0, 0, width, height), 0, 0);
    return image;
  }

  TViewerSettings settings_;
  std::unique_ptr<TImageStore> images_;
  std::unique_ptr<TPageDocument> page_;
};

// Where the first word of a block starts, for pages whose vertical gaps differ (margins next
// to rules, empty and unclosed paragraphs, margins through nested blocks, table cells in
// quirks mode, a blank first line in <pre>). Browsers place blocks at fractions of a pixel;
// the layout here is whole pixels, so positions may differ by one.
TEST_F(PageLayoutTest, BlocksStartWhereBrowsersStartThem) {
  struct TCase {
    const char* html;
    std::vector<std::pair<const char*, int>> tops;
  };
  const TCase cases[] = {
      {"<p>L1<br>L2<br>L3<br>L4<br>L5<br>L6<br>L7<br>L8<br>L9<br>L10</p><p>x</p>",
       {{"L1", 8}, {"L10", 170}, {"x", 204}}},
      {"Normal <tt>tt</tt> <pre>0123456789</pre><p>after</p>",
       {{"tt", 10}, {"0123456789", 39}, {"after", 70}}},
      {"<div>above</div><hr><h1>H1</h1><hr size=1 noshade><div>below</div>",
       {{"above", 8}, {"H1", 57}, {"below", 124}}},
      {"<div>a</div><p></p><div>b</div><p>open<dl><dt>term</dl><p>open2<h1>head</h1>"
       "<p>open3<table><tr><td>cell</td></tr></table><div>end</div>",
       {{"a", 8}, {"b", 42}, {"term", 110}, {"head", 183}, {"cell", 262}, {"end", 299}}},
      {"<div>top</div><div><div><h2>two</h2></div></div><div><div><div><h2>three</h2></div>"
       "</div></div><div>end</div>",
       {{"top", 8}, {"two", 45}, {"three", 92}, {"end", 139}}},
      {"<table border=1><tr><td><p>para</p></td><td><h3>head</h3></td><td><pre>pre</pre></td>"
       "</tr></table><div>end</div>",
       {{"head", 13}, {"end", 58}}},
      {"<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01//EN\" "
       "\"http://www.w3.org/TR/html4/strict.dtd\"><table border=1><tr><td><p>para</p></td>"
       "<td><h3>head</h3></td><td><pre>pre</pre></td></tr></table><div>end</div>",
       {{"head", 31}, {"end", 77}}},
      {"<table border=1><tr><td><h3>head</h3></td></tr></table><table border=1><tr><td><ul>"
       "<li>u</ul></td></tr></table><table border=1><tr><td><p style=\"margin-top:20px\">para"
       "</p></td></tr></table><div>end</div>",
       {{"head", 13}, {"u", 63}, {"para", 127}, {"end", 150}}},
      {"<pre><b>\ntext</b></pre><pre>\ntext2</pre>", {{"text", 23}, {"text2", 51}}},
  };
  for (const TCase& c : cases) {
    Lay(c.html);
    for (const auto& [word, top] : c.tops)
      EXPECT_NEAR(Top(word), top, 1) << word << " in " << c.html;
  }
}

TEST_F(PageLayoutTest, MonospaceTextIsSmallerAndTabsStopEveryEightColumns) {
  Lay("Normal <tt>tt</tt> <pre>" + std::string(9, '#') + std::string(81, '0') + "</pre>");
  EXPECT_LE(page_->Width(), 800);
  EXPECT_LE(Word("tt").width(), 16);  // 13 pixel Courier New, as browsers draw monospace
  Lay("<pre>a\tb\nabc\tc\nabcdefgh\td\n1234567\te</pre>");
  const int column = (Left("b") - 8) / 8;
  EXPECT_GT(column, 6);
  // Each character is drawn at whole pixels: a column may be off by one.
  EXPECT_NEAR(Left("c"), Left("b"), 1);
  EXPECT_NEAR(Left("e"), Left("b"), 1);
  EXPECT_NEAR(Left("d") - 8, 2 * (Left("b") - 8), 2);
}

TEST_F(PageLayoutTest, RulesAreSunkenLinesOrSolidOnes) {
  Lay("<div>above</div><hr><h1>H1</h1><hr size=1 noshade><div>below</div>");
  const QImage image = Paint();
  EXPECT_EQ(image.pixelColor(100, 34), QColor(0x9A, 0x9A, 0x9A));
  EXPECT_EQ(image.pixelColor(100, 35), QColor(0xEE, 0xEE, 0xEE));
  EXPECT_EQ(image.pixelColor(100, 36), QColor(Qt::white));
  const int rule = Top("below") - 9;  // one pixel high, 8 above the next block
  EXPECT_EQ(image.pixelColor(100, rule), QColor(0x80, 0x80, 0x80));
  EXPECT_EQ(image.pixelColor(100, rule - 1), QColor(Qt::white));
  EXPECT_EQ(image.pixelColor(100, rule + 1), QColor(Qt::white));
}

TEST_F(PageLayoutTest, JustifiedLinesReachBothEdges) {
  for (const char* p : {"<p align=justify>", "<p style=\"text-align:justify\">"}) {
    Lay(std::string("<div style=\"width:300px\">") + p +
        "one two three four five six seven eight nine ten eleven twelve thirteen fourteen "
        "fifteen sixteen seventeen eighteen nineteen twenty last</p></div>");
    std::map<int, int> lineEnds;
    for (const TPageItem& item : page_->Items())
      if (item.Kind == TPageItem::Word)
        lineEnds[item.Rect.top()] = std::max(lineEnds[item.Rect.top()], item.Rect.right() + 1);
    ASSERT_GE(lineEnds.size(), 3u) << p;
    for (auto line = lineEnds.begin(); std::next(line) != lineEnds.end(); ++line)
      EXPECT_EQ(line->second, 308) << p << " line at " << line->first;
    EXPECT_LT(lineEnds.rbegin()->second, 300) << p;
  }
}

TEST_F(PageLayoutTest, WordsTouchingAcrossTagsStayOnOneLine) {
  Lay("<div style=\"width:212px\">set by the marks on the pulleys (<a href=\"x.htm\">2.3. "
      "Timing</a>).</div><div style=\"width:160px\">some words then <b>bolded</b>, and more."
      "</div>");
  EXPECT_EQ(Top("("), Top("2.3."));
  EXPECT_EQ(Left("("), 8);
  EXPECT_EQ(Top("("), 26);  // the browser's line
  EXPECT_EQ(Top(","), Top("bolded"));
  EXPECT_EQ(Left("bolded"), 8);
  EXPECT_EQ(Top("bolded"), 62);
}

TEST_F(PageLayoutTest, MissingPicturesShowTheirAltTextInTheirSize) {
  Lay("<p>x<img src=\"missing.gif\" alt=\"Missing picture\" width=120 height=40>y</p>"
      "<p>x<img src=\"missing.gif\" alt=\"Alt text\">y<b>z</b></p>");
  EXPECT_EQ(Left("y"), 136);
  EXPECT_EQ(Top("x", 1), 68);
  EXPECT_NEAR(Left("z"), 88, 1);  // the alt text and a picture's place beside it
  EXPECT_EQ(Top("z"), 68);
  const QImage image = Paint();
  EXPECT_TRUE(Inked(image, QRect(36, 12, 90, 20)));
  EXPECT_TRUE(Inked(image, QRect(34, 70, 40, 14)));
}

TEST_F(PageLayoutTest, HeadingAlignAndListTypeAttributes) {
  Lay("<h1 align=center>Centre</h1><h2 align=right>Right</h2>");
  EXPECT_NEAR(Left("Centre") + Word("Centre").width() / 2, 400, 1);
  EXPECT_NEAR(Right("Right"), 792, 1);
  const auto marker = [&](const std::string& list) {
    Lay(list + "<li>one</li></ol>");
    return Paint(40, 40).copy(0, 0, 40, 40);
  };
  EXPECT_EQ(marker("<ol type=a>"), marker("<ol style=\"list-style-type:lower-alpha\">"));
  EXPECT_EQ(marker("<ol type=I>"), marker("<ol style=\"list-style-type:upper-roman\">"));
  EXPECT_NE(marker("<ol type=a>"), marker("<ol>"));
  EXPECT_NE(marker("<ol type=A>"), marker("<ol type=a>"));
  EXPECT_EQ(marker("<ul type=square>"), marker("<ul style=\"list-style-type:square\">"));
}

TEST_F(PageLayoutTest, HiddenTextKeepsItsPlaceUnseen) {
  Lay("<p>visible <span style=\"visibility:hidden\">hidden</span> after</p>");
  EXPECT_NEAR(Left("after"), 102, 1);
  QImage image = Paint();
  EXPECT_FALSE(Inked(image, Word("hidden")));
  EXPECT_TRUE(Inked(image, Word("after")));
  Lay("<div style=\"visibility:hidden\">hidden <b>bold</b></div><table><tr>"
      "<td style=\"visibility:hidden;background:red\">cell</td><td>shown</td></tr></table>");
  image = Paint();
  for (const char* word : {"hidden", "bold", "cell"})
    EXPECT_FALSE(Inked(image, Word(word))) << word;
  EXPECT_TRUE(Inked(image, Word("shown")));
}

TEST_F(PageLayoutTest, FontListsTakeTheFirstInstalledFamily) {
  // Verdana is not installed; Arial is, as the Liberation Sans of the same metrics.
  for (const char* html :
       {"<font face=\"Verdana,Arial,Helvetica\">WWWWWWWWWW</font>",
        "<span style=\"font-family:Verdana,Arial,Helvetica\">WWWWWWWWWW</span>"}) {
    Lay(html);
    EXPECT_NEAR(Word("WWWWWWWWWW").width(), 151, 1) << html;
  }
}

TEST_F(PageLayoutTest, UnitlessLengthsCountOnlyInQuirksMode) {
  const char* div = "<div style=\"width:100;background:red\">x</div>";
  Lay(std::string("<!DOCTYPE html>") + div);
  EXPECT_EQ(Paint().pixelColor(700, 12), QColor(Qt::red));
  Lay(div);
  const QImage quirks = Paint();
  EXPECT_EQ(quirks.pixelColor(100, 12), QColor(Qt::red));
  EXPECT_EQ(quirks.pixelColor(110, 12), QColor(Qt::white));
}

}  // namespace
}  // namespace shelf::test
