#include "html/body_element.h"

#include <algorithm>
#include <string>
#include <utility>

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
  // Page margins as the browsers of the time read them: one side each, or both sides at once.
  const std::pair<const char*, const char*> margins[] = {
      {"marginwidth", "left"},    {"marginwidth", "right"},  {"marginheight", "top"},
      {"marginheight", "bottom"}, {"leftmargin", "left"},    {"rightmargin", "right"},
      {"topmargin", "top"},       {"bottommargin", "bottom"}};
  for (const auto& [attribute, side] : margins)
    if (const char* value = get_attr(attribute))
      css += std::string("margin-") + side + ":" + std::to_string(std::max(0, HintInt(value, 0))) +
             "px;";
  AddHints(*this, m_style, css);
  litehtml::html_tag::parse_attributes();
}

}  // namespace shelf
