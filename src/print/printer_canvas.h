// Prints the engine's pages straight onto the printer (a print queue or a PDF file), with the
// sheet metrics and page-number choice of the recorder the preview showed.
#pragma once

#include <QPainter>
#include <memory>

#include "html/page_canvas.h"

namespace shelf {

class TPrinterDevice;
class TMetaFilePrinter;

class TPrinterCanvas : public TPageCanvas {
 public:
  TPrinterCanvas(TPrinterDevice& device, const TMetaFilePrinter& recorder);
  ~TPrinterCanvas() override;

  TSheetMetrics Metrics() const override;
  void BeginDoc() override;
  void NewPage() override;
  QPainter& Canvas() override;
  void EndDoc() override;
  bool PrintPageNumbers() const override;
  // False when the printer could not be opened or a page could not be started.
  bool Ok() const { return ok_; }

 private:
  TPrinterDevice& device_;
  const TMetaFilePrinter& recorder_;
  std::unique_ptr<QPainter> painter_;
  bool ok_ = true;
};

}  // namespace shelf
