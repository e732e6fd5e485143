#include "pages/section_trails.h"

#include "platform/cp1251.h"
#include "store/book_text.h"

namespace shelf {

int TSectionTrails::FindTrail(const std::string& page) const {
  for (size_t i = 0; i < trails_.size(); ++i)
    if (trails_[i].find(page) != std::string::npos) return static_cast<int>(i);
  return -1;
}

void TSectionTrails::AddSectionTrail(const std::string& page) {
  current_ = FindTrail(page);
  if (current_ >= 0) return;
  trails_.push_back(page);
  current_ = static_cast<int>(trails_.size()) - 1;
}

void TSectionTrails::PageShown(const std::string& file) {
  if (trails_.empty()) return;
  if (const int found = FindTrail(file); found >= 0) {
    current_ = found;
    return;
  }
  if (current_ >= 0 && current_ < static_cast<int>(trails_.size()))
    trails_[current_] += "; " + Cp1251LowerString(file);
}

std::string TSectionTrails::FirstItem() const {
  if (current_ < 0 || current_ >= static_cast<int>(trails_.size())) return {};
  return ValueWord(trails_[current_], 1);
}

}  // namespace shelf
