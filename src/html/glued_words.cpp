#include "html/glued_words.h"

#include "html/hyphen_breaks.h"

namespace shelf {

namespace {

bool IsWord(const litehtml::element& el) {
  return el.get_display() == litehtml::display_inline_text && !el.is_white_space() &&
         !el.is_break();
}

// A word that ends at a hyphen between letters lets the line break after it.
bool BreaksAfter(litehtml::element& word) {
  litehtml::tstring text;
  word.get_text(text);
  return EndsAtHyphenBreak(text);
}

int WordWidth(litehtml::element& word, int maxWidth) {
  litehtml::size size;
  word.get_content_size(size, maxWidth);
  return size.width;
}

}  // namespace

litehtml::element::ptr TGluedWords::NextSibling(const litehtml::element::ptr& parent,
                                                const litehtml::element* child) {
  const int count = int(parent->get_children_count());
  int index = -1;
  // Words come in order, a space or two apart: look a few places past the last one first.
  if (cursorParent_ == parent.get())
    for (int k = cursorIndex_; k < count && k < cursorIndex_ + 4 && index < 0; ++k)
      if (parent->get_child(k).get() == child) index = k;
  for (int k = 0; k < count && index < 0; ++k)
    if (parent->get_child(k).get() == child) index = k;
  if (index < 0 || index + 1 >= count) return nullptr;
  cursorParent_ = parent.get();
  cursorIndex_ = index + 1;
  return parent->get_child(index + 1);
}

// The element placed after `el` in the block's inline flow: its next sibling, or the next one
// of an inline parent it ends, entered down to its first leaf.
litehtml::element::ptr TGluedWords::NextLeaf(const litehtml::element& block,
                                             litehtml::element::ptr el) {
  for (int depth = 0; el && depth < 32; ++depth) {
    const litehtml::element::ptr parent = el->parent();
    if (!parent) return nullptr;
    if (auto next = NextSibling(parent, el.get())) {
      while (next->get_display() == litehtml::display_inline && next->get_children_count() > 0)
        next = next->get_child(0);
      return next;
    }
    if (parent.get() == &block || parent->get_display() != litehtml::display_inline) return nullptr;
    el = parent;
  }
  return nullptr;
}

bool TGluedWords::NeedNewLine(litehtml::element& block, const litehtml::box& line,
                              const litehtml::element::ptr& word, int maxWidth) {
  if (!IsWord(*word) || line.is_empty() || BreaksAfter(*word)) return false;
  litehtml::element::ptr next = NextLeaf(block, word);
  if (!next || !IsWord(*next)) return false;
  int lineLeft = 0, lineRight = maxWidth;
  block.get_line_left_right(line.top(), maxWidth, lineLeft, lineRight);
  const int room = lineRight - line.right();
  int run = WordWidth(*word, maxWidth);
  for (int count = 0; next && IsWord(*next) && count < 16 && run <= room; ++count) {
    run += WordWidth(*next, maxWidth);
    if (BreaksAfter(*next)) break;
    next = NextLeaf(block, next);
  }
  return run > room && run <= lineRight - line.left();
}

}  // namespace shelf
