#include "search/word_index_builder.h"

#include "platform/cp1251.h"
#include "search/page_plain_text.h"
#include "search/stem_table.h"
#include "search/word_forms.h"

namespace shelf {
namespace {

constexpr std::string_view kLineEnd = "\r\n";

}  // namespace

void TWordIndexBuilder::LeaveOut(std::string_view word) {
  leftOut_.insert(Cp1251LowerString(word));
}

void TWordIndexBuilder::AddPage(std::string_view file, std::string_view pageBytes) {
  std::string title = PageTitleText(pageBytes);
  if (title.empty()) title = std::string(file);
  pages_.push_back(std::string(file) + "#:#" + title);
  const int page = static_cast<int>(pages_.size());

  const std::string text = PagePlainText(pageBytes);
  for (const RTextRange& at : SplitWords(text)) {
    const std::string_view word = std::string_view(text).substr(at.Start, at.Length);
    const std::string key = Cp1251LowerString(word);
    if (leftOut_.count(key)) continue;
    TKeyword& keyword = keywords_[key];
    if (keyword.Word.empty()) keyword.Word = std::string(word);
    if (keyword.Pages.empty() || keyword.Pages.back() != page) keyword.Pages.push_back(page);
  }
}

std::string TWordIndexBuilder::KeywordsFile() const {
  std::string out;
  for (const auto& [key, keyword] : keywords_) out += keyword.Word + std::string(kLineEnd);
  return out;
}

std::string TWordIndexBuilder::NumbersFile() const {
  std::string out;
  for (const auto& [key, keyword] : keywords_) {
    for (std::size_t i = 0; i < keyword.Pages.size(); ++i)
      out += (i ? ":" : "") + std::to_string(keyword.Pages[i]);
    out += kLineEnd;
  }
  return out;
}

std::string TWordIndexBuilder::StemsFile() const {
  TWordStemmer stemmer;
  std::map<std::string, std::vector<int>> stems;
  int line = 0;
  for (const auto& [key, keyword] : keywords_) stems[stemmer.Stem(FoldWord(key))].push_back(++line);
  return WriteStemLines(stems);
}

std::string TWordIndexBuilder::FilesFile() const {
  std::string out;
  for (const std::string& page : pages_) out += page + std::string(kLineEnd);
  return out;
}

}  // namespace shelf
