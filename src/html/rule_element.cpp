#include "html/rule_element.h"

#include <QPainter>
#include <algorithm>

#include "html/presentational_hints.h"

namespace shelf {

void TRuleElement::parse_attributes() {
  std::string css;
  if (const std::string width = HintLength(get_attr("width")); !width.empty())
    css += "width:" + width + ";";
  // The whole rule is `size` pixels high, two when not given.
  if (const char* size = get_attr("size"))
    css += "height:" + std::to_string(std::max(1, HintInt(size, 2))) + "px;";
  if (const std::string color = HintColor(get_attr("color")); !color.empty())
    css += "background-color:" + color + ";";
  else if (get_attr("noshade"))
    css += "background-color:#808080;";
  if (const char* align = get_attr("align")) {
    const litehtml::tstring value = align;
    if (value == "left") css += "margin-left:0;margin-right:auto;";
    if (value == "right") css += "margin-left:auto;margin-right:0;";
  }
  AddHints(*this, m_style, css);
  litehtml::html_tag::parse_attributes();
}

void TRuleElement::draw(litehtml::uint_ptr hdc, int x, int y, const litehtml::position* clip) {
  litehtml::position pos = m_pos;
  pos.x += x;
  pos.y += y;
  if (pos.width <= 0 || pos.height <= 0 || !pos.does_intersect(clip)) return;
  auto* painter = reinterpret_cast<QPainter*>(hdc);
  const QRect box(pos.x, pos.y, pos.width, pos.height);
  if (m_bg.m_color.alpha > 0) {  // noshade or a colour: a solid bar
    painter->fillRect(box, QColor(m_bg.m_color.red, m_bg.m_color.green, m_bg.m_color.blue));
    return;
  }
  // Sunken: dark top and left edges, light bottom and right ones, the inside left open.
  const QColor dark(0x9A, 0x9A, 0x9A), light(0xEE, 0xEE, 0xEE);
  if (box.height() > 1) {
    painter->fillRect(QRect(box.left(), box.bottom(), box.width(), 1), light);
    painter->fillRect(QRect(box.right(), box.top(), 1, box.height()), light);
  }
  painter->fillRect(QRect(box.left(), box.top(), box.width(), 1), dark);
  painter->fillRect(QRect(box.left(), box.top(), 1, box.height()), dark);
}

}  // namespace shelf
