#include "html/body_element.h"

#include "html/presentational_hints.h"

namespace shelf {

void TBodyElement::parse_attributes() {
  std::string css;
  if (const std::string color = HintColor(get_attr("bgcolor")); !color.empty())
    css += "background-color:" + color + ";";
  if (const std::string color = HintColor(get_attr("text")); !color.empty())
    css += "color:" + color + ";";
  if (const char* image = get_attr("background"); image && *image)
    css += std::string("background-image:url('") + image + "');";
  AddHints(*this, m_style, css);
  litehtml::html_tag::parse_attributes();
}

}  // namespace shelf
