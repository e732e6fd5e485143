// Presentational attributes of old pages ("bgcolor", <font size>, "align"...) as the CSS
// declarations an EPUB reader understands, and page style attributes cleaned of what would
// make a style sheet invalid. Every value returned is safe inside a double-quoted attribute.
#pragma once

#include <string>

namespace shelf {

// "#rrggbb" for hex colours (with or without '#'), colour names as written; "" when unusable.
std::string CssColor(const char* value);
// "50px" for "50", "50%" as written; "" when unusable.
std::string CssLength(const char* value);
// A <font size> (1..7, or +n / -n from 3) as a size relative to the reader's font ("1.17em").
std::string CssFontSize(const char* size);
// A <font face> list as quoted family names ("'Arial','Helvetica'"); "" when none is usable.
std::string CssFontFamily(const char* face);
// "left", "center", "right", "justify" (any case) for text-align; "" otherwise.
std::string CssTextAlign(const char* align);
// "top", "middle", "bottom", "baseline" for vertical-align; "" otherwise.
std::string CssVerticalAlign(const char* valign);

// A style attribute's declarations that are plainly "name: value", each ending in ';'. Bare
// numbers for lengths become pixels as old browsers took them; references to files and
// anything that could break out of the declaration are left out.
std::string CleanStyle(const char* style);

}  // namespace shelf
