#include "shell/recent_books.h"

#include <fstream>
#include <set>

#include "platform/user_folders.h"

namespace shelf {
namespace fs = std::filesystem;

namespace {

constexpr size_t kLimit = 10;

}  // namespace

// One book a line: its title, a tab, its path (UTF-8).
std::vector<RListedBook> TRecentBooks::ReadAll() const {
  std::vector<RListedBook> books;
  std::ifstream in(file_);
  for (std::string line; std::getline(in, line);) {
    const size_t tab = line.find('\t');
    if (tab == std::string::npos || tab + 1 == line.size()) continue;
    books.push_back({line.substr(tab + 1), line.substr(0, tab)});
  }
  return books;
}

std::vector<RListedBook> TRecentBooks::Books() const {
  std::vector<RListedBook> books;
  std::error_code ec;
  for (auto& book : ReadAll())
    if (fs::exists(book.Path, ec)) books.push_back(std::move(book));
  return books;
}

void TRecentBooks::Add(const RListedBook& book) const {
  std::vector<RListedBook> books{book};
  for (auto& old : ReadAll())
    if (old.Path != book.Path && books.size() < kLimit) books.push_back(std::move(old));
  std::error_code ec;
  fs::create_directories(file_.parent_path(), ec);
  const fs::path temporary = file_.string() + ".new";
  {
    std::ofstream out(temporary, std::ios::trunc);
    for (const auto& entry : books) {
      std::string title = entry.Title;
      for (char& c : title)
        if (c == '\t' || c == '\n') c = ' ';
      out << title << '\t' << entry.Path.string() << '\n';
    }
    if (!out.flush()) return;
  }
  fs::rename(temporary, file_, ec);
}

fs::path RecentBooksFile() {
  return ConfigHome() / "shelf" / "recent-books";
}

std::vector<RListedBook> KnownBooks(const TBookDiscovery& discovery, const TRecentBooks& recent,
                                    const std::vector<fs::path>& mediaRoots) {
  std::vector<RListedBook> books = discovery.ListMounted(mediaRoots);
  std::set<fs::path> seen;
  for (const auto& book : books) seen.insert(book.Path);
  for (auto& book : recent.Books())
    if (seen.insert(book.Path).second) books.push_back(std::move(book));
  return books;
}

}  // namespace shelf
