#include "search/book_search.h"

#include <algorithm>
#include <map>
#include <set>

#include "platform/cp1251.h"
#include "search/make_find.h"
#include "search/page_plain_text.h"
#include "search/stem_table.h"
#include "search/word_query.h"
#include "store/book_store.h"
#include "store/book_text.h"

namespace shelf {

struct TBookSearch::RCandidate {
  RFoundPage Found;
  int Line = 0;
  bool Scored = false;
  RPageScore Score;
  int TitleWords = 0;
};

TBookSearch::TBookSearch(const TBookStore& store, std::string programDir)
    : store_(store), programDir_(std::move(programDir)) {}

TBookSearch::~TBookSearch() = default;

std::vector<RFoundPage> TBookSearch::Find(std::string_view text) {
  TMakeFind index(store_);
  index.OnMessage = OnMessage;
  index.SetIndexFolder(programDir_);
  TWordQuery query(text, Exact);
  std::vector<RCandidate> found;
  answeredByIndex_ = FromIndex(index, query, found);
  if (!answeredByIndex_ && ScanPages)
    if (const TDynamicStringArray* pages = ScanPages()) Scan(index, query, *pages, found);
  Rank(query, found);
  std::vector<RFoundPage> pages;
  for (RCandidate& candidate : found) pages.push_back(std::move(candidate.Found));
  return pages;
}

bool TBookSearch::FromIndex(TMakeFind& index, TWordQuery& query, std::vector<RCandidate>& found) {
  if (!index.IndexFilesPresent()) {
    if (OnMessage) OnMessage(*Utf8ToCp1251("Индескный(е) файл(ы) не найден"));
    return false;
  }
  if (query.WordCount() == 0) return false;
  if (!query.Exact() && !stems_) {
    auto stems = std::make_unique<TStemTable>();
    if (!index.ReadStemTable(*stems)) return false;
    stems_ = std::move(stems);
  }
  std::set<int> pages;
  for (std::size_t i = 0; i < query.WordCount(); ++i) {
    std::set<int> lines;
    if (query.Exact()) {
      lines = index.KeywordLines(query.Word(i));
    } else {
      // A word the index does not hold as typed is left to the scan, as without forms.
      if (!stems_->Knows(query.Word(i))) return false;
      const std::vector<int>& forms = stems_->Lines(query.Stem(i));
      lines.insert(forms.begin(), forms.end());
    }
    std::set<int> wordPages;
    if (lines.empty() || !index.PagesOfKeywords(lines, wordPages)) return false;
    if (i == 0) {
      pages = std::move(wordPages);
    } else {
      std::erase_if(pages, [&](int page) { return !wordPages.count(page); });
    }
  }
  for (const RListedPage& page : index.ListedPages(&pages))
    found.push_back({{programDir_ + page.File, page.File, page.Title}, page.Line, false, {}, 0});
  return !found.empty();
}

void TBookSearch::Scan(TMakeFind& index, TWordQuery& query, const TDynamicStringArray& pages,
                       std::vector<RCandidate>& found) {
  // Only pages files.idx lists are reported, under its name and title.
  std::map<std::string, RListedPage> listed;
  for (RListedPage& page : index.ListedPages(nullptr)) {
    const std::string key = Cp1251LowerString(TrimText(page.File));
    page.File = TrimText(page.File);
    page.Title = TrimText(page.Title);
    listed.emplace(key, std::move(page));
  }
  const std::string folder = Cp1251LowerString(programDir_);
  std::string bytes;
  for (std::size_t i = 0; i < pages.size(); ++i) {
    if (BeforePage && !BeforePage(i, pages.size())) break;
    const std::string& page = pages[i];
    if (page.empty() || !store_.ReadBookFile(page, bytes)) continue;
    const RPageScore score = query.Score(PagePlainText(bytes), MatchCase);
    if (!score.Holds) continue;
    std::string name = Cp1251LowerString(page);
    if (name.starts_with(folder)) name.erase(0, folder.size());
    const auto entry = listed.find(name);
    if (entry == listed.end()) continue;
    found.push_back(
        {{page, entry->second.File, entry->second.Title}, entry->second.Line, true, score, 0});
  }
}

void TBookSearch::Rank(TWordQuery& query, std::vector<RCandidate>& found) {
  std::string bytes;
  for (RCandidate& candidate : found) {
    if (!candidate.Scored && store_.ReadBookFile(candidate.Found.Page, bytes))
      candidate.Score = query.Score(PagePlainText(bytes), MatchCase);
    candidate.TitleWords = query.WordsIn(candidate.Found.Title);
  }
  std::stable_sort(found.begin(), found.end(), [](const RCandidate& a, const RCandidate& b) {
    if (a.TitleWords != b.TitleWords) return a.TitleWords > b.TitleWords;
    if (a.Score.ExactWords != b.Score.ExactWords) return a.Score.ExactWords > b.Score.ExactWords;
    if (a.Score.Matches != b.Score.Matches) return a.Score.Matches > b.Score.Matches;
    return a.Line < b.Line;
  });
}

}  // namespace shelf
