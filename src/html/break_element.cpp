#include "html/break_element.h"

#include "html/presentational_hints.h"
#include "platform/cp1251.h"

namespace shelf {

void TBreakElement::parse_attributes() {
  if (const char* clear = get_attr("clear")) {
    const std::string value = AsciiLower(clear);
    const char* side = value == "left"                     ? "left"
                       : value == "right"                  ? "right"
                       : value == "all" || value == "both" ? "both"
                                                           : nullptr;
    if (side) AddHints(*this, m_style, std::string("display:block;clear:") + side);
  }
  litehtml::el_break::parse_attributes();
}

}  // namespace shelf
