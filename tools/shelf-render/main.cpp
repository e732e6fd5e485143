// shelf-render: draws a book page as the page viewer shows it, into a PNG picture or a PDF of
// printed pages. For book authors, the tests and the pictures of the README.
//
//   shelf-render BOOKDIR PAGE OUT.png [--width N] [--height N | --max-height N]
//   shelf-render BOOKDIR PAGE --pdf OUT.pdf [--scale S]
//
// BOOKDIR is the book's run folder; PAGE a file name as book files write them (relative to
// the run folder, or a full DOS path). A page is laid out for --width (800) and drawn whole:
// as wide as it is and as high (or --max-height high at most); --height draws the window of
// that height instead, as a frameset always is. A page is never drawn higher than 32 000 pixels
// nor into more than 100 million pixels: a taller one is cut there, and stderr says so.
#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <QScrollBar>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <optional>
#include <string>

#include "book/book_session.h"
#include "html/document_view.h"
#include "html/frame_viewer.h"
#include "html/page_canvas.h"
#include "platform/cp1251.h"
#include "shelf_version.h"
#include "store/book_path.h"

namespace {

using namespace shelf;

// Pages go to a PDF of A4 sheets at 300 pixels per inch, printable to the edge.
class TPdfCanvas : public TPageCanvas {
 public:
  explicit TPdfCanvas(const QString& file) : writer_(file) {
    writer_.setResolution(300);
    writer_.setPageSize(QPageSize(QPageSize::A4));
    writer_.setPageMargins(QMarginsF(0, 0, 0, 0));
  }
  TSheetMetrics Metrics() const override {
    TSheetMetrics m;
    m.DpiX = m.DpiY = 300;
    m.PhysicalWidth = m.PrintableWidth = writer_.width();
    m.PhysicalHeight = m.PrintableHeight = writer_.height();
    m.OffsetX = m.OffsetY = 0;
    return m;
  }
  void BeginDoc() override { painter_.begin(&writer_); }
  void NewPage() override { writer_.newPage(); }
  QPainter& Canvas() override { return painter_; }
  void EndDoc() override { painter_.end(); }
  bool PrintPageNumbers() const override { return false; }

 private:
  QPdfWriter writer_;
  QPainter painter_;
};

// What one drawn page may take: a hostile page can state any height.
constexpr int kMaxDrawnHeight = 32000;
constexpr qint64 kMaxDrawnPixels = 100'000'000;

int Usage() {
  std::fprintf(
      stderr,
      "usage: shelf-render BOOKDIR PAGE OUT.png [--width N] [--height N | --max-height N]\n"
      "       shelf-render BOOKDIR PAGE --pdf OUT.pdf [--scale S]\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  if (shelf::AnswerVersion(argc, argv, "shelf-render")) return 0;
  if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QApplication app(argc, argv);
  if (argc < 4) return Usage();
  const std::string bookDir = argv[1];
  // Book paths use '\'; a page typed with '/' on this host means the same.
  std::string page = Utf8ToCp1251Lossy(argv[2]);
  std::replace(page.begin(), page.end(), '/', '\\');
  std::string png, pdf;
  int width = 800;
  std::optional<int> height, maxHeight;
  double scale = 1.0;
  for (int i = 3; i < argc; ++i) {
    const std::string arg = argv[i];
    const bool hasValue = i + 1 < argc;
    if (arg == "--width" && hasValue) {
      width = std::atoi(argv[++i]);
    } else if (arg == "--height" && hasValue) {
      height = std::atoi(argv[++i]);
    } else if (arg == "--max-height" && hasValue) {
      maxHeight = std::atoi(argv[++i]);
    } else if (arg == "--pdf" && hasValue) {
      pdf = argv[++i];
    } else if (arg == "--scale" && hasValue) {
      scale = std::atof(argv[++i]);
    } else if (png.empty() && !arg.starts_with("--")) {
      png = arg;
    } else {
      return Usage();
    }
  }
  if ((png.empty() && pdf.empty()) || width <= 0 || (height && *height <= 0) ||
      (maxHeight && *maxHeight <= 0) || (height && maxHeight) || scale <= 0)
    return Usage();

  std::string error;
  const auto session = OpenBookSession(bookDir, error);
  if (!session) {
    std::fprintf(stderr, "shelf-render: %s\n", error.c_str());
    return 1;
  }
  const std::string file = ResolveBookPath(page, session->Folders);
  TViewerSettings settings;
  settings.fvOptions = fvNoBorder;
  TFrameViewer viewer(session->Store);
  viewer.SetSettings(settings);
  viewer.resize(width, height.value_or(600));
  viewer.show();
  if (!viewer.LoadFromFile(file)) {
    std::fprintf(stderr, "shelf-render: cannot read %s\n", Cp1251ToUtf8(file).c_str());
    return 1;
  }
  TDocumentView* view = viewer.ActiveViewer();
  if (!pdf.empty()) {
    if (!view) {
      std::fprintf(stderr, "shelf-render: the page has no document to print\n");
      return 1;
    }
    TPdfCanvas canvas(QString::fromLocal8Bit(pdf.c_str()));
    const int pages = view->PrintPages(canvas, scale);
    std::printf("%d page(s)\n", pages);
  }
  if (!png.empty()) {
    // A single page is drawn whole, laid out for the full width (no scroll bar takes any of
    // it); a frameset, or a page asked for at a window's height, is drawn as the window shows.
    const bool single = view && view->parentWidget() == &viewer;
    QImage picture;
    if (single && !height) {
      view->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
      view->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
      QApplication::processEvents();
      const int pageWidth =
          std::max(1, view->viewport()->width() + view->horizontalScrollBar()->maximum());
      const int asked = maxHeight.value_or(std::numeric_limits<int>::max());
      const int limit =
          std::max(1, int(std::min<qint64>({kMaxDrawnHeight, kMaxDrawnPixels / pageWidth, asked})));
      if (view->DocumentHeight() > limit && limit < asked)
        std::fprintf(stderr, "shelf-render: the page is %d pixels high; drawn to %d\n",
                     view->DocumentHeight(), limit);
      picture = view->PageImage(limit);
    } else {
      QApplication::processEvents();  // frames settle their scroll bars after their layout
      picture = viewer.grab().toImage();
    }
    if (!picture.save(QString::fromLocal8Bit(png.c_str()))) {
      std::fprintf(stderr, "shelf-render: cannot write %s\n", png.c_str());
      return 1;
    }
  }
  return 0;
}
