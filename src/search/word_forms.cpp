#include "search/word_forms.h"

#include <libstemmer.h>

#include <QString>
#include <array>
#include <stdexcept>

#include "platform/cp1251.h"

namespace shelf {
namespace {

constexpr unsigned char kSmallYo = 0xB8, kSmallYe = 0xE5;

bool IsLatinLetter(unsigned char b) {
  return (b >= 'a' && b <= 'z') || (b >= 'A' && b <= 'Z');
}

const std::array<bool, 256>& WordBytes() {
  static const std::array<bool, 256> table = [] {
    std::array<bool, 256> bytes{};
    for (int b = 0; b < 256; ++b) {
      const QString text = ToQString(std::string(1, char(b)));
      bytes[b] = text.size() == 1 && text[0].isLetterOrNumber();
    }
    return bytes;
  }();
  return table;
}

const std::array<char, 256>& FoldTable() {
  static const std::array<char, 256> table = [] {
    std::array<char, 256> fold{};
    for (int b = 0; b < 256; ++b) {
      const char lower = Cp1251Lower(char(b));
      fold[b] = static_cast<unsigned char>(lower) == kSmallYo ? char(kSmallYe) : lower;
    }
    return fold;
  }();
  return table;
}

}  // namespace

bool IsWordByte(char c) {
  return WordBytes()[static_cast<unsigned char>(c)];
}

char FoldWordByte(char c) {
  return FoldTable()[static_cast<unsigned char>(c)];
}

std::string FoldWord(std::string_view word) {
  std::string out(word);
  for (char& c : out) c = FoldWordByte(c);
  return out;
}

std::vector<RTextRange> SplitWords(std::string_view text) {
  std::vector<RTextRange> words;
  for (std::size_t at = 0; at < text.size();) {
    if (!IsWordByte(text[at])) {
      ++at;
      continue;
    }
    std::size_t end = at;
    while (end < text.size() && IsWordByte(text[end])) ++end;
    words.push_back({at, end - at});
    at = end;
  }
  return words;
}

void TWordStemmer::Closer::operator()(sb_stemmer* stemmer) const {
  sb_stemmer_delete(stemmer);
}

TWordStemmer::TWordStemmer()
    : russian_(sb_stemmer_new("russian", "UTF_8")), english_(sb_stemmer_new("english", "UTF_8")) {
  if (!russian_ || !english_) throw std::runtime_error("the Snowball stemmers are not available");
}

TWordStemmer::~TWordStemmer() = default;

std::string TWordStemmer::Stem(std::string_view folded) {
  sb_stemmer* stemmer = nullptr;
  for (char c : folded) {
    const auto b = static_cast<unsigned char>(c);
    if (b >= 0xC0) {
      stemmer = russian_.get();
      break;
    }
    if (IsLatinLetter(b)) stemmer = english_.get();
  }
  if (!stemmer) return std::string(folded);
  utf8_ = Cp1251ToUtf8(folded);
  const sb_symbol* stem = sb_stemmer_stem(stemmer, reinterpret_cast<const sb_symbol*>(utf8_.data()),
                                          static_cast<int>(utf8_.size()));
  if (!stem) return std::string(folded);
  return Utf8ToCp1251Lossy(std::string_view(reinterpret_cast<const char*>(stem),
                                            static_cast<std::size_t>(sb_stemmer_length(stemmer))));
}

}  // namespace shelf
