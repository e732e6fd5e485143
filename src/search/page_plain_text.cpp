#include "search/page_plain_text.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <string>

#include "html/page_decoder.h"
#include "platform/cp1251.h"

namespace shelf {
namespace {

// Elements whose content is never shown.
constexpr std::array<std::string_view, 16> kHidden = {
    "head",   "script", "style",  "title",    "noframes", "option", "optgroup", "applet",
    "object", "map",    "select", "textarea", "frameset", "embed",  "noembed",  "xmp"};

// Elements that start and end a line on screen (everything not shown inline).
constexpr std::array<std::string_view, 41> kBlocks = {
    "html", "body",    "div",     "p",         "address",  "blockquote", "center",
    "dir",  "dl",      "dt",      "dd",        "fieldset", "form",       "h1",
    "h2",   "h3",      "h4",      "h5",        "h6",       "menu",       "ol",
    "ul",   "pre",     "listing", "plaintext", "noscript", "hr",         "br",
    "li",   "table",   "thead",   "tbody",     "tfoot",    "tr",         "td",
    "th",   "caption", "col",     "colgroup",  "multicol", "frame"};

struct TEntity {
  std::string_view Name;
  char32_t Code;
};
constexpr TEntity kEntities[] = {
    {"amp", '&'},      {"lt", '<'},       {"gt", '>'},        {"quot", '"'},     {"apos", '\''},
    {"nbsp", 0xA0},    {"copy", 0xA9},    {"reg", 0xAE},      {"laquo", 0xAB},   {"raquo", 0xBB},
    {"mdash", 0x2014}, {"ndash", 0x2013}, {"hellip", 0x2026}, {"deg", 0xB0},     {"sect", 0xA7},
    {"middot", 0xB7},  {"bull", 0x2022},  {"ldquo", 0x201C},  {"rdquo", 0x201D}, {"bdquo", 0x201E},
    {"lsquo", 0x2018}, {"rsquo", 0x2019}, {"trade", 0x2122},  {"plusmn", 0xB1},  {"times", 0xD7},
    {"shy", 0xAD},     {"para", 0xB6},    {"euro", 0x20AC},   {"numero", 0x2116}};

template <std::size_t N>
bool IsOneOf(const std::array<std::string_view, N>& names, std::string_view name) {
  return std::find(names.begin(), names.end(), name) != names.end();
}

bool IsSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f';
}

std::string CodeToCp1251(char32_t code) {
  std::string utf8;
  if (code < 0x80) {
    utf8 += char(code);
  } else if (code < 0x800) {
    utf8 += char(0xC0 | (code >> 6));
    utf8 += char(0x80 | (code & 0x3F));
  } else if (code < 0x10000) {
    utf8 += char(0xE0 | (code >> 12));
    utf8 += char(0x80 | ((code >> 6) & 0x3F));
    utf8 += char(0x80 | (code & 0x3F));
  } else {
    return "?";
  }
  return Utf8ToCp1251Lossy(utf8);
}

// Builds the text the way the viewer's walk over its laid-out words does.
class TTextBuilder {
 public:
  void Space() {
    if (!text_.empty() && text_.back() != ' ' && text_.back() != '\n') text_ += ' ';
  }
  // A line break at the start of a line is an empty line, as on screen.
  void LineBreak() {
    if (!text_.empty() && text_.back() == '\n')
      text_ += '\n';
    else
      Break();
  }
  void Break() {
    if (!text_.empty() && text_.back() != '\n') {
      if (text_.back() == ' ') text_.pop_back();
      text_ += '\n';
    }
  }
  void Add(std::string_view bytes) {
    for (char c : bytes) text_ += c == '\xA0' ? ' ' : c;
  }
  std::string Take() { return std::move(text_); }

