#include "html/page_source_filter.h"

#include <algorithm>
#include <cctype>
#include <map>
#include <set>
#include <vector>

#include "html/style_sheet_filter.h"
#include "html/style_sheet_guard.h"

namespace shelf {

namespace {

// Elements that never hold anything: they open no level.
const std::set<std::string, std::less<>> kVoidTags = {
    "area",   "base",  "basefont", "bgsound", "br",      "col",    "embed", "frame",
    "hr",     "image", "img",      "input",   "isindex", "keygen", "link",  "meta",
    "nextid", "param", "source",   "spacer",  "track",   "wbr"};

// Tags the parser folds into the one element of their kind.
const std::set<std::string, std::less<>> kSingletonTags = {"body", "head", "html"};

// Start tags that end an open paragraph right above them.
const std::set<std::string, std::less<>> kClosesParagraph = {
    "address", "blockquote", "center", "dir", "div",   "dl", "fieldset", "form",
    "h1",      "h2",         "h3",     "h4",  "h5",    "h6", "hr",       "listing",
    "menu",    "ol",         "p",      "pre", "table", "ul", "xmp"};

// For start tags that end an open element of a kind: which kinds they end, and up to which
// element looking further stops (the structure the parser keeps apart).
struct TImpliedEnd {
  std::string_view Tag;
  std::set<std::string, std::less<>> Ends, StopsAt;
};
const TImpliedEnd kImpliedEnds[] = {
    {"li", {"li"}, {"ul", "ol", "menu", "dir", "table"}},
    {"dt", {"dt", "dd"}, {"dl", "table"}},
    {"dd", {"dt", "dd"}, {"dl", "table"}},
    {"option", {"option"}, {"select", "table"}},
    {"optgroup", {"option", "optgroup"}, {"select", "table"}},
    {"select", {"select"}, {"table"}},
    {"tr", {"tr"}, {"table"}},
    {"td", {"td", "th"}, {"tr", "table"}},
    {"th", {"td", "th"}, {"tr", "table"}},
    {"thead", {"thead", "tbody", "tfoot"}, {"table"}},
    {"tbody", {"thead", "tbody", "tfoot"}, {"table"}},
    {"tfoot", {"thead", "tbody", "tfoot"}, {"table"}},
};

// The elements open at a point of the page, as the parser will nest them (near enough: it
// follows the end tags and the usual implied ends, which is what bounds the real depth).
class TOpenElements {
 public:
  std::size_t Depth() const { return open_.size(); }
  void Start(const std::string& name) {
    if (kVoidTags.count(name) != 0 || kSingletonTags.count(name) != 0) return;
    if (!open_.empty() && open_.back() == "p" && kClosesParagraph.count(name) != 0)
      open_.pop_back();
    for (const TImpliedEnd& rule : kImpliedEnds)
      if (rule.Tag == name) EndKind(rule.Ends, rule.StopsAt);
  }
  // Whether a start tag will open a new level.
  static bool Opens(const std::string& name) {
    return kVoidTags.count(name) == 0 && kSingletonTags.count(name) == 0;
  }
  void Push(std::string name) { open_.push_back(std::move(name)); }
  void End(const std::string& name) {
    for (std::size_t i = open_.size(); i-- > 0;) {
      if (open_[i] != name) continue;
      open_.resize(i);
      return;
    }
  }

 private:
  void EndKind(const std::set<std::string, std::less<>>& ends,
               const std::set<std::string, std::less<>>& stopsAt) {
    for (std::size_t i = open_.size(); i-- > 0;) {
      if (ends.count(open_[i]) != 0) {
        open_.resize(i);
        return;
      }
      if (stopsAt.count(open_[i]) != 0) return;
    }
  }

