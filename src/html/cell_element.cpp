#include "html/cell_element.h"

#include <algorithm>
#include <utility>

#include "html/presentational_hints.h"
#include "html/qt_container.h"
#include "html/table_fill_guard.h"

namespace shelf {

namespace {

// Spans as browsers clamp them: wider spans only grow the table's grid (one slot per column and
// row it covers), never what the page shows.
constexpr int kMaxColSpan = 1000;
constexpr int kMaxRowSpan = 65534;

}  // namespace

void TCellElement::parse_attributes() {
  for (const auto& [name, limit] : {std::pair{"colspan", kMaxColSpan}, {"rowspan", kMaxRowSpan}})
    if (const char* span = get_attr(name))
      set_attr(name, std::to_string(std::clamp(HintInt(span, 1), 1, limit)).c_str());
  std::string css;
  if (const auto table = AncestorWithTag(*this, "table")) {
    if (const char* padding = table->get_attr("cellpadding"))
      css += "padding:" + std::to_string(std::max(0, HintInt(padding, 1))) + "px;";
    const char* border = table->get_attr("border");
    if (border && HintInt(border, 1) > 0) {
      std::string color = HintColor(get_attr("bordercolor"));
      if (color.empty()) color = HintColor(table->get_attr("bordercolor"));
      css += color.empty() ? "border:1px inset #c0c0c0;" : "border:1px solid " + color + ";";
    }
  }
  css += BoxHints(*this);
  if (const char* align = get_attr("align")) css += std::string("text-align:") + align + ";";
  if (const char* valign = get_attr("valign")) css += std::string("vertical-align:") + valign + ";";
  if (get_attr("nowrap")) css += "white-space:nowrap;";
  AddHints(*this, m_style, css);
  litehtml::html_tag::parse_attributes();
}

void TCellElement::parse_styles(bool isReparse) {
  TClippedElement::parse_styles(isReparse);
  m_css_margins = litehtml::css_margins();
}

void TCellElement::draw(litehtml::uint_ptr hdc, int x, int y, const litehtml::position* clip) {
  if (is_visible()) TClippedElement::draw(hdc, x, y, clip);
}

void TCellElement::draw_children(litehtml::uint_ptr hdc, int x, int y,
                                 const litehtml::position* clip, litehtml::draw_flag flag,
                                 int zindex) {
  if (is_visible()) TClippedElement::draw_children(hdc, x, y, clip, flag, zindex);
}

void TCellElement::draw_background(litehtml::uint_ptr hdc, int x, int y,
                                   const litehtml::position* clip) {
  if (!is_visible()) return;
  TTableFillGuard guard(ContainerOf(*this));
  litehtml::el_td::draw_background(hdc, x, y, clip);
}

}  // namespace shelf
