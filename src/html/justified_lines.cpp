#include "html/justified_lines.h"

#include <algorithm>

namespace shelf {

namespace {

void Justify(litehtml::element& block, litehtml::box& line) {
  litehtml::elements_vector items;
  line.get_elements(items);
  while (!items.empty() && (items.back()->is_white_space() || items.back()->skip()))
    items.pop_back();
  if (items.empty() || items.back()->is_break()) return;
  int spaces = 0;
  for (const auto& item : items)
    if (item->is_white_space() && !item->skip() && item != items.front()) ++spaces;
  const int right = items.back()->right() + items.back()->margin_right();
  // The line box shrank to its words: the room is what the block leaves beside its floats.
  int lineLeft = 0, lineRight = block.get_position().width;
  block.get_line_left_right(line.top(), lineRight, lineLeft, lineRight);
  const int extra = lineRight - right;
  if (spaces == 0 || extra <= 0) return;
  int seen = 0;
  for (const auto& item : items) {
    if (item->is_white_space() && !item->skip() && item != items.front()) {
      // The spaces take the extra pixels in turn, the first ones one more when they do not
      // divide evenly.
      const int before = extra * seen / spaces;
      ++seen;
      const int after = extra * seen / spaces;
      item->get_position().x += before;
      item->get_position().width += after - before;
      continue;
    }
    item->get_position().x += extra * seen / spaces;
  }
}

}  // namespace

void JustifyLines(litehtml::element& block, const litehtml::box::vector& boxes) {
  // The last line of each run of lines (before a block or at the end) stays as it is.
  for (std::size_t k = 0; k + 1 < boxes.size(); ++k)
    if (boxes[k]->get_type() == litehtml::box_line &&
        boxes[k + 1]->get_type() == litehtml::box_line)
      Justify(block, *boxes[k]);
}

}  // namespace shelf
