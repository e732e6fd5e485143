// The desktop's printer for printing pages: the default print queue when there is one, else
// Qt's PDF output ("Печать в PDF") on A4 or the locale's paper, with its sheet metrics.
#pragma once

#include <QString>
#include <memory>
#include <optional>

#include "platform/sheet_metrics.h"

class QPrinter;

namespace shelf {

class TPrinterDevice {
 public:
  // The default queue, or the first one when there is no default; none known: PDF output.
  TPrinterDevice();
  ~TPrinterDevice();

  // Whether the desktop knows any print queue at all.
  static bool AnyPrinter();
  // True when a queue exists but the chosen one cannot be used.
  bool QueueUnusable() const { return queueUnusable_; }
  bool IsPdf() const { return pdf_; }
  // Falls back to PDF output (a reader without a usable printer still gets a file).
  void UsePdf();
  void SetPdfFile(const QString& file);
  QString Name() const;

  bool Landscape() const;
  // Asks for an orientation; returns the one the device took.
  bool SetLandscape(bool landscape);
  // The sheet as the device reports it; none when the device reports nothing usable.
  std::optional<TSheetMetrics> Metrics() const;
  QPrinter& Printer() { return *printer_; }

 private:
  std::unique_ptr<QPrinter> printer_;
  bool pdf_ = false;
  bool queueUnusable_ = false;
};

}  // namespace shelf
