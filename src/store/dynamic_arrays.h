// The growable arrays that carry lists between the parts of the program, and the two small
// searches over them.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace shelf {

// std::vector already has the value (copy-on-assign) semantics these arrays need.
using TDynamicBooleanArray = std::vector<std::uint8_t>;
using TDynamicIntegerArray = std::vector<std::int32_t>;
using TDynamicStringArray = std::vector<std::string>;  // Windows-1251 byte strings
using MyArray = std::vector<std::string>;              // what SplitText returns

// Index of the first element equal to `value`.
std::optional<size_t> IndexOfInteger(const TDynamicIntegerArray& array, std::int32_t value);

// True when an element equals `text` without regard to ASCII letter case.
bool ContainsText(const TDynamicStringArray& array, std::string_view text);

}  // namespace shelf
