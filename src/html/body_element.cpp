#include "html/body_element.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <utility>

#include "html/presentational_hints.h"
#include "html/qt_container.h"

namespace shelf {

namespace {

void DropUnitlessLengths(litehtml::element& el) {
  if (const char* style = el.get_attr("style")) {
    const std::string kept = WithoutUnitlessLengths(style);
    if (kept != style) el.set_attr("style", kept.c_str());
  }
  for (std::size_t k = 0; k < el.get_children_count(); ++k)
    DropUnitlessLengths(*el.get_child(int(k)));
}

}  // namespace

void TBodyElement::parse_attributes() {
  if (!ContainerOf(*this).Quirks()) DropUnitlessLengths(*this);
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
