// <body> with its HTML 4 attributes (bgcolor, text, background). Its background is the page's
// canvas, painted under the whole view, so the element itself paints none (private).
#pragma once

#include <litehtml/litehtml.h>

#include <litehtml/el_body.h>

#include "html/clipped_element.h"

namespace shelf {

class TBodyElement : public TClippedElement<litehtml::el_body> {
 public:
  using TClippedElement::TClippedElement;
  void parse_attributes() override;
  void draw_background(litehtml::uint_ptr, int, int, const litehtml::position*) override {}
};

}  // namespace shelf
