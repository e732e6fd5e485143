// Style sheet text made ready for the layout engine (private to the page engine): media
// queries it cannot answer itself are answered (this reader shows pages light, so rules for a
// dark colour scheme go and the test for a light one is dropped from its query), and border
// widths written as keywords in a shorthand become pixels.
#pragma once

#include <string>
#include <string_view>

namespace shelf {

std::string FilterStyleSheet(std::string_view css);

// "border: thin solid" and the like with the width in pixels (1, 3, 5): the engine reads
// width keywords in `border-width` only. For style sheets and style attributes alike.
std::string SpellBorderWidths(std::string_view css);

}  // namespace shelf
