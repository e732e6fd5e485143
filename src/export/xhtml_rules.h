// The rules by which old HTML elements and attributes become XHTML: which element stands for
// which, and the small conversions of attribute values the page writer shares.
#pragma once

#include <string>
#include <string_view>

namespace shelf {

enum class TRule {
  Phrasing,  // holds text; written as a block that looks the same when it holds blocks
  Block,     // written as a block
  Void,      // no content
  Drop,      // nothing (or written by its parent, as table rows are)
  Special    // the writer's own code
};

struct RTagRule {
  const char* Tag;
  const char* Out;    // the element written in its place
  const char* Style;  // what the old element looked like, where the new one does not
  TRule Rule;
};

// The rule of a tag (lower case); null for tags written as their content alone.
const RTagRule* RuleOf(const std::string& tag);
// Elements written as blocks, whatever the page nests them in.
bool IsBlock(const std::string& tag);

// ' name="value"' with the value escaped.
std::string XmlAttribute(std::string_view name, std::string_view value);
// A text (UTF-8) escaped for XML, without the characters XML cannot hold.
std::string XmlText(std::string_view text);

// A positive whole number as written, at most `most`; "" when there is none.
std::string Count(const char* value, int most);
// "property:value;", or "" for an empty value.
std::string Declaration(const char* property, const std::string& value);
// "type" of a list or an item as a list style ("lower-roman"), "" when unknown.
std::string ListStyleType(const char* type);
// "align" on a picture or a table: floating to a side, centred, or aligned in the line.
std::string FloatStyle(const char* align, bool table);

}  // namespace shelf
