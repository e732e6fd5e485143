// The section trails of one page viewer: each trail starts with the page a button opened and
// gathers the pages read from there, so that back and forward know which section a page of the
// history belongs to and can press that section's switch again.
#pragma once

#include <string>
#include <vector>

namespace shelf {

class TSectionTrails {
 public:
  // A button command opens `page`: the first trail that holds it becomes current, else it
  // starts a new trail.
  void AddSectionTrail(const std::string& page);
  // After a history change to `file`: the first trail that holds it becomes current, else the
  // file (lower-cased) joins the current trail. Nothing happens before the first trail.
  void PageShown(const std::string& file);
  // The page that started the current trail (its text up to the first ';', trimmed); empty
  // without a current trail.
  std::string FirstItem() const;

  const std::vector<std::string>& Trails() const { return trails_; }
  int CurrentTrail() const { return current_; }

 private:
  int FindTrail(const std::string& page) const;

  std::vector<std::string> trails_;
  int current_ = -1;
};

}  // namespace shelf
