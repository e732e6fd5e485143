// A text typed into a find box as search compares it with pages: the text as written, and its
// words, each matching its own forms (words of the same stem) or, when exact, itself only.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "search/word_forms.h"

namespace shelf {

// How a page's text answers a query.
struct RPageScore {
  bool Holds = false;  // every word in some form, or the whole text as written
  int Matches = 0;     // the page's words that are forms of a query word
  int ExactWords = 0;  // query words the page holds as typed
};

class TWordQuery {
 public:
  // Words past the first 32 are left out.
  TWordQuery(std::string_view text, bool exact);

  const std::string& Text() const { return text_; }
  bool Exact() const { return exact_; }
  std::size_t WordCount() const { return words_.size(); }
  // The query's words folded (small letters, «ё» as «е») and their stems.
  const std::string& Word(std::size_t i) const { return words_[i].Folded; }
  const std::string& Stem(std::size_t i) const { return words_[i].Stem; }

  // `matchCase` is for the text as written; forms never depend on letter case.
  RPageScore Score(std::string_view text, bool matchCase);
  // How many of the query's words `text` holds in some form.
  int WordsIn(std::string_view text);
  // The next place at or after `from`: the text as written, or a run of words that are forms of
  // the query's words in their order, whichever starts first.
  std::optional<RTextRange> Next(std::string_view text, std::size_t from, bool matchCase);

 private:
  struct RQueryWord {
    std::string Folded, Stem;
    bool Cyrillic = false;
  };
  struct RWordMask {
    std::uint32_t Forms = 0;  // query words it is a form of
    std::uint32_t Exact = 0;  // query words it is
  };
  // Which query words the (folded) word is a form of; remembered for the next pages.
  RWordMask MaskOf(std::string_view word);
  std::uint32_t AllWords() const { return (std::uint64_t{1} << words_.size()) - 1; }

  std::string text_;
  bool exact_;
  std::vector<RQueryWord> words_;
  bool firstBytes_[256] = {};
  TWordStemmer stemmer_;
  std::unordered_map<std::string, RWordMask> known_;
  std::string folded_;
};

}  // namespace shelf
