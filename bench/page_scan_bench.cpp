// The scan over all pages for a word the index does not know: reading each page from the
// container and its text without layout, against loading each page into a viewer as a hidden
// page would be.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <vector>

#include "bench_support.h"
#include "html/document_view.h"
#include "html/text_search.h"
#include "platform/dos_path.h"
#include "search/page_plain_text.h"
#include "store/book_store.h"
#include "store/packed_container_writer.h"

namespace shelf {
namespace {
namespace fs = std::filesystem;

// A book of 1000 pages of 20 KB in its container, made once outside the measurements.
class TScanBook {
 public:
  TScanBook() : folder_(fs::temp_directory_path() / "shelf-scan-bench"), store_(fileSystem_) {
    RPackedNode root{"", true, {}, {}};
    RPackedNode run{"RUN", true, {}, {}};  // stored names are upper case
    for (int i = 0; i < 1000; ++i) {
      const std::string name = "PAGE" + std::to_string(i) + ".HTM";
      run.Children.push_back({name, false, ManualPage(20000, 0), {}});
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

const TScanBook& Book() {
  static const auto book = std::make_unique<TScanBook>();
  return *book;
}

void BM_ScanThousandPagesWithoutLayout(benchmark::State& state) {
  const std::string word = Utf8ToCp1251Lossy("карбюратор");
  const TScanBook& book = Book();
  for (auto _ : state) {
    int found = 0;
    std::size_t read = 0;
    std::string bytes;
    for (const std::string& file : book.Files()) {
      if (!book.Store().ReadBookFile(file, bytes)) std::abort();
      read += bytes.size();
      found += FindPageText(PagePlainText(bytes), word, 0, false) != std::string::npos;
    }
    benchmark::DoNotOptimize(found);
    state.counters["bytes"] = double(read);
  }
}
BENCHMARK(BM_ScanThousandPagesWithoutLayout)->Unit(benchmark::kMillisecond);

// Per page, so the two can be compared: 1000 pages take a thousand times as long.
void BM_LoadOnePageIntoAViewer(benchmark::State& state) {
  App();
  const TScanBook& book = Book();
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
