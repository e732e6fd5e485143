// Words of Windows-1251 text as search compares them: letters and digits make a word, letter
// case and «ё»/«е» do not count, and a word's forms share the stem the Snowball stemmer gives.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "html/text_search.h"

struct sb_stemmer;

namespace shelf {

// A letter or a digit, Cyrillic letters included.
bool IsWordByte(char c);

// Small letters, «ё» made «е».
char FoldWordByte(char c);
std::string FoldWord(std::string_view word);

// Every word of `text` in order.
std::vector<RTextRange> SplitWords(std::string_view text);

class TWordStemmer {
 public:
  TWordStemmer();
  ~TWordStemmer();
  TWordStemmer(const TWordStemmer&) = delete;
  TWordStemmer& operator=(const TWordStemmer&) = delete;

  // The stem of a folded word (Windows-1251): Russian words by the Russian stemmer, Latin ones
  // by the English stemmer, anything else as it is.
  std::string Stem(std::string_view folded);

 private:
  struct Closer {
    void operator()(sb_stemmer* stemmer) const;
  };
  std::unique_ptr<sb_stemmer, Closer> russian_, english_;
  std::string utf8_;
};

}  // namespace shelf
