#include "search/make_tesaurus_find.h"

#include "book/thesaurus_entries.h"
#include "platform/cp1251.h"
#include "search/word_forms.h"
#include "store/book_text.h"

namespace shelf {

void TMakeTesaurusFind::SetIndexFolder(std::string_view folder) {
  folder_ = std::string(folder);
  if (!folder_.empty() && folder_.back() == '\\') folder_.pop_back();
}

bool TMakeTesaurusFind::ReadEntries(
    const std::function<bool(const std::string& term, const std::string& page)>& entry) {
  const TThesaurusRead read = ReadThesaurusEntries(store_, folder_ + "\\tezaurus.idx", entry);
  // A missing index shows nothing; one that is there but cannot be read is worth a word.
  if (read == TThesaurusRead::Unreadable && OnWarning)
    OnWarning(*Utf8ToCp1251("Индексный файл не найден (tezaurus.idx)"));
  return read == TThesaurusRead::Read;
}

bool TMakeTesaurusFind::ThesaurusStartPage(std::string& target) {
  target.clear();
  // Only the first line counts: without a page there, the thesaurus has no start.
  ReadEntries([&](const std::string&, const std::string& page) {
    target = page;
    return true;
  });
  return !target.empty();
}

bool TMakeTesaurusFind::LookUp(std::string_view word, std::string& target) {
  const std::string wanted = Cp1251LowerString(TrimText(word));
  if (wanted.empty()) return ThesaurusStartPage(target);
  target.clear();
  ReadEntries([&](const std::string& term, const std::string& page) {
    if (page.empty() || Cp1251LowerString(term) != wanted) return false;
    target = page;
    return true;
  });
  return !target.empty();
}

bool TMakeTesaurusFind::FindTerm(std::string_view text, std::string& term, std::string& target) {
  const std::string wanted = FoldWord(TrimText(text));
  if (wanted.empty()) return false;
  TWordStemmer stemmer;
  const auto stems = [&](std::string_view words) {
    std::vector<std::string> out;
    for (const RTextRange& at : SplitWords(words))
      out.push_back(stemmer.Stem(FoldWord(words.substr(at.Start, at.Length))));
    return out;
  };
  const std::vector<std::string> wantedStems = stems(wanted);
  // The best kind of match seen so far: 0 none, 1 the start, 2 the forms, 3 the term itself.
  int best = 0;
  ReadEntries([&](const std::string& entryTerm, const std::string& page) {
    if (page.empty()) return false;
    const std::string folded = FoldWord(entryTerm);
    const int kind = folded == wanted                                       ? 3
                     : !wantedStems.empty() && stems(folded) == wantedStems ? 2
                     : folded.starts_with(wanted)                           ? 1
                                                                            : 0;
    if (kind > best) {
      best = kind;
      term = entryTerm;
      target = page;
    }
    return best == 3;
  });
  return best > 0;
}

}  // namespace shelf
