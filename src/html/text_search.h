// Searching page text (Windows-1251) with or without regard to letter case; Cyrillic letters
// fold like Latin ones.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string_view>

namespace shelf {

// The first position at or after `from` where `needle` occurs in `text`; npos when none (or
// when `needle` is empty).
std::size_t FindPageText(std::string_view text, std::string_view needle, std::size_t from,
                         bool matchCase);

// A stretch of a page's text: where it starts and how many bytes it has.
struct RTextRange {
  std::size_t Start = 0;
  std::size_t Length = 0;
};
// The next stretch at or after `from` that a search wants; none when there is no further one.
using TTextFinder =
    std::function<std::optional<RTextRange>(std::string_view text, std::size_t from)>;

}  // namespace shelf
