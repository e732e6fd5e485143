#include "html/style_sheet_guard.h"

#include <cctype>
#include <string_view>

namespace shelf {
namespace {

// The position after a comment or a quoted string starting at `at`, or `at` itself when none
// starts there. An unclosed one runs to the end, as in a browser.
std::size_t SkipCommentOrString(std::string_view css, std::size_t at) {
  if (css.compare(at, 2, "/*") == 0) {
    const std::size_t end = css.find("*/", at + 2);
    return end == std::string_view::npos ? css.size() : end + 2;
  }
  if (css[at] == '"' || css[at] == '\'') {
    for (std::size_t i = at + 1; i < css.size(); ++i) {
      if (css[i] == '\\')
        ++i;
      else if (css[i] == css[at] || css[i] == '\n')
        return i + 1;
    }
    return css.size();
  }
  return at;
}

// The first of `stops` at the nesting level of `at` (brackets, comments and strings skipped),
// or the end.
std::size_t FindAtLevel(std::string_view css, std::size_t at, std::string_view stops) {
  int depth = 0;
  while (at < css.size()) {
    if (const std::size_t past = SkipCommentOrString(css, at); past != at) {
      at = past;
      continue;
    }
    const char c = css[at];
    if (depth == 0 && stops.find(c) != std::string_view::npos) return at;
    if (c == '{' || c == '(' || c == '[') ++depth;
    if ((c == '}' || c == ')' || c == ']') && depth > 0) --depth;
    ++at;
  }
  return at;
}

// Parts of one selector: each simple selector, and the combinator before each compound but the
// first.
int Parts(std::string_view selector) {
  int parts = 0;
  bool inCompound = false, seenCompound = false;
  for (std::size_t i = 0; i < selector.size(); ++i) {
    if (const std::size_t past = SkipCommentOrString(selector, i); past != i) {
      i = past - 1;
      continue;
    }
    const char c = selector[i];
    if (std::isspace(static_cast<unsigned char>(c)) || c == '>' || c == '+' || c == '~') {
      inCompound = false;
    } else if (!inCompound) {
      parts += seenCompound ? 2 : 1;
      inCompound = seenCompound = true;
    } else if (c == '.' || c == '#' || c == '[' || c == ':') {
      ++parts;
    }
  }
  return parts;
}

bool Overlong(std::string_view selectors) {
  if (selectors.size() > kMaxSelectorText) return true;
  for (std::size_t start = 0; start <= selectors.size();) {
    const std::size_t comma = FindAtLevel(selectors, start, ",");
    if (Parts(selectors.substr(start, comma - start)) > kMaxSelectorParts) return true;
    start = comma + 1;
  }
  return false;
}

// The position of the '}' that closes the '{' at `open`, counting nested pairs; npos when none.
std::size_t CloseOf(std::string_view css, std::size_t open) {
  int depth = 0;
  for (std::size_t i = open; i < css.size(); ++i) {
    if (css[i] == '{') ++depth;
    if (css[i] == '}' && --depth == 0) return i;
  }
  return std::string_view::npos;
}

constexpr std::string_view kBlank = " \n\r\t";

// Copies the rules of a sheet without comments into `out`, split as the page engine splits them
// (a rule runs from its selectors to the first '}', an at-rule's block to its matching '}'), so
// that what is measured here is what the engine would parse. Text the engine would make nothing
// of is left out.
void CopyRules(std::string_view css, std::string& out, int& dropped) {
  for (std::size_t at = css.find_first_not_of(kBlank); at != std::string_view::npos;
       at = css.find_first_not_of(kBlank, at)) {
    if (css[at] == '@') {
      const std::size_t stop = css.find_first_of("{;", at);
      if (stop == std::string_view::npos) return;
      if (css[stop] == ';') {
        out.append(css.substr(at, stop + 1 - at)) += '\n';
        at = stop + 1;
        continue;
      }
      // A block of rules (@media) or of declarations (@font-face, left as it is).
      const std::size_t close = CloseOf(css, stop);
      const std::size_t end = close == std::string_view::npos ? css.size() : close;
      out.append(css.substr(at, stop + 1 - at));
      CopyRules(css.substr(stop + 1, end - stop - 1), out, dropped);
      out += "}\n";
      at = end == css.size() ? end : end + 1;
      continue;
    }
    const std::size_t open = css.find('{', at), close = css.find('}', at);
    if (open == std::string_view::npos || close == std::string_view::npos) return;
    if (close > open && !Overlong(css.substr(at, open - at)))
      out.append(css.substr(at, close + 1 - at)) += '\n';
    else
      ++dropped;
    at = close + 1;
  }
}

// The sheet without its comments, as the page engine reads it.
std::string WithoutComments(std::string_view css) {
  std::string out;
  for (std::size_t at = 0; at < css.size();) {
    const std::size_t open = css.find("/*", at);
    out.append(css.substr(at, open - at));
    if (open == std::string_view::npos) break;
    const std::size_t close = css.find("*/", open + 2);
    at = close == std::string_view::npos ? css.size() : close + 2;
  }
  return out;
}

}  // namespace

int DropOverlongSelectors(std::string& css) {
  const std::string text = WithoutComments(css);
  std::string out;
  out.reserve(text.size());
  int dropped = 0;
  CopyRules(text, out, dropped);
  if (dropped > 0) css = std::move(out);
  return dropped;
}

}  // namespace shelf
