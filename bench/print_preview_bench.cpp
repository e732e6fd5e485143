// Opening the print preview of a long chapter: the chapter laid out for A4 sheets and recorded
// sheet by sheet as pictures, alone and with the whole preview window around it (progress
// window, picture-page rules, layout of the sheets on screen).
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <memory>

#include "bench_support.h"
#include "html/document_view.h"
#include "platform/dos_path.h"
#include "platform/printer_device.h"
#include "print/meta_file_printer.h"
#include "print/preview_form.h"
#include "store/book_store.h"

namespace shelf {
namespace {

namespace fs = std::filesystem;

constexpr int kSheets = 30;

class TChapter {
 public:
  TChapter() {
    App();
    std::string pattern = (fs::temp_directory_path() / "shelf-bench-XXXXXX").string();
    if (!mkdtemp(pattern.data())) std::abort();
    folder_ = pattern;
    // No print server: the sheets are those of the PDF output, A4 at 300 dpi.
    setenv("CUPS_SERVER", (folder_ / "no-cups.sock").c_str(), 1);
    files_.MapDrive('d', folder_);
    store_ = std::make_unique<TBookStore>(files_);
    view_ = std::make_unique<TDocumentView>(*store_);
    view_->resize(600, 400);
    device_ = std::make_unique<TPrinterDevice>();
    recorder_ = std::make_unique<TMetaFilePrinter>(*device_, [](int, const std::string&) {});
    recorder_->RefreshMetrics();
    // A manual's chapter grown until it fills the sheets asked for.
    std::size_t bytes = 64 * 1024;
    for (int attempt = 0; attempt < 4; ++attempt) {
      Load(bytes);
      const int sheets = Record();
      if (sheets == kSheets) break;
      bytes = bytes * kSheets / std::max(1, sheets) + (sheets > kSheets ? 0 : 2048);
    }
  }
  ~TChapter() {
    view_.reset();
    std::error_code ec;
    fs::remove_all(folder_, ec);
  }
  int Record() { return view_->PrintPages(*recorder_, 1.0); }
  TDocumentView& View() { return *view_; }
  int Sheets() const { return recorder_->PageCount(); }

 private:
  void Load(std::size_t bytes) {
    std::ofstream(folder_ / "chapter.htm", std::ios::binary) << ManualPage(bytes, 0);
    if (!view_->LoadFile("d:\\chapter.htm")) std::abort();
  }
  fs::path folder_;
  TDosFileSystem files_;
  std::unique_ptr<TBookStore> store_;
  std::unique_ptr<TDocumentView> view_;
  std::unique_ptr<TPrinterDevice> device_;
  std::unique_ptr<TMetaFilePrinter> recorder_;
};

TChapter& Chapter() {
  static TChapter chapter;
  return chapter;
}

// The page engine lays the chapter out for the sheet and records every sheet.
void BM_RecordChapterSheets(benchmark::State& state) {
  TChapter& chapter = Chapter();
  for (auto _ : state) benchmark::DoNotOptimize(chapter.Record());
  state.counters["sheets"] = chapter.Sheets();
}
BENCHMARK(BM_RecordChapterSheets)->Unit(benchmark::kMillisecond)->MinTime(3.0);

// What the reader waits for after Ctrl+P: the preview window made, the chapter recorded with
// the progress window shown, the first sheet laid out.
void BM_OpenPreviewOfChapter(benchmark::State& state) {
  TChapter& chapter = Chapter();
  int sheets = 0;
  for (auto _ : state) {
    TPreviewForm preview(nullptr, 0, 0, false, chapter.View(), [](int, const std::string&) {});
    sheets = preview.Recorder().PageCount();
  }
  state.counters["sheets"] = sheets;
}
BENCHMARK(BM_OpenPreviewOfChapter)->Unit(benchmark::kMillisecond)->MinTime(3.0);

}  // namespace
}  // namespace shelf
