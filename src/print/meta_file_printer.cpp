#include "print/meta_file_printer.h"

#include "platform/printer_device.h"

namespace shelf {

namespace {
constexpr int kScreenDpi = 96;
}

TMetaFilePrinter::TMetaFilePrinter(TPrinterDevice& device, const TPrinterNotice& notice)
    : device_(device) {
  if (!TPrinterDevice::AnyPrinter()) {
    if (notice) notice(kNoPrinterPage, "Не найдено установленных принтеров!");
    landscape_ = false;
  } else if (device_.QueueUnusable()) {
    if (notice)
      notice(kPrinterUnusablePage, "Принтер, установленный по умолчанию, сейчас не доступен!");
    landscape_ = false;
  } else {
    landscape_ = device_.Landscape();
  }
}

TMetaFilePrinter::~TMetaFilePrinter() {
  FreePages();
}

TSheetMetrics TMetaFilePrinter::DefaultMetrics(bool landscape) {
  TSheetMetrics m;
  m.DpiX = m.DpiY = 300;
  if (landscape) {
    m.PhysicalWidth = 3508, m.PhysicalHeight = 2479;
    m.OffsetX = 95, m.OffsetY = 75;
    m.PrintableHeight = 2333, m.PrintableWidth = 3321;
  } else {
    m.PhysicalWidth = 2479, m.PhysicalHeight = 3508;
    m.OffsetX = 75, m.OffsetY = 91;
    m.PrintableHeight = 3321, m.PrintableWidth = 2333;
  }
  return m;
}

bool TMetaFilePrinter::RefreshMetrics() {
  if (device_.Landscape() != landscape_) device_.SetLandscape(landscape_);
  const std::optional<TSheetMetrics> m = device_.Metrics();
  metrics_ = m ? *m : DefaultMetrics(landscape_);
  return m.has_value();
}

void TMetaFilePrinter::SetLandscape(bool landscape) {
  landscape_ = device_.SetLandscape(landscape);
}

void TMetaFilePrinter::BeginDoc() {
  printing_ = true;
  FreePages();
  NewPage();
}

void TMetaFilePrinter::NewPage() {
  pages_.push_back(std::make_unique<QPicture>());
  auto canvas = std::make_unique<QPainter>(pages_.back().get());
  const TSheetMetrics& m = metrics_;
  canvas->fillRect(QRect(0, 0, m.PhysicalWidth - 2 * m.OffsetX, m.PhysicalHeight - 2 * m.OffsetY),
                   Qt::white);
  if (!hadCanvas_) {
    QFont font("Arial");
    font.setPixelSize(10 * kScreenDpi / 72);
    canvas->setFont(font);
  }
  canvas->setBrush(Qt::NoBrush);
  canvas->setCompositionMode(QPainter::CompositionMode_SourceOver);
  if (canvas_) canvas_->end();
  canvas_ = std::move(canvas);
  hadCanvas_ = true;
  drawnOn_ = false;
  if (OnPageEvent) {
    bool stop = false;
    OnPageEvent(PageCount(), stop);
  }
}

QPainter& TMetaFilePrinter::Canvas() {
  if (!canvas_) NewPage();
  drawnOn_ = true;
  return *canvas_;
}

void TMetaFilePrinter::EndDoc() {
  printing_ = false;
  if (canvas_) canvas_->end();
  canvas_.reset();
  // A document never ends with a page nobody drew on.
  if (!drawnOn_ && !pages_.empty()) pages_.pop_back();
  drawnOn_ = false;
}

void TMetaFilePrinter::FreePages() {
  if (canvas_) canvas_->end();
  canvas_.reset();
  pages_.clear();
}

}  // namespace shelf