 private:
  std::string text_;
};

// Decodes the entity at `at` ('&'); returns its text and moves `at` past it, or the '&' alone.
std::string Entity(std::string_view page, std::size_t& at) {
  std::size_t end = at + 1;
  while (end < page.size() && end - at < 12 &&
         (std::isalnum(static_cast<unsigned char>(page[end])) || page[end] == '#'))
    ++end;
  const std::string_view name = page.substr(at + 1, end - at - 1);
  const bool closed = end < page.size() && page[end] == ';';
  auto finish = [&](char32_t code) {
    at = closed ? end + 1 : end;
    return CodeToCp1251(code);
  };
  if (name.size() > 1 && name[0] == '#') {
    const bool hex = name[1] == 'x' || name[1] == 'X';
    const std::string digits(name.substr(hex ? 2 : 1));
    if (!digits.empty()) {
      char* rest = nullptr;
      const unsigned long code = std::strtoul(digits.c_str(), &rest, hex ? 16 : 10);
      if (rest && *rest == '\0') return finish(char32_t(code));
    }
  }
  for (const TEntity& entity : kEntities)
    if (entity.Name == name) return finish(entity.Code);
  at += 1;
  return "&";
}

// The page in Windows-1251: as it is, or recoded into `storage` when it declares another charset.
std::string_view InCp1251(std::string_view pageBytes, std::string& storage) {
  const std::string charset = DeclaredCharset(pageBytes);
  if (charset.empty() || charset == "windows-1251" || charset == "cp1251") return pageBytes;
  storage = Utf8ToCp1251Lossy(DecodePageToUtf8(pageBytes));
  return storage;
}

}  // namespace

std::string PageTitleText(std::string_view pageBytes) {
  std::string recoded;
  const std::string_view page = InCp1251(pageBytes, recoded);
  const std::string lower = AsciiLower(page);
  const std::size_t open = lower.find("<title");
  if (open == std::string::npos) return {};
  const std::size_t start = lower.find('>', open);
  if (start == std::string::npos) return {};
  const std::size_t end = lower.find("</title", start);
  std::string title = PagePlainText(
      page.substr(start + 1, end == std::string::npos ? std::string::npos : end - start - 1));
  std::replace(title.begin(), title.end(), '\n', ' ');
  while (!title.empty() && title.back() == ' ') title.pop_back();
  return title;
}

std::string PagePlainText(std::string_view pageBytes) {
  std::string recoded;
  const std::string_view page = InCp1251(pageBytes, recoded);
  TTextBuilder text;
  std::string hiddenUntil;  // the closing tag that ends a hidden part
  std::size_t at = 0;
  while (at < page.size()) {
    const char c = page[at];
    if (c == '<') {
      if (page.substr(at, 4) == "<!--") {
        const std::size_t end = page.find("-->", at + 4);
        at = end == std::string_view::npos ? page.size() : end + 3;
        continue;
      }
      std::size_t nameStart = at + 1;
      const bool closing = nameStart < page.size() && page[nameStart] == '/';
      if (closing) ++nameStart;
      std::size_t nameEnd = nameStart;
      while (nameEnd < page.size() && (std::isalnum(static_cast<unsigned char>(page[nameEnd]))))
        ++nameEnd;
      if (nameEnd == nameStart && page.substr(nameStart, 1) != "!" &&
          page.substr(nameStart, 1) != "?") {
        if (hiddenUntil.empty()) text.Add("<");  // a lone '<' is text
        ++at;
        continue;
      }
      // The tag ends at the first '>' outside quotes.
      std::size_t end = nameEnd;
      char quote = 0;
      for (; end < page.size(); ++end) {
        if (quote) {
          if (page[end] == quote) quote = 0;
        } else if (page[end] == '"' || page[end] == '\'') {
          if (IsSpace(page[end - 1]) || page[end - 1] == '=') quote = page[end];
        } else if (page[end] == '>') {
          break;
        }
      }
      const std::string name = AsciiLower(page.substr(nameStart, nameEnd - nameStart));
      at = end < page.size() ? end + 1 : page.size();
      if (!hiddenUntil.empty()) {
        if (closing && name == hiddenUntil) hiddenUntil.clear();
        continue;
      }
      if (!closing && IsOneOf(kHidden, name)) {
        hiddenUntil = name;
        continue;
      }
      if (name == "br" && !closing)
        text.LineBreak();
      else if (IsOneOf(kBlocks, name))
        text.Break();
      continue;
    }
    if (!hiddenUntil.empty()) {
      ++at;
      continue;
    }
    if (IsSpace(c)) {
      text.Space();
      ++at;
    } else if (c == '&') {
      text.Add(Entity(page, at));
    } else {
      text.Add(page.substr(at, 1));
      ++at;
    }
  }
  text.Break();
  return text.Take();
}

}  // namespace shelf
