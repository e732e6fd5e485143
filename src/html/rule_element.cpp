#include "html/rule_element.h"

#include <algorithm>

#include "html/presentational_hints.h"

namespace shelf {

void TRuleElement::parse_attributes() {
  std::string css;
  if (const std::string width = HintLength(get_attr("width")); !width.empty())
    css += "width:" + width + ";";
  if (const char* size = get_attr("size"))
    css += "height:" + std::to_string(std::max(0, HintInt(size, 2) - 2)) + "px;";
  const std::string color = HintColor(get_attr("color"));
  if (!color.empty())
    css += "border-style:solid;border-color:" + color + ";background-color:" + color + ";";
  else if (get_attr("noshade"))
    css += "border-style:solid;border-color:#808080;background-color:#808080;";
  if (const char* align = get_attr("align")) {
    const litehtml::tstring value = align;
    if (value == "left") css += "margin-left:0;margin-right:auto;";
    if (value == "right") css += "margin-left:auto;margin-right:0;";
  }
  AddHints(*this, m_style, css);
  litehtml::html_tag::parse_attributes();
}

}  // namespace shelf
