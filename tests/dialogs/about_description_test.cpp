#include "dialogs/about_description.h"

#include <gtest/gtest.h>

#include "platform/cp1251.h"
#include "store/book_text.h"

namespace shelf {
namespace {

const TBookFolders kFolders{"d:\\book\\run\\", "d:\\book\\", "d:\\", {}, {}, {}};

TAboutDescription Read(const std::string& utf8) {
  TAboutDescription description;
  TDynamicStringArray lines;
  for (const auto& line : SplitText("\n", *Utf8ToCp1251(utf8))) lines.push_back(line);
  description.Read(lines, kFolders);
  return description;
}

TEST(AboutDescription, PictureOutlineTextsAndButtonsWithKeywordsSpreadOverLines) {
  const TAboutDescription d = Read(
      "; the box of the sample book\n"
      "Text VX=20;vy=30;font=Times New Roman;size=14\n"
      "style=Bold Italic;color=0,0,128;value=Руководство · Автор\n"
      "idenf=Plain\n"
      "Picture=About.BMP\n"
      "vertex=[0,0;400,0;\n"
      "400,300;0,300]\n"
      "button vx=300;vy=250;fn1=Ok1.bmp\n"
      "fn2=Ok2.bmp;hint=Закрыть окно;wav=Click.WAV\n"
      "text vx=20;vy=200;font=arial;size=10;style=underline;color=0,0,255\n"
      "value=Mail@Example.ru?Subject=Книга;idenf=URL\n"
      "button vx=1;vy=2;fn1=a.bmp;fn2=b.bmp;hint=the lines run out first\n");
  EXPECT_EQ(d.Picture, "About.BMP");
  EXPECT_EQ(d.Outline, (std::vector<QPoint>{{0, 0}, {400, 0}, {400, 300}, {0, 300}}));

  ASSERT_EQ(d.Texts.size(), 2u);
  const RAboutText& title = d.Texts[0];
  EXPECT_EQ(title.Left, 20);
  EXPECT_EQ(title.Top, 30);
  EXPECT_EQ(title.FontName, "Times New Roman");
  EXPECT_EQ(title.FontSize, 14);
  EXPECT_EQ(title.Style, "bold italic");
  EXPECT_EQ(title.Color, 128 * 65536);
  EXPECT_EQ(Cp1251ToUtf8(title.Value), "Руководство · Автор");
  EXPECT_EQ(title.Idenf, "plain");
  EXPECT_EQ(d.Texts[1].Value, "Mail@Example.ru?Subject=" + *Utf8ToCp1251("Книга"));
  EXPECT_EQ(d.Texts[1].Idenf, "url");

  // The last button lacks its sound: it is left out and named among the problems.
  ASSERT_EQ(d.Buttons.size(), 1u);
  const RBtn& ok = d.Buttons[0];
  EXPECT_EQ(ok.Left, 300);
  EXPECT_EQ(ok.Top, 250);
  EXPECT_EQ(ok.PictureUp, "Ok1.bmp");
  EXPECT_EQ(ok.PictureMove, "Ok2.bmp");
  EXPECT_EQ(Cp1251ToUtf8(ok.Hint), "Закрыть окно");
  EXPECT_EQ(ok.Sound, "click.wav");
  ASSERT_EQ(d.Problems.size(), 1u) << FormatDescriptionProblem(d.Problems.front());
  EXPECT_EQ(d.Problems[0].Line, 12u);
  EXPECT_NE(d.Problems[0].Message.find("\"wav\""), std::string::npos);
}

TEST(AboutDescription, AnOutlineWithAFaultyPointKeepsTheOthersAndAnUnclosedListIsLeftOut) {
  const TAboutDescription faulty = Read("picture=a.bmp\nvertex=[0,0;10;20,0;20,20]\n");
  EXPECT_EQ(faulty.Outline, (std::vector<QPoint>{{0, 0}, {20, 0}, {20, 20}}));
  EXPECT_EQ(faulty.Problems.size(), 1u);
  const TAboutDescription open = Read("picture=a.bmp\nvertex=[0,0;20,0;20,20\n");
  EXPECT_TRUE(open.Outline.empty());
  EXPECT_EQ(open.Picture, "a.bmp");
}

TEST(AboutDescription, ALinkOpensTheWholeTextAndShowsWhatComesBeforeTheQuestionMark) {
  const struct {
    const char* text;
    const char* target;
    const char* shown;
  } cases[] = {
      {"www.example.ru", "www.example.ru", "www.example.ru"},
      {"http://example.ru/find?q=1", "http://example.ru/find?q=1", "http://example.ru/find"},
      {"book@example.ru?subject=About", "mailto:book@example.ru?subject=About", "book@example.ru"},
      {"?only", "?only", ""},
  };
  for (const auto& c : cases) {
    const TAboutLink link = AboutLink(c.text);
    EXPECT_EQ(link.Target, c.target) << c.text;
    EXPECT_EQ(link.Shown, c.shown) << c.text;
  }
}

}  // namespace
}  // namespace shelf
