#include "html/page_history.h"

#include "platform/cp1251.h"

namespace shelf {

void TPageHistory::SetMaxCount(int count) {
  maxCount_ = count < 0 ? 0 : count;
  if (Count() > maxCount_) entries_.resize(maxCount_);
  if (index_ >= Count()) index_ = Count() > 0 ? Count() - 1 : 0;
}

void TPageHistory::Add(THistoryEntry entry) {
  if (maxCount_ == 0) return;
  entries_.erase(entries_.begin(), entries_.begin() + index_);
  entries_.insert(entries_.begin(), std::move(entry));
  index_ = 0;
  if (Count() > maxCount_) entries_.resize(maxCount_);
}

bool TPageHistory::SetIndex(int index) {
  if (index < 0 || index >= Count()) return false;
  index_ = index;
  return true;
}

int TPageHistory::Find(const std::string& file) const {
  const std::string wanted = Cp1251LowerString(file);
  for (int i = 0; i < Count(); ++i)
    if (Cp1251LowerString(entries_[i].File) == wanted) return i;
  return -1;
}

}  // namespace shelf
