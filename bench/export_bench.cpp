// Writing the sample book as an EPUB (about thirty chapters, their pictures, the thesaurus),
// against reading every page and picture it holds from the book, which any export must do.
#include <benchmark/benchmark.h>

#include <ctime>
#include <filesystem>

#include "book/book_session.h"
#include "export/book_export.h"

namespace shelf {
namespace {
namespace fs = std::filesystem;

std::unique_ptr<TBookSession> SampleBook() {
  std::string error;
  auto session = OpenBookSession(SHELF_SAMPLE_BOOK, error);
  if (!session) std::abort();
  return session;
}

void BM_ReadEveryBookFile(benchmark::State& state) {
  const auto session = SampleBook();
  std::size_t bytes = 0;
  for (auto _ : state) {
    bytes = 0;
    for (const std::string& file : session->Store.ListPackedFiles()) {
      std::string content;
      session->Store.ReadBookFile(session->Folders.BookRoot + file, content);
      bytes += content.size();
    }
  }
  state.counters["bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_ReadEveryBookFile)->Unit(benchmark::kMillisecond);

void BM_ExportBook(benchmark::State& state) {
  const auto session = SampleBook();
  const fs::path out = fs::temp_directory_path() / "shelf-export-bench.epub";
  RExportReport report;
  for (auto _ : state) {
    TBookExport exporter(*session, RExportOptions{false, std::time(nullptr)});
    std::string error;
    if (!exporter.Write(out, report, error)) state.SkipWithError(error.c_str());
  }
  state.counters["pages"] = report.Pages;
  state.counters["pictures"] = report.Pictures;
  std::error_code ec;
  state.counters["epub_bytes"] = static_cast<double>(fs::file_size(out, ec));
  fs::remove(out, ec);
}
BENCHMARK(BM_ExportBook)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace shelf
