// Keeps hostile style sheets from the page engine's selector code, whose time grows far faster
// than a selector's length: rules whose selectors are too long or have too many parts are
// dropped before the engine sees the sheet, and the rest of the sheet (and the page) stays.
#pragma once

#include <string>

namespace shelf {

// A rule's selector list may run to kMaxSelectorText bytes, and each selector in it to
// kMaxSelectorParts parts (simple selectors and combinators: "div.note > p" has four). Browsers
// bound these too; no hand-written sheet comes near.
constexpr std::size_t kMaxSelectorText = 4096;
constexpr int kMaxSelectorParts = 64;

// Removes from `css` every rule whose selectors break a bound, inside @media blocks as well.
// Returns how many rules went.
int DropOverlongSelectors(std::string& css);

}  // namespace shelf
