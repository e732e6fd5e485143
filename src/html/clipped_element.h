// A block element that skips painting what it holds when all of it lies outside the area being
// painted, so painting one screen of a long page does not walk the whole page (private).
#pragma once

#include <litehtml/litehtml.h>

#include "html/qt_container.h"

namespace shelf {

template <class Base>
class TClippedElement : public Base {
 public:
  using Base::Base;
  void draw_children(litehtml::uint_ptr hdc, int x, int y, const litehtml::position* clip,
                     litehtml::draw_flag flag, int zindex) override {
    if (ContainerOf(*this).OutsideClip(*this, x, y, clip)) return;
    Base::draw_children(hdc, x, y, clip, flag, zindex);
  }
};

}  // namespace shelf
