// Keeps words that touch across tags on one line (private to the page engine): the layout
// engine may break a line wherever one element ends and the next begins, so "(" before a
// link or "," after a bold word could stand alone at a line's end or start. Browsers break
// only at spaces; this finds when a word and the words glued to it do not fit the line, so
// the block starts a new line before the first of them.
#pragma once

#include <litehtml/litehtml.h>

namespace shelf {

class TGluedWords {
 public:
  // Whether `word`, about to be placed on `line` of `block`, must go to a new line with the
  // words glued to it.
  bool NeedNewLine(litehtml::element& block, const litehtml::box& line,
                   const litehtml::element::ptr& word, int maxWidth);

 private:
  litehtml::element::ptr NextSibling(const litehtml::element::ptr& parent,
                                     const litehtml::element* child);
  litehtml::element::ptr NextLeaf(const litehtml::element& block, litehtml::element::ptr el);

  // Words are placed in document order: the last sibling found is where the next search starts.
  const litehtml::element* cursorParent_ = nullptr;
  int cursorIndex_ = 0;
};

}  // namespace shelf
