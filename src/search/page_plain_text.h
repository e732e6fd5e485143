// The text of a page as the reader sees it, read straight from its bytes without laying it out:
// what the page search of a hidden viewer looks through, so a walk over many pages stays fast.
#pragma once

#include <string>
#include <string_view>

namespace shelf {

// Windows-1251 text of page bytes: entities decoded, white space collapsed to single spaces, a
// line end between blocks, the head, scripts, styles and other hidden parts left out. Words
// split across inline tags stay whole, as they are on screen.
std::string PagePlainText(std::string_view pageBytes);

// The Windows-1251 text of the page's <title>, entities decoded and white space collapsed; empty
// when it has none.
std::string PageTitleText(std::string_view pageBytes);

}  // namespace shelf
