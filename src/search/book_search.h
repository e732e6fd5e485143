// The search over all the book's pages that the reader's find page and the bookfind tool run:
// the word index first, each word by its forms, else a scan of the pages; the pages that hold
// every word, best first (the title holds them, then the forms as typed, then more matches,
// then the order of files.idx).
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "store/dynamic_arrays.h"

namespace shelf {

class TBookStore;
class TMakeFind;
class TStemTable;
class TWordQuery;
struct RListedPage;
struct RPageScore;

struct RFoundPage {
  std::string Page;   // the full DOS name the reader opens
  std::string File;   // as files.idx names it, relative to the program folder
  std::string Title;  // as files.idx gives it
};

class TBookSearch {
 public:
  // `programDir` ends in '\'.
  TBookSearch(const TBookStore& store, std::string programDir);
  ~TBookSearch();

  // Forms off: each word only as typed (letter case and «ё»/«е» aside).
  bool Exact = false;
  // Letter case counts for the text as written in the scan.
  bool MatchCase = false;
  // A missing or unreadable index file, in the reader's words.
  std::function<void(const std::string&)> OnMessage;
  // The pages to scan (full DOS names) when the index cannot answer; null: no scan.
  std::function<const TDynamicStringArray*()> ScanPages;
  // Before page `index` of the scan; false stops it with the pages found so far.
  std::function<bool(std::size_t index, std::size_t count)> BeforePage;

  std::vector<RFoundPage> Find(std::string_view text);
  // The last Find was answered by the word index.
  bool AnsweredByIndex() const { return answeredByIndex_; }

 private:
  struct RCandidate;
  // The index's pages for every word of the query; false when it cannot answer.
  bool FromIndex(TMakeFind& index, TWordQuery& query, std::vector<RCandidate>& found);
  void Scan(TMakeFind& index, TWordQuery& query, const TDynamicStringArray& pages,
            std::vector<RCandidate>& found);
  void Rank(TWordQuery& query, std::vector<RCandidate>& found);

  const TBookStore& store_;
  std::string programDir_;
  std::unique_ptr<TStemTable> stems_;  // read on the first search by forms
  bool answeredByIndex_ = false;
};

}  // namespace shelf
