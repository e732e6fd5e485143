// Makes a book's word index (keywords.idx, index.idx, files.idx, stems.idx) from its pages: every
// word of a page's visible text, in the case the book first writes it, with the pages that hold
// it, and the keywords that share each stem.
#pragma once

#include <map>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace shelf {

class TWordIndexBuilder {
 public:
  // A page, named relative to the program folder; pages are numbered in the order they come.
  void AddPage(std::string_view file, std::string_view pageBytes);
  // A word (any case) that stays out of the index: a search for it scans the pages instead.
  void LeaveOut(std::string_view word);

  // The files' contents: Windows-1251 lines ending in CR LF. Keywords are sorted by their small
  // letters; line k of the numbers file lists the pages of keyword k; line n of the files file
  // is page n, "file#:#title".
  std::string KeywordsFile() const;
  std::string NumbersFile() const;
  std::string FilesFile() const;
  // Line per stem, in byte order: "stem:k:k..." with the keywords file's lines of its forms.
  std::string StemsFile() const;

  std::size_t PageCount() const { return pages_.size(); }
  std::size_t KeywordCount() const { return keywords_.size(); }

 private:
  struct TKeyword {
    std::string Word;        // as first written
    std::vector<int> Pages;  // ascending, each once
  };

  std::vector<std::string> pages_;            // "file#:#title"
  std::map<std::string, TKeyword> keywords_;  // by the word in small letters
  std::set<std::string> leftOut_;             // in small letters
};

}  // namespace shelf
