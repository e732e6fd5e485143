#include "search/word_index_builder.h"

#include <QString>
#include <array>

#include "platform/cp1251.h"
#include "search/page_plain_text.h"

namespace shelf {
namespace {

const std::array<bool, 256>& WordBytes() {
  static const std::array<bool, 256> table = [] {
    std::array<bool, 256> bytes{};
    for (int b = 0; b < 256; ++b) {
      const QString text = QString::fromStdString(Cp1251ToUtf8(std::string(1, char(b))));
      bytes[b] = text.size() == 1 && text[0].isLetterOrNumber();
    }
    return bytes;
  }();
  return table;
}

// A letter or a digit, Cyrillic letters included.
bool IsWordByte(char c) {
  return WordBytes()[static_cast<unsigned char>(c)];
}

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
  for (std::size_t at = 0; at < text.size();) {
    if (!IsWordByte(text[at])) {
      ++at;
      continue;
    }
    std::size_t end = at;
    while (end < text.size() && IsWordByte(text[end])) ++end;
    const std::string_view word = std::string_view(text).substr(at, end - at);
    at = end;
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

std::string TWordIndexBuilder::FilesFile() const {
  std::string out;
  for (const std::string& page : pages_) out += page + std::string(kLineEnd);
  return out;
}

}  // namespace shelf
