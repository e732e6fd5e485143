// <td> and <th> with their HTML 4 attributes and those their table gives every cell
// (cellpadding, border, bordercolor) (private).
#pragma once

#include <litehtml/litehtml.h>

#include <litehtml/el_td.h>

#include "html/clipped_element.h"

namespace shelf {

class TCellElement : public TClippedElement<litehtml::el_td> {
 public:
  using TClippedElement::TClippedElement;
  void parse_attributes() override;
  // Margins do not apply to table cells: a page's `td{margin:4px}` moves nothing.
  void parse_styles(bool isReparse = false) override;
  void draw_background(litehtml::uint_ptr hdc, int x, int y,
                       const litehtml::position* clip) override;
  // A hidden cell keeps its place and shows nothing (the table draws cells whatever they say).
  void draw(litehtml::uint_ptr hdc, int x, int y, const litehtml::position* clip) override;
  void draw_children(litehtml::uint_ptr hdc, int x, int y, const litehtml::position* clip,
                     litehtml::draw_flag flag, int zindex) override;
};

}  // namespace shelf
