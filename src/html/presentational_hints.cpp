#include "html/presentational_hints.h"

#include "html/qt_container.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <cstring>

namespace shelf {

std::string HintColor(const char* value) {
  if (!value) return {};
  std::string text(value);
  while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back()))) text.pop_back();
  while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front()))) text.erase(0, 1);
  if (text.empty()) return {};
  if (text.front() == '#') return text;
  bool allHex = text.size() == 6 || text.size() == 3;
  for (char c : text) allHex = allHex && std::isxdigit(static_cast<unsigned char>(c));
  if (allHex) return "#" + text;
  for (char c : text)
    if (!std::isalpha(static_cast<unsigned char>(c))) return {};
  return text;
}

std::string HintLength(const char* value) {
  if (!value) return {};
  char* end = nullptr;
  const double number = std::strtod(value, &end);
  if (end == value || !(number >= 0)) return {};
  const std::string written(value, static_cast<const char*>(end));
  // "1e300", "inf" or "0x10" would mean something else (or nothing) to the style sheet.
  const bool plain = written.find_first_not_of("0123456789.") == std::string::npos;
  const std::string digits = plain && number <= kMaxHintValue
                                 ? written
                                 : std::to_string(int(std::min<double>(number, kMaxHintValue)));
  while (*end == ' ') ++end;
  return digits + (*end == '%' ? "%" : "px");
}

int HintInt(const char* value, int fallback) {
  if (!value) return fallback;
  char* end = nullptr;
  const long number = std::strtol(value, &end, 10);
  if (end == value) return fallback;
  return static_cast<int>(std::clamp<long>(number, -kMaxHintValue, kMaxHintValue));
}

void AddHints(const litehtml::element& element, litehtml::style& style, const std::string& css) {
  if (!css.empty()) style.combine(ContainerOf(element).HintStyle(css));
}

namespace {

bool IsLengthProperty(const std::string& name) {
  static const char* const kProperties[] = {
      "width",          "height",        "min-width",    "max-width",      "min-height",
      "max-height",     "top",           "left",         "right",          "bottom",
      "font-size",      "text-indent",   "margin",       "margin-top",     "margin-right",
      "margin-bottom",  "margin-left",   "padding",      "padding-top",    "padding-right",
      "padding-bottom", "padding-left",  "border-width", "border",         "border-top",
      "border-right",   "border-bottom", "border-left",  "letter-spacing", "word-spacing"};
  for (const char* property : kProperties)
    if (name == property) return true;
  return false;
}

// Whether a value holds a number other than zero without a unit.
bool HasBareNumber(std::string_view value) {
  std::size_t i = 0;
  while (i < value.size()) {
    while (i < value.size() && std::isspace(static_cast<unsigned char>(value[i]))) ++i;
    const std::size_t start = i;
    while (i < value.size() && !std::isspace(static_cast<unsigned char>(value[i]))) ++i;
    const std::string_view token = value.substr(start, i - start);
    if (token.empty()) continue;
    bool number = true, nonZero = false;
    for (std::size_t k = 0; k < token.size(); ++k) {
      const char c = token[k];
      if (std::isdigit(static_cast<unsigned char>(c))) {
        nonZero = nonZero || c != '0';
      } else if (c != '.' && !(k == 0 && (c == '-' || c == '+'))) {
        number = false;
      }
    }
    if (number && nonZero) return true;
  }
  return false;
}

}  // namespace

std::string WithoutUnitlessLengths(std::string_view style) {
  std::string kept;
  std::size_t start = 0;
  while (start < style.size()) {
    std::size_t end = style.find(';', start);
    if (end == std::string_view::npos) end = style.size();
    const std::string_view declaration = style.substr(start, end - start);
    start = end + 1;
    const std::size_t colon = declaration.find(':');
    if (colon != std::string_view::npos) {
      std::string name;
      for (char c : declaration.substr(0, colon))
        if (!std::isspace(static_cast<unsigned char>(c)))
          name += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
      if (IsLengthProperty(name) && HasBareNumber(declaration.substr(colon + 1))) continue;
    }
    kept.append(declaration);
    kept += ';';
  }
  return kept;
}

litehtml::element::ptr AncestorWithTag(const litehtml::element& element, const char* tag) {
  for (auto el = element.parent(); el; el = el->parent())
    if (const char* name = el->get_tagName(); name && std::strcmp(name, tag) == 0) return el;
  return nullptr;
}

std::string BoxHints(const litehtml::element& element) {
  std::string css;
  if (const std::string width = HintLength(element.get_attr("width")); !width.empty())
    css += "width:" + width + ";";
  if (const std::string height = HintLength(element.get_attr("height")); !height.empty())
    css += "height:" + height + ";";
  if (const std::string color = HintColor(element.get_attr("bgcolor")); !color.empty())
    css += "background-color:" + color + ";";
  if (const char* image = element.get_attr("background"); image && *image)
    css += std::string("background-image:url('") + image + "');";
  return css;
}

}  // namespace shelf
