#include "html/picture_element.h"

#include <QPainter>

#include "html/presentational_hints.h"
#include "html/qt_container.h"

namespace shelf {

namespace {

// The room browsers leave beside the alt text for their broken-picture sign.
constexpr int kIconSize = 16;

}  // namespace

void TPictureElement::parse_attributes() {
  std::string css;
  if (const char* border = get_attr("border")) {
    const int width = std::max(0, HintInt(border, 0));
    css += "border-width:" + std::to_string(width) + "px;border-style:solid;";
  }
  if (const int h = HintInt(get_attr("hspace"), 0); h > 0)
    css += "margin-left:" + std::to_string(h) + "px;margin-right:" + std::to_string(h) + "px;";
  if (const int v = HintInt(get_attr("vspace"), 0); v > 0)
    css += "margin-top:" + std::to_string(v) + "px;margin-bottom:" + std::to_string(v) + "px;";
  // Without a size the alt text stands in one line with the text around it.
  if (!get_attr("width") && !get_attr("height") && !get_attr("align") && !StandIn().empty())
    css += "vertical-align:top;";
  if (const char* align = get_attr("align")) {
    const litehtml::tstring value = align;
    if (value == "left" || value == "right")
      css += "float:" + value + ";";
    else if (value == "middle" || value == "absmiddle" || value == "center")
      css += "vertical-align:middle;";
    else if (value == "top" || value == "texttop")
      css += "vertical-align:top;";
    else if (value == "bottom" || value == "baseline" || value == "absbottom")
      css += "vertical-align:baseline;";
  }
  AddHints(*this, m_style, css);
  litehtml::el_image::parse_attributes();
}

std::string TPictureElement::Source() const {
  const char* src = get_attr("src");
  return src && *src ? ContainerOf(*this).ResolveUrl(src, nullptr) : std::string();
}

std::string TPictureElement::StandIn() const {
  const char* alt = get_attr("alt");
  if (!alt || !*alt) return {};
  TQtContainer& container = ContainerOf(*this);
  if (!container.Settings().ViewImages || container.Images().Get(Source())) return {};
  return alt;
}

// Browsers keep the size a missing picture was given; without one it is as wide as its alt
// text and a small picture's place beside it, and one line high.
int TPictureElement::render(int x, int y, int maxWidth, bool secondPass) {
  const int width = litehtml::el_image::render(x, y, maxWidth, secondPass);
  if (!get_css_width().is_predefined() || !get_css_height().is_predefined()) return width;
  const std::string alt = StandIn();
  if (alt.empty()) return width;
  TQtContainer& container = ContainerOf(*this);
  m_pos.width = kIconSize + container.text_width(alt.c_str(), get_font());
  litehtml::font_metrics metrics;
  get_font(&metrics);
  m_pos.height = metrics.height;
  return m_pos.width + content_margins_left() + content_margins_right();
}

void TPictureElement::draw(litehtml::uint_ptr hdc, int x, int y, const litehtml::position* clip) {
  litehtml::position pos = m_pos;
  pos.x += x;
  pos.y += y;
  if (!pos.does_intersect(clip)) return;
  litehtml::html_tag::draw(hdc, x, y, clip);  // borders
  auto* painter = reinterpret_cast<QPainter*>(hdc);
  const QRect box(pos.x, pos.y, pos.width, pos.height);
  TQtContainer& container = ContainerOf(*this);
  if (const std::string alt = StandIn(); !alt.empty() && !box.isEmpty()) {
    painter->save();
    painter->setClipRect(box, Qt::IntersectClip);
    if (!get_css_width().is_predefined() && !get_css_height().is_predefined()) {
      painter->setPen(QColor(0xC0, 0xC0, 0xC0));
      painter->drawRect(box.adjusted(0, 0, -1, -1));
    }
    litehtml::position text(box.x() + kIconSize, box.y(), box.width() - kIconSize, box.height());
    container.draw_text(hdc, alt.c_str(), get_font(), get_color("color", true), text);
    painter->restore();
  } else if (container.Settings().ViewImages) {
    container.DrawPicture(*painter, Source(), box);
  } else if (!box.isEmpty()) {
    painter->save();
    painter->setPen(QColor(0xA0, 0xA0, 0xA0));
    painter->setBrush(Qt::NoBrush);
    painter->drawRect(box.adjusted(0, 0, -1, -1));
    painter->restore();
  }
}

}  // namespace shelf
