// The reading rules the description files share: keywords looked for in a fixed order from a
// section's header line on, each with the reader of its value and the record field it fills.
#pragma once

#include <QPoint>
#include <algorithm>
#include <charconv>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "book/description_problem.h"
#include "book/element_records.h"
#include "platform/cp1251.h"
#include "store/book_folders.h"
#include "store/book_path.h"
#include "store/book_text.h"
#include "store/dynamic_arrays.h"

namespace shelf {

inline std::string Quoted(std::string_view cp1251) {
  return "\"" + Cp1251ToUtf8(cp1251) + "\"";
}

// Numbers in the files are pixels, point sizes and counts; beyond this they are typing errors,
// and the arithmetic on them (edges plus sizes, points times the screen's dots per inch) must
// stay within an int.
constexpr std::int32_t kMaxDescriptionNumber = 1000000;

// The lines being read, the folders names are resolved against and the problems found so far.
// It also knows on which lines each keyword occurs, so that a section can be checked for
// completeness without reading every line after it (which made reading quadratic in the
// number of incomplete sections).
struct TReadContext {
  const TDynamicStringArray& Lines;  // keywords are looked for here (lower case)
  const TBookFolders& Folders;
  std::vector<RDescriptionProblem>& Problems;
  const char* File;  // named in the problems
  // Where values are read from when they keep the case they were written in; a line that holds
  // a caption keyword is lower-cased here before its values are read. Null: from `Lines`.
  TDynamicStringArray* ValueLines = nullptr;
  mutable std::unordered_map<std::string_view, std::vector<std::size_t>> Occurrences = {};

  void Problem(std::size_t line, std::string message) const {
    Problems.push_back({File, line + 1, std::move(message)});
  }

  // The first line from `from` on that holds `text`.
  std::optional<std::size_t> NextLineWith(std::string_view text, std::size_t from) const {
    auto [it, added] = Occurrences.try_emplace(text);
    if (added)
      for (std::size_t line = 0; line < Lines.size(); ++line)
        if (Lines[line].find(text) != std::string::npos) it->second.push_back(line);
    const auto next = std::lower_bound(it->second.begin(), it->second.end(), from);
    if (next == it->second.end()) return std::nullopt;
    return *next;
  }

  // Where a list whose keyword is on `line` ends: that line when it opens none, the line of its
  // ']', or nullopt when it never closes.
  std::optional<std::size_t> ListEnd(std::size_t line) const {
    const std::string& text = Lines[line];
    const std::size_t open = text.find('[');
    if (open == std::string::npos || text.find(']', open) != std::string::npos) return line;
    return NextLineWith("]", line + 1);
  }
};

// A keyword found on a line, with the readers of the value that follows it. A list may run
// over further lines and moves the caller's line index to its ']'.
class TFoundKeyword {
 public:
  TFoundKeyword(const TReadContext& context, std::size_t& line, std::size_t column,
                std::string_view keyword)
      : context_(context), line_(line), column_(column), keyword_(keyword) {}

  std::size_t& Line() { return line_; }
  std::string_view Keyword() const { return keyword_; }
  const TReadContext& Context() const { return context_; }

  std::int32_t Number() const {
    const std::int32_t value = ValueInt(Text(), column_ + 1);
    if (value >= -kMaxDescriptionNumber && value <= kMaxDescriptionNumber) return value;
    const std::int32_t bounded = value < 0 ? -kMaxDescriptionNumber : kMaxDescriptionNumber;
    context_.Problem(line_, "the value of " + Quoted(keyword_) + " is out of range; " +
                                std::to_string(bounded) + " is used");
    return bounded;
  }
  std::int32_t Color() const { return ValueColor(Text(), column_ + 1); }
  // Starts one byte past the keyword: the '='.
  std::string Word() const { return ValueWord(Text(), column_ + keyword_.size() + 2); }
  std::string Path() const { return ResolveBookPath(Word(), context_.Folders); }
  std::uint8_t OnFlag() const { return Word() == "on" ? 1 : 0; }

  std::uint8_t Style() const { return StyleFromWords(Word()); }

  TDynamicStringArray List() {
    if (!context_.ListEnd(line_)) {
      context_.Problem(line_, "the list of " + Quoted(keyword_) +
                                  " has no closing ']' before the end of the file; it is left out");
      return {};
    }
    if (auto items = ValueList(context_.Lines, line_, context_.Folders)) return std::move(*items);
    context_.Problem(line_, "the list of " + Quoted(keyword_) +
                                " has no closing ']' before the end of the file; it is left out");
    return {};
  }

