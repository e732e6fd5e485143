#include "dialogs/dialog_description.h"

#include <gtest/gtest.h>

#include "book/description_fields.h"
#include "dialogs/dialog_page_layout.h"
#include "platform/cp1251.h"
#include "platform/registry.h"
#include "store/book_text.h"
#include "test_support.h"

namespace shelf {
namespace {

const TBookFolders kFolders{"d:\\book\\run\\", "d:\\book\\", "d:\\", {}, {}, {}};

TDialogDescription Read(const std::string& utf8) {
  TDialogDescription description;
  TDynamicStringArray lines;
  for (const auto& line : SplitText("\n", *Utf8ToCp1251(utf8))) lines.push_back(line);
  description.Read(lines, kFolders);
  return description;
}

TEST(DialogDescription, SectionsInAnyOrderWithKeywordsSpreadOverLines) {
  const TDialogDescription d = Read(
      "; pages are numbered from 1\n"
      "2_switchgrp vx=5;vy=6;fn1=s1.bmp;fn2=s2.bmp;fn3=s3.bmp;fn4=s4.bmp\n"
      "textcaptionup=По Всей КНИГЕ;textfontname=Arial;textfontcolorup=1,2,3\n"
      "state=ON;store=On;group=1;go=FindTxtAll;hint=All Pages;wav=Sw.WAV\n"
      "textcaptiondn=not seen after the last keyword\n"
      "2_switchgrp vx=5;vy=30;fn1=a.bmp;fn2=b.bmp;fn3=c.bmp;fn4=d.bmp;state=off;store=on\n"
      "group=1;go=findtxtlimit;hint=Page;wav=no\n"
      "1_picture=Msg.bmp\n"
      "1_text vx=20;vy=30;vw=180;font=Arial;size=10;style=Bold Italic;color=0,0,128\n"
      "value=Текст\n"
      "1_button vx=10;vy=60;align=Middle;fn1=ok1.bmp;fn2=ok2.bmp;fn3=ok3.bmp\n"
      "go=Yes;hint=OK Button;wav=Click.WAV\n"
      "0_button vx=1\n"
      "_text without a number\n");
  ASSERT_EQ(d.Pages.size(), 2u);
  const RDialogPage& message = d.Pages[0];
  EXPECT_EQ(message.Picture, "Msg.bmp");
  ASSERT_TRUE(message.HasText);
  EXPECT_EQ(message.Text.Left, 20);
  EXPECT_EQ(message.Text.Right, 180);
  EXPECT_EQ(message.Text.FontName, "Arial");
  EXPECT_EQ(message.Text.Style, "bold italic");
  EXPECT_EQ(message.Text.Color, 128 * 65536);
  EXPECT_EQ(message.Text.Value, *Utf8ToCp1251("Текст"));
  ASSERT_EQ(message.Buttons.size(), 1u);
  const RBtn& ok = message.Buttons[0];
  EXPECT_EQ(ok.Align, "middle");
  EXPECT_EQ(ok.Command, "yes");
  EXPECT_EQ(ok.Hint, "OK Button");  // hints keep their case
  EXPECT_EQ(ok.Sound, "click.wav");

  const RDialogPage& find = d.Pages[1];
  EXPECT_TRUE(find.Picture.empty());
  EXPECT_FALSE(find.HasText);
  ASSERT_EQ(find.Switches.size(), 2u);
  const RSwthGrp& all = find.Switches[0];
  EXPECT_EQ(all.State, 1);  // "on" in any case
  EXPECT_EQ(all.Store, 0);  // but stored only when written "on"
  EXPECT_EQ(all.Command, "findtxtall");
  EXPECT_EQ(all.Hint, "All Pages");
  EXPECT_EQ(all.Sound, "sw.wav");
  // The caption line is lower-cased in its Latin letters; Cyrillic keeps its case.
  EXPECT_EQ(all.CaptionUp, *Utf8ToCp1251("По Всей КНИГЕ"));
  EXPECT_EQ(all.FontName, "arial");
  EXPECT_EQ(all.ColorUp, 1 + 2 * 256 + 3 * 65536);
  EXPECT_TRUE(all.CaptionDown.empty());
  EXPECT_EQ(find.Switches[1].Store, 1);
  EXPECT_EQ(find.Switches[1].State, 0);
  EXPECT_EQ(d.Problems.size(), 2u);  // page 0 and the missing number
}

TEST(DialogDescription, ASectionWhoseKeywordsRunOutEndsThere) {
  const TDialogDescription d = Read(
      "1_picture=a.bmp\n"
      "1_button vx=10;vy=60;align=left;fn1=ok1.bmp\n"
      "2_picture=b.bmp\n");  // taken as lines of the unfinished button
  ASSERT_EQ(d.Pages.size(), 1u);
  ASSERT_EQ(d.Pages[0].Buttons.size(), 1u);
  EXPECT_EQ(d.Pages[0].Buttons[0].PictureUp, "ok1.bmp");
  EXPECT_TRUE(d.Pages[0].Buttons[0].PictureMove.empty());
  ASSERT_EQ(d.Problems.size(), 1u);
  EXPECT_EQ(d.Problems[0].File, "Dialog.txt");
}

class StoredDialogSwitches : public test::IsolatedTest {};

TEST_F(StoredDialogSwitches, NamedByPageAndIndexAndKeptOnlyWhenStored) {
  EXPECT_EQ(StoredDialogSwitchName(1, 2), "SwGrpD12");
  std::vector<RDialogPage> pages(2);
  pages[1].Switches.resize(3);
  pages[1].Switches[0].Store = 1;
  pages[1].Switches[1].Store = 1;
  pages[1].Switches[1].State = 1;
  pages[1].Switches[2].State = 1;  // not stored
  {
    TRegistry key;
    ASSERT_TRUE(key.OpenKey("SOFTWARE\\Brevandor\\Test", true));
    WriteStoredDialogSwitches(key, pages);
  }
  TRegistry key;
  ASSERT_TRUE(key.OpenKey("SOFTWARE\\Brevandor\\Test", false));
  EXPECT_EQ(key.ReadBool("SwGrpD10"), false);
  EXPECT_EQ(key.ReadBool("SwGrpD11"), true);
  EXPECT_FALSE(key.ValueExists("SwGrpD12"));
  std::vector<RDialogPage> read(2);
  read[1].Switches.resize(3);
  read[1].Switches[0] = {.Store = 1, .Hover = 1, .State = 1};
  read[1].Switches[1].Store = 1;
  ReadStoredDialogSwitches(key, read);
  EXPECT_EQ(read[1].Switches[0].State, 0);
  EXPECT_EQ(read[1].Switches[0].Hover, 0);
  EXPECT_EQ(read[1].Switches[1].State, 1);
}

TEST(DialogPageLayout, AWideMessageWidensThePageAndMovesButtonsByTheirAlignment) {
  RDialogPage page;
  page.HasText = true;
  page.Text.Left = 20;
  page.Text.Top = 30;
  page.Text.Right = 180;
  for (const char* align : {"left", "middle", "right", "centre"}) {
    RBtn b;
    b.Left = 10;
    b.Top = 60;
    b.Right = 40;
    b.Bottom = 80;
    b.Align = align;
    page.Buttons.push_back(b);
  }
  const TDialogPageLayout wide = LayOutDialogPage(page, QSize(201, 14));
  EXPECT_EQ(wide.Extra, 41);
  EXPECT_EQ(wide.TextAt, QPoint(20, 30));
  EXPECT_EQ(wide.TextClip, QRect(QPoint(20, 30), QPoint(220, 43)));
  const int lefts[] = {10, 30, 51, 51};  // half of 41 rounded down; any other word: right
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(wide.Buttons[i].left(), lefts[i]) << page.Buttons[i].Align;
    EXPECT_EQ(wide.Buttons[i].size(), QSize(30, 20));
  }

