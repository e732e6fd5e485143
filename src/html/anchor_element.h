// <a>: links take the body's link and vlink colours, count as visited when the viewer's visited
// list holds their target, and show the over-link colour while the pointer is on them
// (private).
#pragma once

#include <litehtml/litehtml.h>

#include <litehtml/el_anchor.h>

#include <string>

namespace shelf {

class TAnchorElement : public litehtml::el_anchor {
 public:
  using litehtml::el_anchor::el_anchor;
  void parse_attributes() override;
  void apply_stylesheet(const litehtml::css& stylesheet) override;
  const litehtml::tchar_t* get_style_property(const litehtml::tchar_t* name, bool inherited,
                                              const litehtml::tchar_t* def) const override;

  bool IsLink() const { return get_attr("href") != nullptr; }
  bool Visited() const;
  // Whether the visited list now says otherwise than when the link was styled.
  bool VisitedChanged() const { return IsLink() && Visited() != styledVisited_; }

 private:
  std::string overColor_;
  bool styledVisited_ = false;
};

}  // namespace shelf
