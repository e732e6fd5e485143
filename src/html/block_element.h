// Headings, lists and the other block elements without an element class of their own in the
// layout engine: `align` on headings and `type` on lists become their style
// (private).
#pragma once

#include <litehtml/litehtml.h>

#include <litehtml/html_tag.h>

#include "html/clipped_element.h"

namespace shelf {

class TBlockElement : public TClippedElement<litehtml::html_tag> {
 public:
  using TClippedElement<litehtml::html_tag>::TClippedElement;
  void parse_attributes() override;
};

}  // namespace shelf
