#include "shell/plain_window_layout.h"

#include <gtest/gtest.h>

namespace shelf {
namespace {

TEST(PlainWindowLayout, SizeFollowsWhatTheWindowShows) {
  const QSize current(500, 300), picture(600, 400);
  struct Case {
    const char* argument;
    QSize picture, size;
  } cases[] = {
      {"d:\\book\\run\\scheme.bmp", picture, QSize(780, 550)},  // the wiring diagrams
      {"d:\\book\\run\\SCHEME_LUX.BMP", QSize(), QSize(780, 550)},
      {"d:\\book\\run\\pic\\photo.jpg", picture, QSize(645, 490)},  // the picture and its frame
      {"d:\\book\\run\\pic\\photo.JPEG#x", picture, QSize(645, 490)},
      {"d:\\book\\run\\pic\\photo.gif", picture, QSize(645, 490)},
      {"d:\\book\\run\\pic\\photo.png", picture, current},  // only the listed picture kinds
      {"d:\\book\\run\\page.htm", QSize(), current},
      {"d:\\book\\run\\myscheme.bmp", picture, QSize(645, 490)},
      {"", QSize(), current},
  };
  for (const Case& c : cases)
    EXPECT_EQ(PlainWindowSize(c.argument, current, c.picture), c.size) << c.argument;
}

TEST(PlainWindowLayout, TheWindowStaysInsideTheWorkArea) {
  const QRect work(0, 0, 800, 570);
  struct Case {
    QSize frame;
    QPoint at;
  } cases[] = {
      {QSize(645, 490), QPoint(40, 30)},
      {QSize(780, 550), QPoint(0, 0)},    // past the right edge and past the bottom
      {QSize(780, 500), QPoint(0, 30)},   // right only: the top stays
      {QSize(700, 560), QPoint(40, 0)},   // bottom only
      {QSize(760, 540), QPoint(40, 30)},  // exactly up to both edges
  };
  for (const Case& c : cases)
    EXPECT_EQ(PlainWindowPosition(c.frame, work), c.at) << c.frame.width();
}

TEST(PlainWindowLayout, HistoryMenusListSevenEntriesEachWay) {
  std::vector<std::string> files, titles;
  for (int i = 0; i < 20; ++i) {
    files.push_back("p" + std::to_string(i) + ".htm");
    titles.push_back(i % 2 ? "Страница " + std::to_string(i) : "");
  }
  titles[12] = std::string(100, 'x');  // cut to 80 with the file name
  const THistoryMenus menus = HistoryMenus(files, titles, 10);
  for (int k = 0; k < THistoryMenus::kItems; ++k) {
    EXPECT_TRUE(menus.Back[k].Visible);
    EXPECT_EQ(menus.Back[k].Number, 11 + k);  // the nearest older page first
    EXPECT_TRUE(menus.Forward[k].Visible);
    EXPECT_EQ(menus.Forward[k].Number, 9 - k);
  }
  // The forward menu holds 3..9 bottom up: the nearest newer page (9) at the top.
  EXPECT_EQ(menus.Forward[0].Number, 9);
  EXPECT_EQ(menus.Forward[6].Number, 3);
  EXPECT_EQ(menus.Back[0].Caption, "Страница 11--p11.htm");
  EXPECT_EQ(menus.Back[1].Caption, std::string(80, 'x'));
  EXPECT_EQ(menus.Forward[1].Caption, "p8.htm");

  // Near the ends, the missing items are hidden: the first ones of the forward menu.
  const THistoryMenus near = HistoryMenus({"a", "b", "c", "d"}, {}, 2);
  EXPECT_TRUE(near.Back[0].Visible);
  EXPECT_EQ(near.Back[0].Number, 3);
  EXPECT_FALSE(near.Back[1].Visible);
  EXPECT_FALSE(near.Forward[4].Visible);
  EXPECT_EQ(near.Forward[5].Number, 1);  // the nearest newer page at the top
  EXPECT_EQ(near.Forward[6].Number, 0);
  EXPECT_TRUE(near.Forward[6].Visible);
}

}  // namespace
}  // namespace shelf
