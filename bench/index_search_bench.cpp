// An index lookup in a book's word index of 50 000 keywords and 5 000 pages, for the last
// keyword (the whole keyword file is read).
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>

#include "platform/dos_path.h"
#include "search/make_find.h"
#include "store/book_store.h"

namespace shelf {
namespace {

void Write(const std::filesystem::path& file, const std::string& text) {
  std::ofstream(file, std::ios::binary) << text;
}

void BM_IndexLookup(benchmark::State& state) {
  const std::filesystem::path dir = std::filesystem::temp_directory_path() / "shelf-index-bench";
  std::filesystem::create_directories(dir);
  std::string keywords, numbers, files;
  for (int k = 1; k <= 50000; ++k) {
    keywords += "keyword" + std::to_string(k) + "\r\n";
    numbers += std::to_string(k % 5000 + 1) + ":" + std::to_string((k * 7) % 5000 + 1) + "\r\n";
  }
  for (int p = 1; p <= 5000; ++p)
    files += "html\\page" + std::to_string(p) + ".htm#:#Page " + std::to_string(p) + "\r\n";
  Write(dir / "keywords.idx", keywords);
  Write(dir / "index.idx", numbers);
  Write(dir / "files.idx", files);
  TDosFileSystem fileSystem;
  fileSystem.MapDrive('d', dir);
  TBookStore store(fileSystem);
  for (auto _ : state) {
    TMakeFind find(store);
    find.SetIndexFolder("d:\\");
    TDynamicStringArray found, titles;
    benchmark::DoNotOptimize(find.SearchIndex("KEYWORD50000", found, titles, false));
  }
  std::filesystem::remove_all(dir);
}
BENCHMARK(BM_IndexLookup)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace shelf
