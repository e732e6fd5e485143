// The page recorder: behaves like a printer but keeps every page as a picture, so the preview
// can show the sheets and knows how many there are; it takes its metrics from the printer.
#pragma once

#include <QPainter>
#include <QPicture>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "html/page_canvas.h"

namespace shelf {

class TPrinterDevice;

enum class TUnits { unInches, unCentimeters };

class TMetaFilePrinter : public TPageCanvas {
 public:
  // How a missing printer is reported: the drawn dialog's page, or else the warning text.
  using TPrinterNotice = std::function<void(int dialogPage, const std::string& warning)>;
  static constexpr int kNoPrinterPage = 2;
  static constexpr int kPrinterUnusablePage = 3;

  // Reports through `notice` when the desktop has no printer or its printer cannot be used.
  TMetaFilePrinter(TPrinterDevice& device, const TPrinterNotice& notice);
  ~TMetaFilePrinter() override;

  // Reads the device's metrics; false (and A4 at 300 dpi) when there is no device.
  bool RefreshMetrics();
  TSheetMetrics Metrics() const override { return metrics_; }

  bool Landscape() const { return landscape_; }
  // Asks the device for the orientation and keeps the one it reports.
  void SetLandscape(bool landscape);

  void BeginDoc() override;
  void NewPage() override;
  QPainter& Canvas() override;
  void EndDoc() override;
  bool Printing() const { return printing_; }

  int PageCount() const { return static_cast<int>(pages_.size()); }
  const QPicture& Pages(int index) const { return *pages_.at(index); }
  void FreePages();

  bool PrintPageNumbers() const override { return printPageNumbers_; }
  void SetPrintPageNumbers(bool on) { printPageNumbers_ = on; }
  TUnits Units() const { return units_; }
  void SetUnits(TUnits units) { units_ = units; }
  double UnitFactor() const { return units_ == TUnits::unInches ? 1.0 : 2.54; }

  // Called after each page is opened with the page count so far.
  std::function<void(int pageCount, bool& stop)> OnPageEvent;

  // A4 at 300 dpi as a usual office printer reports it.
  static TSheetMetrics DefaultMetrics(bool landscape);

 private:
  TPrinterDevice& device_;
  std::vector<std::unique_ptr<QPicture>> pages_;
  std::unique_ptr<QPainter> canvas_;
  bool drawnOn_ = false;
  bool printing_ = false;
  bool printPageNumbers_ = true;
  bool landscape_ = false;
  bool hadCanvas_ = false;
  TUnits units_ = TUnits::unInches;
  TSheetMetrics metrics_ = DefaultMetrics(false);
};

}  // namespace shelf
