// <table> with its HTML 4 attributes. It also keeps its measurements during one layout: the
// layout engine measures a table once per width its cell asks about, which made nested tables
// cost exponential time; a table measured before at the same width answers at once, and
// `Settle` later lays out the tables whose last answer came from a measurement (private).
#pragma once

#include <litehtml/litehtml.h>

#include <litehtml/el_table.h>

#include "html/clipped_element.h"

#include <vector>

namespace shelf {

class TTableElement : public TClippedElement<litehtml::el_table> {
 public:
  using TClippedElement::TClippedElement;
  void parse_attributes() override;
  // A footer row group goes after the rows, wherever the page put it.
  bool appendChild(const litehtml::element::ptr& el) override;
  int render(int x, int y, int maxWidth, bool secondPass = false) override;
  void draw_background(litehtml::uint_ptr hdc, int x, int y,
                       const litehtml::position* clip) override;

  // Lays the table out again when its content does not show its last requested width.
  void Settle();

 private:
  struct TMeasure {
    int Width, Result, PosWidth, PosHeight, Dx, Dy;
    bool Second;
  };
  std::vector<TMeasure> measures_;
  int generation_ = -1;
  int laidOutWidth_ = -1;
  bool laidOutSecond_ = false;
  int requestX_ = 0, requestY_ = 0, requestWidth_ = -1;
  bool requestSecond_ = false;
};

}  // namespace shelf
