// The contents file taken apart: one item per non-empty line with its page, caption and place
// in the tree (nesting by leading TABs), and the walks the contents tree makes over the items.
#pragma once

#include <string>
#include <vector>

#include "store/dynamic_arrays.h"

namespace shelf {

class TBookStore;

struct TContentsItem {
  std::string Page;     // trimmed, as written (a bare file name or a path)
  std::string Caption;  // trimmed; empty for a line without ';'
  int Parent = -1;      // index of the parent item, -1 at the top level
  int Depth = 0;
};

// Items in file order, which is also the tree's order (a child always follows its parent and
// the parent's earlier children). t leading TABs against the depth d of the item made just
// before: the first item and t = 0 go to the top level, t > d makes a child of that item,
// t < d a child of the nearest earlier item of depth t - 1, t = d a sibling of it. Items go no
// deeper than kMaxContentsDepth: a deeper line becomes a sibling of the item before it (every
// line could otherwise go one level deeper, and the tree's widgets nest as deep).
constexpr int kMaxContentsDepth = 256;
std::vector<TContentsItem> ParseContentsLines(const TDynamicStringArray& lines);
// The items of the contents file at a full DOS path, read as a book file; none when the file is
// missing or cannot be read.
std::vector<TContentsItem> ReadContentsFile(const TBookStore& store, const std::string& file);

// The next (step 1) or previous (step -1) item after `from` whose page is not empty and differs
// from the page of `from`; -1 when there is none.
int NeighbourChapter(const std::vector<TContentsItem>& items, int from, int step);

// The first item after `focused` whose caption contains `text` (letter case ignored, Cyrillic
// too), wrapping round to the top; -1 when none has it.
int FindCaptionItem(const std::vector<TContentsItem>& items, int focused, const std::string& text);

// The first item whose page names the file `name` (trimmed, letter case ignored); -1 if none.
int ItemOfPage(const std::vector<TContentsItem>& items, const std::string& name);

}  // namespace shelf
