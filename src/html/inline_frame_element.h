// <iframe>: keeps the place a browser gives an inline frame (its width and height, 300 by 150
// when it names none, and its border unless frameborder is 0) and shows no page inside it; the
// text a page writes for browsers without frames is left out, as browsers leave it (private).
#pragma once

#include <litehtml/litehtml.h>

#include <litehtml/html_tag.h>

namespace shelf {

class TInlineFrameElement : public litehtml::html_tag {
 public:
  using litehtml::html_tag::html_tag;
  void parse_attributes() override;
  bool appendChild(const litehtml::element::ptr& el) override;
};

}  // namespace shelf
