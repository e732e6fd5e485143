// The rules of the plain window: its size for the picture or page it shows, its place on the
// desktop, and the back and forward menus made from the page viewer's history.
#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>
#include <array>
#include <string>
#include <vector>

namespace shelf {

// The window's size for `argument` (the file it shows): the book's wiring diagrams get a fixed
// size, a picture its own size and room for the toolbar and borders; anything else keeps
// `current`. `picture` is the size of the picture loaded (empty when none).
QSize PlainWindowSize(const std::string& argument, QSize current, QSize picture);

// Left 40, top 30; a window that would pass the work area's right edge goes to left 0, one that
// would pass its bottom to top 0.
QPoint PlainWindowPosition(QSize frame, const QRect& workArea);

// One item of the back or forward menu.
struct THistoryMenuItem {
  bool Visible = false;
  int Number = 0;  // the history entry it moves to
  std::string Caption;
};
struct THistoryMenus {
  static constexpr int kItems = 7;
  std::array<THistoryMenuItem, kItems> Back, Forward;
};

// `files` and `titles` are the history (index 0 the newest), `current` the entry on show. Back
// lists the 7 older entries, nearest first; forward the 7 newer ones at the bottom of its list,
// nearest at the top. A caption is the file name, or the title, "--" and the file name, cut to
// 80 characters.
THistoryMenus HistoryMenus(const std::vector<std::string>& files,
                           const std::vector<std::string>& titles, int current);

}  // namespace shelf
