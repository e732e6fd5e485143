#include "html/style_pass.h"

#include <litehtml/el_text.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "platform/cp1251.h"

namespace shelf {

namespace {

// Browsers' sizes for the keywords xx-small ... xxx-large at a medium of 16 pixels, for text
// in general and for the bare monospace family (whose medium is 13).
constexpr std::array<int, 8> kKeywordSizes = {9, 10, 13, 16, 18, 24, 32, 48};
constexpr std::array<int, 8> kMonospaceSizes = {9, 9, 10, 13, 16, 20, 26, 39};
const char* const kKeywords[] = {"xx-small", "x-small", "small",    "medium",
                                 "large",    "x-large", "xx-large", "xxx-large"};
constexpr const char* kTagPrefix = "_shelf_text_";

int KeywordIndex(const std::string& value) {
  for (int k = 0; k < int(std::size(kKeywords)); ++k)
    if (value == kKeywords[k]) return k;
  return -1;
}

std::string Trimmed(const char* value) {
  std::string text = AsciiLower(value ? value : "");
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.pop_back();
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.erase(0, 1);
  return text;
}

bool IsBareMonospace(const std::string& families) {
  std::string name = Trimmed(families.c_str());
  std::erase(name, '"');
  std::erase(name, '\'');
  return name == "monospace";
}

// A length of the page in pixels (em against the element's font); 0 for "normal" and the like.
int Pixels(litehtml::element& el, const std::string& value) {
  litehtml::css_length length;
  length.fromString(value, "normal");
  if (length.is_predefined()) return 0;
  return el.get_document()->cvt_units(length, el.get_font_size());
}

// "x y [blur] color" in either order; the first shadow of a list only.
bool ParseShadow(litehtml::element& el, std::string value, TTextEffects& effects) {
  if (const std::size_t comma = value.find(',');
      comma != std::string::npos && value.find('(') > comma)
    value.resize(comma);
  std::vector<int> lengths;
  std::string color;
  std::size_t at = 0;
  while (at < value.size()) {
    while (at < value.size() && value[at] == ' ') ++at;
    std::size_t end = value.find(' ', at);
    if (value.compare(at, 4, "rgb(") == 0 || value.compare(at, 5, "rgba(") == 0)
      end = value.find(')', at) + 1;
    if (end == std::string::npos || end == 0) end = value.size();
    const std::string token = value.substr(at, end - at);
    at = end;
    if (token.empty()) continue;
    if (std::isdigit(static_cast<unsigned char>(token[0])) || token[0] == '-' || token[0] == '.')
      lengths.push_back(Pixels(el, token));
    else
      color = token;
  }
  if (lengths.size() < 2) return false;
  effects.Shadow = true;
  effects.ShadowX = lengths[0];
  effects.ShadowY = lengths[1];
  effects.ShadowBlur = lengths.size() > 2 ? lengths[2] : 0;
  effects.ShadowColor =
      color.empty()
          ? litehtml::web_color::from_string(el.get_style_property("color", true, "black"),
                                             el.get_document()->container())
          : litehtml::web_color::from_string(color.c_str(), el.get_document()->container());
  return true;
}

TTextEffects OwnEffects(litehtml::element& el, TTextEffects effects) {
  if (const char* spacing = el.get_style_property("letter-spacing", false, nullptr))
    effects.LetterSpacing = Pixels(el, Trimmed(spacing));
  if (const char* spacing = el.get_style_property("word-spacing", false, nullptr))
    effects.WordSpacing = Pixels(el, Trimmed(spacing));
  if (const char* shadow = el.get_style_property("text-shadow", false, nullptr)) {
    effects.Shadow = false;
    ParseShadow(el, Trimmed(shadow), effects);
  }
  return effects;
}

}  // namespace

std::string TTextEffects::FamilyTag() const {
  if (!Any()) return {};
  char tag[176];
  std::snprintf(tag, sizeof tag, "%s%d_%d_%d_%d_%d_%d_%d_%d_%d_%d_%d", kTagPrefix, LetterSpacing,
                WordSpacing, int(Shadow), ShadowX, ShadowY, ShadowBlur, ShadowColor.red,
                ShadowColor.green, ShadowColor.blue, ShadowColor.alpha, SizeHundredths);
  std::string text = tag;
  std::replace(text.begin(), text.end(), '-', 'm');  // a family name has no minus signs
  return text;
}

TTextEffects TTextEffects::TakeFamilyTag(std::string& families) {
  TTextEffects effects;
  std::size_t at = families.find_first_not_of(" \"'");
  if (at == std::string::npos || families.compare(at, std::strlen(kTagPrefix), kTagPrefix) != 0)
    return effects;
  std::size_t end = families.find(',', at);
  if (end == std::string::npos) end = families.size();
  std::string tag =
      families.substr(at + std::strlen(kTagPrefix), end - at - std::strlen(kTagPrefix));
  families.erase(0, end == families.size() ? end : end + 1);
  std::replace(tag.begin(), tag.end(), 'm', '-');
  int values[11] = {};
  int count = 0;
  for (const char* p = tag.c_str(); count < 11 && *p;) {
    char* next = nullptr;
    values[count++] = int(std::strtol(p, &next, 10));
    if (next == p) break;
    p = *next == '_' ? next + 1 : next;
  }
  if (count < 11) return effects;
  effects.LetterSpacing = values[0];
  effects.WordSpacing = values[1];
  effects.Shadow = values[2] != 0;
  effects.ShadowX = values[3];
  effects.ShadowY = values[4];
  effects.ShadowBlur = values[5];
  effects.ShadowColor = litehtml::web_color(
      static_cast<litehtml::byte>(values[6]), static_cast<litehtml::byte>(values[7]),
      static_cast<litehtml::byte>(values[8]), static_cast<litehtml::byte>(values[9]));
  effects.SizeHundredths = std::max(0, values[10]);
  return effects;
}

void TStylePass::Run(litehtml::element& root) {
  TSizeOrigin origin;
  origin.Exact = medium_;
  const TTextEffects none;
  for (std::size_t k = 0; k < root.get_children_count(); ++k)
    Visit(*root.get_child(int(k)), origin, none, false);
}

void TStylePass::Visit(litehtml::element& el, const TSizeOrigin& parent,
                       const TTextEffects& inherited, bool reparse) {
  if (dynamic_cast<litehtml::el_text*>(&el)) {
    if (reparse) el.parse_styles(true);  // a word takes its parent's font
    return;
  }
  if (el.get_display() == litehtml::display_none) return;
  if (reparse) el.parse_styles(true);
  // Where the size comes from, and the size with its fraction as browsers keep it.
  TSizeOrigin origin = parent;
  bool ownKeyword = false;
  double exact = parent.Exact;
  const char* tag = el.get_tagName();
  if (tag && std::strcmp(tag, "font") == 0 && el.get_attr("size")) {
    const char* size = el.get_attr("size");
    // A page may write any number of digits here; only 1..7 (or 3 moved by -2..+4) mean a size.
    long value = std::clamp(std::strtol(*size == '+' ? size + 1 : size, nullptr, 10), -100L, 100L);
    if (*size == '+' || *size == '-') value += 3;
    origin.Keyword = static_cast<int>(std::clamp(value, 1L, 7L));
    origin.Factor = 1.0;
    exact = el.get_font_size();
  } else if (const char* own = el.get_style_property("font-size", false, nullptr)) {
    const std::string value = Trimmed(own);
    const double number = std::atof(value.c_str());
    if (const int keyword = KeywordIndex(value); keyword >= 0) {
      origin = {keyword, 1.0};
      ownKeyword = true;
    } else if (value == "smaller" || value == "larger") {
      const double factor = value == "smaller" ? 1 / 1.2 : 1.2;
      origin.Factor *= factor;
      exact *= factor;
      ownKeyword = true;
    } else if (value.ends_with("em") || value.ends_with('%')) {
      const double factor = value.ends_with('%') ? number / 100 : number;
      origin.Factor *= factor;
      exact *= factor;
    } else if (value != "inherit") {
      origin.Keyword = -1;
      exact = value.ends_with("pt")   ? number * 4 / 3
              : value.ends_with("px") ? number
                                      : el.get_font_size();
    }
  }
  std::string families = el.get_style_property("font-family", true, "");
  const TTextEffects carried = TTextEffects::TakeFamilyTag(families);
  origin.Monospace = origin.Keyword >= 0 && IsBareMonospace(families);
  if (origin.Keyword >= 0 && (ownKeyword || origin.Monospace || parent.Monospace)) {
    const auto& sizes = origin.Monospace ? kMonospaceSizes : kKeywordSizes;
    exact = sizes[std::size_t(origin.Keyword)] * origin.Factor * medium_ / 16.0;
  }
  exact = std::clamp(exact, 1.0, 10000.0);
  origin.Exact = exact;
  std::string css;
  const int pixels = int(std::lround(exact));
  if (pixels != el.get_font_size()) css += "font-size:" + std::to_string(pixels) + "px !important;";
  // Spacing and shadows are inherited: each element's fonts carry those in force.
  TTextEffects effects = OwnEffects(el, inherited);
  const int hundredths = int(std::lround(exact * 100));
  effects.SizeHundredths = std::abs(hundredths - pixels * 100) >= 5 ? hundredths : 0;
  if (!(carried == effects)) {
    const std::string tag = effects.FamilyTag();
    css += "font-family:" + tag + (tag.empty() || families.empty() ? "" : ",") + families +
           " !important;";
  }
  if (!css.empty()) {
    el.add_style(css, "");
    el.parse_styles(true);
    reparse = true;
  }
  // A table as wide as its container finds no room beside a float: it goes below, as in browsers
  // (a documentation page's member title floats above the table of the member's text).
  if (el.get_display() == litehtml::display_table && el.get_clear() == litehtml::clear_none) {
    const litehtml::css_length width = el.get_css_width();
    if (width.units() == litehtml::css_units_percentage && width.val() >= 100) {
      el.add_style("clear:both", "");
      el.parse_styles(true);
    }
  }
  for (std::size_t k = 0; k < el.get_children_count(); ++k)
    Visit(*el.get_child(int(k)), origin, effects, reparse);
}

}  // namespace shelf
