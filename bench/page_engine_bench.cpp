// The page engine on pages shaped like a manual's: a 20 KB page with five pictures read from
// a packed container (parse, layout and the first paint of an 800x600 view), a 200 KB page of
// text and tables, and twelve levels of nested tables.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <QApplication>
#include <QBuffer>
#include <QImage>
#include <QPainter>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "bench_support.h"
#include "html/document_view.h"
#include "html/page_canvas.h"
#include "platform/cp1251.h"
#include "platform/dos_path.h"
#include "store/book_store.h"
#include "store/packed_container_writer.h"

namespace shelf {
namespace {

namespace fs = std::filesystem;

std::string NestedTables(int levels) {
  std::string page = "<html><body>";
  for (int i = 0; i < levels; ++i) page += "<table width=100% border=1><tr><td>ячейка</td><td>";
  page += "центр";
  for (int i = 0; i < levels; ++i) page += "</td></tr></table>";
  return Utf8ToCp1251Lossy(page + "</body></html>");
}

// A long page of short lines, about 700 A4 sheets when printed.
std::string LongPage(int lines) {
  std::string page = "<html><body>";
  for (int i = 0; i < lines; ++i) page += "строка " + std::to_string(i) + " длинной страницы<br>";
  return Utf8ToCp1251Lossy(page + "</body></html>");
}

// Sheets printed onto one reused picture of an A4 sheet at 300 dots per inch.
class TSheetPicture : public TPageCanvas {
 public:
  TSheetMetrics Metrics() const override { return {}; }
  void BeginDoc() override { painter_.begin(&sheet_); }
  void NewPage() override { sheet_.fill(Qt::white); }
  QPainter& Canvas() override { return painter_; }
  void EndDoc() override { painter_.end(); }
  bool PrintPageNumbers() const override { return false; }

 private:
  QImage sheet_{2479, 3508, QImage::Format_RGB32};
  QPainter painter_;
};

// The book: pages and pictures packed in a container in a private folder.
class TBenchBook {
 public:
  TBenchBook() {
    std::string pattern = (fs::temp_directory_path() / "shelf-bench-XXXXXX").string();
    if (!mkdtemp(pattern.data())) std::abort();
    folder_ = pattern;
    RPackedNode root{"", true, {}, {}};
    RPackedNode html{"HTML", true, {}, {}};  // stored names are upper case
    RPackedNode pics{"PICS", true, {}, {}};
    for (int i = 0; i < 5; ++i)
      pics.Children.push_back({"P" + std::to_string(i) + ".PNG", false, Png(160, 120, i + 1), {}});
    html.Children.push_back(pics);
    html.Children.push_back({"PAGE20.HTM", false, ManualPage(20 * 1024, 5), {}});
    html.Children.push_back({"PAGE200.HTM", false, ManualPage(200 * 1024, 0), {}});
    html.Children.push_back({"NESTED12.HTM", false, NestedTables(12), {}});
    html.Children.push_back({"LONG.HTM", false, LongPage(34000), {}});
    root.Children.push_back(html);
    std::string bytes, error;
    if (!WritePackedContainer(root, {}, bytes, error)) std::abort();
    std::ofstream(folder_ / "interface.dat", std::ios::binary) << bytes;
    fileSystem_.MapDrive('d', folder_);
    store_ = std::make_unique<TBookStore>(fileSystem_);
    if (!store_->OpenPackedContainer("d:\\interface.dat", error)) std::abort();
    store_->SetPackedPrefix("d:\\");
  }
  ~TBenchBook() {
    std::error_code ec;
    fs::remove_all(folder_, ec);
  }
  const TBookStore& Store() const { return *store_; }

 private:
  fs::path folder_;
  TDosFileSystem fileSystem_;
  std::unique_ptr<TBookStore> store_;
};

TBenchBook& Book() {
  App();
  static TBenchBook book;
  return book;
}

// Load (read, decode, parse, style, layout) and paint the first screen.
void ShowPage(benchmark::State& state, const char* file) {
  TDocumentView view(Book().Store());
  TViewerSettings settings;
  settings.ImageCacheCount = 0;  // every load decodes its pictures again
  view.SetSettings(settings);
  view.resize(800, 600);
  view.show();
  QImage screen(800, 600, QImage::Format_RGB32);
  for (auto _ : state) {
    if (!view.LoadFile(file)) state.SkipWithError("page not found");
    QPainter painter(&screen);
    view.render(&painter);
    painter.end();
    state.PauseTiming();
    QApplication::processEvents();  // the previous page is freed after the new one shows
    state.ResumeTiming();
  }
  state.counters["height"] = view.DocumentHeight();
}

void BM_Page20KWithPictures(benchmark::State& state) {
  ShowPage(state, "d:\\html\\page20.htm");
}
void BM_Page200K(benchmark::State& state) {
  ShowPage(state, "d:\\html\\page200.htm");
}
void BM_NestedTables12(benchmark::State& state) {
  ShowPage(state, "d:\\html\\nested12.htm");
}

// Printing draws only what falls on each sheet: the time grows with the page, not with the
// page times the number of sheets.
void BM_Print700Sheets(benchmark::State& state) {
  TDocumentView view(Book().Store());
  view.resize(800, 600);
  if (!view.LoadFile("d:\\html\\long.htm")) state.SkipWithError("page not found");
  int sheets = 0;
  for (auto _ : state) {
    TSheetPicture canvas;
    sheets = view.PrintPages(canvas, 1.0);
  }
  state.counters["sheets"] = sheets;
}

BENCHMARK(BM_Print700Sheets)->Unit(benchmark::kSecond)->Iterations(1);
BENCHMARK(BM_Page20KWithPictures)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(9)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_Page200K)->Unit(benchmark::kMillisecond)->Repetitions(9)->ReportAggregatesOnly(true);
BENCHMARK(BM_NestedTables12)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(9)
    ->ReportAggregatesOnly(true);

}  // namespace
}  // namespace shelf
