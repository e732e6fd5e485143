// Reads the book's word index (keywords.idx, index.idx, files.idx in the program folder): which
// pages hold a keyword, and the title a page is listed under. Each search reads the files once,
// line by line, and keeps nothing in memory between searches.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "store/dynamic_arrays.h"

namespace shelf {

class TBookStore;

class TMakeFind {
 public:
  explicit TMakeFind(const TBookStore& store) : store_(store) {}

  // The folder holding the index files; one trailing '\' is dropped.
  void SetIndexFolder(std::string_view folder);
  bool IndexFilesPresent() const;

  // The pages whose keyword equals `word` (same length; letter case ignored unless `matchCase`),
  // appended in files.idx order, each once. True when at least one page was found.
  bool SearchIndex(std::string_view word, TDynamicStringArray& files, TDynamicStringArray& titles,
                   bool matchCase);
  // The title files.idx gives the page `file` (relative to the folder, case ignored).
  bool PageTitle(std::string_view file, std::string& title);

  // Messages for the reader (a missing or unreadable index file).
  std::function<void(const std::string&)> OnMessage;
  // Lines of index.idx the last SearchIndex read.
  int IndexLinesRead() const { return indexLinesRead_; }

 private:
  std::string Path(std::string_view name) const { return folder_ + "\\" + std::string(name); }
  // Calls `line` with each line (numbered from 1) until it returns false; false with a message
  // when the file cannot be opened.
  bool ReadLines(std::string_view name, const std::function<bool(int, const std::string&)>& line);
  void Message(const std::string& text) const;

  const TBookStore& store_;
  std::string folder_;
  int indexLinesRead_ = 0;
};

}  // namespace shelf
