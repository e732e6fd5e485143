#include "book/interface_description.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <ctime>

#include "platform/cp1251.h"
#include "store/compr_stream.h"

namespace shelf {
namespace {

const TBookFolders kFolders{"d:\\book\\run\\", "d:\\book\\", "d:\\", {}, {}, {}};

std::string Cp(const std::string& utf8) {
  return *Utf8ToCp1251(utf8);
}

// A book file from UTF-8 text with '\n' line ends, as it lies on the disc.
TComprStream BookFile(std::string_view text) {
  std::string bytes;
  for (char c : Cp(std::string(text))) bytes += c == '\n' ? std::string("\r\n") : std::string(1, c);
  return TComprStream(bytes);
}

// Both passes over a Struct.txt (or another file with its own vocabulary).
TInterfaceDescription Parse(std::string_view text,
                            TDescriptionVocabulary vocabulary = TDescriptionVocabulary::Book) {
  TComprStream stream = BookFile(text);
  const TDynamicStringArray lines = ReadDescriptionLines(stream);
  TInterfaceDescription description(vocabulary);
  description.ReadMainKeywords(lines, kFolders);
  description.ReadSections(lines, kFolders);
  return description;
}

std::vector<std::size_t> ProblemLines(const TInterfaceDescription& description) {
  std::vector<std::size_t> lines;
  for (const auto& problem : description.Problems) lines.push_back(problem.Line);
  return lines;
}

TEST(InterfaceDescription, SectionOnItsHeaderLineIsReadWhole) {
  const auto d = Parse("1_path vx=10;vy=10;vw=200;vh=30;pathdef=c:\\;hint=Папка\n");
  RPathInput expected{10, 10, 200, 30, "c:\\", 0, Cp("Папка")};
  EXPECT_EQ(d.PathInputs, TDynamicPathInputArray{expected});
  EXPECT_TRUE(d.Problems.empty());
}

TEST(InterfaceDescription, ButtonKeywordsSpreadOverLinesWithCaptionsBetween) {
  const auto d = Parse(R"(2Button vx=5;vy=-7
TextCaption=Open;texttx=1;textty=2;textbx=30;textby=40
fn1=a.bmp;fn2=b.bmp;fn3=c.bmp
textfontstyleup=Bold Italic;textfontstylemv=underline strikeout;textfontcolorup=0,0,255
go=html=page.htm;hint=Открыть;wav=click.wav;textfontsize=12
)");
  ASSERT_EQ(d.Screens.size(), 2u);
  ASSERT_EQ(d.Screens[1].Buttons.size(), 1u);
  RBtn expected;
  expected.Left = 5;
  expected.Top = -7;
  expected.Caption = "open";
  expected.CaptionLeft = 1;
  expected.CaptionTop = 2;
  expected.CaptionRight = 30;
  expected.CaptionBottom = 40;
  expected.StyleUp = kStyleBold | kStyleItalic;
  expected.StyleMove = kStyleUnderline | kStyleStrikeOut;
  expected.ColorUp = 255 * 65536;
  expected.PictureUp = "a.bmp";
  expected.PictureMove = "b.bmp";
  expected.PictureDown = "c.bmp";
  expected.Command = "html=page.htm";
  expected.Hint = Cp("Открыть");
  expected.Sound = "click.wav";  // textfontsize after wav is not seen: FontSize stays 0
  EXPECT_EQ(d.Screens[1].Buttons[0], expected);
  EXPECT_TRUE(d.Screens[0].Buttons.empty());
}

TEST(InterfaceDescription, SwitchesReadStateAndCommands) {
  const auto d = Parse(R"(1switchone vx=1;vy=2;fn1=a;fn2=b;fn3=c;fn4=d;State=On;store=ON
textcaptionup=off;texttxup=3;texttydn=4;textfontstylemvdn=bold;textfontcolormvup=1,2,3
goup=html=..\a.htm;godown=html=b.htm;hint=h;wav=no
1switchgrp vx=1;vy=2;fn1=a;fn2=b;fn3=c;fn4=d;state=onx;store=off;group=3
textcaptiondn=2d;textbx=9
go=screen2;hint=h;wav=no;textby=5
)");
  ASSERT_EQ(d.Screens.size(), 1u);
  ASSERT_EQ(d.Screens[0].SwitchesOne.size(), 1u);
  const RSwthOne& one = d.Screens[0].SwitchesOne[0];
  EXPECT_EQ(one.State, 1);
  EXPECT_EQ(one.Store, 1);
  EXPECT_EQ(one.CaptionUp, "off");
  EXPECT_EQ(one.CaptionLeftUp, 3);
  EXPECT_EQ(one.CaptionTopDown, 4);
  EXPECT_EQ(one.StyleMoveDown, kStyleBold);
  EXPECT_EQ(one.ColorMoveUp, 1 + 2 * 256 + 3 * 65536);
  EXPECT_EQ(one.CommandUp, "html=d:\\book\\a.htm");
  EXPECT_EQ(one.CommandDown, "html=d:\\book\\run\\b.htm");
  EXPECT_EQ(one.PictureDown, "d");
  ASSERT_EQ(d.Screens[0].SwitchesGrp.size(), 1u);
  const RSwthGrp& group = d.Screens[0].SwitchesGrp[0];
  EXPECT_EQ(group.State, 0);
  EXPECT_EQ(group.Store, 0);
  EXPECT_EQ(group.Group, 3);
  EXPECT_EQ(group.CaptionDown, "2d");
  EXPECT_EQ(group.CaptionRight, 9);
  EXPECT_EQ(group.CaptionBottom, 0);  // on the line of the next main keyword: not seen
  EXPECT_EQ(group.Command, "screen2");
}

TEST(InterfaceDescription, EveryOtherRecordKindIsRead) {
  const auto d = Parse(R"(1_html vx=1;vy=2;vw=3;vh=4;fn=..\html\start.htm;number=1
2_findtxt vx=1;vy=2;vw=3;vh=4;frame=main;nofiles=[index.htm;
skip\*.htm];number=2;hint=Найти
1_clip vx=1;vy=2;vw=3;vh=4;bgcolor=255,0,0;html=1
1_text vx=1;vy=2;vw=3;font=Arial;size=10;style=bold;color=0,255,0;value=Текст;ident=statusline
number=1000
3_image vx=1;vy=2;vw=3;vh=4;dir=..\pics
1_tree vw=200;vh=300;colorselect=0,0,128
colorselecttext=255,255,255;fn=contents.txt
1_splitter color=192,192,192
)");
  EXPECT_EQ(d.PageAreas, (TDynamicHTMLArray{{1, 2, 3, 4, "d:\\book\\html\\start.htm", 1, 0}}));
  EXPECT_EQ(d.FindBoxes,
            (TDynamicFindTxtArray{{1,
                                   2,
                                   3,
                                   4,
                                   "main",
                                   {"d:\\book\\run\\index.htm", "", "d:\\book\\run\\skip\\*.htm"},
                                   2,
                                   1,
                                   Cp("Найти")}}));
  EXPECT_EQ(d.Clips, (TDynamicClipArray{{1, 2, 3, 4, 255, 1, 0}}));
  EXPECT_EQ(d.Texts, (TDynamicTextArray{{1, 2, 3, "arial", 10, "bold", 255 * 256, Cp("Текст"), 1000,
                                         0, "statusline"}}));
  EXPECT_EQ(d.Images, (TDynamicImageArray{{1, 2, 3, 4, "d:\\book\\pics\\", 2}}));
  EXPECT_EQ(d.Trees, (TDynamicTreeArray{{200, 300, 128 * 65536, 0xFFFFFF, "contents.txt", 0}}));
  EXPECT_EQ(d.Splitters, (TDynamicSplitterArray{{192 + 192 * 256 + 192 * 65536, 0}}));
  EXPECT_TRUE(d.Screens.empty());  // none of these kinds is kept per screen
  EXPECT_TRUE(d.Problems.empty());
}

TEST(InterfaceDescription, PopupListsRunOverLinesAndNamesBecomePaths) {
  const auto d = Parse(R"(1_popup xfon=-1;yfon=-1;fnfon=back.bmp;xbtn=-1;ybtn=5
fnbtnup=[i1.bmp
i2.bmp]
fnbtnmove=[m.bmp]
fnbtndown=[d.bmp]
fontup=Arial;sizeup=9;styleup=bold;colorup=0,0,0;fontmv=Arial;sizemv=9;stylemv=;colormv=255,0,0
caption=[Назад;Стр. 2]
go=[back;html=a.htm]
parent=none;type=HistoryBack
vertex=[0,0;10,0;10,10]
)");
  ASSERT_EQ(d.Screens.size(), 1u);
  ASSERT_EQ(d.Screens[0].Popups.size(), 1u);
  const RPopupData& popup = d.Screens[0].Popups[0];
  EXPECT_EQ(popup.BackLeft, -1);
  EXPECT_EQ(popup.BackPicture, "back.bmp");
  EXPECT_EQ(popup.ButtonTop, 5);
  EXPECT_EQ(popup.ButtonPicturesUp,
            (TDynamicStringArray{"d:\\book\\run\\i1.bmp", "d:\\book\\run\\i2.bmp"}));
  EXPECT_EQ(popup.ButtonPicturesDown, TDynamicStringArray{"d:\\book\\run\\d.bmp"});
  EXPECT_EQ(popup.FontMove, "arial");
  EXPECT_EQ(popup.StyleMove, "");
  EXPECT_EQ(popup.ColorMove, 255);
  // A caption with a '.' is taken for a file name.
  EXPECT_EQ(popup.Captions, (TDynamicStringArray{Cp("Назад"), Cp("d:\\book\\run\\Стр. 2")}));
  EXPECT_EQ(popup.Commands, (TDynamicStringArray{"back", "html=d:\\book\\run\\a.htm"}));
  EXPECT_EQ(popup.Parent, "none");
  EXPECT_EQ(popup.Kind, kPopupHistoryBack);
  EXPECT_EQ(popup.Vertices, (TDynamicStringArray{"0,0", "10,0", "10,10"}));
}

TEST(InterfaceDescription, PopupTypeWordsAndNumbers) {
  const struct {
    const char* type;
    std::int32_t kind;
    std::size_t problems;
  } cases[] = {{"historyforward", kPopupHistoryForward, 0},
               {"Favorite", kPopupFavorite, 0},
               {"contexthtml", kPopupContextHtml, 0},
               {"12", 12, 0},
               {"menu", 0, 1}};
  for (const auto& c : cases) {
    const auto d = Parse(std::string("1_popup xfon=1;yfon=1;fnfon=f;xbtn=1;ybtn=1;fnbtnup=[a]\n") +
                         "fnbtnmove=[a]\nfnbtndown=[a]\nfontup=f;sizeup=1;styleup=s;colorup=1,1,1\n"
                         "fontmv=f;sizemv=1;stylemv=s;colormv=1,1,1\ncaption=[a]\ngo=[a]\n"
                         "parent=p;type=" +
                         c.type + ";vertex=[]\n");
    ASSERT_EQ(d.Screens.at(0).Popups.size(), 1u) << c.type;
    EXPECT_EQ(d.Screens[0].Popups[0].Kind, c.kind) << c.type;
    EXPECT_EQ(d.Problems.size(), c.problems) << c.type;
  }
}

TEST(InterfaceDescription, ScreenLinesAppendTheTitleButtons) {
  const auto d = Parse(R"(minimize vx=700;vy=2;fn1=min.bmp;fn2=min2.bmp;fn3=min3.bmp
hint=Свернуть;wav=no;close
vx=740;vy=2;fn1=x.bmp;fn2=x2.bmp;fn3=x3.bmp;hint=Выход;wav=bye.wav
1button vx=1;vy=1;fn1=a;fn2=b;fn3=c;go=help;hint=h;wav=no
1_screen=fon1.bmp
1_screen=fon1b.bmp
3_screen=fon3.bmp
)");
  EXPECT_EQ(d.MinimizeButton.Command, "minimize");
  EXPECT_EQ(d.MinimizeButton.Left, 700);
  EXPECT_EQ(d.MinimizeButton.PictureDown, "min3.bmp");
  EXPECT_EQ(d.MinimizeButton.Hint, Cp("Свернуть"));
  EXPECT_EQ(d.CloseButton.Command, "exit");
  EXPECT_EQ(d.CloseButton.Left, 740);
  EXPECT_EQ(d.CloseButton.Sound, "bye.wav");

  ASSERT_EQ(d.Screens.size(), 3u);
  const TDynamicBtnArray& buttons = d.Screens[0].Buttons;
  ASSERT_EQ(buttons.size(), 5u);  // two "_screen" lines: the title buttons twice
  EXPECT_EQ(buttons[0].Command, "help");
  EXPECT_EQ(buttons[1], d.MinimizeButton);
  EXPECT_EQ(buttons[2], d.CloseButton);
  EXPECT_EQ(buttons[3], d.MinimizeButton);
  EXPECT_EQ(buttons[4], d.CloseButton);
  EXPECT_EQ(d.Screens[0].Background, "fon1b.bmp");
  EXPECT_EQ(d.Screens[1].Background, "");
  EXPECT_TRUE(d.Screens[1].Buttons.empty());
  EXPECT_EQ(d.Screens[2].Buttons.size(), 2u);
  EXPECT_TRUE(d.Problems.empty());
}

TEST(InterfaceDescription, ScreenNumberIsTheFirstNumberWhereverItStands) {
  const auto d = Parse(R"(button2 vx=1;vy=1;fn1=a;fn2=b;fn3=c;go=help;hint=h;wav=no
_html1 vx=1;vy=2;vw=3;vh=4;fn=a.htm;number=1
_screen2=fon2.bmp
)");
  ASSERT_EQ(d.Screens.size(), 2u);
  ASSERT_EQ(d.Screens[1].Buttons.size(), 3u);  // the button, then the screen's title buttons
  EXPECT_EQ(d.Screens[1].Buttons[0].Command, "help");
  ASSERT_EQ(d.PageAreas.size(), 1u);
  EXPECT_EQ(d.PageAreas[0].Screen, 0);
  EXPECT_TRUE(d.Problems.empty());
}

TEST(InterfaceDescription, WithoutTitleBlocksScreensStillGetTwoEmptyButtons) {
  const auto d = Parse("1_screen=fon.bmp\n");
  ASSERT_EQ(d.Screens.size(), 1u);
  EXPECT_EQ(d.Screens[0].Buttons, (TDynamicBtnArray{RBtn{}, RBtn{}}));
  EXPECT_EQ(d.Screens[0].Background, "fon.bmp");
}

TEST(InterfaceDescription, MainKeywordsIncludingBlocksAndListsOverLines) {
  const auto d = Parse(R"(codec=indeo5 mpegaudio
rolic=intro.avi;background=no
helpwin vw=640
vh=480;fn=..\help\car.hlp;icon=car.ico
bgsounddef=[music\a.mid;
music\b.mid]
vertexmain=[0,0;800, 0;x,1;800,600]
)");
  EXPECT_EQ(d.CodecWords, "indeo5 mpegaudio");
  EXPECT_EQ(d.StartClip, "intro.avi");
  EXPECT_EQ(d.StartClipBackground, "no");
  EXPECT_EQ(d.HelpFile, "d:\\book\\help\\car.hlp");
  EXPECT_EQ(d.IconFile, "car.ico");  // found on the line where the helpwin block ended
  EXPECT_EQ(d.Songs, (TDynamicStringArray{"d:\\book\\run\\music\\a.mid", "",
                                          "d:\\book\\run\\music\\b.mid"}));
  EXPECT_EQ(d.WindowShape, (std::vector<QPoint>{{0, 0}, {800, 0}, {800, 600}}));
  EXPECT_EQ(ProblemLines(d), std::vector<std::size_t>{7});  // the vertex "x,1"
}

TEST(InterfaceDescription, WindowShapeKeepsAtMostTwoThousandVertices) {
  std::string shape = "vertexmain=[";
  for (int i = 0; i < 2001; ++i) shape += std::to_string(i) + ",0;";
  shape.back() = ']';
  const auto d = Parse(shape + "\n");
  EXPECT_EQ(d.WindowShape.size(), kMaxWindowVertices);
  EXPECT_EQ(d.Problems.size(), 1u);
}

TEST(InterfaceDescription, FaultyLinesAreLeftOutAndTheParseGoesOn) {
  const auto d = Parse(R"(button vx=a;vy=b;hint=h;wav=no
1_path vx=1;vy=2;vw=3;vh=4;pathdef=c:\;hint=ok
bgsounddef=[a.mid;
1_html vx=1;vy=2;vw=3
1_screen=button1.bmp
)");
  // Line 1 has no screen number; line 3's list never closes; the _html section and the button
  // section that "button1.bmp" opens both run out of lines.
  EXPECT_EQ(ProblemLines(d), (std::vector<std::size_t>{3, 1, 4, 5}));
  EXPECT_EQ(d.PathInputs.size(), 1u);
  EXPECT_TRUE(d.Songs.empty());
  EXPECT_TRUE(d.PageAreas.empty());
  for (const RScreen& screen : d.Screens) EXPECT_TRUE(screen.Buttons.empty());
  EXPECT_EQ(FormatDescriptionProblem(d.Problems[1]).substr(0, 13), "Struct.txt:1:");
}

TEST(InterfaceDescription, TheThesaurusAndPlainWindowsKnowOnlyTheirOwnWords) {
  const std::string text =
      "title=Словарь\nicon=t.ico\nhelpwin vw=1;vh=1;fn=help.htm\nrolic=film.avi\n"
      "close vx=10;vy=10;fn1=x1.bmp;fn2=x2.bmp;fn3=x3.bmp;hint=Закрыть;wav=no\n"
      "1_screen=t.bmp\n"
      "1button vx=1;vy=2;fn1=a.bmp;fn2=b.bmp;fn3=c.bmp;go=findnext1;hint=Найти;wav=no\n"
      "textcaption=Найти;texttx=1;textty=1;textbx=9;textby=9\n"
      "1_html vx=1;vy=2;vw=30;vh=40;fn=x.htm;number=1\n"
      "1_findtxt vx=1;vy=2;vw=30;vh=12;frame=;nofiles=[];number=1;hint=Слово\n"
      "1_tree vw=248;vh=511;colorselect=1,1,1;colorselecttext=2,2,2;fn=contents.txt\n";
  const TInterfaceDescription thesaurus = Parse(text, TDescriptionVocabulary::Thesaurus);
  EXPECT_EQ(thesaurus.Title, Cp("Словарь"));  // Cyrillic keeps its case
  EXPECT_EQ(thesaurus.IconFile, "t.ico");
  EXPECT_TRUE(thesaurus.HelpFile.empty());
  EXPECT_TRUE(thesaurus.StartClip.empty());
  ASSERT_EQ(thesaurus.Screens.size(), 1u);
  ASSERT_EQ(thesaurus.Screens[0].Buttons.size(), 3u);  // minimise (empty), close, the button
  EXPECT_EQ(thesaurus.Screens[0].Buttons[1].Command, "exit");
  EXPECT_TRUE(thesaurus.Screens[0].Buttons[2].Caption.empty());  // no captions here
  EXPECT_EQ(thesaurus.PageAreas.size(), 1u);
  EXPECT_EQ(thesaurus.FindBoxes.size(), 1u);
  EXPECT_TRUE(thesaurus.Trees.empty());

  const TInterfaceDescription plain = Parse(text, TDescriptionVocabulary::PlainWindow);
  EXPECT_EQ(plain.Title, Cp("Словарь"));
  EXPECT_EQ(plain.HelpFile, "d:\\book\\run\\help.htm");
  EXPECT_TRUE(plain.Screens.empty());
  EXPECT_TRUE(plain.PageAreas.empty());

  const TInterfaceDescription book = Parse(text);
  EXPECT_TRUE(book.Title.empty());  // the book's title comes from Title.txt
  EXPECT_EQ(book.StartClip, "film.avi");
}

TEST(InterfaceDescription, TitleIsTheLastNonEmptyLineAsWritten) {
  TComprStream title = BookFile("Книга\nCar Manual\n\n");
  EXPECT_EQ(ReadTitle(title), "Car Manual");
  TComprStream empty = BookFile("");
  EXPECT_EQ(ReadTitle(empty), "");
}

// Hostile files: reading stays linear in the file (an incomplete section or an unclosed list
// used to rescan or copy every line after it), and numbers that would overflow the geometry
// are cut to the bound with a problem on their line.
TEST(InterfaceDescription, IncompleteSectionsAndUnclosedListsReadInLinearTime) {
  std::string buttons, popups;
  for (int i = 0; i < 40000; ++i) buttons += "1button\n";
  // Every keyword of a popup on its line, its lists opened and never closed.
  for (int i = 0; i < 8000; ++i)
    popups +=
        "1_popup xfon=1;yfon=2;fnfon=a;xbtn=1;ybtn=1;fnbtnup=[a;fnbtnmove=b;fnbtndown=c;fontup=f;"
        "sizeup=1;styleup=s;colorup=1;fontmv=f;sizemv=1;stylemv=s;colormv=1;caption=x;go=g;"
        "parent=p;type=1;vertex=v\n";
  for (const std::string* text : {&buttons, &popups}) {
    // Processor time, so that a busy machine does not count: quadratic reading took 13 to 19 s
    // in a release build, linear reading takes a small fraction of a second.
    const std::clock_t start = std::clock();
    const auto d = Parse(*text);
    EXPECT_LT(double(std::clock() - start) / CLOCKS_PER_SEC, 10.0);
    EXPECT_GE(d.Problems.size(), 8000u);
  }
}

TEST(InterfaceDescription, NumbersBeyondTheGeometryBoundAreCut) {
  const auto d = Parse(
      "-2147483648_path vx=1;vy=1;vw=1;vh=1;pathdef=c:\\;hint=x\n"
      "1_path vx=2147483647;vy=-2147483648;vw=99999999;vh=1;pathdef=c:\\;hint=x\n"
      "vertexmain=[0,0;2147483647,1;5,5]\n");
  ASSERT_EQ(d.PathInputs.size(), 1u);
  EXPECT_EQ(d.PathInputs[0].Left, 1000000);
  EXPECT_EQ(d.PathInputs[0].Top, -1000000);
  EXPECT_EQ(d.PathInputs[0].Right, 1000000);
  EXPECT_EQ(d.WindowShape, (std::vector<QPoint>{{0, 0}, {5, 5}}));
  const auto lines = ProblemLines(d);
  EXPECT_EQ(std::count(lines.begin(), lines.end(), 1u), 1);  // no screen number
  EXPECT_EQ(std::count(lines.begin(), lines.end(), 2u), 3);  // three values cut
  EXPECT_EQ(std::count(lines.begin(), lines.end(), 3u), 1);  // one vertex left out
}

}  // namespace
}  // namespace shelf
