// Where a word may break besides spaces (private to the page engine): browsers break a line
// after a hyphen that stands between letters ("high-|resolution"), so a word is handed to the
// layout engine in pieces that each end at such a hyphen.
#pragma once

#include <functional>
#include <string_view>

namespace shelf {

// Calls `piece` for each part of a UTF-8 word, in order; the parts joined are the word.
void SplitAfterHyphens(std::string_view word, const std::function<void(std::string_view)>& piece);

// Whether a piece ends where a line may break (a hyphen after a letter).
bool EndsAtHyphenBreak(std::string_view piece);

}  // namespace shelf