  std::vector<std::string> open_;
};

// Elements whose white space is kept as written.
const std::set<std::string, std::less<>> kVerbatimTags = {"listing", "plaintext", "pre", "textarea",
                                                          "xmp"};

// Tags around which blank text is never shown: between two of them it can go.
const std::set<std::string, std::less<>> kBlockTags = {
    "blockquote", "body", "br",       "caption", "center", "col",      "colgroup", "dd",
    "div",        "dl",   "dt",       "form",    "frame",  "frameset", "h1",       "h2",
    "h3",         "h4",   "h5",       "h6",      "head",   "hr",       "html",     "li",
    "link",       "meta", "noframes", "ol",      "option", "p",        "select",   "table",
    "tbody",      "td",   "tfoot",    "th",      "thead",  "title",    "tr",       "ul"};

// Tags after which the next line starts afresh: a <br> right there stands for an empty line.
const std::set<std::string, std::less<>> kLineEndingEndTags = {
    "blockquote", "center", "div", "dl", "form", "h1",  "h2",    "h3",
    "h4",         "h5",     "h6",  "ol", "p",    "pre", "table", "ul"};

// Tags that start a block's first line: a <br> right after one is that line, left empty.
const std::set<std::string, std::less<>> kLineStartingTags = {
    "blockquote", "body", "caption", "center", "dd", "div", "dt", "form", "h1",
    "h2",         "h3",   "h4",      "h5",     "h6", "li",  "p",  "td",   "th"};

bool IsSpace(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f';
}

bool IsBlank(std::string_view text) {
  for (char c : text)
    if (!IsSpace(c)) return false;
  return true;
}

// Appends text outside tags, white space runs shrunk unless `verbatim`.
void AppendText(std::string& out, std::string_view text, bool verbatim) {
  if (verbatim) {
    out.append(text);
    return;
  }
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (!IsSpace(text[i])) {
      out += text[i];
      continue;
    }
    out += ' ';
    while (i + 1 < text.size() && IsSpace(text[i + 1])) ++i;
  }
}

// Tabs in <pre> and its kin move to the next multiple of eight columns; the layout engine
// would give each four spaces. Columns count characters (an entity is one) since the line
// began, tags left out. And a line end that opens the text after a tag (<pre><b>, line end)
// is an empty first line, which the engine would leave out: it gets a space to hold.
void TidyVerbatimText(std::string& page) {
  std::string out;
  out.reserve(page.size() + 64);
  int verbatim = 0, column = 0;
  bool tagsOnly = false, afterStartTag = false;
  for (std::size_t i = 0; i < page.size();) {
    const char c = page[i];
    if (c == '<') {
      const std::size_t close = page.find('>', i);
      const std::size_t stop = close == std::string::npos ? page.size() : close + 1;
      const bool closing = i + 1 < page.size() && page[i + 1] == '/';
      std::size_t end = i + (closing ? 2 : 1);
      std::string name;
      while (end < stop && std::isalnum(static_cast<unsigned char>(page[end])))
        name += static_cast<char>(std::tolower(static_cast<unsigned char>(page[end++])));
      afterStartTag = false;
      if (kVerbatimTags.count(name) != 0) {
        verbatim = std::max(0, verbatim + (closing ? -1 : 1));
        column = 0;
        tagsOnly = afterStartTag = !closing;
      }
      out.append(page, i, stop - i);
      i = stop;
      continue;
    }
    ++i;
    if (verbatim == 0) {
      out += c;
      continue;
    }
    if (c == '\n' && tagsOnly && !afterStartTag) out += ' ';
    tagsOnly = afterStartTag = false;
    if (c == '\t') {
      const int spaces = 8 - column % 8;
      out.append(std::size_t(spaces), ' ');
      column += spaces;
      continue;
    }
    out += c;
    if (c == '\n') {
      column = 0;
    } else if (c == '&') {
      const std::size_t semicolon = page.find(';', i);
      if (semicolon != std::string::npos && semicolon - i < 10) {
        out.append(page, i, semicolon + 1 - i);
        i = semicolon + 1;
      }
      ++column;
    } else if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) {
      ++column;
    }
  }
  page = std::move(out);
}

// Where "</name" begins at or after `from` (letter case ignored); the end when it does not.
std::size_t FindEndTag(std::string_view html, std::size_t from, std::string_view name) {
  for (std::size_t at = html.find("</", from); at != std::string_view::npos;
       at = html.find("</", at + 2)) {
    std::size_t i = 0;
    while (i < name.size() && at + 2 + i < html.size() &&
           std::tolower(static_cast<unsigned char>(html[at + 2 + i])) == name[i])
      ++i;
    if (i == name.size()) return at;
  }
  return html.size();
}

}  // namespace

std::string TSourceCuts::Describe() const {
  std::string note;
  if (DroppedTags > 0)
    note = std::to_string(DroppedTags) + " tag(s) nested deeper than " +
           std::to_string(kMaxTagNesting) + " levels left out";
  if (DroppedStyleRules > 0)
    note += (note.empty() ? "" : "; ") + std::to_string(DroppedStyleRules) +
            " style rule(s) with overlong selectors left out";
  if (TextOnlyTail)
    note += (note.empty() ? "" : "; ") + std::string("more than ") +
            std::to_string(kMaxPageElements) + " elements: the rest shown as plain text";
  return note;
}

