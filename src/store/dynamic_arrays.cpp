#include "store/dynamic_arrays.h"

#include <algorithm>

#include "platform/cp1251.h"

namespace shelf {

std::optional<size_t> IndexOfInteger(const TDynamicIntegerArray& array, std::int32_t value) {
  const auto found = std::find(array.begin(), array.end(), value);
  if (found == array.end()) return std::nullopt;
  return static_cast<size_t>(found - array.begin());
}

bool ContainsText(const TDynamicStringArray& array, std::string_view text) {
  const std::string wanted = AsciiLower(text);
  return std::any_of(array.begin(), array.end(),
                     [&](const std::string& element) { return AsciiLower(element) == wanted; });
}

}  // namespace shelf
