#include "html/style_sheet_filter.h"

#include <cctype>

#include "platform/cp1251.h"

namespace shelf {

namespace {

// Where the block that opens at `open` ('{') ends, after its '}'; comments and strings inside
// do not count.
std::size_t BlockEnd(std::string_view css, std::size_t open) {
  int depth = 0;
  for (std::size_t i = open; i < css.size(); ++i) {
    const char c = css[i];
    if (c == '/' && i + 1 < css.size() && css[i + 1] == '*') {
      const std::size_t end = css.find("*/", i + 2);
      if (end == std::string_view::npos) return css.size();
      i = end + 1;
    } else if (c == '"' || c == '\'') {
      const std::size_t end = css.find(c, i + 1);
      if (end == std::string_view::npos) return css.size();
      i = end;
    } else if (c == '{') {
      ++depth;
    } else if (c == '}' && --depth == 0) {
      return i + 1;
    }
  }
  return css.size();
}

// One query of a media query list with the colour scheme answered: false when it asks for a
// dark scheme, else the query without that test ("all" when nothing else is left).
bool AnswerColorScheme(std::string& query) {
  std::string lower = AsciiLower(query);
  for (std::size_t at; (at = lower.find("prefers-color-scheme")) != std::string::npos;) {
    const std::size_t open = lower.rfind('(', at), close = lower.find(')', at);
    if (open == std::string::npos || close == std::string::npos) return false;
    if (lower.find("dark", at) < close) return false;
    // The test and the "and" that joins it to the rest of the query go.
    std::size_t from = open, to = close + 1;
    const std::size_t before = lower.rfind("and", open);
    if (before != std::string::npos && lower.find_first_not_of(" \t\r\n", before + 3) == open)
      from = before;
    else if (const std::size_t after = lower.find_first_not_of(" \t\r\n", to);
             lower.compare(after == std::string::npos ? lower.size() : after, 3, "and") == 0)
      to = after + 3;
    query.erase(from, to - from);
    lower.erase(from, to - from);
  }
  if (lower.find_first_not_of(" \t\r\n") == std::string::npos) query = " all";
  return true;
}

bool IsNameChar(char c) {
  return std::isalnum(static_cast<unsigned char>(c)) || c == '-' || c == '_';
}

}  // namespace

std::string SpellBorderWidths(std::string_view css) {
  const std::string lower = AsciiLower(css);
  if (lower.find("thin") == std::string::npos && lower.find("medium") == std::string::npos &&
      lower.find("thick") == std::string::npos)
    return std::string(css);
  static const std::pair<const char*, const char*> kWidths[] = {
      {"thin", "1px"}, {"medium", "3px"}, {"thick", "5px"}};
  std::string out;
  std::size_t done = 0;
  for (std::size_t at = 0; (at = lower.find("border", at)) != std::string::npos;) {
    std::size_t colon = at + 6;
    while (colon < lower.size() && IsNameChar(lower[colon])) ++colon;
    while (colon < lower.size() && lower[colon] == ' ') ++colon;
    if ((at > 0 && IsNameChar(lower[at - 1])) || colon >= lower.size() || lower[colon] != ':') {
      at += 6;
      continue;
    }
    std::size_t end = lower.find_first_of(";}\"'", colon);
    if (end == std::string::npos) end = lower.size();
    for (std::size_t i = colon + 1; i < end;) {
      if (!IsNameChar(lower[i])) {
        ++i;
        continue;
      }
      std::size_t word = i;
      while (i < end && IsNameChar(lower[i])) ++i;
      for (const auto& [name, pixels] : kWidths)
        if (lower.compare(word, i - word, name) == 0) {
          out.append(css.substr(done, word - done));
          out += pixels;
          done = i;
        }
    }
    at = end;
  }
  out.append(css.substr(done));
  return out;
}

std::string FilterStyleSheet(std::string_view css) {
  const std::string lower = AsciiLower(css);
  std::string out;
  std::size_t done = 0;
  for (std::size_t at = 0; (at = lower.find("@media", at)) != std::string::npos;) {
    const std::size_t open = css.find('{', at);
    if (open == std::string_view::npos) break;
    const std::string prelude(css.substr(at + 6, open - at - 6));
    if (lower.substr(at, open - at).find("prefers-color-scheme") == std::string::npos) {
      at = open + 1;  // rules inside are looked at too: media blocks do not nest in old pages
      continue;
    }
    std::string kept;
    for (std::size_t start = 0; start <= prelude.size();) {
      std::size_t comma = prelude.find(',', start);
      if (comma == std::string::npos) comma = prelude.size();
      std::string query = prelude.substr(start, comma - start);
      if (AnswerColorScheme(query)) kept += (kept.empty() ? "" : ",") + query;
      start = comma + 1;
    }
    const std::size_t end = BlockEnd(css, open);
    out.append(css.substr(done, at - done));
    if (!kept.empty()) out += "@media" + kept + std::string(css.substr(open, end - open));
    done = at = end;
  }
  out.append(css.substr(done));
  return SpellBorderWidths(out);
}

}  // namespace shelf
