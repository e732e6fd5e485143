// Boxes of the layout engine as rectangles the program can do arithmetic on (private to the page
// engine): pages that ask for lengths near the int range, or negative paddings as large, get
// their boxes cut at a bound where the sum of two coordinates still fits an int, instead of
// wrapped around.
#pragma once

#include <litehtml/litehtml.h>

#include <QRect>
#include <algorithm>

namespace shelf {

inline constexpr qint64 kMaxPageCoordinate = 1 << 29;

inline int PageCoordinate(qint64 value) {
  return int(std::clamp(value, -kMaxPageCoordinate, kMaxPageCoordinate));
}

inline QRect PageRect(qint64 left, qint64 top, qint64 width, qint64 height) {
  return QRect(PageCoordinate(left), PageCoordinate(top),
               PageCoordinate(std::max<qint64>(0, width)),
               PageCoordinate(std::max<qint64>(0, height)));
}

inline QRect PageRect(const litehtml::position& pos) {
  return PageRect(pos.x, pos.y, pos.width, pos.height);
}

}  // namespace shelf
