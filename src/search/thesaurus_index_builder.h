// Makes the thesaurus index (tezaurus.idx) from the thesaurus pages: each entry heading, a line
// of a page's text that starts with "~ ", gives a term and the page with the entry's anchor.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace shelf {

class TThesaurusIndexBuilder {
 public:
  // A page, named relative to the program folder; pages without entry headings add nothing.
  // The term is the rest of the heading line, up to a dash that starts its explanation. The
  // anchor is the last <a name> met after the previous entry and before the "~".
  void AddPage(std::string_view file, std::string_view pageBytes);

  bool Empty() const { return entries_.empty(); }
  std::size_t EntryCount() const { return entries_.size(); }
  // Lines "term~page#anchor" in Windows-1251, CR LF; the first entry's page opens the thesaurus.
  std::string IndexFile() const;

 private:
  std::vector<std::string> entries_;
};

}  // namespace shelf
