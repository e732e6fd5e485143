// Container reads against the bare zlib work they cannot avoid, and path lookups, on generated
// books shaped like real ones (Windows-1251 pages, bitmaps, chapters with picture folders).
#include <benchmark/benchmark.h>
#include <stdlib.h>
#include <zlib.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "platform/cp1251.h"
#include "platform/dos_path.h"
#include "store/book_store.h"
#include "store/compr_stream.h"
#include "store/packed_container_writer.h"
#include "store/packed_tree_loader.h"

namespace shelf {
namespace {

namespace fs = std::filesystem;

// A private folder removed when the benchmark ends.
class TTempFolder {
 public:
  TTempFolder() {
    std::string pattern = (fs::temp_directory_path() / "shelf-bench-XXXXXX").string();
    if (!mkdtemp(pattern.data())) std::abort();
    path_ = pattern;
  }
  ~TTempFolder() {
    std::error_code ec;
    fs::remove_all(path_, ec);
  }
  const fs::path& Path() const { return path_; }

 private:
  fs::path path_;
};

std::uint32_t ReadWord(const std::string& bytes, std::size_t offset) {
  std::uint32_t value = 0;
  for (int i = 3; i >= 0; --i) value = value << 8 | static_cast<unsigned char>(bytes[offset + i]);
  return value;
}

void WriteFile(const fs::path& path, const std::string& bytes) {
  fs::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary) << bytes;
}

// Russian-looking prose: words built from common syllables, sentences, paragraphs, links.
std::string Page(std::mt19937& random, std::size_t size) {
  static const char* const kSyllables[] = {
      "ко", "ле", "са", "ма", "ши",  "на",  "дви", "га",  "тель", "ру", "ль", "то",  "рм", "оз",
      "пе", "ре", "да", "ча", "кла", "пан", "ци",  "ли",  "ндр",  "за", "жи", "ган", "ие", "ва",
      "ло", "по", "дш", "ип", "ник", "ст",  "ар",  "тер", "ге",   "не", "ра", "тор", "ом"};
  static const char* const kWords[] = {"и", "в", "на", "с", "для", "при", "не", "от", "по"};
  std::uniform_int_distribution<int> syllable(0, std::size(kSyllables) - 1);
  std::uniform_int_distribution<int> small(0, std::size(kWords) - 1);
  std::uniform_int_distribution<int> percent(0, 99);
  std::string utf8 = "<html><head><title>Раздел</title></head><body>\r\n<p>";
  while (utf8.size() < size * 3 / 2) {
    if (percent(random) < 25) {
      utf8 += kWords[small(random)];
    } else {
      const int count = 2 + percent(random) % 3;
      for (int i = 0; i < count; ++i) utf8 += kSyllables[syllable(random)];
    }
    const int p = percent(random);
    utf8 += p < 6 ? ". " : p < 10 ? ", " : p < 11 ? " <a href=\"page.htm\">см. рис. 3</a> " : " ";
    if (p == 99) utf8 += "</p>\r\n<p>";
  }
  std::string page = Utf8ToCp1251Lossy(utf8);
  page.resize(size);
  return page;
}

// A 24-bit bitmap: either a drawing (flat fills and lines) or a photo-like gradient with noise,
// which compress about as real book pictures do.
std::string Bitmap(std::mt19937& random, std::size_t size) {
  const int width = 320 + static_cast<int>(random() % 320);
  const int height = std::max<int>(1, static_cast<int>(size / (width * 3)));
  const bool photo = random() % 2 == 0;
  std::string bmp = "BM";
  bmp.resize(54, '\0');
  bmp.reserve(54 + std::size_t(width) * height * 3);
  std::uniform_int_distribution<int> noise(-6, 6);
  const int stripe = 8 + static_cast<int>(random() % 40);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      int r, g, b;
      if (photo) {
        r = (x * 255 / width + noise(random)) & 255;
        g = (y * 255 / height + noise(random)) & 255;
        b = ((x + y) / 4 + noise(random)) & 255;
      } else {
        const bool line = x % stripe == 0 || y % (stripe * 2) == 0;
        r = g = b = line ? 0 : 255 - ((x / 64 + y / 64) % 3) * 40;
      }
      bmp += static_cast<char>(b);
      bmp += static_cast<char>(g);
      bmp += static_cast<char>(r);
    }
  }
  return bmp;
}

// The realistic book: ~300 pages of 5-30 KB and ~100 bitmaps of 50-300 KB, on disk as a tree
// and packed into a container read through the store.
class TBenchBook {
 public:
  TBenchBook() : store_(fileSystem_) {
    std::mt19937 random(1251);
    const fs::path tree = folder_.Path() / "tree";
    for (int page = 0; page < 300; ++page) {
      const std::string chapter = "глава " + std::to_string(page / 20 + 1);
      const std::string name = "страница " + std::to_string(page) + ".htm";
      WriteFile(tree / "html" / chapter / name, Page(random, 5000 + random() % 25000));
      paths_.push_back("d:\\book\\html\\" + chapter + "\\" + name);
      if (page % 3 == 0) {
        const std::string picture = "страница " + std::to_string(page) + ".files\\рис.bmp";
        WriteFile(
            tree / "html" / chapter / ("страница " + std::to_string(page) + ".files") / "рис.bmp",
            Bitmap(random, 50000 + random() % 250000));
        paths_.push_back("d:\\book\\html\\" + chapter + "\\" + picture);
      }
    }
    for (std::string& path : paths_) path = Utf8ToCp1251(path).value();

    RPackedNode root;
    std::string error;
    std::string container;
    if (!LoadPackedTree(tree, root, error) ||
        !WritePackedContainer(root, RPackWriteOptions{}, container, error))
      std::abort();
    WriteFile(folder_.Path() / "book" / "run" / "interface.dat", container);
    fileSystem_.MapDrive('d', folder_.Path());
    if (!store_.OpenPackedContainer("d:\\book\\run\\interface.dat", error)) std::abort();
    store_.SetPackedPrefix("d:\\book\\");

    const TPackedContainer& packed = store_.Container();
    const std::size_t dataBase =
        kPackedHeaderSize + (ReadWord(container, 4) ^ kPackedStoredSizeMask);
    for (const std::string& path : paths_) {
      const RPackedEntry& entry = packed.Entry(packed.ResolvePackedPath(path));
      stored_.push_back(container.substr(dataBase + entry.Offset, entry.StoredSize));
      sizes_.push_back(entry.Size);
      totalBytes_ += entry.Size;
    }
  }

