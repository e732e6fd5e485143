// <tr>: the layout engine maps its attributes; this keeps its fill off printed pages when the
// settings say so (private).
#pragma once

#include <litehtml/litehtml.h>

#include <litehtml/el_tr.h>

namespace shelf {

class TRowElement : public litehtml::el_tr {
 public:
  using litehtml::el_tr::el_tr;
  void draw_background(litehtml::uint_ptr hdc, int x, int y,
                       const litehtml::position* clip) override;
};

}  // namespace shelf
