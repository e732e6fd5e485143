#include "search/stem_table.h"

#include <charconv>

namespace shelf {

void TStemTable::AddStemsLine(std::string_view line) {
  const std::size_t colon = line.find(':');
  if (colon == 0 || colon == std::string_view::npos) return;
  std::vector<int> lines;
  for (std::size_t at = colon + 1; at <= line.size();) {
    std::size_t end = line.find(':', at);
    if (end == std::string_view::npos) end = line.size();
    int number = 0;
    const auto [stop, error] = std::from_chars(line.data() + at, line.data() + end, number);
    if (error != std::errc() || stop != line.data() + end || number < 1) return;
    lines.push_back(number);
    at = end + 1;
  }
  std::vector<int>& known = lines_[std::string(line.substr(0, colon))];
  known.insert(known.end(), lines.begin(), lines.end());
}

const std::vector<int>& TStemTable::Lines(const std::string& stem) const {
  static const std::vector<int> none;
  const auto found = lines_.find(stem);
  return found == lines_.end() ? none : found->second;
}

std::string WriteStemLines(const std::map<std::string, std::vector<int>>& stems) {
  std::string out;
  for (const auto& [stem, lines] : stems) {
    out += stem;
    for (int line : lines) out += ":" + std::to_string(line);
    out += "\r\n";
  }
  return out;
}

}  // namespace shelf
