// Tidies page source before the layout engine sees it. Malformed pages can nest formatting
// tags thousands deep (an unclosed <font> per paragraph): the engine's time grows with the
// square of that depth, so start tags beyond a limit are dropped with their end tags. And every
// whitespace character becomes an element of its own in the engine, so runs of white space
// (indentation, line ends) shrink to one space outside <pre> and its kin, and blank text
// between block tags goes. Tabs in <pre> and its kin stop every eight columns, and a blank
// first line there stays.
#pragma once

#include <string>
#include <string_view>

namespace shelf {

constexpr int kMaxTagNesting = 256;

std::string FilterPageSource(std::string_view html, int maxDepth = kMaxTagNesting);

}  // namespace shelf