 private:
  const std::string& Text() const {
    return context_.ValueLines ? (*context_.ValueLines)[line_] : context_.Lines[line_];
  }

  const TReadContext& context_;
  std::size_t& line_;
  std::size_t column_;
  std::string_view keyword_;
};

// One keyword of a record and how its value goes into the record (no reader: the keyword must
// be present, its value is not used).
template <class R>
struct TField {
  std::string_view Keyword;
  std::function<void(R&, TFoundKeyword&)> Read;
  bool List = false;  // the value is a list that may run over further lines
};
template <class R>
using TFields = std::vector<TField<R>>;

template <class R>
TField<R> NumberField(std::string_view keyword, std::int32_t R::*field) {
  return {keyword, [field](R& r, TFoundKeyword& found) { r.*field = found.Number(); }};
}
template <class R>
TField<R> ColorField(std::string_view keyword, std::int32_t R::*field) {
  return {keyword, [field](R& r, TFoundKeyword& found) { r.*field = found.Color(); }};
}
template <class R>
TField<R> WordField(std::string_view keyword, std::string R::*field) {
  return {keyword, [field](R& r, TFoundKeyword& found) { r.*field = found.Word(); }};
}
// A word compared without regard to case ("wav", "go", "style" of the dialogs).
template <class R>
TField<R> LowerWordField(std::string_view keyword, std::string R::*field) {
  return {keyword, [field](R& r, TFoundKeyword& found) { r.*field = AsciiLower(found.Word()); }};
}
template <class R>
TField<R> PathField(std::string_view keyword, std::string R::*field) {
  return {keyword, [field](R& r, TFoundKeyword& found) { r.*field = found.Path(); }};
}
template <class R>
TField<R> StyleField(std::string_view keyword, std::uint8_t R::*field) {
  return {keyword, [field](R& r, TFoundKeyword& found) { r.*field = found.Style(); }};
}
template <class R>
TField<R> OnField(std::string_view keyword, std::uint8_t R::*field) {
  return {keyword, [field](R& r, TFoundKeyword& found) { r.*field = found.OnFlag(); }};
}
template <class R>
TField<R> ListField(std::string_view keyword, TDynamicStringArray R::*field) {
  return {keyword, [field](R& r, TFoundKeyword& found) { r.*field = found.List(); }, true};
}

// The four edges every rectangular element starts with.
template <class R>
TFields<R> EdgeFields() {
  return {NumberField("vx", &R::Left), NumberField("vy", &R::Top), NumberField("vw", &R::Right),
          NumberField("vh", &R::Bottom)};
}

template <class R>
TFields<R> Join(TFields<R> head, const TFields<R>& tail) {
  head.insert(head.end(), tail.begin(), tail.end());
  return head;
}

// Reads `fields` in their order from `line` on: a field found on the current line is read and
// the next one looked for on the same line; otherwise the line is searched for every caption
// keyword and the next line taken. Returns the line holding the last field, or nullopt with the
// keyword that the lines ran out before.
template <class R>
std::optional<std::size_t> ReadFields(const TReadContext& context, std::size_t line, R& record,
                                      const TFields<R>& fields, const TFields<R>& captions,
                                      std::string_view& missing) {
  for (const TField<R>& field : fields) {
    std::size_t column;
    for (;; ++line) {
      if (line >= context.Lines.size()) {
        missing = field.Keyword;
        return std::nullopt;
      }
      column = context.Lines[line].find(field.Keyword);
      if (column != std::string::npos) break;
      for (const TField<R>& caption : captions) {
        const std::size_t at = context.Lines[line].find(caption.Keyword);
        if (at == std::string::npos) continue;
        if (context.ValueLines) (*context.ValueLines)[line] = AsciiLower(context.Lines[line]);
        TFoundKeyword found(context, line, at, caption.Keyword);
        caption.Read(record, found);
      }
    }
    if (field.Read) {
      TFoundKeyword found(context, line, column, field.Keyword);
      field.Read(record, found);
    }
  }
  return line;
}

// The keyword of the first field that is missing from `line` on, found through the keyword
// index alone (a list moves the search to its ']', as reading it does); empty when all are there.
template <class R>
std::string_view MissingField(const TReadContext& context, std::size_t line,
                              const TFields<R>& fields) {
  for (const TField<R>& field : fields) {
    const auto found = context.NextLineWith(field.Keyword, line);
    if (!found) return field.Keyword;
    line = *found;
    if (field.List) line = context.ListEnd(line).value_or(line);
  }
  return {};
}

// A block or section that starts on `line`; on success `line` moves to where it ended.
template <class R>
bool ReadRecord(const TReadContext& context, std::size_t& line, R& record, std::string_view what,
                const TFields<R>& fields, const TFields<R>& captions = {}) {
  std::string_view missing = MissingField(context, line, fields);
  const auto end =
      missing.empty() ? ReadFields(context, line, record, fields, captions, missing) : std::nullopt;
  if (!end) {
    context.Problem(line, Quoted(what) + " lacks " + Quoted(missing) +
                              " before the end of the file; it is left out");
    return false;
  }
  line = *end;
  return true;
}

inline constexpr std::size_t kMaxWindowVertices = 2000;

// "x,y": two integers split at the first comma.
inline std::optional<QPoint> ParseVertex(std::string_view text) {
  const std::size_t comma = text.find(',');
  if (comma == std::string_view::npos) return std::nullopt;
  int coordinates[2];
  const std::string parts[2] = {TrimText(text.substr(0, comma)), TrimText(text.substr(comma + 1))};
  for (int i = 0; i < 2; ++i) {
    const char* end = parts[i].data() + parts[i].size();
    const auto [stop, error] = std::from_chars(parts[i].data(), end, coordinates[i]);
    if (parts[i].empty() || error != std::errc() || stop != end) return std::nullopt;
    if (coordinates[i] < -kMaxDescriptionNumber || coordinates[i] > kMaxDescriptionNumber)
      return std::nullopt;
  }
  return QPoint(coordinates[0], coordinates[1]);
}

// A window's outline ("vertexmain", the about box's "vertex"): the points of the list that
// starts at `found`; elements that are no vertex are left out, and empty ones (a ';' at a line
// end of a list written over several lines) silently.
inline std::vector<QPoint> ReadWindowShape(TFoundKeyword& found) {
  const std::size_t line = found.Line();
  std::vector<QPoint> shape;
  for (const std::string& element : found.List()) {
    if (element.empty()) continue;
    if (shape.size() == kMaxWindowVertices) {
      found.Context().Problem(line, "the window shape has more than " +
                                        std::to_string(kMaxWindowVertices) +
                                        " vertices; the rest are left out");
      break;
    }
    if (const auto vertex = ParseVertex(element)) {
      shape.push_back(*vertex);
    } else {
      found.Context().Problem(
          line, "window shape vertex " + Quoted(element) + " is not two integers from -" +
                    std::to_string(kMaxDescriptionNumber) + " to " +
                    std::to_string(kMaxDescriptionNumber) + " separated by a comma; left out");
    }
  }
  return shape;
}

// The caption keywords both switch kinds share: font, styles and colours of the four pictures.
template <class R>
TFields<R> SwitchFontFields() {
  return {WordField("textfontname", &R::FontName),
          NumberField("textfontsize", &R::FontSize),
          StyleField("textfontstyleup", &R::StyleUp),
          StyleField("textfontstylemvup", &R::StyleMoveUp),
          StyleField("textfontstylemvdn", &R::StyleMoveDown),
          StyleField("textfontstyledn", &R::StyleDown),
          ColorField("textfontcolorup", &R::ColorUp),
          ColorField("textfontcolormvup", &R::ColorMoveUp),
          ColorField("textfontcolormvdn", &R::ColorMoveDown),
          ColorField("textfontcolordn", &R::ColorDown)};
}

// The caption keywords of a group switch, looked for on the lines between its main keywords.
inline const TFields<RSwthGrp>& SwitchGrpCaptionFields() {
  static const TFields<RSwthGrp> fields = Join(
      {WordField("textcaptionup", &RSwthGrp::CaptionUp),
       WordField("textcaptiondn", &RSwthGrp::CaptionDown),
       NumberField("texttx", &RSwthGrp::CaptionLeft), NumberField("textty", &RSwthGrp::CaptionTop),
       NumberField("textbx", &RSwthGrp::CaptionRight),
       NumberField("textby", &RSwthGrp::CaptionBottom)},
      SwitchFontFields<RSwthGrp>());
  return fields;
}

}  // namespace shelf
