// <br clear=left|right|all>: the line after it starts below the floating pictures (private).
#pragma once

#include <litehtml/litehtml.h>

#include <litehtml/el_break.h>

namespace shelf {

class TBreakElement : public litehtml::el_break {
 public:
  using litehtml::el_break::el_break;
  void parse_attributes() override;
};

}  // namespace shelf
