// <hr> with width, size, noshade, color and align (private).
#pragma once

#include <litehtml/litehtml.h>

#include <litehtml/html_tag.h>

namespace shelf {

class TRuleElement : public litehtml::html_tag {
 public:
  using litehtml::html_tag::html_tag;
  void parse_attributes() override;
};

}  // namespace shelf
