// A book's keywords (folded) and which lines of its keywords.idx hold the forms of each stem:
// what stems.idx stores, one line per stem, "stem:k:k...", Windows-1251, in byte order.
#pragma once

#include <map>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace shelf {

class TStemTable {
 public:
  // Keyword line `line` (from 1) is a form of `stem`.
  void Add(const std::string& stem, int line) { lines_[stem].push_back(line); }
  // A line of stems.idx; a line that is not "stem:numbers" is skipped.
  void AddStemsLine(std::string_view line);
  void AddKeyword(const std::string& folded) { keywords_.insert(folded); }
  bool Knows(const std::string& folded) const { return keywords_.count(folded) > 0; }
  // The keyword lines of a stem; empty when no keyword has it.
  const std::vector<int>& Lines(const std::string& stem) const;
  std::size_t Size() const { return lines_.size(); }

 private:
  std::unordered_map<std::string, std::vector<int>> lines_;
  std::unordered_set<std::string> keywords_;
};

// The text of stems.idx for stems and their keyword lines, lines ending in CR LF.
std::string WriteStemLines(const std::map<std::string, std::vector<int>>& stems);

}  // namespace shelf
