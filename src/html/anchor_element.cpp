#include "html/anchor_element.h"

#include <cstring>

#include "html/master_css.h"
#include "html/presentational_hints.h"
#include "html/qt_container.h"

namespace shelf {

bool TAnchorElement::Visited() const {
  const char* href = get_attr("href");
  if (!href) return false;
  const TQtContainer& container = ContainerOf(*this);
  return container.IsVisited(container.ResolveUrl(href, nullptr));
}

void TAnchorElement::apply_stylesheet(const litehtml::css& stylesheet) {
  styledVisited_ = IsLink() && Visited();
  if (styledVisited_) {
    set_pseudo_class("visited", true);
    litehtml::html_tag::apply_stylesheet(stylesheet);
  } else {
    litehtml::el_anchor::apply_stylesheet(stylesheet);
  }
}

void TAnchorElement::parse_attributes() {
  if (IsLink()) {
    TQtContainer& container = ContainerOf(*this);
    overColor_ = CssColor(container.Settings().DefOverLinkColor);
    if (const auto body = AncestorWithTag(*this, "body")) {
      const std::string color = HintColor(body->get_attr(Visited() ? "vlink" : "link"));
      if (!color.empty()) AddHints(*this, m_style, "color:" + color);
    }
  }
  litehtml::html_tag::parse_attributes();
}

const litehtml::tchar_t* TAnchorElement::get_style_property(const litehtml::tchar_t* name,
                                                            bool inherited,
                                                            const litehtml::tchar_t* def) const {
  if (!overColor_.empty() && std::strcmp(name, "color") == 0) {
    const TQtContainer& container = ContainerOf(*this);
    if (container.HoveredAnchor() == this && container.Settings().Has(fvOverLinksActive))
      return overColor_.c_str();
  }
  return litehtml::el_anchor::get_style_property(name, inherited, def);
}

}  // namespace shelf
