// Reading HTML 4 presentational attributes (colours, lengths) as CSS values, for the elements
// that map them onto their style (private to the page engine).
#pragma once

#include <litehtml/litehtml.h>

#include <string>
#include <string_view>

namespace shelf {

// A colour attribute as CSS: "#rrggbb" for bare hex digits ("ffcc00"), names and "#..." as
// written; empty for nothing usable.
std::string HintColor(const char* value);
// A length attribute: "50" -> "50px", "50%" as written; empty for nothing usable.
std::string HintLength(const char* value);
// No page means a count or a length beyond this; larger numbers in attributes are cut to it, so
// that the arithmetic on them (sizes minus borders, columns times a character width) stays in
// range.
constexpr int kMaxHintValue = 100000;

// An integer attribute, `fallback` when missing or not a number, within +-kMaxHintValue.
int HintInt(const char* value, int fallback);
// Adds a block of hints ("color:red;width:50%;") to an element's own style.
// The size and background attributes that tables and cells share ("width", "height",
// "bgcolor", "background") as CSS declarations.
std::string BoxHints(const litehtml::element& element);

void AddHints(const litehtml::element& element, litehtml::style& style, const std::string& css);
// A style attribute without the declarations that give a length as a bare number ("width:100"):
// old browsers took them as pixels, as pages in quirks mode still do; a standards page drops them.
std::string WithoutUnitlessLengths(std::string_view style);
// The nearest ancestor with the tag (lower case), or null.
litehtml::element::ptr AncestorWithTag(const litehtml::element& element, const char* tag);

}  // namespace shelf
