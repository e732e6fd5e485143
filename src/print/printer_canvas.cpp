#include "print/printer_canvas.h"

#include <QPrinter>

#include "platform/printer_device.h"
#include "print/meta_file_printer.h"

namespace shelf {

TPrinterCanvas::TPrinterCanvas(TPrinterDevice& device, const TMetaFilePrinter& recorder)
    : device_(device), recorder_(recorder) {}

TPrinterCanvas::~TPrinterCanvas() {
  EndDoc();
}

TSheetMetrics TPrinterCanvas::Metrics() const {
  return recorder_.Metrics();
}

void TPrinterCanvas::BeginDoc() {
  painter_ = std::make_unique<QPainter>();
  ok_ = painter_->begin(&device_.Printer());
}

void TPrinterCanvas::NewPage() {
  if (ok_) ok_ = device_.Printer().newPage();
}

QPainter& TPrinterCanvas::Canvas() {
  if (!painter_) BeginDoc();
  return *painter_;
}

void TPrinterCanvas::EndDoc() {
  if (painter_ && painter_->isActive()) ok_ = painter_->end() && ok_;
  painter_.reset();
}

bool TPrinterCanvas::PrintPageNumbers() const {
  return recorder_.PrintPageNumbers();
}

}  // namespace shelf
