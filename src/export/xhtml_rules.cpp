#include "export/xhtml_rules.h"

#include <set>

#include "export/css_hints.h"
#include "platform/cp1251.h"

namespace shelf {
namespace {

// Elements that HTML keeps (or that have a close equivalent), how each is written, and what
// becomes of the rest. Not listed: written as their content alone.
constexpr RTagRule kRules[] = {
    {"b", "b", "", TRule::Phrasing},
    {"strong", "strong", "", TRule::Phrasing},
    {"i", "i", "", TRule::Phrasing},
    {"em", "em", "", TRule::Phrasing},
    {"u", "u", "", TRule::Phrasing},
    {"s", "s", "", TRule::Phrasing},
    {"strike", "s", "", TRule::Phrasing},
    {"tt", "span", "font-family:monospace;", TRule::Phrasing},
    {"big", "span", "font-size:larger;", TRule::Phrasing},
    {"small", "small", "", TRule::Phrasing},
    {"sub", "sub", "", TRule::Phrasing},
    {"sup", "sup", "", TRule::Phrasing},
    {"code", "code", "", TRule::Phrasing},
    {"kbd", "kbd", "", TRule::Phrasing},
    {"samp", "samp", "", TRule::Phrasing},
    {"var", "var", "", TRule::Phrasing},
    {"cite", "cite", "", TRule::Phrasing},
    {"dfn", "dfn", "", TRule::Phrasing},
    {"abbr", "abbr", "", TRule::Phrasing},
    {"acronym", "abbr", "", TRule::Phrasing},
    {"q", "q", "", TRule::Phrasing},
    {"span", "span", "", TRule::Phrasing},
    {"nobr", "span", "white-space:nowrap;", TRule::Phrasing},
    {"blink", "span", "", TRule::Phrasing},
    {"label", "span", "", TRule::Phrasing},
    {"ins", "span", "text-decoration:underline;", TRule::Phrasing},
    {"del", "span", "text-decoration:line-through;", TRule::Phrasing},
    {"font", "span", "", TRule::Phrasing},
    {"p", "p", "", TRule::Phrasing},
    {"h1", "h1", "", TRule::Phrasing},
    {"h2", "h2", "", TRule::Phrasing},
    {"h3", "h3", "", TRule::Phrasing},
    {"h4", "h4", "", TRule::Phrasing},
    {"h5", "h5", "", TRule::Phrasing},
    {"h6", "h6", "", TRule::Phrasing},
    {"pre", "pre", "", TRule::Phrasing},
    {"listing", "pre", "", TRule::Phrasing},
    {"xmp", "pre", "", TRule::Phrasing},
    {"plaintext", "pre", "", TRule::Phrasing},
    {"div", "div", "", TRule::Block},
    {"center", "div", "text-align:center;", TRule::Block},
    {"blockquote", "blockquote", "", TRule::Block},
    {"address", "div", "font-style:italic;", TRule::Block},
    {"marquee", "div", "", TRule::Block},
    {"fieldset", "div", "border:2px groove #c0c0c0;padding:0.5em;margin:0.5em 0;", TRule::Block},
    {"legend", "div", "font-weight:bold;", TRule::Block},
    {"section", "div", "", TRule::Block},
    {"article", "div", "", TRule::Block},
    {"header", "div", "", TRule::Block},
    {"footer", "div", "", TRule::Block},
    {"nav", "div", "", TRule::Block},
    {"aside", "div", "", TRule::Block},
    {"main", "div", "", TRule::Block},
    {"figure", "div", "", TRule::Block},
    {"figcaption", "div", "", TRule::Block},
    {"br", "br", "", TRule::Void},
    {"wbr", "wbr", "", TRule::Void},
    {"hr", "hr", "", TRule::Special},
    {"a", "a", "", TRule::Special},
    {"img", "img", "", TRule::Special},
    {"table", "table", "", TRule::Special},
    {"ul", "ul", "", TRule::Special},
    {"ol", "ol", "", TRule::Special},
    {"dir", "ul", "", TRule::Special},
    {"menu", "ul", "", TRule::Special},
    {"li", "li", "", TRule::Special},
    {"dl", "dl", "", TRule::Special},
    {"dt", "dt", "", TRule::Special},
    {"dd", "dd", "", TRule::Special},
    {"frameset", "div", "", TRule::Special},
    {"iframe", "div", "", TRule::Special},
    {"embed", "span", "", TRule::Special},
    {"bgsound", "span", "", TRule::Special},
    {"object", "span", "", TRule::Special},
    {"input", "input", "", TRule::Special},
    {"select", "select", "", TRule::Special},
    {"option", "option", "", TRule::Special},
    {"textarea", "textarea", "", TRule::Special},
    {"button", "button", "", TRule::Special},
    {"script", "", "", TRule::Drop},
    {"style", "", "", TRule::Drop},
    {"head", "", "", TRule::Drop},
    {"title", "", "", TRule::Drop},
    {"meta", "", "", TRule::Drop},
    {"link", "", "", TRule::Drop},
    {"base", "", "", TRule::Drop},
    {"area", "", "", TRule::Drop},
    {"param", "", "", TRule::Drop},
    {"basefont", "", "", TRule::Drop},
    {"spacer", "", "", TRule::Drop},
    {"noframes", "", "", TRule::Drop},
    {"template", "", "", TRule::Drop},
    {"frame", "", "", TRule::Drop},
    {"caption", "", "", TRule::Drop},  // written by its table
    {"tr", "", "", TRule::Drop},
    {"td", "", "", TRule::Drop},
    {"th", "", "", TRule::Drop},
    {"thead", "", "", TRule::Drop},
    {"tbody", "", "", TRule::Drop},
    {"tfoot", "", "", TRule::Drop},
    {"col", "", "", TRule::Drop},
    {"colgroup", "", "", TRule::Drop},
    {"optgroup", "", "", TRule::Drop},
};

}  // namespace

const RTagRule* RuleOf(const std::string& tag) {
  for (const RTagRule& rule : kRules)
    if (tag == rule.Tag) return &rule;
  return nullptr;
}

bool IsBlock(const std::string& tag) {
  static const std::set<std::string> kBlocks = {
      "div",     "center", "blockquote", "address", "marquee", "fieldset", "legend", "section",
      "article", "header", "footer",     "nav",     "aside",   "main",     "figure", "figcaption",
      "p",       "h1",     "h2",         "h3",      "h4",      "h5",       "h6",     "pre",
      "listing", "xmp",    "plaintext",  "hr",      "table",   "ul",       "ol",     "dir",
      "menu",    "li",     "dl",         "dt",      "dd",      "frameset", "iframe"};
  return kBlocks.count(tag) > 0;
}

std::string XmlAttribute(std::string_view name, std::string_view value) {
  return " " + std::string(name) + "=\"" + XmlText(value) + "\"";
}

std::string Count(const char* value, int most) {
  if (!value) return {};
  std::string digits;
  for (const char* c = value; *c == ' '; ++c) value = c + 1;
  for (const char* c = value; *c >= '0' && *c <= '9' && digits.size() < 6; ++c) digits += *c;
  if (digits.empty()) return {};
  const int number = std::stoi(digits);
  return number >= 1 ? std::to_string(number < most ? number : most) : std::string();
}

std::string ListStyleType(const char* type) {
  if (!type) return {};
  const std::string text(type);
  if (text == "1") return "decimal";
  if (text == "a") return "lower-alpha";
  if (text == "A") return "upper-alpha";
  if (text == "i") return "lower-roman";
  if (text == "I") return "upper-roman";
  const std::string lower = AsciiLower(text);
  return lower == "disc" || lower == "circle" || lower == "square" ? lower : std::string();
}

std::string Declaration(const char* property, const std::string& value) {
  return value.empty() ? std::string() : std::string(property) + ":" + value + ";";
}

std::string FloatStyle(const char* align, bool table) {
  const std::string side = CssTextAlign(align);
  if (side == "left" || side == "right") return "float:" + side + ";";
  if (table && side == "center") return "margin-left:auto;margin-right:auto;";
  return table ? std::string() : Declaration("vertical-align", CssVerticalAlign(align));
}

std::string XmlText(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    const unsigned char next = i + 1 < text.size() ? static_cast<unsigned char>(text[i + 1]) : 0;
    if (c == '&') {
      out += "&amp;";
    } else if (c == '<') {
      out += "&lt;";
    } else if (c == '>') {
      out += "&gt;";
    } else if (c == '"') {
      out += "&quot;";
    } else if (c < 0x20 && c != '\t' && c != '\n' && c != '\r') {
      // control characters XML cannot hold
    } else if (c == 0xC2 && next >= 0x80 && next <= 0x9F) {
      ++i;  // C1 controls (U+0080..U+009F)
    } else if (c == 0xEF && next == 0xBF && i + 2 < text.size() &&
               (static_cast<unsigned char>(text[i + 2]) & 0xFE) == 0xBE) {
      i += 2;  // U+FFFE, U+FFFF
    } else {
      out += static_cast<char>(c);
    }
  }
  return out;
}

}  // namespace shelf
