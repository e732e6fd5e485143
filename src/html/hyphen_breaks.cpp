#include "html/hyphen_breaks.h"

#include <cctype>

namespace shelf {

namespace {

// Latin letters and anything beyond ASCII (Cyrillic, accented letters) count as letters; digits
// do not: "-1" and "1-2" keep together, as in browsers.
bool IsLetterByte(char c) {
  const auto byte = static_cast<unsigned char>(c);
  return byte >= 0x80 || std::isalpha(byte);
}

}  // namespace

bool EndsAtHyphenBreak(std::string_view piece) {
  return piece.size() >= 2 && piece.back() == '-' && IsLetterByte(piece[piece.size() - 2]);
}

void SplitAfterHyphens(std::string_view word, const std::function<void(std::string_view)>& piece) {
  std::size_t start = 0;
  for (std::size_t i = 1; i + 1 < word.size(); ++i)
    if (word[i] == '-' && IsLetterByte(word[i - 1]) && IsLetterByte(word[i + 1])) {
      piece(word.substr(start, i + 1 - start));
      start = i + 1;
    }
  piece(word.substr(start));
}

}  // namespace shelf
