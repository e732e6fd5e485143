#include "platform/printer_device.h"

#include <QLocale>
#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>
#include <QPrinterInfo>

namespace shelf {

namespace {

constexpr int kPdfDpi = 300;

// The locale's usual paper: Letter where it is the norm, A4 elsewhere.
QPageSize LocalePaper() {
  const QLocale locale;
  return locale.measurementSystem() == QLocale::ImperialUSSystem ? QPageSize(QPageSize::Letter)
                                                                 : QPageSize(QPageSize::A4);
}

}  // namespace

TPrinterDevice::TPrinterDevice() {
  QPrinterInfo info = QPrinterInfo::defaultPrinter();
  if (info.isNull() && !QPrinterInfo::availablePrinters().isEmpty())
    info = QPrinterInfo::availablePrinters().first();
  if (info.isNull()) {
    UsePdf();
    return;
  }
  printer_ = std::make_unique<QPrinter>(info, QPrinter::HighResolution);
  if (!printer_->isValid()) {
    queueUnusable_ = true;
    UsePdf();
  }
}

TPrinterDevice::~TPrinterDevice() = default;

bool TPrinterDevice::AnyPrinter() {
  return !QPrinterInfo::availablePrinters().isEmpty();
}

void TPrinterDevice::UsePdf() {
  const bool landscape = printer_ && Landscape();
  printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
  printer_->setOutputFormat(QPrinter::PdfFormat);
  printer_->setResolution(kPdfDpi);
  printer_->setPageSize(LocalePaper());
  // Margins of a usual office printer, so the sheet looks the same as on paper.
  printer_->setPageMargins(QMarginsF(6.35, 7.7, 6.35, 7.7), QPageLayout::Millimeter);
  printer_->setPageOrientation(landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
  pdf_ = true;
}

void TPrinterDevice::SetPdfFile(const QString& file) {
  printer_->setOutputFileName(file);
}

QString TPrinterDevice::Name() const {
  return pdf_ ? QStringLiteral("PDF") : printer_->printerName();
}

bool TPrinterDevice::Landscape() const {
  return printer_->pageLayout().orientation() == QPageLayout::Landscape;
}

bool TPrinterDevice::SetLandscape(bool landscape) {
  printer_->setPageOrientation(landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
  return Landscape();
}

std::optional<TSheetMetrics> TPrinterDevice::Metrics() const {
  if (!printer_->isValid()) return std::nullopt;
  const int dpi = printer_->resolution();
  const QPageLayout layout = printer_->pageLayout();
  const QRect full = layout.fullRectPixels(dpi);
  const QRect paint = layout.paintRectPixels(dpi);
  if (dpi <= 0 || full.isEmpty() || paint.isEmpty()) return std::nullopt;
  TSheetMetrics m;
  m.DpiX = m.DpiY = dpi;
  m.PhysicalWidth = full.width();
  m.PhysicalHeight = full.height();
  m.OffsetX = paint.left() - full.left();
  m.OffsetY = paint.top() - full.top();
  m.PrintableWidth = paint.width();
  m.PrintableHeight = paint.height();
  return m;
}

}  // namespace shelf
