#include "html/text_search.h"

#include <string>

#include "platform/cp1251.h"

namespace shelf {

std::size_t FindPageText(std::string_view text, std::string_view needle, std::size_t from,
                         bool matchCase) {
  if (needle.empty() || from > text.size()) return std::string_view::npos;
  if (matchCase) return text.find(needle, from);
  const std::string lowerNeedle = Cp1251LowerString(needle);
  const std::size_t last = text.size() < needle.size() ? 0 : text.size() - needle.size();
  for (std::size_t i = from; i <= last && text.size() >= needle.size(); ++i) {
    std::size_t k = 0;
    while (k < lowerNeedle.size() && Cp1251Lower(text[i + k]) == lowerNeedle[k]) ++k;
    if (k == lowerNeedle.size()) return i;
  }
  return std::string_view::npos;
}

}  // namespace shelf
