// Reads the book's thesaurus index (tezaurus.idx in the program folder): lines "term~page",
// the page relative to the folder and possibly with "#anchor"; the first entry is the
// thesaurus's start page.
#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace shelf {

class TBookStore;

class TMakeTesaurusFind {
 public:
  explicit TMakeTesaurusFind(const TBookStore& store) : store_(store) {}

  // The folder holding the index; one trailing '\' is dropped.
  void SetIndexFolder(std::string_view folder);

  // The first entry's page (trimmed); false when the index is missing, unreadable or its first
  // line has no page after a "~".
  bool ThesaurusStartPage(std::string& target);
  // The page of the entry whose term equals `word` (trimmed, letter case ignored); an empty
  // word gives the start page. False when no entry has the word.
  bool LookUp(std::string_view word, std::string& target);
  // The entry a reader's text names: the term itself (letter case and «ё»/«е» aside), else the
  // first whose words are forms of the text's words, else the first that begins with the text.
  bool FindTerm(std::string_view text, std::string& term, std::string& target);

  // A warning for the reader (an index that exists but cannot be read), Windows-1251.
  std::function<void(const std::string& text)> OnWarning;

 private:
  // Calls `entry` with each line's term and page until it returns true; false when the index
  // is missing or cannot be read.
  bool ReadEntries(
      const std::function<bool(const std::string& term, const std::string& page)>& entry);

  const TBookStore& store_;
  std::string folder_;
};

}  // namespace shelf
