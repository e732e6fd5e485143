#include "search/word_query.h"

#include <algorithm>
#include <bit>

#include "html/text_search.h"

namespace shelf {
namespace {

constexpr std::size_t kMostWords = 32;

bool StartsWith(std::string_view text, std::string_view prefix) {
  return text.substr(0, prefix.size()) == prefix;
}

}  // namespace

TWordQuery::TWordQuery(std::string_view text, bool exact) : text_(text), exact_(exact) {
  for (const RTextRange& at : SplitWords(text)) {
    if (words_.size() == kMostWords) break;
    RQueryWord word;
    word.Folded = FoldWord(text.substr(at.Start, at.Length));
    word.Stem = stemmer_.Stem(word.Folded);
    word.Cyrillic = std::any_of(word.Folded.begin(), word.Folded.end(),
                                [](char c) { return static_cast<unsigned char>(c) >= 0xC0; });
    firstBytes_[static_cast<unsigned char>(word.Folded[0])] = true;
    words_.push_back(std::move(word));
  }
}

TWordQuery::RWordMask TWordQuery::MaskOf(std::string_view word) {
  RWordMask mask;
  if (!firstBytes_[static_cast<unsigned char>(FoldWordByte(word[0]))]) return mask;
  folded_.assign(word);
  for (char& c : folded_) c = FoldWordByte(c);
  if (const auto known = known_.find(folded_); known != known_.end()) return known->second;
  std::string stem;
  for (std::size_t i = 0; i < words_.size(); ++i) {
    const RQueryWord& query = words_[i];
    if (folded_ == query.Folded) mask.Exact |= 1u << i;
    if (exact_) continue;
    // A Russian stem begins every form of its word; the English stemmer may change the last
    // letters of a stem, never the first two.
    const bool candidate = query.Cyrillic ? StartsWith(folded_, query.Stem)
                                          : StartsWith(folded_, query.Stem.substr(0, 2));
    if (!candidate) continue;
    if (stem.empty()) stem = stemmer_.Stem(folded_);
    if (stem == query.Stem) mask.Forms |= 1u << i;
  }
  mask.Forms |= mask.Exact;
  known_.emplace(folded_, mask);
  return mask;
}

RPageScore TWordQuery::Score(std::string_view text, bool matchCase) {
  RPageScore score;
  std::uint32_t held = 0, exact = 0;
  if (!words_.empty())
    for (const RTextRange& at : SplitWords(text)) {
      const RWordMask mask = MaskOf(text.substr(at.Start, at.Length));
      held |= mask.Forms;
      exact |= mask.Exact;
      if (mask.Forms) ++score.Matches;
    }
  score.ExactWords = std::popcount(exact);
  score.Holds = (!words_.empty() && held == AllWords()) ||
                FindPageText(text, text_, 0, matchCase) != std::string_view::npos;
  if (score.Holds && score.Matches == 0)  // only as written: count those places
    for (std::size_t at = FindPageText(text, text_, 0, matchCase); at != std::string_view::npos;
         at = FindPageText(text, text_, at + text_.size(), matchCase))
      ++score.Matches;
  return score;
}

int TWordQuery::WordsIn(std::string_view text) {
  std::uint32_t held = 0;
  if (!words_.empty())
    for (const RTextRange& at : SplitWords(text))
      held |= MaskOf(text.substr(at.Start, at.Length)).Forms;
  return std::popcount(held);
}

std::optional<RTextRange> TWordQuery::Next(std::string_view text, std::size_t from,
                                           bool matchCase) {
  std::optional<RTextRange> found;
  if (const std::size_t at = FindPageText(text, text_, from, matchCase);
      at != std::string_view::npos)
    found = RTextRange{at, text_.size()};
  if (words_.empty()) return found;
  const std::vector<RTextRange> words = SplitWords(text);
  for (std::size_t first = 0; first + words_.size() <= words.size(); ++first) {
    if (words[first].Start < from) continue;
    if (found && words[first].Start >= found->Start) break;
    std::size_t k = 0;
    while (k < words_.size() &&
           (MaskOf(text.substr(words[first + k].Start, words[first + k].Length)).Forms & (1u << k)))
      ++k;
    if (k < words_.size()) continue;
    const RTextRange& last = words[first + k - 1];
    return RTextRange{words[first].Start, last.Start + last.Length - words[first].Start};
  }
  return found;
}

}  // namespace shelf
