#include "html/table_element.h"

#include <algorithm>
#include <cstring>

#include "html/presentational_hints.h"
#include "html/qt_container.h"
#include "html/table_fill_guard.h"

namespace shelf {

void TTableElement::parse_attributes() {
  std::string css;
  const int border = HintInt(get_attr("border"), get_attr("border") ? 1 : 0);
  const std::string borderColor = HintColor(get_attr("bordercolor"));
  if (border > 0) {
    css += "border-width:" + std::to_string(border) + "px;";
    css += borderColor.empty() ? "border-style:outset;border-color:#c0c0c0;"
                               : "border-style:solid;border-color:" + borderColor + ";";
  }
  if (const char* spacing = get_attr("cellspacing"))
    css += "border-spacing:" + std::to_string(std::max(0, HintInt(spacing, 2))) + "px;";
  css += BoxHints(*this);
  if (const char* align = get_attr("align")) {
    const std::string value = litehtml::tstring(align);
    if (value == "center")
      css += "margin-left:auto;margin-right:auto;";
    else if (value == "left" || value == "right")
      css += "float:" + value + ";";
  }
  AddHints(*this, m_style, css);
  litehtml::html_tag::parse_attributes();
}

bool TTableElement::appendChild(const litehtml::element::ptr& el) {
  const auto isFooter = [](const litehtml::element::ptr& child) {
    const char* tag = child->get_tagName();
    return tag && std::strcmp(tag, "tfoot") == 0;
  };
  const auto footer = std::find_if(m_children.begin(), m_children.end(), isFooter);
  if (!el || footer == m_children.end() || isFooter(el)) return litehtml::el_table::appendChild(el);
  el->parent(shared_from_this());
  m_children.insert(footer, el);
  return true;
}

int TTableElement::render(int x, int y, int maxWidth, bool secondPass) {
  const int generation = ContainerOf(*this).LayoutGeneration();
  if (generation != generation_) {
    measures_.clear();
    generation_ = generation;
    laidOutWidth_ = -1;
  }
  requestX_ = x, requestY_ = y, requestWidth_ = maxWidth, requestSecond_ = secondPass;
  for (const TMeasure& m : measures_) {
    if (m.Width != maxWidth || m.Second != secondPass) continue;
    m_pos.x = x + m.Dx;
    m_pos.y = y + m.Dy;
    m_pos.width = m.PosWidth;
    m_pos.height = m.PosHeight;
    return m.Result;
  }
  const int result = litehtml::el_table::render(x, y, maxWidth, secondPass);
  measures_.push_back(
      {maxWidth, result, m_pos.width, m_pos.height, m_pos.x - x, m_pos.y - y, secondPass});
  laidOutWidth_ = maxWidth;
  laidOutSecond_ = secondPass;
  return result;
}

void TTableElement::Settle() {
  if (requestWidth_ < 0 || (requestWidth_ == laidOutWidth_ && requestSecond_ == laidOutSecond_))
    return;
  litehtml::el_table::render(requestX_, requestY_, requestWidth_, requestSecond_);
  laidOutWidth_ = requestWidth_;
  laidOutSecond_ = requestSecond_;
}

void TTableElement::draw_background(litehtml::uint_ptr hdc, int x, int y,
                                    const litehtml::position* clip) {
  TTableFillGuard guard(ContainerOf(*this));
  litehtml::el_table::draw_background(hdc, x, y, clip);
}

}  // namespace shelf
