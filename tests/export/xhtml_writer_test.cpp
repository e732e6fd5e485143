// Old pages written as EPUB content documents: each case is a page as books write them and
// what its XHTML must (and must not) hold; every result must be well-formed XML.
#include "export/xhtml_writer.h"

#include <gtest/gtest.h>

#include <QXmlStreamReader>
#include <map>

#include "export/html_tree.h"
#include "export/xhtml_host.h"
#include "export/xhtml_rules.h"
#include "platform/cp1251.h"

namespace shelf {
namespace {

// Links to "*.htm" go to "*.xhtml", pictures named "pic*" exist; everything else gets a note.
class TFakeHost : public TXhtmlHost {
 public:
  std::map<std::string, std::string> Frames;  // url -> page source (UTF-8)

  std::string LinkHref(const char* url, const std::string&, std::string& note) override {
    const std::string link(url);
    if (link.find(':') == std::string::npos && link.ends_with(".htm") ||
        link.find(".htm#") != std::string::npos)
      return link.substr(0, link.find(".htm")) + ".xhtml" + link.substr(link.find(".htm") + 4);
    note = "[note " + link + "]";
    return {};
  }
  std::string PictureHref(const char* url, const std::string&, std::string& note) override {
    if (std::string(url).starts_with("pic")) return "images/" + std::string(url) + ".png";
    note = "[no picture]";
    return {};
  }
  std::string SoundHref(const char* url, const std::string&, std::string& note) override {
    note = "[sound " + std::string(url) + "]";
    return {};
  }
  std::unique_ptr<THtmlTree> FramePage(const char* url, const std::string&, std::string& file,
                                       std::string& note) override {
    const auto page = Frames.find(url);
    if (page == Frames.end()) {
      note = "[no frame]";
      return nullptr;
    }
    file = std::string("d:\\book\\run\\") + url;
    return std::make_unique<THtmlTree>(*Utf8ToCp1251(page->second));
  }
};

std::string WriteXhtml(const std::string& utf8Page, TFakeHost& host) {
  const THtmlTree tree(Utf8ToCp1251Lossy(utf8Page));
  TXhtmlWriter writer(host);
  std::string title = "Заголовок";
  return writer.Write(tree, "d:\\book\\run\\page.htm", title);
}

std::string XmlProblem(const std::string& xhtml) {
  QXmlStreamReader reader(QByteArray::fromStdString(xhtml));
  while (!reader.atEnd()) reader.readNext();
  return reader.hasError() ? reader.errorString().toStdString() : std::string();
}

struct RCase {
  const char* name;
  const char* page;
  std::vector<const char*> present;
  std::vector<const char*> absent;
};

TEST(XhtmlWriterTest, OldPagesBecomeValidXhtmlThatLooksTheSame) {
  const RCase cases[] = {
      {"font round a table becomes a styled block",
       "<body><font face=\"Arial, Helv\" color=ffcc00 size=4><table><tr><td>x</td></tr></table>"
       "</font></body>",
       {"<div style=\"color:#ffcc00;font-family:'Arial','Helv';font-size:1.17em;\"><table>"},
       {"<font", "<span"}},
      {"font round text stays inline",
       "<p>a <font size=+2 color=red>b</font></p>",
       {"<p>a <span style=\"color:red;font-size:1.5em;\">b</span></p>"},
       {}},
      {"centre and alignment",
       "<center>c</center><p align=RIGHT>r</p>",
       {"<div style=\"text-align:center;\">c</div>", "<p style=\"text-align:right;\">r</p>"},
       {"<center"}},
      {"body colours and link colours",
       "<body bgcolor=#FFFFFF text=\"#1A1A1A\" link=\"#1F4E79\" vlink=#6B3D7A>t</body>",
       {"<body style=\"background-color:#ffffff;color:#1a1a1a;\">",
        "<style type=\"text/css\">a:link{color:#1f4e79}a:visited{color:#6b3d7a}</style>"},
       {}},
      {"a list used to indent paragraphs",
       "<ul><p>one</p><p>two</p></ul>",
       {"<div style=\"margin:1em 0 1em 40px;\"><p>one</p>"},
       {"<ul"}},
      {"a proper list keeps its items",
       "<ol type=a start=3><li>x<li value=7>y</ol>",
       {"<ol start=\"3\" style=\"list-style-type:lower-alpha;\"><li>x</li><li value=\"7\">y</li>"},
       {}},
      {"an item outside a list",
       "<div><li>x</li></div>",
       {"<div style=\"display:list-item;margin-left:1.5em;\">x</div>"},
       {"<li>"}},
      {"a paragraph holding a table",
       "<p>text<table><tr><td>c</td></tr></table></p>",
       {"<div style=\"margin:1em 0;\">text<table>"},
       {}},
      {"anchors become ids, once each",
       "<a name=top></a><a name=\"глава 1\">x</a><a name=top>again</a><h3 id=\"top\">h</h3>",
       {"<span id=\"top\"></span>", "<span id=\"id-", "<span>again</span>", "<h3>h</h3>"},
       {"name="}},
      {"links rewritten or left as text with a note",
       "<a href=\"b.htm#part\" target=main>B</a> <a href=\"printhtml:b.htm\">print</a>",
       {"<a href=\"b.xhtml#part\">B</a>",
        "<span>print</span> <span class=\"note\">[note printhtml:b.htm]</span>"},
       {"target="}},
      {"pictures",
       "<img src=pic1 width=340 height=50% align=left border=0 hspace=4>"
       "<img src=gone alt=\"Схема\">",
       {"<img src=\"images/pic1.png\" alt=\"\" width=\"340\" style=\"height:50%;border:0px "
        "solid;float:left;margin-left:4px;margin-right:4px;\"/>",
        "Схема <span class=\"note\">[no picture]</span>"},
       {"src=\"gone"}},
      {"table borders, padding and cell hints",
       "<table border=1 cellpadding=3 cellspacing=0 bgcolor=\"#F4F7FA\" width=\"100%\" "
       "align=center><tr bgcolor=#C9D8E6 valign=top><th width=\"22%\">h</th><td nowrap "
       "colspan=2 align=center>c</td></tr></table>",
       {"<table style=\"background-color:#f4f7fa;border:1px outset #a0a0a0;border-spacing:0px;"
        "width:100%;margin-left:auto;margin-right:auto;\">",
        "<tr style=\"background-color:#c9d8e6;\">",
        "<th style=\"padding:3px;vertical-align:top;border:1px inset #a0a0a0;width:22%;\">h</th>",
        "<td colspan=\"2\" style=\"padding:3px;vertical-align:top;border:1px inset "
        "#a0a0a0;text-align:center;white-space:nowrap;\">c</td>"},
       {"bgcolor", "cellpadding"}},
      {"text escaped",
       "<p title='\"q\"'>a &lt; b &amp; c</p>",
       {"<p title=\"&quot;q&quot;\">a &lt; b &amp; c</p>"},
       {}},
      {"scripts, styles and hidden fields dropped",
       "<script>alert(1)</script><style>p{}</style><input type=hidden name=h value=1>"
       "<form action=x><input name=n value=v></form>",
       {"<input type=\"text\" name=\"n\" value=\"v\"/>"},
       {"alert", "p{}", "hidden", "<form"}},
      {"list fields keep their entries",
       "<select name=sn><option value=1>first<option selected>second</select>",
       {"<select name=\"sn\"><option value=\"1\">first</option><option "
        "selected=\"selected\">second</option></select>"},
       {}},
      {"sounds and unknown tags",
       "<embed src=\"song.mid\"><blah>inner</blah>",
       {"<span class=\"note\">[sound song.mid]</span>", "inner"},
       {"blah"}},
      {"page styles kept when plain",
       "<p style=\"color: red; width:100; background:url(x.gif); "
       "x:{}\">s</p>",
       {"<p style=\"color:red;width:100px;\">s</p>"},
       {"url("}},
  };
  for (const RCase& c : cases) {
    TFakeHost host;
    const std::string xhtml = WriteXhtml(c.page, host);
    EXPECT_EQ(XmlProblem(xhtml), "") << c.name << "\n" << xhtml;
    for (const char* text : c.present)
      EXPECT_NE(xhtml.find(text), std::string::npos) << c.name << ": no " << text << "\n" << xhtml;
    for (const char* text : c.absent)
      EXPECT_EQ(xhtml.find(text), std::string::npos) << c.name << ": has " << text << "\n" << xhtml;
  }
}

TEST(XhtmlWriterTest, TextKeepsOnlyWhatXmlCanHold) {
  // Controls, C1 controls and the two non-characters go; the rest is escaped.
  EXPECT_EQ(XmlText("a\x01<b\tc\xc2\x85\xc2\xa0&\xef\xbf\xbe\"\xef\xbf\xbd"),
            "a&lt;b\tc\xc2\xa0&amp;&quot;\xef\xbf\xbd");
}

TEST(XhtmlWriterTest, FramesAreWrittenIntoThePageInOrder) {
  TFakeHost host;
  host.Frames = {{"top.htm", "<body bgcolor=navy><a name=t>Верх</a></body>"},
                 {"nested.htm",
                  "<frameset rows=\"*,*\"><frame src=\"main.htm\">"
                  "<frame src=\"nested.htm\"><frame src=\"gone.htm\"></frameset>"},
                 {"main.htm", "<p>Основная</p><a href=\"top.htm#t\">вверх</a>"}};
  const std::string xhtml = WriteXhtml(
      "<title>Рамки</title><frameset cols=\"20%,*\"><frame src=\"top.htm\">"
      "<frame src=\"nested.htm\"><noframes>без рамок</noframes></frameset>",
      host);
  EXPECT_EQ(XmlProblem(xhtml), "") << xhtml;
  const std::size_t top = xhtml.find("Верх"), main = xhtml.find("Основная");
  ASSERT_NE(top, std::string::npos) << xhtml;
  ASSERT_NE(main, std::string::npos) << xhtml;
  EXPECT_LT(top, main);
  EXPECT_NE(xhtml.find("<title>Рамки</title>"), std::string::npos);
  EXPECT_NE(xhtml.find("<div class=\"frame\" style=\"background-color:navy;\">"),
            std::string::npos);
  EXPECT_NE(xhtml.find("<a href=\"top.xhtml#t\">"), std::string::npos);
  EXPECT_NE(xhtml.find("[no frame]"), std::string::npos);
  // A frame that shows its own page is not written into itself again.
  EXPECT_EQ(xhtml.find("Основная", main + 1), std::string::npos);
  EXPECT_EQ(xhtml.find("без рамок"), std::string::npos);
  EXPECT_EQ(xhtml.find("<frame"), std::string::npos);
}

TEST(XhtmlWriterTest, HostilePagesStayWellFormed) {
  const std::string deep(5000, '<');
  std::string nested;
  for (int i = 0; i < 3000; ++i) nested += "<font><div><p>";
  const std::string pages[] = {
      nested,
      "<a href=\"\x01\"\"<>&\" title='\"<>&'>x</a><img src=\"pic\" alt=\"<&\">",
      "<table><tr><td><table><caption>c</caption>text<tr><td>" + std::string(100, '<') + "</table>",
      "<dl><dt><table><tr><td>x</td></tr></table></dt><p>loose</p></dl>",
      "<" + std::string(200, 'x') + " a=1 " + std::string(200, 'y') + "=\"2\">z",
      std::string("\0\0<p>\0</p>", 10),
      deep,
  };
  for (const std::string& page : pages) {
    TFakeHost host;
    const THtmlTree tree(page);
    TXhtmlWriter writer(host);
    std::string title = "t";
    const std::string xhtml = writer.Write(tree, "d:\\p.htm", title);
    EXPECT_EQ(XmlProblem(xhtml), "") << page.substr(0, 80) << "\n" << xhtml.substr(0, 2000);
  }
}

}  // namespace
}  // namespace shelf
