#include "search/make_find.h"

#include <algorithm>
#include <charconv>

#include "platform/cp1251.h"
#include "search/stem_table.h"
#include "search/word_forms.h"
#include "store/book_store.h"
#include "store/book_text.h"
#include "store/compr_stream.h"

namespace shelf {
namespace {

constexpr std::string_view kKeywords = "keywords.idx", kNumbers = "index.idx", kFiles = "files.idx",
                           kStems = "stems.idx", kSeparator = "#:#";

bool SameWord(std::string_view a, std::string_view b, bool matchCase) {
  if (a.size() != b.size()) return false;
  return matchCase ? a == b : Cp1251LowerString(a) == Cp1251LowerString(b);
}

}  // namespace

void TMakeFind::SetIndexFolder(std::string_view folder) {
  folder_ = std::string(folder);
  if (!folder_.empty() && folder_.back() == '\\') folder_.pop_back();
}

bool TMakeFind::IndexFilesPresent() const {
  return store_.BookFileExists(Path(kKeywords)) && store_.BookFileExists(Path(kNumbers)) &&
         store_.BookFileExists(Path(kFiles));
}

void TMakeFind::Message(const std::string& text) const {
  if (OnMessage) OnMessage(text);
}

bool TMakeFind::ReadLines(std::string_view name,
                          const std::function<bool(int, const std::string&)>& line, bool quiet) {
  try {
    TComprStream stream(store_, Path(name));
    std::string text;
    for (int number = 1;; ++number) {
      const bool ended = ReadIndexLine(stream, text);
      // A last line without a line end counts; the empty rest after a final CR does not.
      if (!ended && text.empty() && stream.Position() >= stream.Size()) return true;
      if (!line(number, text) || !ended) return true;
    }
  } catch (const std::exception&) {
    if (!quiet) Message(*Utf8ToCp1251("Индексный файл не найден (") + std::string(name) + ")");
    return false;
  }
}

bool TMakeFind::SearchIndex(std::string_view word, TDynamicStringArray& files,
                            TDynamicStringArray& titles, bool matchCase) {
  indexLinesRead_ = 0;
  if (!IndexFilesPresent()) {
    Message(*Utf8ToCp1251("Индескный(е) файл(ы) не найден"));
    return false;
  }
  int keywordLine = 0;
  if (!ReadLines(kKeywords,
                 [&](int number, const std::string& line) {
                   if (!SameWord(line, word, matchCase)) return true;
                   keywordLine = number;
                   return false;
                 }) ||
      keywordLine == 0)
    return false;
  std::set<int> pages;
  if (!PagesOfKeywords({keywordLine}, pages)) return false;
  const std::size_t before = files.size();
  for (RListedPage& page : ListedPages(&pages)) {
    files.push_back(std::move(page.File));
    titles.push_back(std::move(page.Title));
  }
  return files.size() > before;
}

std::set<int> TMakeFind::KeywordLines(std::string_view word) {
  const std::string wanted = FoldWord(word);
  std::set<int> lines;
  ReadLines(kKeywords, [&](int number, const std::string& line) {
    if (line.size() == wanted.size() && FoldWord(line) == wanted) lines.insert(number);
    return true;
  });
  return lines;
}

bool TMakeFind::ReadStemTable(TStemTable& table) {
  const bool stored = store_.BookFileExists(Path(kStems)) && ReadLines(
                                                                 kStems,
                                                                 [&](int, const std::string& line) {
                                                                   table.AddStemsLine(line);
                                                                   return true;
                                                                 },
                                                                 true);
  TWordStemmer stemmer;
  return ReadLines(kKeywords, [&](int number, const std::string& line) {
    const std::string folded = FoldWord(line);
    table.AddKeyword(folded);
    // Only single words have forms; other lines match as they are written.
    if (!stored && !line.empty() && std::all_of(line.begin(), line.end(), IsWordByte))
      table.Add(stemmer.Stem(folded), number);
    return true;
  });
}

bool TMakeFind::PagesOfKeywords(const std::set<int>& lines, std::set<int>& pages) {
  indexLinesRead_ = 0;
  if (lines.empty()) return true;
  const int last = *lines.rbegin();
  if (!ReadLines(kNumbers, [&](int number, const std::string& line) {
        indexLinesRead_ = number;
        if (!lines.count(number)) return number < last;
        for (const std::string& piece : SplitText(":", line)) {
          int page = 0;
          const auto [end, error] =
              std::from_chars(piece.data(), piece.data() + piece.size(), page);
          if (error == std::errc() && end == piece.data() + piece.size()) pages.insert(page);
        }
        return number < last;
      }))
    return false;
  return indexLinesRead_ >= last;
}

std::vector<RListedPage> TMakeFind::ListedPages(const std::set<int>* pages) {
  std::vector<RListedPage> listed;
  ReadLines(kFiles, [&](int number, const std::string& line) {
    const std::size_t separator = line.find(kSeparator);
    if ((!pages || pages->count(number)) && separator != std::string::npos)
      listed.push_back(
          {line.substr(0, separator), line.substr(separator + kSeparator.size()), number});
    return true;
  });
  return listed;
}

bool TMakeFind::PageTitle(std::string_view file, std::string& title) {
  const std::string wanted = Cp1251LowerString(file);
  bool found = false;
  ReadLines(kFiles, [&](int, const std::string& line) {
    const std::size_t separator = line.find(kSeparator);
    if (separator == std::string::npos ||
        Cp1251LowerString(TrimText(std::string_view(line).substr(0, separator))) != wanted)
      return true;
    title = TrimText(std::string_view(line).substr(separator + kSeparator.size()));
    found = true;
    return false;
  });
  return found;
}

}  // namespace shelf
