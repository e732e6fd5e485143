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
  TPageDocument& Lay(const std::string& html, int width = 800, bool printing = false) {
    images_ = std::make_unique<TImageStore>(Store());
    page_ = std::make_unique<TPageDocument>(Store(), *images_, settings_);
    page_->Container().SetPrinting(printing);
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

// Pages of the kind found in old documentation, measured against a current browser at 800
// pixels with the same fonts: where a word starts, how wide it is, how high the page is. A
// browser places text at fractions of a pixel: each figure holds within 3 % or 2 pixels.
TEST_F(PageLayoutTest, OldDocumentationPagesMeasureAsInBrowsers) {
  enum TWhat { Left, Top, Width, PageHeight };
  struct TExpect {
    const char* word;
    TWhat what;
    double value;
    int nth = 0;
  };
  struct TCase {
    std::string html;
    std::vector<TExpect> expects;
  };
  const std::string m10(10, 'M'), m20(20, 'M'), m40(40, 'M');
  const TCase cases[] = {
      // Monospace text: 13 pixels only for the bare generic family, and only once.
      {"<blockquote><code><pre>" + m40 + "</pre></code></blockquote>", {{m40.c_str(), Width, 312}}},
      {"<style>code{font-family:\"Courier New\",monospace}</style><p><code>" + m40,
       {{m40.c_str(), Width, 384}}},
      {"<p><font size=2><tt>" + m10 + "</tt></font><p style=\"font-size:12px\"><tt>" + m10 +
           "</tt><pre>" + m10 + "<font face=Arial>" + m10 + "</font></pre>",
       {{m10.c_str(), Width, 60},
        {m10.c_str(), Width, 72, 1},
        {m10.c_str(), Width, 78, 2},
        {m10.c_str(), Width, 133, 3}}},
      // A line may break after a hyphen between letters.
      {"<table width=120 border=1 cellspacing=0><tr><td>one high-resolution ultra-low "
       "two-channel bit-exact</td></tr></table>end",
       {{"end", Top, 86}, {"resolution", Left, 11}, {"two-", Top, 47}}},
      // Empty paragraphs, a paragraph holding a line break, nested definition lists.
      {"<ol><li>first<p><li>second<p></ol><p>after", {{"second", Top, 42}, {"after", Top, 76}}},
      {"<p>text<p><br><h1>Head</h1>", {{"Head", Top, 81}}},
      {"<dl><dt>one<dd><dl><dt>two<dd><dl><dt>three</dl></dl><dt>four</dl>",
       {{"three", Top, 44}, {"four", Top, 62}}},
      // Margins of blocks with a border or padding where they meet their neighbours.
      {"<style>pre{background:#eee;padding:6px}</style><p>a</p><pre>b</pre><p>c",
       {{"b", Top, 48}, {"c", Top, 85}}},
      {"<style>h1{border-bottom:thin solid #036}</style><h1>A</h1><ol><li>x</ol>",
       {{"x", Top, 67}}},
      // Font size keywords, relative and absolute.
      {"<style>p{font-size:smaller}</style><p>" + m20, {{m20.c_str(), Width, 237}}},
      {"<style>p{font-size:larger}</style><p>" + m20, {{m20.c_str(), Width, 341}}},
      {"<p style=\"font-size:xx-small\">" + m20 + "<p style=\"font-size:x-small\">" + m20 +
           "<p style=\"font-size:small\">" + m20 + "<p style=\"font-size:large\">" + m20 +
           "<p style=\"font-size:x-large\">" + m20 + "<p style=\"font-size:xx-large\">" + m20,
       {{m20.c_str(), Width, 160},
        {m20.c_str(), Width, 178, 1},
        {m20.c_str(), Width, 231, 2},
        {m20.c_str(), Width, 320, 3},
        {m20.c_str(), Width, 427, 4},
        {m20.c_str(), Width, 569, 5}}},
      // Sizes with a fraction of a pixel (11pt is 14.67 pixels): narrower text, shorter lines.
      {"<p style=\"font:11pt sans-serif\">" + m40 + "<p style=\"font:11pt serif\">" + m40,
       {{m40.c_str(), Width, 488}, {m40.c_str(), Width, 521, 1}}},
      {"<p style=\"font-size:smaller\">" + m40, {{m40.c_str(), Width, 474}}},
      {"<div style=\"font:11pt sans-serif\">a<br>b<br>c<br>d<br>e<br>f<br>g<br>h<br>i<br>j</div>"
       "<div style=\"font:10pt serif\">k<br>l<br>m<br>n<br>o<br>p<br>q<br>r<br>s<br>t</div>",
       {{"j", Top, 152}, {"t", Top, 312}}},
      // Border width keywords; letter and word spacing.
      {"<style>div{border:thin solid #000;height:20px}</style><div></div>end", {{"end", Top, 30}}},
      {"<style>h1{letter-spacing:4px}</style><h1>" + m10 + "</h1>", {{m10.c_str(), Width, 342}}},
      {"<p style=\"word-spacing:10px\">a b c d", {{"b", Left, 29}, {"d", Left, 72}}},
      // Table cells take no margins (a documentation page's member rows and their separators).
      {"<!DOCTYPE html PUBLIC \"-//W3C//DTD XHTML 1.0 Transitional//EN\" "
       "\"http://www.w3.org/TR/xhtml1/DTD/xhtml1-transitional.dtd\"><style>"
       "table{border-spacing:0;font:14px/22px sans-serif}td{margin:4px;padding:1px 0 0 8px}"
       "td.s{border-bottom:1px solid #ccc;line-height:1px;padding:0}</style><table>"
       "<tr><td>int<td>one<tr><td class=s colspan=2>&#160;<tr><td>int<td>two<tr><td class=s "
       "colspan=2>&#160;<tr><td>int<td>three<tr><td class=s colspan=2>&#160;</table>end",
       {{"end", Top, 83}, {"one", Left, 38}}},
      // Inline frames keep their place (300 by 150 unless they say), without their fallback text.
      {"<div><iframe src=\"javascript:void(0)\" frameborder=0>fallback words</iframe></div>one"
       "<div><iframe width=100 height=40></iframe></div>two",
       {{"one", Top, 158}, {"two", Top, 220}}},
      // A full-width table finds no room beside a float and goes below it.
      {"<h2 style=\"float:left;margin:0\">title</h2><div style=\"display:table;width:100%\">"
       "<div>body</div></div>three",
       {{"body", Top, 35}, {"three", Top, 53}}},
      {"<h2 style=\"float:left;margin:0\">title</h2><table width=100%><tr><td>body</table>three",
       {{"body", Top, 38}, {"three", Top, 59}}},
      // Without scripts a <noscript> shows its text, in the line like any inline element.
      {"<p>one <noscript>two</noscript> three", {{"two", Top, 8}, {"three", Top, 8}}},
      // Header and footer row groups: columns as in the body, the footer last.
      {"<table border=1><thead><tr><th>Имя<th>Значение<th>Описание</thead><tbody><tr><td>a"
       "<td>1<td>первый</tbody></table>end",
       {{"Значение", Left, 51},
        {"Описание", Left, 123},
        {"Описание", Top, 13},
        {"первый", Left, 123},
        {"первый", Top, 37},
        {"end", Top, 60}}},
      {"<table border=1><tfoot><tr><td>foot</tfoot><tr><td>body</table>end",
       {{"body", Top, 13}, {"foot", Top, 37}}},
      // Blocks inside a block laid out as a table stand one above the other, as in one cell;
      // blocks laid out as cells stand side by side.
      {"<div style=\"display:table;width:100%\"><div style=\"background:#ccf\">title</div>"
       "<div>body</div></div>end",
       {{"body", Top, 26}, {"body", Left, 8}, {"end", Top, 44}}},
      {"<div style=\"display:table;width:100%\"><table style=\"background:#eef\"><tr><td>proto"
       "</td></tr></table><div>doc</div></div>end",
       {{"doc", Top, 32}, {"doc", Left, 8}, {"end", Top, 50}}},
      {"<div style=\"display:table\"><div style=\"display:table-cell\">left</div><div "
       "style=\"display:table-cell;padding-left:10px\">right</div></div>end",
       {{"right", Left, 39}, {"right", Top, 8}, {"end", Top, 26}}},
  };
  for (const TCase& c : cases) {
    Lay(c.html);
    for (const TExpect& e : c.expects) {
      const std::string word = W(e.word);
      const QRect box = e.what == PageHeight ? QRect() : Word(word, e.nth);
      const int got = e.what == Left    ? box.left()
                      : e.what == Top   ? box.top()
                      : e.what == Width ? box.width()
                                        : page_->Height();
      EXPECT_NEAR(got, e.value, std::max(2.0, e.value * 0.03))
          << e.word << " #" << e.nth << " (" << int(e.what) << ") in " << c.html;
    }
  }
}

// On pages of the old modes a line holding only pictures is as high as they are (a spacer picture
// makes a row one pixel high); a space between pictures, or a page in standards mode, keeps the
// height of a line of text.
TEST_F(PageLayoutTest, LinesOfPicturesAloneAreAsHighAsThePictures) {
  AddFiles({{"r.png", SolidPng(20, 10, Qt::red)}, {"px.png", SolidPng(1, 1, Qt::blue)}});
  const std::string cell = "<table cellspacing=0 cellpadding=0><tr><td>";
  const std::string page =
      cell + "<img src=r.png></td></tr></table>a" + cell +
      "<a href=x><img src=r.png border=0></a><img src=px.png width=5 height=4></td></tr></table>b" +
      cell + "<img src=r.png> <img src=r.png></td></tr></table>c" + cell +
      "\n<img src=r.png>\n</td></tr></table>d<div><img src=r.png></div>e" + cell +
      "<img src=px.png width=1 height=1></td></tr></table>f";
  const std::pair<std::string, std::vector<int>> cases[] = {
      {"", {18, 46, 82, 110, 138, 157}},
      {"<!DOCTYPE html PUBLIC \"-//W3C//DTD XHTML 1.0 Transitional//EN\" "
       "\"http://www.w3.org/TR/xhtml1/DTD/xhtml1-transitional.dtd\">",
       {18, 46, 82, 110, 138, 157}},
      {"<!DOCTYPE html>", {26, 62, 98, 134, 170, 206}},
  };
  for (const auto& [doctype, tops] : cases) {
    Lay(doctype + page);
    for (std::size_t k = 0; k < tops.size(); ++k)
      EXPECT_NEAR(Top(std::string(1, char('a' + k))), tops[k], 1) << doctype << " line " << k;
  }
}

// A light reader: rules for a dark colour scheme never apply, those for a light one do.
TEST_F(PageLayoutTest, ColourSchemeQueriesAnswerLight) {
  const std::pair<const char*, QColor> cases[] = {
      {"@media (prefers-color-scheme:dark){body{background:#000}}", Qt::white},
      {"@media screen and (prefers-color-scheme: dark), print{body{background:#000}}", Qt::white},
      {"@media (prefers-color-scheme: light){body{background:#ff0}}", Qt::yellow},
      {"@media screen and (PREFERS-COLOR-SCHEME: light){body{background:#ff0}}", Qt::yellow},
      {"@media screen{body{background:#ff0}}", Qt::yellow},
  };
  for (const auto& [css, colour] : cases) {
    Lay(std::string("<style>") + css + "</style><p>text");
    EXPECT_EQ(Paint().pixelColor(400, 100), colour) << css;
  }
}

// The screen answers the media type screen; a page being printed answers print.
TEST_F(PageLayoutTest, PrintedPagesAnswerTheMediaTypePrint) {
  const std::string page =
      "<style>@media print{.nav{display:none}}@media screen{.paper{display:none}}"
      "@media only print{p.note{font-size:32px}}</style>"
      "<p class=nav>menu<p class=paper>printed<p class=note>MMMM";
  Lay(page);
  EXPECT_EQ(Top("menu"), 8);
  EXPECT_NEAR(Word("MMMM").width(), 58, 2);
  for (const TPageItem& item : page_->Items())
    EXPECT_NE(page_->Text().substr(item.TextStart, item.TextLength), "printed");
  Lay(page, 800, true);
  EXPECT_EQ(Top("printed"), 8);
  EXPECT_NEAR(Word("MMMM").width(), 116, 3);
  for (const TPageItem& item : page_->Items())
    EXPECT_NE(page_->Text().substr(item.TextStart, item.TextLength), "menu");
}

TEST_F(PageLayoutTest, BorderKeywordsAndTextShadowsAreDrawn) {
  Lay("<style>div{border:thin solid #000;height:20px}</style><div></div>"
      "<div style=\"border-top:thick solid #00f;border-bottom-style:solid\"></div>");
  const QImage borders = Paint();
  EXPECT_EQ(borders.pixelColor(100, 8), QColor(Qt::black));
  EXPECT_EQ(borders.pixelColor(100, 9), QColor(Qt::white));
  EXPECT_EQ(borders.pixelColor(100, 29), QColor(Qt::black));
  EXPECT_EQ(borders.pixelColor(100, 30 + 4), QColor(Qt::blue));  // 5 pixels
  EXPECT_NE(borders.pixelColor(100, 30 + 5), QColor(Qt::blue));
  Lay("<h1 style=\"text-shadow:4px 4px 0 #f00\">MMMM</h1>");
  const QImage shadow = Paint();
  const QRect word = Word("MMMM");
  int red = 0;
  for (int y = word.top(); y <= word.bottom() + 4; ++y)
    for (int x = word.left(); x <= word.right() + 4; ++x)
      red += shadow.pixelColor(x, y) == QColor(Qt::red);
  EXPECT_GT(red, 50);
  // A blurred shadow fades out around the text: pale red beside the word, none further away.
  Lay("<h1 style=\"text-shadow:0 0 8px #f00\">MMMM</h1>");
  const QImage blurred = Paint();
  const QRect blurWord = Word("MMMM");
  int pale = 0, beyond = 0;
  for (int y = blurWord.top(); y <= blurWord.bottom(); ++y) {
    for (int x = blurWord.right() + 1; x <= blurWord.right() + 4; ++x) {
      const QColor colour = blurred.pixelColor(x, y);
      pale += colour.red() > colour.green() && colour.green() > 0;
    }
    beyond += blurred.pixelColor(blurWord.right() + 12, y) != QColor(Qt::white);
  }
  EXPECT_GT(pale, 5);
  EXPECT_EQ(beyond, 0);
}

}  // namespace
}  // namespace shelf::test
