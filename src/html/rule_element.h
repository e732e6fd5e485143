// <hr> with width, size, noshade, color and align, drawn as browsers draw it: a sunken line
// (or a solid one) that takes no borders, so its margins collapse with its neighbours'
// (private).
#pragma once

#include <litehtml/litehtml.h>

#include <litehtml/html_tag.h>

namespace shelf {

class TRuleElement : public litehtml::html_tag {
 public:
  using litehtml::html_tag::html_tag;
  void parse_attributes() override;
  void draw(litehtml::uint_ptr hdc, int x, int y, const litehtml::position* clip) override;
};

}  // namespace shelf