  const TBookStore& Store() const { return store_; }
  const std::vector<std::string>& Paths() const { return paths_; }
  const std::vector<std::string>& Stored() const { return stored_; }
  const std::vector<std::size_t>& Sizes() const { return sizes_; }
  std::size_t TotalBytes() const { return totalBytes_; }

 private:
  TTempFolder folder_;
  TDosFileSystem fileSystem_;
  TBookStore store_;
  std::vector<std::string> paths_;  // DOS paths, as the program asks for them
  std::vector<std::string> stored_;
  std::vector<std::size_t> sizes_;
  std::size_t totalBytes_ = 0;
};

const TBenchBook& Book() {
  static const TBenchBook book;
  return book;
}

void BM_ContainerReadThroughStream(benchmark::State& state) {
  const TBenchBook& book = Book();
  for (auto _ : state) {
    for (const std::string& path : book.Paths()) {
      const TComprStream stream(book.Store(), path);
      benchmark::DoNotOptimize(stream.Bytes().data());
    }
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * book.TotalBytes()));
  std::size_t stored = 0;
  for (const std::string& bytes : book.Stored()) stored += bytes.size();
  state.counters["stored_share"] = static_cast<double>(stored) / book.TotalBytes();
}
BENCHMARK(BM_ContainerReadThroughStream)->Unit(benchmark::kMillisecond);

// The floor: zlib alone on the same stored bytes, already in memory, into a reused buffer.
void BM_RawUncompressOfTheSameEntries(benchmark::State& state) {
  const TBenchBook& book = Book();
  std::vector<Bytef> out(*std::max_element(book.Sizes().begin(), book.Sizes().end()));
  for (auto _ : state) {
    for (std::size_t i = 0; i < book.Stored().size(); ++i) {
      const std::string& stored = book.Stored()[i];
      uLongf size = book.Sizes()[i];
      if (stored.size() == size) {
        std::memcpy(out.data(), stored.data(), size);
      } else if (uncompress(out.data(), &size, reinterpret_cast<const Bytef*>(stored.data()),
                            stored.size()) != Z_OK) {
        state.SkipWithError("entry does not inflate");
        return;
      }
      benchmark::DoNotOptimize(out.data());
    }
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * book.TotalBytes()));
}
BENCHMARK(BM_RawUncompressOfTheSameEntries)->Unit(benchmark::kMillisecond);

// 40 chapters of 50 pages, each page with a picture folder of 4 pictures: 10 000 files, looked
// up by the full lower-case DOS paths the program uses.
void BM_Resolve10000Paths(benchmark::State& state) {
  RPackedNode root{"", true, {}, {}};
  std::vector<std::string> paths;
  for (int c = 1; c <= 40; ++c) {
    RPackedNode chapter{Utf8ToCp1251("ГЛАВА " + std::to_string(c)).value(), true, {}, {}};
    for (int p = 1; p <= 50; ++p) {
      const std::string page = "СТРАНИЦА " + std::to_string(p);
      RPackedNode files{Utf8ToCp1251(page + ".FILES").value(), true, {}, {}};
      for (int i = 1; i <= 4; ++i) {
        files.Children.push_back({"IMAGE" + std::to_string(i) + ".GIF", false, "gif", {}});
        paths.push_back("d:\\book\\глава " + std::to_string(c) + "\\страница " + std::to_string(p) +
                        ".files\\image" + std::to_string(i) + ".gif");
      }
      chapter.Children.push_back({Utf8ToCp1251(page + ".HTM").value(), false, "<html>", {}});
      paths.push_back("d:\\book\\глава " + std::to_string(c) + "\\страница " + std::to_string(p) +
                      ".htm");
      chapter.Children.push_back(std::move(files));
    }
    root.Children.push_back(std::move(chapter));
  }
  for (std::string& path : paths) path = Utf8ToCp1251(path).value();

  TTempFolder folder;
  std::string container;
  std::string error;
  if (!WritePackedContainer(root, RPackWriteOptions{}, container, error)) std::abort();
  WriteFile(folder.Path() / "interface.dat", container);
  TPackedContainer packed;
  if (!packed.OpenPackedContainer(folder.Path() / "interface.dat", error)) std::abort();
  packed.SetPackedPrefix("d:\\book\\");
  for (auto _ : state) {
    for (const std::string& path : paths) {
      const int index = packed.ResolvePackedPath(path);
      if (index < 0) {
        state.SkipWithError("a path was not found");
        return;
      }
      benchmark::DoNotOptimize(index);
    }
  }
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * paths.size()));
}
BENCHMARK(BM_Resolve10000Paths)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace shelf