  const TDialogPageLayout fits = LayOutDialogPage(page, QSize(100, 14));
  EXPECT_EQ(fits.Extra, 0);
  EXPECT_EQ(fits.TextAt, QPoint(50, 30));  // centred in 160
  EXPECT_EQ(fits.Buttons[2].left(), 10);
  EXPECT_EQ(LayOutDialogPage(page, QSize(160, 14)).Extra, 0);  // exactly as wide: fits

  page.HasText = false;  // no text area: no message, no widening
  EXPECT_EQ(LayOutDialogPage(page, QSize(500, 14)).Extra, 0);
}

TEST(DialogPageLayout, AHugeMessageWidensThePageOnlyUpToTheBound) {
  RDialogPage page;
  page.HasText = true;
  page.Text.Left = -1000000;  // the widest area the description lets through
  page.Text.Right = 1000000;
  EXPECT_EQ(LayOutDialogPage(page, QSize(1500000, 14)).Extra, 0);  // fits
  page.Text.Left = 1000000;
  page.Text.Right = -1000000;
  const TDialogPageLayout layout = LayOutDialogPage(page, QSize(2147483647, 14));
  EXPECT_EQ(layout.Extra, kMaxDialogWidening);
  EXPECT_EQ(layout.TextClip.right(), -1000000 + kMaxDialogWidening - 1);
}

TEST(DialogDescription, NumbersBeyondTheGeometryBoundAreCutOnTheirLine) {
  const TDialogDescription d = Read(
      "1_text vx=-2147483648;vy=2147483647;vw=5;font=Arial;size=1000001;style=bold\n"
      "color=0,0,0;value=x\n");
  ASSERT_EQ(d.Pages.size(), 1u);
  EXPECT_EQ(d.Pages[0].Text.Left, -kMaxDescriptionNumber);
  EXPECT_EQ(d.Pages[0].Text.Top, kMaxDescriptionNumber);
  EXPECT_EQ(d.Pages[0].Text.FontSize, kMaxDescriptionNumber);
  ASSERT_EQ(d.Problems.size(), 3u);
  for (const auto& problem : d.Problems) EXPECT_EQ(problem.Line, 1u);
}

TEST(DialogPageLayout, WideningRepeatsTheMiddleColumn) {
  QImage picture(9, 2, QImage::Format_RGB888);
  for (int x = 0; x < 9; ++x)
    for (int y = 0; y < 2; ++y) picture.setPixelColor(x, y, QColor(x * 20, y, 0));
  const QImage wide = WidenPicture(picture, 3);
  ASSERT_EQ(wide.size(), QSize(12, 2));
  const int sources[] = {0, 1, 2, 3, 4, 4, 4, 4, 5, 6, 7, 8};
  for (int x = 0; x < 12; ++x)
    for (int y = 0; y < 2; ++y)
      EXPECT_EQ(wide.pixelColor(x, y), picture.pixelColor(sources[x], y)) << x;
  EXPECT_EQ(WidenPicture(picture, 0), picture);
}

}  // namespace
}  // namespace shelf
