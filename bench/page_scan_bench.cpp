// The scan over all pages for a word the index does not know: reading each page from the
// container and its text without layout, by word forms and, as the reference, by the text as
// written; against loading each page into a viewer as a hidden page would be. The scans run over
// books of 100, 1 000 and 10 000 pages of 20 KB: the cost per page should not grow with the book.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <vector>

#include "bench_support.h"
#include "html/document_view.h"
#include "html/text_search.h"
#include "platform/dos_path.h"
#include "search/page_plain_text.h"
#include "search/word_query.h"
#include "store/book_store.h"
#include "store/packed_container_writer.h"

namespace shelf {
namespace {
namespace fs = std::filesystem;

// A book of `pages` pages of 20 KB in its container, made once outside the measurements.
class TScanBook {
 public:
  explicit TScanBook(int pages)
      : folder_(fs::temp_directory_path() / ("shelf-scan-bench-" + std::to_string(pages))),
        store_(fileSystem_) {
    RPackedNode root{"", true, {}, {}};
    RPackedNode run{"RUN", true, {}, {}};  // stored names are upper case
    const std::string page = ManualPage(20000, 0);
    for (int i = 0; i < pages; ++i) {
      const std::string name = "PAGE" + std::to_string(i) + ".HTM";
      // Each page its own bytes, as in a real book.
      run.Children.push_back({name, false, page + "<!--" + std::to_string(i) + "-->", {}});
      files_.push_back("d:\\book\\run\\" + name);
    }
    root.Children.push_back(std::move(run));
    std::string container, error;
    if (!WritePackedContainer(root, RPackWriteOptions{}, container, error)) std::abort();
    fs::create_directories(folder_ / "book" / "run");
    std::ofstream(folder_ / "book" / "run" / "interface.dat", std::ios::binary) << container;
    fileSystem_.MapDrive('d', folder_);
    if (!store_.OpenPackedContainer("d:\\book\\run\\interface.dat", error)) std::abort();
    store_.SetPackedPrefix("d:\\book\\");
  }
  ~TScanBook() {
    std::error_code ec;
    fs::remove_all(folder_, ec);
  }
  const TBookStore& Store() const { return store_; }
  const std::vector<std::string>& Files() const { return files_; }

 private:
  fs::path folder_;
  TDosFileSystem fileSystem_;
  TBookStore store_;
  std::vector<std::string> files_;
};

const TScanBook& Book(int pages) {
  static std::map<int, std::unique_ptr<TScanBook>> books;
  auto& book = books[pages];
  if (!book) book = std::make_unique<TScanBook>(pages);
  return *book;
}

// Reads every page and tests it with `holds`; reports the time per page.
template <typename Holds>
void ScanPages(benchmark::State& state, Holds holds) {
  const TScanBook& book = Book(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    int found = 0;
    std::string bytes;
    for (const std::string& file : book.Files()) {
      if (!book.Store().ReadBookFile(file, bytes)) std::abort();
      found += holds(PagePlainText(bytes));
    }
    if (found != static_cast<int>(book.Files().size())) std::abort();
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
  state.counters["per_page"] =
      benchmark::Counter(double(state.iterations() * state.range(0)),
                         benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

// «двигателя» is on every page; the forms scan looks for «двигатель».
void BM_ScanPagesByWordForms(benchmark::State& state) {
  TWordQuery query(Utf8ToCp1251Lossy("двигатель"), false);
  ScanPages(state, [&](const std::string& text) { return query.Score(text, false).Holds; });
}
BENCHMARK(BM_ScanPagesByWordForms)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

void BM_ScanPagesAsWritten(benchmark::State& state) {
  const std::string word = Utf8ToCp1251Lossy("двигателя");
  ScanPages(state, [&](const std::string& text) {
    return FindPageText(text, word, 0, false) != std::string::npos;
  });
}
BENCHMARK(BM_ScanPagesAsWritten)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

// Per page, so the scans can be compared: 1000 pages take a thousand times as long.
void BM_LoadOnePageIntoAViewer(benchmark::State& state) {
  App();
  const TScanBook& book = Book(100);
  TDocumentView view(book.Store());
  view.resize(800, 600);
  view.show();  // laid out at its real width, as the hidden viewer's page would be
  const std::string word = Utf8ToCp1251Lossy("карбюратор");
  std::string bytes;
  for (auto _ : state) {
    book.Store().ReadBookFile(book.Files().front(), bytes);
    view.LoadString(bytes, book.Files().front());
    benchmark::DoNotOptimize(view.FindNext(word, false));
  }
}
BENCHMARK(BM_LoadOnePageIntoAViewer)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace shelf
