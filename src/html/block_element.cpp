#include "html/block_element.h"

#include <cstring>

#include "html/presentational_hints.h"
#include "platform/cp1251.h"

namespace shelf {

namespace {

// `type` of <ol> and <ul> as a list style; letters and numerals keep their case.
const char* ListStyle(const char* type) {
  if (!type) return nullptr;
  if (std::strcmp(type, "1") == 0) return "decimal";
  if (std::strcmp(type, "a") == 0) return "lower-alpha";
  if (std::strcmp(type, "A") == 0) return "upper-alpha";
  if (std::strcmp(type, "i") == 0) return "lower-roman";
  if (std::strcmp(type, "I") == 0) return "upper-roman";
  const std::string lower = AsciiLower(type);
  if (lower == "disc") return "disc";
  if (lower == "circle") return "circle";
  if (lower == "square") return "square";
  return nullptr;
}

}  // namespace

void TBlockElement::parse_attributes() {
  std::string css;
  if (const char* align = get_attr("align")) {
    const std::string value = AsciiLower(align);
    if (value == "left" || value == "right" || value == "center" || value == "justify")
      css += "text-align:" + value + ";";
  }
  if (const char* style = ListStyle(get_attr("type")))
    css += std::string("list-style-type:") + style + ";";
  AddHints(*this, m_style, css);
  litehtml::html_tag::parse_attributes();
}

}  // namespace shelf
