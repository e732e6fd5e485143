// A block element that skips painting what it holds when all of it lies outside the area being
// painted, so painting one screen of a long page does not walk the whole page (of many children
// it paints only those near that area), that spreads justified lines, keeps words glued across
// tags on one line and lets the margin pass collapse its margins (private).
#pragma once

#include <litehtml/litehtml.h>

#include "html/flow_block.h"
#include "html/glued_words.h"
#include "html/justified_lines.h"
#include "html/qt_container.h"

namespace shelf {

template <class Base>
class TClippedElement : public Base, public TFlowBlock {
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

  int render(int x, int y, int maxWidth, bool secondPass = false) override {
    const int width = Base::render(x, y, maxWidth, secondPass);
    if (this->m_text_align == litehtml::text_align_justify) JustifyLines(*this, this->m_boxes);
    return width;
  }

  int place_element(const litehtml::element::ptr& el, int maxWidth) override {
    if (this->m_white_space == litehtml::white_space_normal && !this->m_boxes.empty() &&
        this->m_boxes.back()->get_type() == litehtml::box_line &&
        glued_.NeedNewLine(*this, *this->m_boxes.back(), el, maxWidth)) {
      litehtml::line_context context{};
      this->new_box(el, maxWidth, context);
    }
    return Base::place_element(el, maxWidth);
  }

  int TopMargin() const override { return Pixels(this->m_css_margins.top, this->m_margins.top); }
  int BottomMargin() const override {
    return Pixels(this->m_css_margins.bottom, this->m_margins.bottom);
  }
  void SetTopMargin(int pixels) override {
    this->m_css_margins.top.set_value(float(pixels), litehtml::css_units_px);
    this->m_margins.top = pixels;
  }
  void SetBottomMargin(int pixels) override {
    this->m_css_margins.bottom.set_value(float(pixels), litehtml::css_units_px);
    this->m_margins.bottom = pixels;
  }
  bool OpenAtTop() const override {
    return InFlow() && this->m_borders.top == 0 && this->m_padding.top == 0;
  }
  bool OpenAtBottom() const override {
    return InFlow() && this->m_borders.bottom == 0 && this->m_padding.bottom == 0 &&
           this->m_css_height.is_predefined();
  }
  void Drop() override { this->m_display = litehtml::display_none; }

 private:
  // The margin as the style computed it; percentages depend on the width and stay as they are.
  static int Pixels(const litehtml::css_length& length, int computed) {
    if (length.is_predefined() || length.units() == litehtml::css_units_percentage) return -1;
    return computed;
  }
  TGluedWords glued_;

  bool InFlow() const {
    return (this->m_display == litehtml::display_block ||
            this->m_display == litehtml::display_list_item) &&
           this->m_float == litehtml::float_none &&
           this->m_el_position == litehtml::element_position_static &&
           this->m_overflow == litehtml::overflow_visible;
  }
};

}  // namespace shelf
