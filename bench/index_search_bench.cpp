// Lookups in a book's word index of 50 000 keywords and 5 000 pages: the exact lookup of the
// last keyword (the whole keyword file is read) as the reference; a lookup by word forms once
// the stems are known; and the first search's stemming of every keyword of a book without
// stems.idx.
#include <benchmark/benchmark.h>

#include <array>
#include <filesystem>
#include <fstream>

#include "platform/cp1251.h"
#include "platform/dos_path.h"
#include "search/book_search.h"
#include "search/make_find.h"
#include "search/stem_table.h"
#include "store/book_store.h"

namespace shelf {
namespace {
namespace fs = std::filesystem;

constexpr int kKeywords = 50000, kPages = 5000;

void Write(const fs::path& file, const std::string& text) {
  std::ofstream(file, std::ios::binary) << text;
}

// Russian-looking words: 10 000 stems of three syllables, each in five forms.
std::string Keyword(int k) {
  static const std::array<const char*, 22> syllables = {
      "ба", "ве", "ги", "до", "жу", "за", "ки", "ло", "ми", "но", "пу",
      "ра", "се", "ти", "фо", "ха", "цу", "че", "ша", "щи", "ре", "ну"};
  static const std::array<const char*, 5> endings = {"к", "ка", "ку", "ком", "ки"};
  const int stem = k / 5;
  return Utf8ToCp1251Lossy(std::string(syllables[stem % 22]) + syllables[stem / 22 % 22] +
                           syllables[stem / 484 % 22] + endings[k % 5]);
}

class TIndexBook {
 public:
  TIndexBook() : dir_(fs::temp_directory_path() / "shelf-index-bench"), store_(fileSystem_) {
    fs::create_directories(dir_);
    std::string keywords, numbers, files;
    for (int k = 0; k < kKeywords; ++k) {
      keywords += Keyword(k) + "\r\n";
      numbers +=
          std::to_string(k % kPages + 1) + ":" + std::to_string((k * 7) % kPages + 1) + "\r\n";
    }
    for (int p = 1; p <= kPages; ++p)
      files += "html\\page" + std::to_string(p) + ".htm#:#Page " + std::to_string(p) + "\r\n";
    Write(dir_ / "keywords.idx", keywords);
    Write(dir_ / "index.idx", numbers);
    Write(dir_ / "files.idx", files);
    fileSystem_.MapDrive('d', dir_);
  }
  ~TIndexBook() {
    std::error_code ec;
    fs::remove_all(dir_, ec);
  }
  const TBookStore& Store() const { return store_; }

 private:
  fs::path dir_;
  TDosFileSystem fileSystem_;
  TBookStore store_;
};

const TIndexBook& Book() {
  static const auto book = std::make_unique<TIndexBook>();
  return *book;
}

void BM_IndexLookup(benchmark::State& state) {
  const std::string last = Keyword(kKeywords - 1);
  for (auto _ : state) {
    TMakeFind find(Book().Store());
    find.SetIndexFolder("d:\\");
    TDynamicStringArray found, titles;
    if (!find.SearchIndex(last, found, titles, false)) std::abort();
  }
}
BENCHMARK(BM_IndexLookup)->Unit(benchmark::kMillisecond);

// A form of the last stem finds the pages of all five keywords.
void BM_StemmedIndexLookup(benchmark::State& state) {
  TBookSearch search(Book().Store(), "d:\\");
  const std::string form = Keyword(kKeywords - 3);
  search.Find(form);  // the first search reads the stems
  for (auto _ : state)
    if (search.Find(form).size() != 10) std::abort();
}
BENCHMARK(BM_StemmedIndexLookup)->Unit(benchmark::kMillisecond);

void BM_StemAllKeywords(benchmark::State& state) {
  for (auto _ : state) {
    TMakeFind find(Book().Store());
    find.SetIndexFolder("d:\\");
    TStemTable stems;
    if (!find.ReadStemTable(stems) || stems.Size() != kKeywords / 5) std::abort();
  }
}
BENCHMARK(BM_StemAllKeywords)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace shelf
