// The entries of a thesaurus index ("tezaurus.idx"): one "term~page" line each, the page
// relative to the index's folder and possibly with "#anchor". Read as a book file.
#pragma once

#include <functional>
#include <string>

namespace shelf {

class TBookStore;

enum class TThesaurusRead { Missing, Unreadable, Read };

// Calls `entry` with each line's term and page (both trimmed; both empty for a line without
// "~") until it returns true or the lines end.
TThesaurusRead ReadThesaurusEntries(
    const TBookStore& store, const std::string& indexFile,
    const std::function<bool(const std::string& term, const std::string& page)>& entry);

}  // namespace shelf
