#include "html/inline_frame_element.h"

#include <string>

#include "html/presentational_hints.h"
#include "platform/cp1251.h"

namespace shelf {

void TInlineFrameElement::parse_attributes() {
  std::string css;
  if (const std::string width = HintLength(get_attr("width")); !width.empty())
    css += "width:" + width + ";";
  if (const std::string height = HintLength(get_attr("height")); !height.empty())
    css += "height:" + height + ";";
  if (const char* border = get_attr("frameborder")) {
    const std::string value = AsciiLower(border);
    if (value == "0" || value == "no") css += "border-style:none;";
  }
  AddHints(*this, m_style, css);
  litehtml::html_tag::parse_attributes();
}

bool TInlineFrameElement::appendChild(const litehtml::element::ptr&) {
  return false;
}

}  // namespace shelf
