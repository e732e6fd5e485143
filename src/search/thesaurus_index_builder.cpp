#include "search/thesaurus_index_builder.h"

#include <regex>

#include "search/page_plain_text.h"
#include "store/book_text.h"

namespace shelf {
namespace {

// Anchors are marked in the page's text by these bytes around their name.
constexpr char kAnchorStart = '\x01', kAnchorEnd = '\x02';

// The page with every <a name="..."> followed by its marked name, so that the anchors keep their
// places in the visible text.
std::string MarkAnchors(std::string_view page) {
  static const std::regex anchor(
      R"re(<a\s[^>]*?\bname\s*=\s*(?:"([^"]*)"|'([^']*)'|([^\s>]+))[^>]*>)re", std::regex::icase);
  std::string marked;
  std::size_t copied = 0;
  for (std::cregex_iterator it(page.data(), page.data() + page.size(), anchor), end; it != end;
       ++it) {
    const std::cmatch& m = *it;
    const std::size_t after = static_cast<std::size_t>(m.position(0) + m.length(0));
    marked.append(page.substr(copied, after - copied));
    const std::string name = m[1].matched ? m[1].str() : m[2].matched ? m[2].str() : m[3].str();
    marked += kAnchorStart + name + kAnchorEnd;
    copied = after;
  }
  marked.append(page.substr(copied));
  return marked;
}

// The term of a heading's text after "~ ": up to the dash that starts an explanation.
std::string Term(std::string_view rest) {
  for (std::string_view dash : {" \x97 ", " \x96 ", " - "}) {
    const std::size_t at = rest.find(dash);
    if (at != std::string_view::npos) rest = rest.substr(0, at);
  }
  return TrimText(rest);
}

}  // namespace

void TThesaurusIndexBuilder::AddPage(std::string_view file, std::string_view pageBytes) {
  const std::string text = PagePlainText(MarkAnchors(pageBytes));
  std::string anchor;  // the last one since the previous entry
  std::size_t lineStart = 0;
  while (lineStart < text.size()) {
    std::size_t lineEnd = text.find('\n', lineStart);
    if (lineEnd == std::string::npos) lineEnd = text.size();
    // The line without its anchor marks; anchors before its first visible byte belong to it.
    std::string line, after;
    bool seenText = false;
    for (std::size_t at = lineStart; at < lineEnd; ++at) {
      if (text[at] == kAnchorStart) {
        const std::size_t close = text.find(kAnchorEnd, at);
        const std::size_t stop = close == std::string::npos || close > lineEnd ? lineEnd : close;
        (seenText ? after : anchor) = text.substr(at + 1, stop - at - 1);
        at = stop;
        continue;
      }
      if (text[at] != ' ') seenText = true;
      line += text[at];
    }
    const std::string heading = TrimText(line);
    if (heading.starts_with("~ ")) {
      const std::string term = Term(std::string_view(heading).substr(2));
      if (!term.empty() && term.find('~') == std::string::npos) {
        entries_.push_back(term + "~" + std::string(file) + (anchor.empty() ? "" : "#" + anchor));
        anchor.clear();
      }
    }
    if (!after.empty()) anchor = after;
    lineStart = lineEnd + 1;
  }
}

std::string TThesaurusIndexBuilder::IndexFile() const {
  std::string out;
  for (const std::string& entry : entries_) out += entry + "\r\n";
  return out;
}

}  // namespace shelf
