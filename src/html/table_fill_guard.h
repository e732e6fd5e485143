// Leaves the fill of a table, row or cell off a printed page while it draws its background,
// when the settings say so; its borders stay (private).
#pragma once

#include "html/qt_container.h"

namespace shelf {

class TTableFillGuard {
 public:
  explicit TTableFillGuard(TQtContainer& container) : container_(container) {
    container_.SetSuppressFill(container_.SkipsTableFill());
  }
  ~TTableFillGuard() { container_.SetSuppressFill(false); }

 private:
  TQtContainer& container_;
};

}  // namespace shelf
