// The scan over all pages for a word the index does not know: reading each page's text without
// layout, against loading each page into a viewer as a hidden page would be.
#include <benchmark/benchmark.h>

#include <vector>

#include "bench_support.h"
#include "html/document_view.h"
#include "html/text_search.h"
#include "platform/dos_path.h"
#include "search/page_plain_text.h"
#include "store/book_store.h"

namespace shelf {
namespace {

const std::vector<std::string>& Pages() {
  static const std::vector<std::string> pages = [] {
    std::vector<std::string> all;
    for (int i = 0; i < 1000; ++i) all.push_back(Utf8ToCp1251Lossy(ManualPage(20000, 0)));
    return all;
  }();
  return pages;
}

void BM_ScanThousandPagesWithoutLayout(benchmark::State& state) {
  const std::string word = Utf8ToCp1251Lossy("карбюратор");
  Pages();  // made once, outside the measurement
  for (auto _ : state) {
    int found = 0;
    for (const std::string& page : Pages())
      found += FindPageText(PagePlainText(page), word, 0, false) != std::string::npos;
    benchmark::DoNotOptimize(found);
  }
}
BENCHMARK(BM_ScanThousandPagesWithoutLayout)->Unit(benchmark::kMillisecond);

// Per page, so the two can be compared: 1000 pages take a thousand times as long.
void BM_LoadOnePageIntoAViewer(benchmark::State& state) {
  App();
  TDosFileSystem fileSystem;
  TBookStore store(fileSystem);
  TDocumentView view(store);
  view.resize(800, 600);
  const std::string word = Utf8ToCp1251Lossy("карбюратор");
  for (auto _ : state) {
    view.LoadString(Pages().front(), "d:\\p.htm");
    benchmark::DoNotOptimize(view.FindNext(word, false));
  }
}
BENCHMARK(BM_LoadOnePageIntoAViewer)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace shelf
