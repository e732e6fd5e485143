// Building the contents tree of a large book: a contents file of 5000 lines in three levels,
// read through a book stream, taken apart and made into the tree's items.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>

#include "bench_support.h"
#include "book/book_session.h"
#include "search/contents_host.h"
#include "search/tree_views.h"

namespace shelf {
namespace {

namespace fs = std::filesystem;

constexpr int kLines = 5000;

std::string ContentsFile() {
  std::string text;
  for (int i = 0; i < kLines; ++i) {
    const int depth = i % 10 == 0 ? 0 : i % 10 < 4 ? 1 : 2;
    text += std::string(depth, '\t') + "ch" + std::to_string(i / 10) + "_" + std::to_string(i) +
            ".htm;" + Utf8ToCp1251Lossy("Раздел " + std::to_string(i) + ". Снятие и установка") +
            "\r\n";
  }
  return text;
}

class TNoWindow : public TContentsHost {
 public:
  int CurrentScreen() const override { return 0; }
  TPanelBkgrd* BackgroundPanel() const override { return nullptr; }
  THtmlFrame* PageAreas() const override { return nullptr; }
  void SetChapterHints(const std::string&, const std::string&) override {}
  void ClosePopups() override {}
  void PointerLeftElements() override {}
};

void BM_BuildContentsTree(benchmark::State& state) {
  App();
  std::string pattern = (fs::temp_directory_path() / "shelf-bench-XXXXXX").string();
  if (!mkdtemp(pattern.data())) std::abort();
  const fs::path book = pattern;
  fs::create_directories(book / "run");
  std::ofstream(book / "run/contents.txt", std::ios::binary) << ContentsFile();
  std::string error;
  auto session = OpenBookSession(book, error);
  if (!session) std::abort();
  TNoWindow host;
  const RTree record{263, 511, 0, 0xFFFFFF, "contents.txt", 1};
  for (auto _ : state) {
    TTreeViews tree(host, record, session->Store, session->Folders);
    benchmark::DoNotOptimize(tree.Items().size());
  }
  session.reset();
  fs::remove_all(book);
}
BENCHMARK(BM_BuildContentsTree)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace shelf