std::string FilterPageSource(std::string_view html, int maxDepth, TSourceCuts* cuts,
                             int maxElements) {
  std::string out;
  out.reserve(html.size());
  std::map<std::string, int, std::less<>> dropped;
  TOpenElements nesting;
  TSourceCuts found;
  int elements = 0;
  int verbatim = 0;
  bool afterBlockTag = false;
  bool verbatimSeen = false;
  bool atLineStart = false;  // only blank text since a <br> or the end of a block
  std::size_t i = 0;
  while (i < html.size()) {
    const std::size_t open = html.find('<', i);
    if (open == std::string_view::npos) break;
    const std::string_view text = html.substr(i, open - i);
    i = open;
    if (html.substr(i, 4) == "<!--") {
      AppendText(out, text, verbatim > 0);
      const std::size_t end = html.find("-->", i + 4);
      const std::size_t stop = end == std::string_view::npos ? html.size() : end + 3;
      out.append(html, i, stop - i);
      i = stop;
      continue;
    }
    const bool closing = i + 1 < html.size() && html[i + 1] == '/';
    std::size_t nameStart = i + (closing ? 2 : 1), nameEnd = nameStart;
    while (nameEnd < html.size() && std::isalnum(static_cast<unsigned char>(html[nameEnd])))
      ++nameEnd;
    const std::size_t close = html.find('>', nameEnd);
    if (nameEnd == nameStart || close == std::string_view::npos) {
      AppendText(out, text, verbatim > 0);
      out += html[i++];
      afterBlockTag = false;
      continue;
    }
    std::string name(html.substr(nameStart, nameEnd - nameStart));
    for (char& c : name) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    const bool blockTag = kBlockTags.count(name) != 0;
    // The engine draws a <br> that starts a line as nothing at all, where browsers leave an
    // empty line ("a<br><br>b", a <br> after a table): give that line something to hold.
    if (!IsBlank(text)) atLineStart = false;
    const bool lineStartBreak = !closing && name == "br" && verbatim == 0 && atLineStart;
    if ((!closing && (name == "br" || name == "hr" || kLineStartingTags.count(name) != 0)) ||
        (closing && kLineEndingEndTags.count(name) != 0))
      atLineStart = true;
    else if (blockTag)
      atLineStart = false;
    // Blank text between two block tags (line ends between table cells, say) shows nothing.
    if (!(afterBlockTag && blockTag && verbatim == 0 && IsBlank(text)))
      AppendText(out, text, verbatim > 0);
    if (lineStartBreak) out += "&nbsp;";
    afterBlockTag = blockTag;
    const std::size_t stop = close + 1;
    if (!closing && (name == "script" || name == "style")) {
      const std::size_t end = html.find("</", stop);
      const std::size_t to = end == std::string_view::npos ? html.size() : end;
      if (name == "style") {
        // The parser ends a sheet only at "</style", so that is where the guard's text ends.
        const std::size_t sheetEnd = FindEndTag(html, stop, "style");
        out.append(html, i, stop - i);
        std::string sheet = FilterStyleSheet(html.substr(stop, sheetEnd - stop));
        found.DroppedStyleRules += DropOverlongSelectors(sheet);
        out += sheet;
        i = sheetEnd;
      } else {
        out.append(html, i, to - i);
        i = to;
      }
      continue;
    }
    if (kVerbatimTags.count(name) != 0) {
      verbatim = std::max(0, verbatim + (closing ? -1 : 1));
      verbatimSeen = true;
    }
    if (closing) {
      if (auto it = dropped.find(name); it != dropped.end() && it->second > 0) {
        --it->second;
        i = stop;
        continue;
      }
      nesting.End(name);
    } else {
      if (++elements > maxElements) {
        found.TextOnlyTail = true;
        break;
      }
      nesting.Start(name);
      if (TOpenElements::Opens(name)) {
        if (nesting.Depth() >= std::size_t(std::max(0, maxDepth))) {
          ++dropped[name];
          ++found.DroppedTags;
          i = stop;
          continue;
        }
        nesting.Push(name);
      }
    }
    const std::string_view tag = html.substr(i, stop - i);
    if (!closing && tag.find(':') != std::string_view::npos)  // a style attribute, maybe
      out += SpellBorderWidths(tag);
    else
      out.append(tag);
    i = stop;
  }
  if (found.TextOnlyTail) {
    // The tail as text: its tags shown as written, not built.
    for (; i < html.size(); ++i) {
      if (html[i] == '<')
        out += "&lt;";
      else if (html[i] == '&')
        out += "&amp;";
      else
        out += html[i];
    }
  }
  if (i < html.size()) AppendText(out, html.substr(i), verbatim > 0);
  if (verbatimSeen) TidyVerbatimText(out);
  if (cuts) *cuts = found;
  return out;
}

}  // namespace shelf
