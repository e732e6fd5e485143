// Tidies page source before the layout engine sees it. Malformed pages can nest formatting
// tags thousands deep (an unclosed <font> per paragraph): the engine's time grows with the
// square of that depth, so start tags beyond a limit are dropped with their end tags. And every
// whitespace character becomes an element of its own in the engine, so runs of white space
// (indentation, line ends) shrink to one space outside <pre> and its kin, and blank text
// between block tags goes. Tabs in <pre> and its kin stop every eight columns, and a blank
// first line there stays. Hostile pages meet the same bounds: elements nested deeper than
// the limit are dropped (every tag counts, not only formatting ones: the engine builds and lays
// out its tree recursively), beyond an element count the rest of the page is plain text, and
// style rules with overlong selectors go (html/style_sheet_guard.h).
#pragma once

#include <string>
#include <string_view>

namespace shelf {

constexpr int kMaxTagNesting = 256;
constexpr int kMaxPageElements = 100000;

// What the filter left out of a page, for the reader to be told.
struct TSourceCuts {
  int DroppedTags = 0;        // start tags nested beyond the limit
  bool TextOnlyTail = false;  // the element count ran out: the rest shows as plain text
  int DroppedStyleRules = 0;  // rules of <style> sheets whose selectors break their bounds

  bool Any() const { return DroppedTags > 0 || TextOnlyTail || DroppedStyleRules > 0; }
  // A short note for the program's diagnostics ("" when nothing was cut).
  std::string Describe() const;
};

std::string FilterPageSource(std::string_view html, int maxDepth = kMaxTagNesting,
                             TSourceCuts* cuts = nullptr, int maxElements = kMaxPageElements);

}  // namespace shelf
