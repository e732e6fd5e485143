#include "html/row_element.h"

#include "html/qt_container.h"
#include "html/table_fill_guard.h"

namespace shelf {

void TRowElement::draw_background(litehtml::uint_ptr hdc, int x, int y,
                                  const litehtml::position* clip) {
  TTableFillGuard guard(ContainerOf(*this));
  litehtml::el_tr::draw_background(hdc, x, y, clip);
}

}  // namespace shelf
