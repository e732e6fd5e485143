// A block element that skips painting what it holds when all of it lies outside the area being
// painted, so painting one screen of a long page does not walk the whole page; of many children
// it paints only those near that area (private).
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
    const TQtContainer& container = ContainerOf(*this);
    if (container.OutsideClip(*this, x, y, clip)) return;
    litehtml::elements_vector near;
    if (!container.ChildrenNear(*this, y, clip, this->m_children, near)) {
      Base::draw_children(hdc, x, y, clip, flag, zindex);
      return;
    }
    // The engine draws the children it holds: for this pass it holds only those near.
    this->m_children.swap(near);
    Base::draw_children(hdc, x, y, clip, flag, zindex);
    this->m_children.swap(near);
  }
};

}  // namespace shelf
