// The pages a viewer has shown, newest first, with the entry on show: what back, forward and
// the history popups work on. Holds at most a set number of entries.
#pragma once

#include <string>
#include <vector>

namespace shelf {

struct THistoryEntry {
  std::string File;     // the page the reader went to, a full DOS name (with any "#fragment")
  std::string Title;    // its title, empty when it has none
  std::string TopFile;  // the document shown in the whole viewer (a frameset or `File`)
  std::vector<std::pair<std::string, std::string>> Frames;  // frame name -> file on show
  int ScrollPos = 0;
};

class TPageHistory {
 public:
  void SetMaxCount(int count);
  int MaxCount() const { return maxCount_; }

  // A newly shown page: entries newer than the current one are dropped, the page goes in front
  // and becomes current; the oldest entries beyond the maximum are dropped.
  void Add(THistoryEntry entry);

  int Count() const { return static_cast<int>(entries_.size()); }
  int Index() const { return index_; }
  // Moves to entry `index`; false (and nothing changes) when there is no such entry.
  bool SetIndex(int index);
  const THistoryEntry& At(int index) const { return entries_.at(index); }
  THistoryEntry* Current() { return entries_.empty() ? nullptr : &entries_[index_]; }
  // The entry of a file (compared without regard to case), -1 when it is not there.
  int Find(const std::string& file) const;

  bool CanGoBack() const { return index_ + 1 < Count(); }
  bool CanGoForward() const { return index_ > 0 && !entries_.empty(); }

 private:
  std::vector<THistoryEntry> entries_;
  int index_ = 0;
  int maxCount_ = 10;
};

}  // namespace shelf
