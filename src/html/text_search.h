// Searching page text (Windows-1251) with or without regard to letter case; Cyrillic letters
// fold like Latin ones.
#pragma once

#include <cstddef>
#include <string_view>

namespace shelf {

// The first position at or after `from` where `needle` occurs in `text`; npos when none (or
// when `needle` is empty).
std::size_t FindPageText(std::string_view text, std::string_view needle, std::size_t from,
                         bool matchCase);

}  // namespace shelf
