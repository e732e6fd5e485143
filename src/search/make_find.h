// Reads the book's word index (keywords.idx, index.idx, files.idx in the program folder, and
// stems.idx when the book has one): which pages hold a keyword or the forms of a stem, and the
// title a page is listed under. The files are read line by line, each at most once a search.
#pragma once

#include <functional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "store/dynamic_arrays.h"

namespace shelf {

class TBookStore;
class TStemTable;

// A page as files.idx lists it: its file relative to the program folder, its title and line.
struct RListedPage {
  std::string File;
  std::string Title;
  int Line = 0;
};

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

  // The lines of keywords.idx holding `word` in any letter case (and «ё» as «е»).
  std::set<int> KeywordLines(std::string_view word);
  // The keywords and their stems: the stems from stems.idx when the book has a readable one,
  // else every keyword stemmed here. False when keywords.idx cannot be read.
  bool ReadStemTable(TStemTable& table);
  // The pages index.idx gives the keywords on `lines`; false when the file cannot be read or
  // is shorter than the last of them.
  bool PagesOfKeywords(const std::set<int>& lines, std::set<int>& pages);
  // The pages files.idx lists on `pages` (all of them when null), in its order.
  std::vector<RListedPage> ListedPages(const std::set<int>* pages);

  // Messages for the reader (a missing or unreadable index file).
  std::function<void(const std::string&)> OnMessage;
  // Lines of index.idx the last search read.
  int IndexLinesRead() const { return indexLinesRead_; }

 private:
  std::string Path(std::string_view name) const { return folder_ + "\\" + std::string(name); }
  // Calls `line` with each line (numbered from 1) until it returns false; false with a message
  // when the file cannot be opened (none when `quiet`).
  bool ReadLines(std::string_view name, const std::function<bool(int, const std::string&)>& line,
                 bool quiet = false);
  void Message(const std::string& text) const;

  const TBookStore& store_;
  std::string folder_;
  int indexLinesRead_ = 0;
};

}  // namespace shelf
