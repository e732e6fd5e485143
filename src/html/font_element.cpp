#include "html/font_element.h"

#include <algorithm>
#include <cmath>

#include "html/presentational_hints.h"
#include "html/qt_container.h"

namespace shelf {

int FontSizePixels(int htmlSize, int defaultPoints) {
  static constexpr int kPoints[] = {8, 10, 12, 14, 18, 24, 36};
  const int points = kPoints[std::clamp(htmlSize, 1, 7) - 1];
  return std::max(1, int(std::lround(points * defaultPoints / 12.0 * 96.0 / 72.0)));
}

void TFontElement::parse_attributes() {
  std::string css;
  if (const std::string color = HintColor(get_attr("color")); !color.empty())
    css += "color:" + color + ";";
  if (const char* face = get_attr("face"); face && *face) {
    std::string family(face);
    std::replace(family.begin(), family.end(), ';', ',');
    css += "font-family:" + family + ";";
  }
  if (const char* size = get_attr("size"); size && *size) {
    const bool relative = *size == '+' || *size == '-';
    int value = HintInt(*size == '+' ? size + 1 : size, 3);
    if (relative) value += 3;
    const int points = ContainerOf(*this).Settings().DefFontSize;
    css += "font-size:" + std::to_string(FontSizePixels(value, points)) + "px;";
  }
  AddHints(*this, m_style, css);
  litehtml::html_tag::parse_attributes();
}

}  // namespace shelf
