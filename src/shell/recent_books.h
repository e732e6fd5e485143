// The books this user opened last, newest first, kept in a small file of the user's settings
// folder, so that "shelf --list" and the start window can offer them again with their titles.
#pragma once

#include <filesystem>
#include <vector>

#include "shell/book_discovery.h"

namespace shelf {

class TRecentBooks {
 public:
  explicit TRecentBooks(std::filesystem::path file) : file_(std::move(file)) {}

  // The books whose paths still exist.
  std::vector<RListedBook> Books() const;
  // Puts `book` first (once); the oldest beyond the limit are dropped. A file that cannot be
  // written keeps the old list.
  void Add(const RListedBook& book) const;

 private:
  std::vector<RListedBook> ReadAll() const;

  std::filesystem::path file_;
};

// ConfigHome()/shelf/recent-books.
std::filesystem::path RecentBooksFile();

// What Shelf offers when no book is named: the books on mounted media (/media, /run/media,
// /mnt, or `mediaRoots`), then the recent ones not among them.
std::vector<RListedBook> KnownBooks(const TBookDiscovery& discovery, const TRecentBooks& recent,
                                    const std::vector<std::filesystem::path>& mediaRoots = {
                                        "/media", "/run/media", "/mnt"});

}  // namespace shelf
