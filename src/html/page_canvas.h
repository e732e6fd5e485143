// Where printed pages go: a page recorder or a printer. The engine asks it for the sheet's
// metrics, opens pages and draws each one on its canvas in device pixels.
#pragma once

#include "platform/sheet_metrics.h"

class QPainter;

namespace shelf {

class TPageCanvas {
 public:
  virtual ~TPageCanvas() = default;
  virtual TSheetMetrics Metrics() const = 0;
  virtual void BeginDoc() = 0;
  virtual void NewPage() = 0;
  // The painter of the page being made; its origin is the printable area's top left.
  virtual QPainter& Canvas() = 0;
  virtual void EndDoc() = 0;
  virtual bool PrintPageNumbers() const = 0;
};

}  // namespace shelf
