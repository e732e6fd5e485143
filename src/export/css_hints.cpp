#include "export/css_hints.h"

#include <array>
#include <cstring>
#include <string_view>

#include "platform/cp1251.h"

namespace shelf {
namespace {

std::string Trimmed(const char* value) {
  if (!value) return {};
  std::string_view text(value);
  while (!text.empty() && static_cast<unsigned char>(text.front()) <= ' ') text.remove_prefix(1);
  while (!text.empty() && static_cast<unsigned char>(text.back()) <= ' ') text.remove_suffix(1);
  return std::string(text);
}

bool All(std::string_view text, bool (*pass)(char)) {
  for (char c : text)
    if (!pass(c)) return false;
  return !text.empty();
}

bool IsHex(char c) {
  return std::strchr("0123456789abcdefABCDEF", c) && c;
}
bool IsLetter(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}
bool IsNumber(char c) {
  return (c >= '0' && c <= '9') || c == '.';
}
bool IsPropertyChar(char c) {
  return IsLetter(c) || c == '-';
}

// Properties that take a bare number as it is.
bool Unitless(std::string_view property) {
  static constexpr std::array kNames{"line-height", "z-index",     "font-weight", "opacity",
                                     "zoom",        "orphans",     "widows",      "flex",
                                     "flex-grow",   "flex-shrink", "order",       "column-count"};
  for (const char* name : kNames)
    if (property == name) return true;
  return false;
}

}  // namespace

std::string CssColor(const char* value) {
  std::string text = Trimmed(value);
  if (!text.empty() && text.front() == '#') text.erase(0, 1);
  if ((text.size() == 6 || text.size() == 3) && All(text, IsHex)) return "#" + AsciiLower(text);
  return All(text, IsLetter) && text.size() <= 30 ? AsciiLower(text) : std::string();
}

std::string CssLength(const char* value) {
  std::string text = Trimmed(value);
  const bool percent = !text.empty() && text.back() == '%';
  if (percent) text.pop_back();
  if (text.size() > 8 || !All(text, IsNumber) || text.find_first_of("0123456789") != 0) return {};
  return text + (percent ? "%" : "px");
}

std::string CssFontSize(const char* size) {
  static constexpr std::array kEm{"0.67em", "0.83em", "1em", "1.17em", "1.5em", "2em", "3em"};
  const std::string text = Trimmed(size);
  if (text.empty()) return {};
  const bool relative = text.front() == '+' || text.front() == '-';
  const std::string digits = relative ? text.substr(1) : text;
  if (digits.empty() || digits.size() > 3 ||
      !All(digits, [](char c) { return c >= '0' && c <= '9'; }))
    return {};
  int value = std::stoi(digits);
  if (relative) value = text.front() == '+' ? 3 + value : 3 - value;
  value = value < 1 ? 1 : value > 7 ? 7 : value;
  return kEm[value - 1];
}

std::string CssFontFamily(const char* face) {
  std::string families;
  std::string_view rest(face ? face : "");
  while (!rest.empty()) {
    const std::size_t comma = rest.find(',');
    std::string name;
    for (char c : rest.substr(0, comma))
      if (IsLetter(c) || (c >= '0' && c <= '9') || c == ' ' || c == '-' || c == '_' ||
          static_cast<unsigned char>(c) >= 0x80)
        name += c;
    name = Trimmed(name.c_str());
    if (!name.empty()) families += (families.empty() ? "'" : ",'") + name + "'";
    rest = comma == std::string_view::npos ? std::string_view() : rest.substr(comma + 1);
  }
  return families;
}

std::string CssTextAlign(const char* align) {
  const std::string text = AsciiLower(Trimmed(align));
  return text == "left" || text == "center" || text == "right" || text == "justify" ? text : "";
}

std::string CssVerticalAlign(const char* valign) {
  const std::string text = AsciiLower(Trimmed(valign));
  if (text == "center" || text == "absmiddle") return "middle";
  return text == "top" || text == "middle" || text == "bottom" || text == "baseline" ? text : "";
}

std::string CleanStyle(const char* style) {
  std::string clean;
  std::string_view rest(style ? style : "");
  while (!rest.empty()) {
    const std::size_t semicolon = rest.find(';');
    const std::string declaration(rest.substr(0, semicolon));
    rest = semicolon == std::string_view::npos ? std::string_view() : rest.substr(semicolon + 1);
    const std::size_t colon = declaration.find(':');
    if (colon == std::string::npos) continue;
    const std::string property = AsciiLower(Trimmed(declaration.substr(0, colon).c_str()));
    const std::string value = Trimmed(declaration.substr(colon + 1).c_str());
    if (!All(property, IsPropertyChar) || value.empty() ||
        value.find_first_of("{}<>\"\\@&") != std::string::npos ||
        AsciiLower(value).find("url(") != std::string::npos ||
        AsciiLower(value).find("expression") != std::string::npos)
      continue;
    const bool bareNumber = All(value, IsNumber) && value != "0" && !Unitless(property);
    clean += property + ":" + value + (bareNumber ? "px;" : ";");
  }
  return clean;
}

}  // namespace shelf
