// Fuzzes the page engine: the input is a page (and, the same bytes, the style sheet it may
// link to), shown in a frame viewer, painted into a small picture and printed to two sheets.
#include <QApplication>
#include <QBuffer>
#include <QImage>
#include <QPainter>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>

#include "fuzz_book.h"
#include "html/document_view.h"
#include "html/frame_viewer.h"
#include "html/page_canvas.h"

namespace {

using namespace shelf;

// Printed sheets at a low resolution, into one picture.
class TPictureCanvas : public TPageCanvas {
 public:
  TSheetMetrics Metrics() const override {
    TSheetMetrics m;
    m.DpiX = m.DpiY = 48;
    m.PhysicalWidth = m.PrintableWidth = 400;
    m.PhysicalHeight = m.PrintableHeight = 560;
    m.OffsetX = m.OffsetY = 0;
    return m;
  }
  void BeginDoc() override { painter_.begin(&sheet_); }
  void NewPage() override { sheet_.fill(Qt::white); }
  QPainter& Canvas() override { return painter_; }
  void EndDoc() override { painter_.end(); }
  bool PrintPageNumbers() const override { return false; }

 private:
  QImage sheet_{400, 560, QImage::Format_RGB32};
  QPainter painter_;
};

struct TEngine {
  TEngine() {
    static int argc = 1;
    static char name[] = "page_engine_fuzz";
    static char* argv[] = {name, nullptr};
    app = std::make_unique<QApplication>(argc, argv);
    QImage picture(8, 8, QImage::Format_RGB32);
    picture.fill(Qt::red);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    picture.save(&buffer, "PNG");
    book.Put("pic.png", std::string_view(png.data(), png.size()));
    book.Put("start.htm", "<p>start</p>");
  }
  std::unique_ptr<QApplication> app;
  TFuzzBook book;
};

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static TEngine engine;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  engine.book.Put("page.css", bytes);
  const std::string page = engine.book.Put("page.htm", bytes);
  TFrameViewer viewer(engine.book.Session().Store);
  viewer.resize(320, 240);
  if (!viewer.LoadFromFile(page)) return 0;
  QImage image(320, 240, QImage::Format_RGB32);
  viewer.render(&image);
  if (TDocumentView* view = viewer.ActiveViewer()) {
    view->FindNext("a", false);
    TPictureCanvas canvas;
    view->PrintPages(canvas, 1.0, 1, 2);
  }
  return 0;
}
